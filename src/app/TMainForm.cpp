#include "app/TMainForm.h"

#include "content/LanguageFolder.h"
#include "controls/ControlsRegistration.h"
#include "controls/TFancyButton.h"
#include "controls/TURLStatic.h"
#include "controls/TVersionLabel.h"
#include "games/Random.h"
#include "sprites/SpritesRegistration.h"
#include "sprites/TSprite.h"
#include "sprites/TSprites.h"
#include "storage/StorageRegistration.h"
#include "storage/TJSetting.h"
#include "toolkit/layout/ClassRegistry.h"
#include "toolkit/layout/LayoutReader.h"
#include "toolkit/forms/TApplication.h"
#include "toolkit/graphics/TBitmap.h"
#include "toolkit/stdctrls/TImage.h"
#include "toolkit/stdctrls/TLabel.h"
#include "toolkit/stdctrls/TListBox.h"
#include "toolkit/stdctrls/TPageControl.h"
#include "toolkit/stdctrls/TPaintBox.h"
#include "toolkit/stdctrls/TPanel.h"
#include "toolkit/rtf/TRichEdit.h"
#include "toolkit/forms/TScreen.h"
#include "toolkit/stdctrls/TTabSheet.h"
#include "toolkit/forms/TTimer.h"

TMainForm* MainForm = nullptr;

namespace {

constexpr TCursor crMalet = 5;
constexpr TCursor crMaletDown = 6;
constexpr TCursor crFlower = 7;
constexpr TColor GameButtonTextColour = 0xFFFF80;

}  // namespace

void TMainForm::RegisterClass() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  RegisterStandardClasses();
  RegisterRichEdit();
  RegisterControlsClasses();
  RegisterSpriteClasses();
  RegisterStorageClasses();
  ClassRegistry().Register<TMainForm>("TMainForm", "TForm");
}

TMainForm::TMainForm(TComponent* owner) : TForm(owner) {
  RegisterClass();
  PublishHandlers();
  try {
    // The inherited construction: every component of the layout, then the create event.
    ReadLayoutResource(this, "TMainForm");
    BindComponents();
    DoCreate();

    // The language list and the choice of language.
    const std::string keptLanguage = StartLanguage();

    SetHandedness(HandSetting->GetValue() == "1");
    // A stored language that could not be loaded stays the learner's choice.
    if (!keptLanguage.empty()) LanguageSetting->SetValue(keptLanguage);
    ActiveGame = 0;
    ApplyStartZoom();
  } catch (...) {
    // A start-up that fails still releases what the create event made.
    FormDestroy(this);
    throw;
  }
}

TMainForm::~TMainForm() {
  if (MainForm == this) MainForm = nullptr;
}

void TMainForm::PublishHandlers() {
  PublishMethod("FormCreate", this, &TMainForm::FormCreate);
  PublishMethod("FormDestroy", this, &TMainForm::FormDestroy);
  PublishMethod("FormKeyPress", this, &TMainForm::FormKeyPress);
  PublishMethod("ExitBtnClick", this, &TMainForm::ExitBtnClick);
  PublishMethod("BackBtnClick", this, &TMainForm::BackBtnClick);
  PublishMethod("NextBtnClick", this, &TMainForm::NextBtnClick);
  PublishMethod("PageControl1Change", this, &TMainForm::PageControl1Change);
  PublishMethod("PageControl1Changing", this, &TMainForm::PageControl1Changing);
  PublishMethod("PageControl1DrawTab", this, &TMainForm::PageControl1DrawTab);
  PublishMethod("IdleTimerTimer", this, &TMainForm::IdleTimerTimer);
  PublishMethod("LanguageListClick", this, &TMainForm::LanguageListClick);
  PublishMethod("New1BtnClick", this, &TMainForm::New1BtnClick);
  PublishMethod("ResetBtnClick", this, &TMainForm::ResetBtnClick);
  PublishMethod("Timer1Timer", this, &TMainForm::Timer1Timer);
  PublishMethod("Training1PaintBoxMouseDown", this, &TMainForm::Training1PaintBoxMouseDown);
  PublishMethod("Training1SheetMouseDown", this, &TMainForm::Training1SheetMouseDown);
  PublishMethod("Training1PaintBoxMouseUp", this, &TMainForm::Training1PaintBoxMouseUp);
  PublishMethod("Training1PaintBoxPaint", this, &TMainForm::Training1PaintBoxPaint);
  PublishMethod("Training1SheetShow", this, &TMainForm::Training1SheetShow);
  PublishMethod("Training1SheetHide", this, &TMainForm::Training1SheetHide);
  PublishMethod("New2BtnClick", this, &TMainForm::New2BtnClick);
  PublishMethod("Timer2Timer", this, &TMainForm::Timer2Timer);
  PublishMethod("ImageMouseDown", this, &TMainForm::ImageMouseDown);
  PublishMethod("ImageDblClick", this, &TMainForm::ImageDblClick);
  PublishMethod("DblClkTimerTimer", this, &TMainForm::DblClkTimerTimer);
  PublishMethod("Training2SheetHide", this, &TMainForm::Training2SheetHide);
  PublishMethod("New3BtnClick", this, &TMainForm::New3BtnClick);
  PublishMethod("Sprites1StartDrag", this, &TMainForm::Sprites1StartDrag);
  PublishMethod("Sprites1DragOver", this, &TMainForm::Sprites1DragOver);
  PublishMethod("Sprites1EndDrag", this, &TMainForm::Sprites1EndDrag);
  PublishMethod("Sprites1Paint", this, &TMainForm::Sprites1Paint);
  PublishMethod("Timer3Timer", this, &TMainForm::Timer3Timer);
  PublishMethod("Training3SheetHide", this, &TMainForm::Training3SheetHide);
  PublishMethod("Training3SheetMouseUp", this, &TMainForm::Training3SheetMouseUp);
}

template <class T>
T* TMainForm::Bind(const char* name) {
  T* found = dynamic_cast<T*>(FindComponent(name));
  if (!found) throw Exception(Format("The window layout has no %s", name));
  return found;
}

void TMainForm::BindComponents() {
  Panel1 = Bind<TPanel>("Panel1");
  PageControl1 = Bind<TPageControl>("PageControl1");
  OverviewRE = Bind<TRichEdit>("OverviewRE");
  UsageRE = Bind<TRichEdit>("UsageRE");
  SelectingRE = Bind<TRichEdit>("SelectingRE");
  OverviewSheet = Bind<TTabSheet>("OverviewSheet");
  HoldSheet = Bind<TTabSheet>("HoldSheet");
  Usage = Bind<TTabSheet>("Usage");
  SelectingSheet = Bind<TTabSheet>("SelectingSheet");
  Training1Sheet = Bind<TTabSheet>("Training1Sheet");
  ActivatingSheet = Bind<TTabSheet>("ActivatingSheet");
  Training2Sheet = Bind<TTabSheet>("Training2Sheet");
  MovingSheet = Bind<TTabSheet>("MovingSheet");
  Training3Sheet = Bind<TTabSheet>("Training3Sheet");
  OutroSheet = Bind<TTabSheet>("OutroSheet");
  QBSheet = Bind<TTabSheet>("QBSheet");
  MovingRE = Bind<TRichEdit>("MovingRE");
  OutroRE = Bind<TRichEdit>("OutroRE");
  HoldingRE = Bind<TRichEdit>("HoldingRE");
  Training1PaintBox = Bind<TPaintBox>("Training1PaintBox");
  Timer1 = Bind<TTimer>("Timer1");
  ActivatingRE = Bind<TRichEdit>("ActivatingRE");
  Timer3 = Bind<TTimer>("Timer3");
  Timer2 = Bind<TTimer>("Timer2");
  DblClkTimer = Bind<TTimer>("DblClkTimer");
  IntroSheet = Bind<TTabSheet>("IntroSheet");
  TipLabel = Bind<TLabel>("TipLabel");
  BackBtn = Bind<TFancyButton>("BackBtn");
  NextBtn = Bind<TFancyButton>("NextBtn");
  ExitBtn = Bind<TFancyButton>("ExitBtn");
  New1Btn = Bind<TFancyButton>("New1Btn");
  New2Btn = Bind<TFancyButton>("New2Btn");
  InfoPanel2 = Bind<TImage>("InfoPanel2");
  Time2Label = Bind<TLabel>("Time2Label");
  TimeValue2Label = Bind<TLabel>("TimeValue2Label");
  Hits2Label = Bind<TLabel>("Hits2Label");
  Misses2Label = Bind<TLabel>("Misses2Label");
  HitsValue2Label = Bind<TLabel>("HitsValue2Label");
  MissValue2Label = Bind<TLabel>("MissValue2Label");
  Score2Label = Bind<TLabel>("Score2Label");
  ScoreValue2Label = Bind<TLabel>("ScoreValue2Label");
  ResetBtn = Bind<TFancyButton>("ResetBtn");
  InfoPanel1 = Bind<TImage>("InfoPanel1");
  Time1Label = Bind<TLabel>("Time1Label");
  TimeValue1Label = Bind<TLabel>("TimeValue1Label");
  LevelValue1Label = Bind<TLabel>("LevelValue1Label");
  HitsValue1Label = Bind<TLabel>("HitsValue1Label");
  MissValue1Label = Bind<TLabel>("MissValue1Label");
  EscapedValue1Label = Bind<TLabel>("EscapedValue1Label");
  ScoreValue1Label = Bind<TLabel>("ScoreValue1Label");
  Score1Label = Bind<TLabel>("Score1Label");
  Escaped1Label = Bind<TLabel>("Escaped1Label");
  Misses1Label = Bind<TLabel>("Misses1Label");
  Hits1Label = Bind<TLabel>("Hits1Label");
  Level1Label = Bind<TLabel>("Level1Label");
  Sprites1 = Bind<TSprites>("Sprites1");
  for (int i = 0; i < 10; ++i) Sprites[size_t(i)] = Bind<TSprite>(("Sprite" + std::to_string(i + 1)).c_str());
  ContinueLabel = Bind<TLabel>("ContinueLabel");
  IdleTimer = Bind<TTimer>("IdleTimer");
  HoldingImage = Bind<TImage>("HoldingImage");
  Label15 = Bind<TLabel>("Label15");
  VersionLabel1 = Bind<TVersionLabel>("VersionLabel1");
  Label21 = Bind<TLabel>("Label21");
  Label22 = Bind<TLabel>("Label22");
  URLStatic1 = Bind<TURLStatic>("URLStatic1");
  URLStatic2 = Bind<TURLStatic>("URLStatic2");
  IntroRE = Bind<TRichEdit>("IntroRE");
  SelectingGameRE = Bind<TRichEdit>("SelectingGameRE");
  ActivatingGameRE = Bind<TRichEdit>("ActivatingGameRE");
  MovingGameRE = Bind<TRichEdit>("MovingGameRE");
  ConfigSheet = Bind<TTabSheet>("ConfigSheet");
  ConfigureRE = Bind<TRichEdit>("ConfigureRE");
  LanguageList = Bind<TListBox>("LanguageList");
  LanguageSetting = Bind<TJSetting>("LanguageSetting");
  HandSetting = Bind<TJSetting>("HandSetting");
  GameOverImage = Bind<TImage>("GameOverImage");
  New3Btn = Bind<TFancyButton>("New3Btn");
}

void TMainForm::FormCreate(TObject*) {
  Randomize();
  {
    TBitmap gameOver;
    gameOver.LoadFromResourceName("GameOver");
    GameOverImage->SetPicture(&gameOver);
  }
  Screen->LoadCursorFromResource(crMalet, "Malet");
  Screen->LoadCursorFromResource(crMaletDown, "MaletDown");
  Training1PaintBox->SetCursor(crMalet);

  auto loadBitmap = [](const char* name, bool transparent) {
    auto* bitmap = new TBitmap;
    bitmap->LoadFromResourceName(name);
    bitmap->Transparent = transparent;
    return bitmap;
  };
  LiveBitmap = loadBitmap("Live", true);
  DeadBitmap = loadBitmap("Dead", true);
  NewGameBitmap = loadBitmap("Newgame", true);
  SetupGameButton(New1Btn, NewGameBitmap, "New game");
  SetupGameButton(New2Btn, NewGameBitmap, "New game");
  SetupGameButton(New3Btn, NewGameBitmap, "New game");
  SetupGameButton(ResetBtn, NewGameBitmap, "Reset");
  PanelBitmap = loadBitmap("Panel", true);
  InfoPanel1->SetPicture(PanelBitmap);
  InfoPanel2->SetPicture(PanelBitmap);

  GameOver = true;
  TimeLimit = 200;
  HitPoints = 5;
  Level = 1;

  Screen->LoadCursorFromResource(crFlower, "Flower");
  FlowerBitmap = loadBitmap("Flower", false);
  BoxBitmap = loadBitmap("Box", false);
  Box2Bitmap = loadBitmap("Box2", false);

  for (TImage*& box : DblClkImages) {
    box = new TImage(this);
    box->SetParent(Training2Sheet);
    box->SetAutoSize(true);
    box->SetTransparent(true);
    box->OnDblClick = [this](TObject* sender) { ImageDblClick(sender); };
    box->OnMouseDown = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
      ImageMouseDown(sender, button, shift, x, y);
    };
  }
  GameOver = true;

  DblClkTimer->SetInterval(platform::Backend().Display().DoubleClickTime());
  DblClkTimer->Tag = 0;

  Sprites[9]->SetLeft(150);
  Sprites[9]->SetTop(110);
  Sprites[9]->SetVisible(true);
}

void TMainForm::FormDestroy(TObject*) {
  for (TBitmap** bitmap : {&LiveBitmap, &DeadBitmap, &NewGameBitmap, &PanelBitmap}) {
    delete *bitmap;
    *bitmap = nullptr;
  }
  for (TImage*& box : DblClkImages) {
    delete box;
    box = nullptr;
  }
  for (TBitmap** bitmap : {&FlowerBitmap, &BoxBitmap, &Box2Bitmap}) {
    delete *bitmap;
    *bitmap = nullptr;
  }
}

void TMainForm::ExitBtnClick(TObject*) {
  Close();
}

void TMainForm::SetupGameButton(TFancyButton* button, TBitmap* glyphs, const std::string& caption) {
  button->Font().SetColor(GameButtonTextColour);
  button->SetGlyph(glyphs);
  button->SetCaption(caption);
  button->SetTextShadowColor(clBlack);
}
