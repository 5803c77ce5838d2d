object SampleForm: TSampleForm
  Left = 120
  Top = 80
  Caption = 'Sample 样例 範例'
  ClientWidth = 500
  ClientHeight = 320
  BorderStyle = bsSingle
  BorderIcons = [biSystemMenu, biMinimize]
  Color = clBtnFace
  Font.Height = -13
  Font.Name = 'MS Sans Serif'
  Font.Style = [fsBold]
  OnCreate = FormCreate
  object Panel1: TPanel
    Left = 8
    Top = 8
    Width = 300
    Height = 200
    BevelOuter = bvNone
    Tag = 7
    object GroupBox1: TGroupBox
      Left = 4
      Top = 4
      Width = 280
      Height = 150
      Caption = 'Group'
      object OkButton: TButton
        Left = 10
        Top = 20
        Width = 80
        Height = 27
        Caption = 'It''s OK'
        Default = True
        TabOrder = 1
        OnClick = OkButtonClick
      end
      object Check: TCheckBox
        Left = 10
        Top = 60
        Width = 120
        Height = 20
        Caption = #36830#25509' done'
        Checked = True
        Enabled = False
        TabOrder = 0
      end
    end
  end
  object Combo: TComboBox
    Left = 320
    Top = 8
    Width = 100
    Height = 24
    ItemIndex = 1
    Items.Strings = (
      'one'
      'two'
      'three')
    OnChange = ComboChange
  end
  object Widget1: TWidget
    Count = -42
    Big = $7FFFFFFF
    Ratio = 2.5
    Label = 'first' +
      ' second'
    Flag = True
    Mode = wmFast
    Options = [woA, woC]
    Data = {
      00 01 FE
      FF}
    Partner = Combo
  end
end
