object BenchMdiForm: TBenchMdiForm
  Left = 0
  Top = 740
  ClientWidth = 640
  ClientHeight = 250
  Caption = 'Skin bench MDI '#8212' MDI-Rahmen '#8212' '#22810#25991#26723
  Menu = MdiMenu
  WindowMenu = MdiWindow
  Font.Height = -12
  Font.Charset = GB2312_CHARSET
  Font.Name = 'MS Sans Serif'
  object MdiMenu: TMainMenu
    object MdiWindow: TMenuItem
      Caption = '&Window / Fenster / '#31383#21475
      object MdiTile: TMenuItem
        Caption = 'Tile / Nebeneinander / '#24179#38138
      end
    end
  end
end
