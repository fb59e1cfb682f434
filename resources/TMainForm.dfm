object MainForm: TMainForm
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'Pointrix'
  ClientHeight = 453
  ClientWidth = 632
  Color = 14797000
  Font.Charset = DEFAULT_CHARSET
  Font.Color = 13540765
  Font.Height = -19
  Font.Name = 'Tahoma'
  Font.Style = []
  FormStyle = fsStayOnTop
  KeyPreview = True
  OldCreateOrder = False
  Position = poDesktopCenter
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnKeyPress = FormKeyPress
  ShowHint = True
  PixelsPerInch = 96
  TextHeight = 23
  object Sprite1: TSprite
    Left = 44
    Top = 36
    Width = 73
    Height = 74
    Picture.Resource = 'Piece1'
    TransparentColor = clRed
    SpriteGroup = Sprites1
  end
  object Sprite2: TSprite
    Left = 140
    Top = 44
    Width = 116
    Height = 62
    Picture.Resource = 'Piece2'
    TransparentColor = clRed
    SpriteGroup = Sprites1
  end
  object Sprite3: TSprite
    Left = 30
    Top = 200
    Width = 138
    Height = 48
    Picture.Resource = 'Piece3'
    TransparentColor = clRed
    SpriteGroup = Sprites1
  end
  object Sprite4: TSprite
    Left = 300
    Top = 40
    Width = 73
    Height = 84
    Picture.Resource = 'Piece4'
    TransparentColor = clRed
    SpriteGroup = Sprites1
  end
  object Sprite5: TSprite
    Left = 450
    Top = 40
    Width = 70
    Height = 68
    Picture.Resource = 'Piece5'
    TransparentColor = clRed
    SpriteGroup = Sprites1
  end
  object Sprite6: TSprite
    Left = 30
    Top = 280
    Width = 63
    Height = 88
    Picture.Resource = 'Piece6'
    TransparentColor = clRed
    SpriteGroup = Sprites1
  end
  object Sprite7: TSprite
    Left = 150
    Top = 300
    Width = 92
    Height = 89
    Picture.Resource = 'Piece7'
    TransparentColor = clRed
    SpriteGroup = Sprites1
  end
  object Sprite8: TSprite
    Left = 312
    Top = 280
    Width = 89
    Height = 104
    Picture.Resource = 'Piece8'
    TransparentColor = clRed
    SpriteGroup = Sprites1
  end
  object Sprite9: TSprite
    Left = 500
    Top = 150
    Width = 65
    Height = 97
    Picture.Resource = 'Piece9'
    TransparentColor = clRed
    SpriteGroup = Sprites1
  end
  object ContinueLabel: TLabel
    Left = 4
    Top = 396
    Width = 297
    Height = 61
    Alignment = taCenter
    AutoSize = False
    Caption = 'Press the Enter key to continue.'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = 4227327
    Font.Height = -19
    Font.Name = 'Tahoma'
    Font.Style = []
    ParentFont = False
    Transparent = True
    Visible = False
    WordWrap = True
  end
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 632
    Height = 397
    Align = alTop
    BevelOuter = bvNone
    ParentColor = True
    TabOrder = 0
    object PageControl1: TPageControl
      Left = 0
      Top = 0
      Width = 632
      Height = 397
      ActivePage = ConfigSheet
      Align = alClient
      Font.Charset = DEFAULT_CHARSET
      Font.Color = 9461808
      Font.Height = -11
      Font.Name = 'Tahoma'
      Font.Style = []
      OwnerDraw = True
      ParentFont = False
      TabOrder = 0
      OnChange = PageControl1Change
      OnChanging = PageControl1Changing
      OnDrawTab = PageControl1DrawTab
      object ConfigSheet: TTabSheet
        Caption = 'Configure'
        object ConfigureRE: TRichEdit
          Left = 0
          Top = 0
          Width = 624
          Height = 245
          Align = alTop
          BorderStyle = bsNone
          ParentColor = True
        end
        object LanguageList: TListBox
          Left = 180
          Top = 244
          Width = 241
          Height = 117
          Font.Charset = DEFAULT_CHARSET
          Font.Color = 9461808
          Font.Height = -19
          Font.Name = 'Tahoma'
          Font.Style = []
          ItemHeight = 23
          ParentFont = False
          TabOrder = 1
          OnClick = LanguageListClick
        end
      end
      object IntroSheet: TTabSheet
        Caption = 'Intro'
        object IntroRE: TRichEdit
          Left = 0
          Top = 0
          Width = 624
          Height = 369
          Align = alClient
          BorderStyle = bsNone
          ParentColor = True
        end
      end
      object OverviewSheet: TTabSheet
        Caption = 'Overview'
        Font.Charset = DEFAULT_CHARSET
        Font.Color = 9461808
        Font.Height = -53
        Font.Name = 'Tahoma'
        Font.Style = []
        ParentFont = False
        object OverviewRE: TRichEdit
          Left = 0
          Top = 0
          Width = 624
          Height = 369
          BorderStyle = bsNone
          ParentColor = True
          ReadOnly = True
          Enabled = False
          Align = alClient
        end
      end
      object HoldSheet: TTabSheet
        Caption = 'Holding'
        object HoldingImage: TImage
          Left = 412
          Top = 88
          Width = 168
          Height = 193
          AutoSize = True
          Transparent = True
        end
        object HoldingRE: TRichEdit
          Left = 0
          Top = 0
          Width = 385
          Height = 369
          Align = alLeft
          BorderStyle = bsNone
          ParentColor = True
          ReadOnly = True
          Enabled = False
        end
      end
      object Usage: TTabSheet
        Caption = 'Usage'
        object UsageRE: TRichEdit
          Left = 0
          Top = 0
          Width = 624
          Height = 369
          ParentColor = True
          ReadOnly = True
          Enabled = False
          Align = alClient
        end
      end
      object SelectingSheet: TTabSheet
        Caption = 'Selecting'
        object SelectingRE: TRichEdit
          Left = 0
          Top = 0
          Width = 624
          Height = 369
          ParentColor = True
          ReadOnly = True
          Enabled = False
          Align = alClient
        end
      end
      object Training1Sheet: TTabSheet
        Caption = 'Training 1'
        Font.Charset = DEFAULT_CHARSET
        Font.Color = 9461808
        Font.Height = -19
        Font.Name = 'Tahoma'
        Font.Style = []
        ParentFont = False
        OnHide = Training1SheetHide
        OnMouseDown = Training1SheetMouseDown
        OnMouseUp = Training1PaintBoxMouseUp
        OnShow = Training1SheetShow
        object Training1PaintBox: TPaintBox
          Left = 80
          Top = 32
          Width = 285
          Height = 285
          OnMouseDown = Training1PaintBoxMouseDown
          OnMouseUp = Training1PaintBoxMouseUp
          OnPaint = Training1PaintBoxPaint
        end
        object SelectingGameRE: TRichEdit
          Left = 80
          Top = 32
          Width = 285
          Height = 285
          BorderStyle = bsNone
          ParentColor = True
        end
        object InfoPanel1: TImage
          Left = 460
          Top = 124
          Width = 150
          Height = 200
          AutoSize = True
          Transparent = True
        end
        object Time1Label: TLabel
          Left = 476
          Top = 144
          Caption = 'Time:'
          Transparent = True
          Hint = 'Time left'
        end
        object TimeValue1Label: TLabel
          Left = 548
          Top = 144
          Width = 50
          Alignment = taRightJustify
          Caption = '00'
          Transparent = True
          Hint = 'Time left'
        end
        object Level1Label: TLabel
          Left = 476
          Top = 169
          Caption = 'Level:'
          Transparent = True
          Hint = 'Level of the game. Higher levels are more difficult.'
        end
        object LevelValue1Label: TLabel
          Left = 548
          Top = 169
          Width = 50
          Alignment = taRightJustify
          Caption = '1'
          Transparent = True
          Hint = 'Level of the game. Higher levels are more difficult.'
        end
        object Hits1Label: TLabel
          Left = 476
          Top = 194
          Caption = 'Hits:'
          Transparent = True
          Hint = 'The number of bugs that were hit'
        end
        object HitsValue1Label: TLabel
          Left = 548
          Top = 194
          Width = 50
          Alignment = taRightJustify
          Caption = '0'
          Transparent = True
          Hint = 'The number of bugs that were hit'
        end
        object Misses1Label: TLabel
          Left = 476
          Top = 219
          Caption = 'Misses:'
          Transparent = True
          Hint = 'The number of bugs that were missed'
        end
        object MissValue1Label: TLabel
          Left = 548
          Top = 219
          Width = 50
          Alignment = taRightJustify
          Caption = '0'
          Transparent = True
          Hint = 'The number of bugs that were missed'
        end
        object Escaped1Label: TLabel
          Left = 476
          Top = 244
          Caption = 'Escaped:'
          Transparent = True
          Hint = 'The number of bugs that escaped'
        end
        object EscapedValue1Label: TLabel
          Left = 548
          Top = 244
          Width = 50
          Alignment = taRightJustify
          Caption = '0'
          Transparent = True
          Hint = 'The number of bugs that escaped'
        end
        object Score1Label: TLabel
          Left = 476
          Top = 280
          Caption = 'Score:'
          Transparent = True
          Hint = 'The overall score'
        end
        object ScoreValue1Label: TLabel
          Left = 548
          Top = 280
          Width = 50
          Alignment = taRightJustify
          Caption = '0'
          Transparent = True
          Hint = 'The overall score'
        end
        object GameOverImage: TImage
          Left = 40
          Top = 140
          Width = 374
          Height = 72
          AutoSize = True
          Transparent = True
          Visible = False
        end
        object New1Btn: TFancyButton
          Left = 460
          Top = 12
          Width = 150
          Height = 45
          Hint = 'Start a new game'
          Caption = 'New game'
          NumGlyphs = 4
          TextShadowColor = clBlack
          Font.Charset = DEFAULT_CHARSET
          Font.Color = 16777088
          Font.Height = -16
          Font.Name = 'Tahoma'
          Font.Style = [fsItalic]
          ParentFont = False
          OnClick = New1BtnClick
        end
        object ResetBtn: TFancyButton
          Left = 460
          Top = 64
          Width = 150
          Height = 45
          Hint = 'Go back to the easy level 1'
          Caption = 'Reset'
          NumGlyphs = 4
          TextShadowColor = clBlack
          Font.Charset = DEFAULT_CHARSET
          Font.Color = 16777088
          Font.Height = -16
          Font.Name = 'Tahoma'
          Font.Style = [fsItalic]
          ParentFont = False
          OnClick = ResetBtnClick
        end
        object TipLabel: TLabel
          Left = 32
          Top = 328
          Width = 573
          Height = 23
          Alignment = taCenter
          AutoSize = False
          Transparent = True
        end
      end
      object ActivatingSheet: TTabSheet
        Caption = 'Activating'
        object ActivatingRE: TRichEdit
          Left = 0
          Top = 0
          Width = 624
          Height = 369
          ParentColor = True
          ReadOnly = True
          Enabled = False
          Align = alClient
        end
      end
      object Training2Sheet: TTabSheet
        Hint = 'Trains you to double-click with the mouse'
        Caption = 'Training 2'
        Font.Charset = DEFAULT_CHARSET
        Font.Color = 9461808
        Font.Height = -19
        Font.Name = 'Tahoma'
        Font.Style = []
        ParentFont = False
        OnHide = Training2SheetHide
        object ActivatingGameRE: TRichEdit
          Left = 68
          Top = 40
          Width = 293
          Height = 289
          BorderStyle = bsNone
          ParentColor = True
        end
        object InfoPanel2: TImage
          Left = 460
          Top = 108
          Width = 150
          Height = 200
          AutoSize = True
          Transparent = True
        end
        object Time2Label: TLabel
          Left = 480
          Top = 136
          Caption = 'Time:'
          Transparent = True
        end
        object TimeValue2Label: TLabel
          Left = 548
          Top = 136
          Width = 50
          Alignment = taRightJustify
          Caption = '00'
          Transparent = True
        end
        object Hits2Label: TLabel
          Left = 480
          Top = 166
          Caption = 'Hits:'
          Transparent = True
        end
        object HitsValue2Label: TLabel
          Left = 548
          Top = 166
          Width = 50
          Alignment = taRightJustify
          Caption = '0'
          Transparent = True
        end
        object Misses2Label: TLabel
          Left = 480
          Top = 191
          Caption = 'Misses:'
          Transparent = True
        end
        object MissValue2Label: TLabel
          Left = 548
          Top = 191
          Width = 50
          Alignment = taRightJustify
          Caption = '0'
          Transparent = True
        end
        object Score2Label: TLabel
          Left = 480
          Top = 224
          Caption = 'Score:'
          Transparent = True
        end
        object ScoreValue2Label: TLabel
          Left = 548
          Top = 224
          Width = 50
          Alignment = taRightJustify
          Caption = '0'
          Transparent = True
        end
        object New2Btn: TFancyButton
          Left = 456
          Top = 12
          Width = 150
          Height = 45
          Hint = 'Start a new game'
          Caption = 'New game'
          NumGlyphs = 4
          TextShadowColor = clBlack
          Font.Charset = DEFAULT_CHARSET
          Font.Color = 16777088
          Font.Height = -16
          Font.Name = 'Tahoma'
          Font.Style = [fsItalic]
          ParentFont = False
          OnClick = New2BtnClick
        end
      end
      object MovingSheet: TTabSheet
        Caption = 'Moving'
        object MovingRE: TRichEdit
          Left = 0
          Top = 0
          Width = 624
          Height = 369
          ParentColor = True
          ReadOnly = True
          Enabled = False
          Align = alClient
        end
      end
      object Training3Sheet: TTabSheet
        Caption = 'Training 3'
        OnHide = Training3SheetHide
        OnMouseUp = Training3SheetMouseUp
        object Sprites1: TSprites
          Left = 0
          Top = 0
          Width = 624
          Height = 369
          Align = alClient
          Font.Charset = DEFAULT_CHARSET
          Font.Color = 9461808
          Font.Height = -19
          Font.Name = 'Tahoma'
          Font.Style = []
          ParentFont = False
          OnEndDrag = Sprites1EndDrag
          OnDragOver = Sprites1DragOver
          OnStartDrag = Sprites1StartDrag
          OnPaint = Sprites1Paint
          object New3Btn: TFancyButton
            Left = 460
            Top = 24
            Width = 150
            Height = 45
            Hint = 'Start a new game'
            Caption = 'New game'
            Glyph.Resource = 'Newgame'
            NumGlyphs = 4
            TextShadowColor = clBlack
            Font.Charset = DEFAULT_CHARSET
            Font.Color = 16777088
            Font.Height = -16
            Font.Name = 'Tahoma'
            Font.Style = [fsItalic]
            ParentFont = False
            OnClick = New3BtnClick
          end
          object MovingGameRE: TRichEdit
            Left = 604
            Top = 352
            Width = 13
            Height = 9
            BorderStyle = bsNone
            ParentColor = True
          end
        end
        object Sprite10: TSprite
          Left = 150
          Top = 110
          Width = 300
          Height = 136
          Enabled = False
          Picture.Resource = 'Sprite10'
          TransparentColor = clRed
          SpriteGroup = Sprites1
        end
      end
      object OutroSheet: TTabSheet
        Caption = 'Outro'
        object OutroRE: TRichEdit
          Left = 0
          Top = 0
          Width = 624
          Height = 369
          ParentColor = True
          ReadOnly = True
          Enabled = False
          Align = alClient
        end
      end
      object QBSheet: TTabSheet
        Caption = 'About'
        object Label15: TLabel
          Left = 187
          Top = 20
          Width = 251
          Height = 48
          Alignment = taCenter
          Caption = 'Pointrix'
          Font.Charset = DEFAULT_CHARSET
          Font.Color = 9461808
          Font.Height = -40
          Font.Name = 'Tahoma'
          Font.Style = []
          ParentFont = False
          Transparent = True
        end
        object VersionLabel1: TVersionLabel
          Left = 193
          Top = 80
          Width = 241
          Height = 29
          Alignment = taCenter
          AutoSize = False
          Font.Charset = DEFAULT_CHARSET
          Font.Color = 9461808
          Font.Height = -16
          Font.Name = 'Tahoma'
          Font.Style = []
          ParentFont = False
          Transparent = True
        end
        object Label21: TLabel
          Left = 156
          Top = 116
          Width = 312
          Height = 23
          Alignment = taCenter
          Caption = 'Made with care by Quillaby Software'
          Font.Charset = DEFAULT_CHARSET
          Font.Color = 9461808
          Font.Height = -19
          Font.Name = 'Tahoma'
          Font.Style = []
          ParentFont = False
          Transparent = True
        end
        object Label22: TLabel
          Left = 20
          Top = 160
          Width = 585
          Height = 61
          Alignment = taCenter
          AutoSize = False
          Caption = 'Pointrix is free to use, to copy and to give away, at home, at school and in every class that helps people find their way with a mouse.'
          Font.Charset = DEFAULT_CHARSET
          Font.Color = 9461808
          Font.Height = -19
          Font.Name = 'Tahoma'
          Font.Style = []
          ParentFont = False
          Transparent = True
          WordWrap = True
        end
        object URLStatic1: TURLStatic
          Left = 151
          Top = 244
          Width = 321
          Height = 25
          Cursor = crHandPoint
          Hint = 'Click here to visit the Pointrix homepage with your Internet browser'
          Alignment = taCenter
          Caption = 'Visit the Pointrix homepage'
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clBlue
          Font.Height = -21
          Font.Name = 'Tahoma'
          Font.Style = [fsUnderline]
          ParentFont = False
          Transparent = True
          URL = 'https://www.quillaby-software.example/pointrix/'
        end
        object URLStatic2: TURLStatic
          Left = 215
          Top = 284
          Width = 199
          Height = 23
          Cursor = crHandPoint
          Hint = 'Click here to contact us by e-mail'
          Caption = 'hello@quillaby-software.example'
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clBlue
          Font.Height = -19
          Font.Name = 'Tahoma'
          Font.Style = [fsUnderline]
          ParentFont = False
          Transparent = True
          URL = 'mailto:hello@quillaby-software.example'
        end
      end
    end
  end
  object BackBtn: TFancyButton
    Left = 304
    Top = 400
    Width = 100
    Height = 48
    Caption = 'Back'
    Glyph.Resource = 'BackBtn'
    NumGlyphs = 5
    TextShadowColor = clBlack
    Font.Charset = DEFAULT_CHARSET
    Font.Color = 16777088
    Font.Height = -16
    Font.Name = 'Tahoma'
    Font.Style = [fsItalic]
    ParentFont = False
    TextOffsetLeft = 17
    TextOffsetTop = -2
    OnClick = BackBtnClick
  end
  object NextBtn: TFancyButton
    Left = 408
    Top = 400
    Width = 100
    Height = 48
    Hint = 'Proceed to the next page'
    Caption = 'Next'
    Glyph.Resource = 'NextBtn'
    NumGlyphs = 5
    TextShadowColor = clBlack
    Font.Charset = DEFAULT_CHARSET
    Font.Color = 16777088
    Font.Height = -16
    Font.Name = 'Tahoma'
    Font.Style = [fsItalic]
    ParentFont = False
    TextOffsetLeft = -17
    TextOffsetTop = -2
    OnClick = NextBtnClick
  end
  object ExitBtn: TFancyButton
    Left = 520
    Top = 400
    Width = 100
    Height = 48
    Hint = 'Exit Pointrix'
    Caption = 'Exit'
    Glyph.Resource = 'ExitBtn'
    NumGlyphs = 4
    TextShadowColor = clBlack
    Font.Charset = DEFAULT_CHARSET
    Font.Color = 16777088
    Font.Height = -16
    Font.Name = 'Tahoma'
    Font.Style = [fsItalic]
    ParentFont = False
    TextOffsetLeft = -5
    TextOffsetTop = -2
    OnClick = ExitBtnClick
  end
  object Timer1: TTimer
    Enabled = False
    Interval = 100
    OnTimer = Timer1Timer
  end
  object Timer3: TTimer
    Enabled = False
    Interval = 100
    OnTimer = Timer3Timer
  end
  object Timer2: TTimer
    Enabled = False
    Interval = 1
    OnTimer = Timer2Timer
  end
  object DblClkTimer: TTimer
    Enabled = False
    OnTimer = DblClkTimerTimer
  end
  object IdleTimer: TTimer
    Interval = 20000
    OnTimer = IdleTimerTimer
  end
  object LanguageSetting: TJSetting
    Storage.Key = 'Software\Quillaby Software\Pointrix'
    Storage.RegistryRootKey = atrkCurrentUser
    KeyName = 'Language'
  end
  object HandSetting: TJSetting
    Storage.Key = 'Control Panel\Mouse'
    Storage.RegistryRootKey = atrkCurrentUser
    KeyName = 'SwapMouseButtons'
  end
end
