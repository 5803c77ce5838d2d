object BenchForm: TBenchForm
  Left = 0
  Top = 0
  BorderStyle = bsSingle
  BorderIcons = [biSystemMenu, biMinimize]
  Caption = 'Skin bench '#8212' Pr'#252'fstand '#8212' '#30382#32932#27979#35797#21488
  ClientWidth = 1000
  ClientHeight = 676
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = 'MS Sans Serif'
  Menu = MainMenu1
  PopupMenu = PopupMenu1
  ActiveControl = EditFocused
  OnCreate = FormCreate
  object MainMenu1: TMainMenu
    object MenuFile: TMenuItem
      Caption = '&File / Datei / '#25991#20214
      object MenuOpenMdi: TMenuItem
        Caption = 'Open MDI window / MDI-Fenster '#246'ffnen / '#25171#24320#22810#25991#26723#31383#21475
        OnClick = OpenMdiClick
      end
      object MenuOpenDialog: TMenuItem
        Caption = 'Open dialog / Dialog '#246'ffnen / '#25171#24320#23545#35805#26694
        OnClick = OpenDialogClick
      end
      object MenuLine: TMenuItem
        Caption = '-'
      end
      object MenuChecked: TMenuItem
        Caption = 'Checked item / Markiert / '#24050#36873#20013
        Checked = True
      end
      object MenuDisabled: TMenuItem
        Caption = 'Disabled item / Gesperrt / '#24050#31105#29992
        Enabled = False
      end
      object MenuExit: TMenuItem
        Caption = 'E&xit / Beenden / '#36864#20986
        OnClick = ExitClick
      end
    end
    object MenuHelp: TMenuItem
      Caption = '&Help / Hilfe / '#24110#21161
      object MenuAbout: TMenuItem
        Caption = 'About / '#220'ber / '#20851#20110
      end
    end
  end
  object PopupMenu1: TPopupMenu
    AutoPopup = True
    object PopupCopy: TMenuItem
      Caption = 'Copy / Kopieren / '#22797#21046
    end
    object PopupPaste: TMenuItem
      Caption = 'Paste / Einf'#252'gen / '#31896#36148
      Enabled = False
    end
  end
  object ImageList1: TImageList
    Width = 16
    Height = 16
  end
  object GroupEnglish: TGroupBox
    Left = 8
    Top = 8
    Width = 240
    Height = 196
    Caption = 'English: buttons and checks'
    object ButtonRead: TButton
      Left = 12
      Top = 20
      Width = 216
      Height = 26
      Caption = 'Read all device settings from the unit'
      Default = True
    end
    object ButtonDisabled: TButton
      Left = 12
      Top = 50
      Width = 216
      Height = 26
      Caption = 'Write (disabled)'
      Enabled = False
    end
    object BitBtnSave: TBitBtn
      Left = 12
      Top = 80
      Width = 216
      Height = 26
      Caption = 'Save settings to the file'
    end
    object SpeedOn: TSpeedButton
      Left = 12
      Top = 110
      Width = 66
      Height = 24
      Caption = 'On'
      GroupIndex = 1
      Down = True
    end
    object SpeedOff: TSpeedButton
      Left = 82
      Top = 110
      Width = 66
      Height = 24
      Caption = 'Off'
      GroupIndex = 1
    end
    object SpeedFlat: TSpeedButton
      Left = 152
      Top = 110
      Width = 76
      Height = 24
      Caption = 'Flat'
      Flat = True
    end
    object CheckChecked: TCheckBox
      Left = 12
      Top = 140
      Width = 216
      Height = 20
      Caption = 'Cascade switching enabled'
      Checked = True
    end
    object CheckGrayed: TCheckBox
      Left = 12
      Top = 164
      Width = 216
      Height = 20
      Caption = 'Partly locked (grayed)'
      AllowGrayed = True
      State = cbGrayed
    end
  end
  object GroupGerman: TGroupBox
    Left = 256
    Top = 8
    Width = 240
    Height = 196
    Caption = 'Deutsch: Eingaben'
    object LabelGerman: TLabel
      Left = 12
      Top = 20
      Width = 216
      Height = 16
      Caption = 'Einschaltverz'#246'gerung (Sekunden):'
    end
    object EditFocused: TEdit
      Left = 12
      Top = 38
      Width = 216
      Height = 22
      Text = 'Ger'#228'tekennung 1 '#8211' Hauptverteiler'
    end
    object EditDisabled: TEdit
      Left = 12
      Top = 64
      Width = 216
      Height = 22
      Text = 'Schreibgesch'#252'tzt (gesperrt)'
      Enabled = False
    end
    object MemoGerman: TMemo
      Left = 12
      Top = 90
      Width = 216
      Height = 68
      ScrollBars = ssVertical
      Lines.Strings = (
        'Zeile 1: Alle Ausg'#228'nge werden nacheinander eingeschaltet.'
        'Zeile 2: R'#252'ckw'#228'rts ausschalten in umgekehrter Reihenfolge.'
        'Zeile 3: Verz'#246'gerung zwischen zwei Ausg'#228'ngen.'
        'Zeile 4: Sperre der Frontplatte.'
        'Zeile 5: Ende.')
    end
    object ComboGerman: TComboBox
      Left = 12
      Top = 164
      Width = 216
      Height = 22
      Items.Strings = (
        'Sekunden'
        'Minuten'
        'Stunden')
      ItemIndex = 1
    end
  end
  object GroupChinese: TGroupBox
    Left = 504
    Top = 8
    Width = 240
    Height = 196
    Caption = #20013#25991#65306#21015#34920#19982#36873#25321
    object ComboList: TComboBox
      Left = 12
      Top = 20
      Width = 216
      Height = 22
      Style = csDropDownList
      Items.Strings = (
        #31616#20307#20013#25991
        #33521#35821
        #32321#20307#20013#25991)
      ItemIndex = 0
    end
    object ComboSimple: TComboBox
      Left = 12
      Top = 48
      Width = 104
      Height = 86
      Style = csSimple
      Items.Strings = (
        #31532#19968#32452
        #31532#20108#32452
        #31532#19977#32452
        #31532#22235#32452)
      ItemIndex = 2
    end
    object ListChinese: TListBox
      Left = 124
      Top = 48
      Width = 104
      Height = 86
      Items.Strings = (
        #25554#24231#19968
        #25554#24231#20108
        #25554#24231#19977
        #25554#24231#22235
        #25554#24231#20116
        #25554#24231#20845)
      ItemIndex = 1
    end
    object CheckListChinese: TCheckListBox
      Left = 12
      Top = 140
      Width = 216
      Height = 48
      Items.Strings = (
        #23631#34109#36890#36947#19968
        #23631#34109#36890#36947#20108
        #23631#34109#36890#36947#19977)
    end
  end
  object RadioGroupMode: TRadioGroup
    Left = 752
    Top = 8
    Width = 240
    Height = 96
    Caption = 'Mode / Modus / '#27169#24335
    Items.Strings = (
      'Sequential / Sequenziell'
      'Manual / Manuell'
      #23450#26102' / '#23450#26178)
    ItemIndex = 1
  end
  object PanelRadios: TPanel
    Left = 752
    Top = 108
    Width = 240
    Height = 96
    BevelOuter = bvLowered
    object RadioOn: TRadioButton
      Left = 8
      Top = 6
      Width = 226
      Height = 20
      Caption = 'On in order / Einschalten / '#39034#24207#24320
      Checked = True
    end
    object RadioOff: TRadioButton
      Left = 8
      Top = 28
      Width = 226
      Height = 20
      Caption = 'Off (disabled) / Aus / '#36870#24207#20851
      Enabled = False
    end
    object Lamp1: TShape
      Left = 10
      Top = 56
      Width = 24
      Height = 24
      Shape = stCircle
      Brush.Color = clLime
    end
    object Lamp2: TShape
      Left = 40
      Top = 56
      Width = 24
      Height = 24
      Shape = stCircle
      Brush.Color = clRed
    end
    object Lamp3: TShape
      Left = 70
      Top = 56
      Width = 24
      Height = 24
      Shape = stRoundRect
      Brush.Color = clWhite
    end
    object LabelLamps: TLabel
      Left = 102
      Top = 60
      Width = 132
      Height = 16
      Caption = 'LCD CH1 CH2 '#25351#31034#28783
    end
  end
  object ScrollBox1: TScrollBox
    Left = 8
    Top = 212
    Width = 240
    Height = 150
    VertScrollBar.Position = 40
    object LabelInBox: TLabel
      Left = 10
      Top = 10
      Width = 200
      Height = 16
      Caption = 'Scrolled contents / Gescrollt / '#24050#28378#21160
    end
    object ButtonInBox: TButton
      Left = 10
      Top = 60
      Width = 140
      Height = 26
      Caption = 'Inside the box / '#26694#20869
    end
    object CheckInBox: TCheckBox
      Left = 10
      Top = 94
      Width = 200
      Height = 20
      Caption = 'Checked inside / '#26694#20869#36873#20013
      Checked = True
    end
    object EditInBox: TEdit
      Left = 10
      Top = 280
      Width = 180
      Height = 22
      Text = 'Far below / Weit unten / '#19979#26041
    end
  end
  object StringGrid1: TStringGrid
    Left = 256
    Top = 212
    Width = 240
    Height = 150
    ColCount = 6
    RowCount = 12
    DefaultColWidth = 72
    DefaultRowHeight = 20
  end
  object ListView1: TListView
    Left = 504
    Top = 212
    Width = 240
    Height = 150
    ViewStyle = vsReport
    GridLines = True
    Checkboxes = True
    Columns = <
      item
        Caption = 'Unit / Gerät'
        Width = 120
      end
      item
        Caption = #29366#24577
        Width = 120
      end>
  end
  object TreeView1: TTreeView
    Left = 752
    Top = 212
    Width = 240
    Height = 150
  end
  object MediaPlayer1: TMediaPlayer
    Left = 8
    Top = 370
    Width = 240
    Height = 30
    EnabledButtons = [btPlay, btStop, btNext, btPrev, btEject]
    ColoredButtons = [btPlay, btPause, btStop, btRecord]
  end
  object TabSet1: TTabSet
    Left = 8
    Top = 406
    Width = 240
    Height = 21
    Tabs.Strings = (
      'Port'
      'Ger'#228't'
      #23454#26102#25511#21046
      'Timer'
      #23450#26178#20219#21209
      'Zeitplan'
      #35774#32622)
    TabIndex = 1
  end
  object HeaderControl1: THeaderControl
    Left = 8
    Top = 434
    Width = 240
    Height = 22
    Sections = <
      item
        Text = 'Delay'
        Width = 70
      end
      item
        Text = 'Verz'#246'gerung'
        Width = 90
      end
      item
        Text = #24310#26102
        Width = 60
      end>
  end
  object ScrollBarH: TScrollBar
    Left = 256
    Top = 370
    Width = 200
    Height = 17
    Position = 30
  end
  object ScrollBarV: TScrollBar
    Left = 470
    Top = 370
    Width = 17
    Height = 86
    Kind = sbVertical
    Position = 60
  end
  object ProgressBar1: TProgressBar
    Left = 256
    Top = 394
    Width = 200
    Height = 18
    Position = 60
  end
  object TrackBar1: TTrackBar
    Left = 256
    Top = 416
    Width = 200
    Height = 40
    Max = 10
    Position = 3
  end
  object EditSpin: TEdit
    Left = 504
    Top = 370
    Width = 80
    Height = 22
    Text = '5'
  end
  object UpDown1: TUpDown
    Left = 584
    Top = 370
    Width = 17
    Height = 22
    Associate = EditSpin
    Position = 5
    Max = 255
  end
  object PickerDate: TDateTimePicker
    Left = 612
    Top = 370
    Width = 132
    Height = 22
    Kind = dtkDate
  end
  object PickerTime: TDateTimePicker
    Left = 504
    Top = 400
    Width = 120
    Height = 22
    Kind = dtkTime
  end
  object ButtonMdi: TButton
    Left = 504
    Top = 428
    Width = 116
    Height = 26
    Caption = 'MDI window'
    OnClick = OpenMdiClick
  end
  object ButtonDialog: TButton
    Left = 628
    Top = 428
    Width = 116
    Height = 26
    Caption = 'Dialog / '#23545#35805#26694
    OnClick = OpenDialogClick
  end
  object TabControl1: TTabControl
    Left = 752
    Top = 370
    Width = 240
    Height = 86
    Tabs.Strings = (
      'English'
      'Deutsch'
      #20013#25991)
    TabIndex = 2
  end
  object PageControl1: TPageControl
    Left = 8
    Top = 464
    Width = 488
    Height = 180
    ActivePage = TabSheetDevice
    object TabSheetDevice: TTabSheet
      Caption = 'Device / Ger'#228't / '#35774#22791
      object BenchFrame1: TBenchFrame
        Left = 4
        Top = 4
        Width = 472
        Height = 70
      end
      object PanelLong: TPanel
        Left = 4
        Top = 80
        Width = 472
        Height = 66
        BevelOuter = bvRaised
        Caption = #38271#26631#39064#65306#25152#26377#25554#24231#25353#39034#24207#24320#21551#65292#24310#26102#21487#22312#35774#22791#35774#32622#39029#20462#25913#12290
      end
    end
    object TabSheetTimer: TTabSheet
      Caption = 'Timer / Zeitplan / '#23450#26102
      object LabelTimer: TLabel
        Left = 8
        Top = 8
        Width = 300
        Height = 16
        Caption = 'Weekly plan / Wochenplan / '#27599#21608#35745#21010
      end
    end
  end
  object ToolBar1: TToolBar
    Left = 504
    Top = 464
    Width = 488
    Height = 30
    ShowCaptions = True
    Flat = True
    ButtonWidth = 150
    object ToolConnect: TToolButton
      Caption = 'Connect / Verbinden'
      Style = tbsCheck
      Down = True
    end
    object ToolRead: TToolButton
      Caption = #35835#21462' / Lesen'
    end
    object ToolDisabled: TToolButton
      Caption = 'Disabled'
      Enabled = False
    end
  end
  object GroupLong: TGroupBox
    Left = 504
    Top = 500
    Width = 488
    Height = 144
    Caption = 'Long captions / Lange Beschriftungen / '#38271#26631#39064
    object LabelLongEn: TLabel
      Left = 12
      Top = 22
      Width = 464
      Height = 16
      Caption = 'Status: data sent successfully, waiting for the reply of unit 1'
    end
    object LabelLongDe: TLabel
      Left = 12
      Top = 44
      Width = 464
      Height = 16
      Caption = 'Status: Daten erfolgreich gesendet, warte auf die Antwort von Ger'#228't 1'
    end
    object LabelLongZh: TLabel
      Left = 12
      Top = 66
      Width = 464
      Height = 16
      Caption = #29366#24577#65306#25968#25454#21457#36865#25104#21151#65292#27491#22312#31561#24453#35774#22791#19968#30340#22238#22797
    end
    object CheckLongZh: TCheckBox
      Left = 12
      Top = 88
      Width = 464
      Height = 20
      Caption = #23450#26102#24320#26426#65306#27599#21608#19968#33267#21608#20116#26089#19978#20843#28857#24320#21551#20840#37096#25554#24231
    end
    object ButtonLongDe: TButton
      Left = 12
      Top = 112
      Width = 464
      Height = 26
      Caption = 'Alle Verz'#246'gerungen auf Werkseinstellungen zur'#252'cksetzen'
    end
  end
  object StatusBar1: TStatusBar
    Left = 0
    Top = 652
    Width = 1000
    Height = 24
    Panels = <
      item
        Text = 'Ready'
        Width = 300
      end
      item
        Text = 'Bereit'
        Width = 300
      end
      item
        Text = #23601#32490
        Width = 300
      end>
  end
end
