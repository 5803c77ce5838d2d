object GalleryForm: TGalleryForm
  Left = 40
  Top = 30
  BorderStyle = bsSingle
  BorderIcons = [biSystemMenu, biMinimize]
  Caption = 'Relayon toolkit gallery 图库 圖庫'
  ClientWidth = 640
  ClientHeight = 420
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -13
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OnCreate = FormCreate
  object PageControl1: TPageControl
    Left = 8
    Top = 8
    Width = 624
    Height = 336
    ActivePage = TabControls
    TabOrder = 0
    object TabControls: TTabSheet
      Caption = 'Controls 控件 控制項'
      object GroupEnglish: TGroupBox
        Left = 8
        Top = 6
        Width = 196
        Height = 190
        Caption = 'English'
        object LabelName: TLabel
          Left = 12
          Top = 28
          Width = 60
          Height = 18
          AutoSize = False
          Caption = 'Name:'
        end
        object EditName: TEdit
          Left = 76
          Top = 24
          Width = 108
          Height = 24
          MaxLength = 12
          Text = 'Sequencer 1'
        end
        object CheckEnabled: TCheckBox
          Left = 12
          Top = 60
          Width = 170
          Height = 22
          Caption = 'Cascade'
          Checked = True
        end
        object CheckDisabled: TCheckBox
          Left = 12
          Top = 88
          Width = 170
          Height = 22
          Caption = 'Lock (disabled)'
          Enabled = False
        end
        object ButtonMessage: TButton
          Left = 12
          Top = 140
          Width = 172
          Height = 30
          Caption = 'Show message'
          OnClick = ButtonMessageClick
        end
      end
      object GroupSimplified: TGroupBox
        Left = 212
        Top = 6
        Width = 196
        Height = 190
        Caption = '简体中文'
        object LabelSimplified: TLabel
          Left = 12
          Top = 28
          Width = 170
          Height = 18
          Caption = '语言：'
        end
        object ComboLanguage: TComboBox
          Left = 12
          Top = 52
          Width = 172
          Height = 24
          ItemIndex = 0
          Items.Strings = (
            'Chinese (Simplified)'
            'English'
            'Chinese(Traditional)')
          OnChange = ComboLanguageChange
        end
        object CheckSimplified: TCheckBox
          Left = 12
          Top = 90
          Width = 170
          Height = 22
          Caption = '定时开机'
        end
        object ButtonSimplified: TButton
          Left = 12
          Top = 140
          Width = 172
          Height = 30
          Caption = '读取信息'
        end
      end
      object GroupTraditional: TGroupBox
        Left = 416
        Top = 6
        Width = 196
        Height = 190
        Caption = '繁體中文'
        object LabelTraditional: TLabel
          Left = 12
          Top = 28
          Width = 170
          Height = 18
          Caption = '串列埠：'
        end
        object EditTraditional: TEdit
          Left = 12
          Top = 52
          Width = 172
          Height = 24
          Text = '設定完成'
        end
        object CheckTraditional: TCheckBox
          Left = 12
          Top = 90
          Width = 170
          Height = 22
          Caption = '定時關機'
          Checked = True
        end
        object ButtonTraditional: TButton
          Left = 12
          Top = 140
          Width = 172
          Height = 30
          Caption = '讀取資訊'
        end
      end
      object LabelClock: TLabel
        Left = 12
        Top = 212
        Width = 300
        Height = 20
        Caption = 'Clock'
      end
      object PickerDate: TDateTimePicker
        Left = 12
        Top = 244
        Width = 140
        Height = 26
        Kind = dtkDate
      end
      object PickerTime: TDateTimePicker
        Left = 164
        Top = 244
        Width = 120
        Height = 26
        Kind = dtkTime
      end
    end
    object TabLamps: TTabSheet
      Caption = 'Lamps 指示灯 指示燈'
      object PanelLamps: TPanel
        Left = 8
        Top = 8
        Width = 300
        Height = 80
        BevelOuter = bvLowered
      end
    end
  end
  object ButtonExit: TButton
    Left = 528
    Top = 352
    Width = 104
    Height = 32
    Caption = 'Exit 退出 離開'
    Cancel = True
    OnClick = ButtonExitClick
  end
  object StatusBar1: TStatusBar
    Left = 0
    Top = 394
    Width = 640
    Height = 26
    Panels = <
      item
        Width = 200
      end
      item
        Width = 200
      end
      item
        Width = 100
      end>
  end
  object TimerClock: TTimer
    Interval = 1000
    OnTimer = TimerClockTimer
  end
end
