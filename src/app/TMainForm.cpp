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
#include "toolkit/forms/TApplication.h"
#include "toolkit/forms/TScreen.h"
#include "toolkit/forms/TTimer.h"
#include "toolkit/graphics/TBitmap.h"
#include "toolkit/layout/ClassRegistry.h"
#include "toolkit/layout/LayoutReader.h"
#include "toolkit/layout/TPublishedFields.h"
#include "toolkit/rtf/TRichEdit.h"
#include "toolkit/stdctrls/TImage.h"
#include "toolkit/stdctrls/TLabel.h"
#include "toolkit/stdctrls/TListBox.h"
#include "toolkit/stdctrls/TPageControl.h"
#include "toolkit/stdctrls/TPaintBox.h"
#include "toolkit/stdctrls/TPanel.h"
#include "toolkit/stdctrls/TTabSheet.h"

TMainForm* MainForm = nullptr;

namespace {

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

    // The pages just loaded already chose their left- or right-handed variants.
    SetHandedness(HandSetting->GetValue() == "1");
    // The listed spelling of the language is the one stored.
    LanguageSetting->SetValue(LanguageList->Items()->Strings(LanguageList->ItemIndex()));
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

namespace {

// The classes the main window's published fields point to.
using TMainFormFields =
    TPublishedFields<TMainForm, TPanel, TPageControl, TRichEdit, TTabSheet, TPaintBox, TTimer, TLabel, TFancyButton,
                     TImage, TSprites, TVersionLabel, TURLStatic, TListBox, TJSetting>;

// The main window's published fields, in declaration order (Sprite1 .. Sprite10 apart).
constexpr TMainFormFields::TEntry MainFormFields[] = {
    {"Panel1", &TMainForm::Panel1},
    {"PageControl1", &TMainForm::PageControl1},
    {"OverviewRE", &TMainForm::OverviewRE},
    {"UsageRE", &TMainForm::UsageRE},
    {"SelectingRE", &TMainForm::SelectingRE},
    {"OverviewSheet", &TMainForm::OverviewSheet},
    {"HoldSheet", &TMainForm::HoldSheet},
    {"Usage", &TMainForm::Usage},
    {"SelectingSheet", &TMainForm::SelectingSheet},
    {"Training1Sheet", &TMainForm::Training1Sheet},
    {"ActivatingSheet", &TMainForm::ActivatingSheet},
    {"Training2Sheet", &TMainForm::Training2Sheet},
    {"MovingSheet", &TMainForm::MovingSheet},
    {"Training3Sheet", &TMainForm::Training3Sheet},
    {"OutroSheet", &TMainForm::OutroSheet},
    {"QBSheet", &TMainForm::QBSheet},
    {"MovingRE", &TMainForm::MovingRE},
    {"OutroRE", &TMainForm::OutroRE},
    {"HoldingRE", &TMainForm::HoldingRE},
    {"Training1PaintBox", &TMainForm::Training1PaintBox},
    {"Timer1", &TMainForm::Timer1},
    {"ActivatingRE", &TMainForm::ActivatingRE},
    {"Timer3", &TMainForm::Timer3},
    {"Timer2", &TMainForm::Timer2},
    {"DblClkTimer", &TMainForm::DblClkTimer},
    {"IntroSheet", &TMainForm::IntroSheet},
    {"TipLabel", &TMainForm::TipLabel},
    {"BackBtn", &TMainForm::BackBtn},
    {"NextBtn", &TMainForm::NextBtn},
    {"ExitBtn", &TMainForm::ExitBtn},
    {"New1Btn", &TMainForm::New1Btn},
    {"New2Btn", &TMainForm::New2Btn},
    {"InfoPanel2", &TMainForm::InfoPanel2},
    {"Time2Label", &TMainForm::Time2Label},
    {"TimeValue2Label", &TMainForm::TimeValue2Label},
    {"Hits2Label", &TMainForm::Hits2Label},
    {"Misses2Label", &TMainForm::Misses2Label},
    {"HitsValue2Label", &TMainForm::HitsValue2Label},
    {"MissValue2Label", &TMainForm::MissValue2Label},
    {"Score2Label", &TMainForm::Score2Label},
    {"ScoreValue2Label", &TMainForm::ScoreValue2Label},
    {"ResetBtn", &TMainForm::ResetBtn},
    {"InfoPanel1", &TMainForm::InfoPanel1},
    {"Time1Label", &TMainForm::Time1Label},
    {"TimeValue1Label", &TMainForm::TimeValue1Label},
    {"LevelValue1Label", &TMainForm::LevelValue1Label},
    {"HitsValue1Label", &TMainForm::HitsValue1Label},
    {"MissValue1Label", &TMainForm::MissValue1Label},
    {"EscapedValue1Label", &TMainForm::EscapedValue1Label},
    {"ScoreValue1Label", &TMainForm::ScoreValue1Label},
    {"Score1Label", &TMainForm::Score1Label},
    {"Escaped1Label", &TMainForm::Escaped1Label},
    {"Misses1Label", &TMainForm::Misses1Label},
    {"Hits1Label", &TMainForm::Hits1Label},
    {"Level1Label", &TMainForm::Level1Label},
    {"Sprites1", &TMainForm::Sprites1},
    {"ContinueLabel", &TMainForm::ContinueLabel},
    {"IdleTimer", &TMainForm::IdleTimer},
    {"HoldingImage", &TMainForm::HoldingImage},
    {"Label15", &TMainForm::Label15},
    {"VersionLabel1", &TMainForm::VersionLabel1},
    {"Label21", &TMainForm::Label21},
    {"Label22", &TMainForm::Label22},
    {"URLStatic1", &TMainForm::URLStatic1},
    {"URLStatic2", &TMainForm::URLStatic2},
    {"IntroRE", &TMainForm::IntroRE},
    {"SelectingGameRE", &TMainForm::SelectingGameRE},
    {"ActivatingGameRE", &TMainForm::ActivatingGameRE},
    {"MovingGameRE", &TMainForm::MovingGameRE},
    {"ConfigSheet", &TMainForm::ConfigSheet},
    {"ConfigureRE", &TMainForm::ConfigureRE},
    {"LanguageList", &TMainForm::LanguageList},
    {"LanguageSetting", &TMainForm::LanguageSetting},
    {"HandSetting", &TMainForm::HandSetting},
    {"GameOverImage", &TMainForm::GameOverImage},
    {"New3Btn", &TMainForm::New3Btn},
};

}  // namespace

void TMainForm::BindComponents() {
  TMainFormFields::Bind(*this, MainFormFields);
  for (int i = 0; i < 10; ++i)
    Sprites[size_t(i)] = TMainFormFields::Find<TSprite>(*this, ("Sprite" + std::to_string(i + 1)).c_str());
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
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromResourceName(name);
    bitmap->Transparent = transparent;
    return bitmap;
  };
  LiveBitmap = loadBitmap("Live", true);
  DeadBitmap = loadBitmap("Dead", true);
  NewGameBitmap = loadBitmap("Newgame", true);
  SetupGameButton(New1Btn, NewGameBitmap.get(), "New game");
  SetupGameButton(New2Btn, NewGameBitmap.get(), "New game");
  SetupGameButton(New3Btn, NewGameBitmap.get(), "New game");
  SetupGameButton(ResetBtn, NewGameBitmap.get(), "Reset");
  PanelBitmap = loadBitmap("Panel", true);
  InfoPanel1->SetPicture(PanelBitmap.get());
  InfoPanel2->SetPicture(PanelBitmap.get());

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
  for (std::unique_ptr<TBitmap>* bitmap : {&LiveBitmap, &DeadBitmap, &NewGameBitmap, &PanelBitmap}) bitmap->reset();
  for (TImage*& box : DblClkImages) {
    delete box;
    box = nullptr;
  }
  for (std::unique_ptr<TBitmap>* bitmap : {&FlowerBitmap, &BoxBitmap, &Box2Bitmap}) bitmap->reset();
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
