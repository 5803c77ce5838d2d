object BenchDialog: TBenchDialog
  Left = 650
  Top = 740
  ClientWidth = 380
  ClientHeight = 180
  BorderStyle = bsDialog
  Caption = 'Plain dialog '#8212' Dialog '#8212' '#23545#35805#26694
  Font.Height = -12
  Font.Charset = GB2312_CHARSET
  Font.Name = 'MS Sans Serif'
  object LabelDialog: TLabel
    Left = 12
    Top = 12
    Width = 356
    Height = 16
    Caption = 'Restore the factory delays? / Werkseinstellungen? / '#24674#22797#40664#35748#65311
  end
  object EditDialog: TEdit
    Left = 12
    Top = 36
    Width = 356
    Height = 22
    Text = '0.5'
  end
  object RadioSeconds: TRadioButton
    Left = 12
    Top = 66
    Width = 170
    Height = 20
    Caption = 'Seconds / Sekunden / '#31186
    Checked = True
  end
  object RadioMinutes: TRadioButton
    Left = 190
    Top = 66
    Width = 178
    Height = 20
    Caption = 'Minutes / Minuten / '#20998#38047
  end
  object CheckDialog: TCheckBox
    Left = 12
    Top = 94
    Width = 356
    Height = 20
    Caption = 'Ask again / Erneut fragen / '#20877#27425#35810#38382
    Checked = True
  end
  object ButtonOk: TButton
    Left = 148
    Top = 140
    Width = 88
    Height = 28
    Caption = 'OK'
    Default = True
    OnClick = OkClick
  end
  object ButtonCancel: TButton
    Left = 244
    Top = 140
    Width = 128
    Height = 28
    Caption = 'Cancel / Abbrechen'
    Cancel = True
    OnClick = CancelClick
  end
end
