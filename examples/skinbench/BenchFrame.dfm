object BenchFrame: TBenchFrame
  Left = 0
  Top = 0
  Width = 472
  Height = 70
  object LabelFrame: TLabel
    Left = 8
    Top = 8
    Width = 200
    Height = 16
    Caption = 'Frame / Rahmen / '#26694#26550
  end
  object EditFrame: TEdit
    Left = 8
    Top = 30
    Width = 200
    Height = 22
    Text = '192.168.0.178'
  end
  object ButtonFrame: TButton
    Left = 220
    Top = 28
    Width = 120
    Height = 26
    Caption = 'Connect / '#36830#25509
  end
  object CheckFrame: TCheckBox
    Left = 350
    Top = 30
    Width = 116
    Height = 20
    Caption = 'TCP / '#20018#21475
  end
end
