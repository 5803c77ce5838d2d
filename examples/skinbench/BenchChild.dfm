object BenchChild: TBenchChild
  Left = 8
  Top = 8
  ClientWidth = 420
  ClientHeight = 184
  Caption = 'MDI child '#8212' Kindfenster '#8212' '#23376#31383#21475
  Font.Height = -12
  Font.Charset = GB2312_CHARSET
  Font.Name = 'MS Sans Serif'
  object LabelChild: TLabel
    Left = 12
    Top = 12
    Width = 396
    Height = 16
    Caption = 'Unit 2 / Ger'#228't 2 / '#35774#22791#20108
  end
  object EditChild: TEdit
    Left = 12
    Top = 34
    Width = 200
    Height = 22
    Text = 'Verteiler B'#252'hne links'
  end
  object CheckChild: TCheckBox
    Left = 12
    Top = 64
    Width = 396
    Height = 20
    Caption = 'Lock front panel / Frontplatte sperren / '#38145#23450#38754#26495
    Checked = True
  end
  object MemoChild: TMemo
    Left = 12
    Top = 90
    Width = 396
    Height = 56
    ScrollBars = ssBoth
    Lines.Strings = (
      'CH1 ein / '#24320
      'CH2 aus / '#20851
      'CH3 ein / '#24320)
  end
  object ButtonChild: TButton
    Left = 12
    Top = 152
    Width = 120
    Height = 26
    Caption = 'Apply / '#220'bernehmen'
  end
  object ButtonChildOff: TButton
    Left = 140
    Top = 152
    Width = 140
    Height = 26
    Caption = #31105#29992' / Gesperrt'
    Enabled = False
  end
end
