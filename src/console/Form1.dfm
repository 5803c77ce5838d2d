object Form1: TForm1
  Left = 223
  Top = 30
  BorderStyle = bsSingle
  BorderIcons = [biSystemMenu, biMinimize]
  Caption = 'Relayon'
  ClientHeight = 653
  ClientWidth = 765
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -16
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Scaled = False
  OnCreate = FormCreate
  object SkinData1: TSkinData
    Active = True
    DisableTag = 99
    SkinControls = [xcPopupMenu, xcToolbar, xcControlbar, xcCombo, xcCheckBox, xcRadioButton, xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpin, xcPanel, xcGroupBox, xcStatusBar, xcTab, xcTrackBar, xcSystemMenu]
    Options = [xoMDIScrollbar, xoMenuMerge, xoTransparent, xoPreview, xoToolbarBK, xoToolbarButton, xoMDIChildBorder, xoCaptionButtonHint]
    SkinStore = '(Good)'
    SkinFormtype = sfMainform
    Version = '5.60.03.29'
    MenuUpdate = True
    MenuMerge = False
    SkinStream = {00000000}
  end
  object PageControl1: TPageControl
    Left = 12
    Top = 3
    Width = 745
    Height = 575
    ActivePage = TabSheet1
    TabOrder = 0
    object TabSheet1: TTabSheet
      Caption = '端口设置'
      object Label13: TLabel
        Left = 33
        Top = 52
        Width = 86
        Height = 25
        Caption = '串行端口：'
      end
      object Label8: TLabel
        Left = 212
        Top = 52
        Width = 85
        Height = 25
        Caption = '波特率：'
      end
      object Label7: TLabel
        Left = 33
        Top = 120
        Width = 86
        Height = 20
        Caption = 'IP 地址：'
      end
      object CB_com: TComboBox
        Left = 129
        Top = 49
        Width = 74
        Height = 28
        Style = csDropDown
        ItemIndex = 0
        TabOrder = 0
        Text = 'COM1'
        OnChange = CB_comChange
        Items.Strings = (
          'COM1'
          'COM2'
          'COM3'
          'COM4'
          'COM5'
          'COM6'
          'COM7'
          'COM8')
      end
      object CB_baud_rate: TComboBox
        Left = 295
        Top = 49
        Width = 74
        Height = 28
        Style = csDropDown
        TabOrder = 1
        Text = '19200'
        OnChange = CB_baud_rateChange
        Items.Strings = (
          '4800'
          '9600'
          '14400'
          '19200')
      end
      object Bn_ser_conn: TButton
        Left = 375
        Top = 50
        Width = 87
        Height = 27
        Caption = '连接'
        TabOrder = 2
        OnClick = Bn_ser_connClick
      end
      object Ed_ip_address: TEdit
        Left = 125
        Top = 117
        Width = 129
        Height = 28
        TabOrder = 3
        Text = '192.168.1.100'
        OnExit = Ed_ip_addressExit
      end
      object Bn_ip_conn: TButton
        Left = 260
        Top = 118
        Width = 87
        Height = 27
        Caption = '连接'
        TabOrder = 4
        OnClick = Bn_ip_connClick
      end
    end
    object TabSheet2: TTabSheet
      Caption = '设备设置'
      object Panel_setup: TPanel
        Left = 0
        Top = 0
        Width = 735
        Height = 538
        BevelOuter = bvNone
        TabOrder = 0
        object Label14: TLabel
          Left = 69
          Top = 13
          Width = 50
          Height = 25
          Caption = '原ID：'
        end
        object Label4: TLabel
          Left = 220
          Top = 13
          Width = 58
          Height = 25
          Caption = '新ID：'
        end
        object Label1: TLabel
          Left = 332
          Top = 16
          Width = 290
          Height = 25
          Caption = '(读或写ID时，只与一台设备相连接)'
          Font.Height = -13
        end
        object Bn_read_id: TButton
          Left = 14
          Top = 7
          Width = 52
          Height = 34
          Caption = '读出'
          TabOrder = 0
          OnClick = Bn_read_idClick
        end
        object Ed_read_id: TEdit
          Left = 117
          Top = 10
          Width = 41
          Height = 28
          MaxLength = 3
          TabOrder = 1
        end
        object Bn_write_id: TButton
          Left = 163
          Top = 7
          Width = 52
          Height = 34
          Caption = '写入'
          TabOrder = 2
          OnClick = Bn_write_idClick
        end
        object Ed_write_id: TEdit
          Left = 277
          Top = 10
          Width = 41
          Height = 28
          MaxLength = 3
          TabOrder = 3
        end
        object GroupBox1: TGroupBox
          Left = 11
          Top = 47
          Width = 719
          Height = 490
          Caption = '设置'
          TabOrder = 4
          object GroupBox_dly_setup: TGroupBox
            Left = 8
            Top = 72
            Width = 705
            Height = 345
            Caption = '延时设置'
            TabOrder = 10
            object Button_same: TButton
              Left = 368
              Top = 300
              Width = 107
              Height = 33
              Caption = '跟"1"相同'
              TabOrder = 0
              OnClick = Button_sameClick
            end
            object Bn_default: TButton
              Left = 490
              Top = 300
              Width = 88
              Height = 33
              Caption = '默认值'
              TabOrder = 1
              OnClick = Bn_defaultClick
            end
            object Bn_app: TButton
              Left = 600
              Top = 300
              Width = 89
              Height = 33
              Caption = '应用'
              TabOrder = 2
              OnClick = Bn_appClick
            end
          end
          object GroupBox5: TGroupBox
            Left = 8
            Top = 416
            Width = 705
            Height = 64
            TabOrder = 11
            object Label3: TLabel
              Left = 100
              Top = 29
              Width = 56
              Height = 20
              Caption = '启始位'
              Font.Height = -13
            end
            object Label2: TLabel
              Left = 221
              Top = 29
              Width = 194
              Height = 20
              Caption = '启始位设置只用于顺序开'
              Font.Height = -13
            end
            object CheckBox17: TCheckBox
              Left = 17
              Top = 25
              Width = 81
              Height = 25
              Caption = '级联'
              Checked = True
              TabOrder = 0
              OnClick = CheckBox17Click
            end
            object Cb_ch: TComboBox
              Left = 155
              Top = 25
              Width = 60
              Height = 24
              Style = csDropDown
              Font.Height = -13
              ItemIndex = 0
              TabOrder = 1
              OnChange = Cb_chChange
              Text = 'LCD'
              Items.Strings = (
                'LCD'
                'CH1'
                'CH2'
                'CH3'
                'CH4'
                'CH5'
                'CH6'
                'CH7'
                'CH8')
            end
            object CB_lock: TCheckBox
              Left = 442
              Top = 25
              Width = 79
              Height = 25
              Caption = 'Lock'
              Enabled = False
              TabOrder = 2
              OnClick = CB_lockClick
            end
            object Button3: TButton
              Left = 600
              Top = 20
              Width = 89
              Height = 33
              Caption = '开关'
              TabOrder = 3
              OnClick = Button3Click
            end
          end
          object Label6: TLabel
            Left = 21
            Top = 35
            Width = 34
            Height = 25
            Caption = 'ID：'
          end
          object Ed_conn_id: TEdit
            Left = 61
            Top = 32
            Width = 41
            Height = 28
            MaxLength = 3
            TabOrder = 0
            OnExit = Ed_conn_idExit
          end
          object Bn_connect: TButton
            Left = 108
            Top = 31
            Width = 88
            Height = 29
            Caption = '读取信息'
            TabOrder = 1
            OnClick = Bn_connectClick
          end
          object CB_Opentime: TCheckBox
            Left = 336
            Top = 20
            Width = 108
            Height = 24
            Caption = '定时开机'
            TabOrder = 2
            OnClick = CB_OpentimeClick
          end
          object DateTimePicker1: TDateTimePicker
            Left = 450
            Top = 20
            Width = 91
            Height = 24
            Kind = dtkDate
            Font.Height = -13
            TabOrder = 3
            OnChange = DateTimePicker1Change
          end
          object DateTimePicker2: TDateTimePicker
            Left = 547
            Top = 20
            Width = 75
            Height = 24
            Kind = dtkTime
            Font.Height = -13
            TabOrder = 4
            OnChange = DateTimePicker2Change
          end
          object Button1: TButton
            Left = 628
            Top = 19
            Width = 75
            Height = 25
            Caption = '开机'
            Font.Height = -13
            TabOrder = 5
            OnClick = Button1Click
          end
          object CB_Closetime: TCheckBox
            Left = 336
            Top = 50
            Width = 108
            Height = 24
            Caption = '定时关机'
            TabOrder = 6
            OnClick = CB_ClosetimeClick
          end
          object DateTimePicker3: TDateTimePicker
            Left = 450
            Top = 50
            Width = 91
            Height = 24
            Kind = dtkDate
            Font.Height = -13
            TabOrder = 7
            OnChange = DateTimePicker3Change
          end
          object DateTimePicker4: TDateTimePicker
            Left = 547
            Top = 50
            Width = 75
            Height = 24
            Kind = dtkTime
            Font.Height = -13
            TabOrder = 8
            OnChange = DateTimePicker4Change
          end
          object Button2: TButton
            Left = 628
            Top = 50
            Width = 75
            Height = 25
            Caption = '关机'
            Font.Height = -13
            TabOrder = 9
            OnClick = Button2Click
          end
        end
      end
    end
    object TabSheet3: TTabSheet
      Caption = '实时控制'
      object Panel1: TPanel
        Left = 0
        Top = 6
        Width = 735
        Height = 538
        BevelOuter = bvNone
        TabOrder = 0
        object Bn_ch_all: TButton
          Left = 536
          Top = 492
          Width = 81
          Height = 33
          Caption = 'ALL'
          TabOrder = 4
          OnClick = Bn_ch_allClick
        end
        object Bn_ch_clr: TButton
          Left = 623
          Top = 492
          Width = 81
          Height = 33
          Caption = 'CLEAR'
          TabOrder = 5
          OnClick = Bn_ch_clrClick
        end
      end
    end
    object TabSheet4: TTabSheet
      Caption = '定时任务'
      object Panel_Time_Task: TPanel
        Left = 0
        Top = 2
        Width = 735
        Height = 538
        BevelOuter = bvNone
        TabOrder = 0
      end
    end
  end
  object Label5: TLabel
    Left = 8
    Top = 590
    Width = 89
    Height = 20
    AutoSize = False
    Caption = '    语言：'
  end
  object CB_language: TComboBox
    Left = 89
    Top = 589
    Width = 168
    Height = 28
    Style = csDropDown
    TabOrder = 1
    Text = 'Chinese (Simplified)'
    OnChange = CB_languageChange
    Items.Strings = (
      'Chinese (Simplified)'
      'English'
      'Chinese(Traditional)')
  end
  object Button7: TButton
    Left = 623
    Top = 584
    Width = 105
    Height = 33
    Cancel = True
    Caption = '退出'
    TabOrder = 2
    OnClick = Button7Click
  end
  object StatusBar1: TStatusBar
    Left = 0
    Top = 623
    Width = 765
    Height = 30
    Panels = <
      item
        Text = 'Port:'
        Width = 200
      end
      item
        Width = 150
      end
      item
        Text = '状态:'
        Width = 150
      end
      item
        Width = 150
      end
      item
        Width = 70
      end>
  end
  object Timer_read232: TTimer
    Interval = 10
    OnTimer = Timer_read232Timer
  end
  object Timer1: TTimer
    Enabled = False
    OnTimer = Timer1Timer
  end
  object Timer2: TTimer
    Interval = 200
    OnTimer = Timer2Timer
  end
  object Timer3: TTimer
    Enabled = False
    Interval = 500
    OnTimer = Timer3Timer
  end
end
