object Form1: TForm
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'Pointrix'#13#10 +
    'second'
  ClientHeight = 453
  ClientWidth = 632
  Color = $00E1C8C8
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -19
  Font.Name = 'Tahoma'
  Font.Style = [fsBold]
  KeyPreview = True
  object Panel1: TPanel
    Width = 632
    Height = 397
    Align = alTop
    BevelOuter = bvNone
    object PageControl1: TPageControl
      ActivePage = Sheet2
      Align = alClient
      OwnerDraw = True
      object Sheet1: TTabSheet
        Caption = 'One'
        object List: TListBox
          Left = 180
          Top = 244
          ItemHeight = 23
          Items.Strings = (
            'English'
            'Deutsch')
        end
      end
      object Sheet2: TTabSheet
        Caption = 'Two'
        TabVisible = False
        object Image1: TImage
          AutoSize = True
          Picture.Data = {07544269746D6170}
        end
        object Label1: TLabel
          Alignment = taCenter
          WordWrap = True
          Caption = 'Label'
        end
      end
    end
  end
  object Timer1: TTimer
    Interval = 100
    Enabled = False
  end
end
