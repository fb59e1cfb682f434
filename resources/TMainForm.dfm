object MainForm: TMainForm
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'Pointrix'
  ClientHeight = 453
  ClientWidth = 632
  Color = 14796232
  Font.Charset = DEFAULT_CHARSET
  Font.Color = 13540765
  Font.Height = -19
  Font.Name = 'Tahoma'
  Font.Style = []
  FormStyle = fsStayOnTop
  KeyPreview = True
  OldCreateOrder = False
  Position = poDesktopCenter
  ShowHint = True
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnKeyPress = FormKeyPress
  PixelsPerInch = 96
  TextHeight = 23
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
      end
      object IntroSheet: TTabSheet
        Caption = 'Intro'
      end
      object OverviewSheet: TTabSheet
        Caption = 'Overview'
        Font.Charset = DEFAULT_CHARSET
        Font.Color = 9461808
        Font.Height = -53
        Font.Name = 'Tahoma'
        Font.Style = []
        ParentFont = False
      end
      object HoldSheet: TTabSheet
        Caption = 'Holding'
      end
      object Usage: TTabSheet
        Caption = 'Usage'
      end
      object SelectingSheet: TTabSheet
        Caption = 'Selecting'
      end
      object Training1Sheet: TTabSheet
        Caption = 'Training 1'
        Font.Charset = DEFAULT_CHARSET
        Font.Color = 9461808
        Font.Height = -19
        Font.Name = 'Tahoma'
        Font.Style = []
        ParentFont = False
      end
      object ActivatingSheet: TTabSheet
        Caption = 'Activating'
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
      end
      object MovingSheet: TTabSheet
        Caption = 'Moving'
      end
      object Training3Sheet: TTabSheet
        Caption = 'Training 3'
      end
      object OutroSheet: TTabSheet
        Caption = 'Outro'
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
          Caption = 
            'Pointrix is free to use, copy and give away, at home, at school ' +
            'and in every course that helps people find their way with a mouse.'
          Font.Charset = DEFAULT_CHARSET
          Font.Color = 9461808
          Font.Height = -19
          Font.Name = 'Tahoma'
          Font.Style = []
          ParentFont = False
          Transparent = True
          WordWrap = True
        end
      end
    end
  end
  object Timer1: TTimer
    Enabled = False
    Interval = 100
  end
  object Timer3: TTimer
    Enabled = False
    Interval = 100
  end
  object Timer2: TTimer
    Enabled = False
    Interval = 1
  end
  object DblClkTimer: TTimer
    Enabled = False
  end
  object IdleTimer: TTimer
    Interval = 20000
  end
end
