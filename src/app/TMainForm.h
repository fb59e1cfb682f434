#pragma once

// The one window of the tutor. Its controls come from the declared layout
// (resource TMainForm); its event handlers are published by name so that the
// layout binds them. The operations are spread over several files by concern:
//   TMainForm.cpp   construction, FormCreate, FormDestroy, Exit
//   Navigation.cpp  Back/Next, tabs, keys, the idle prompt
//   Language.cpp    language list, LoadLanguage, SetHandedness
//   Training1.cpp   the bug-hitting game
//   Training2.cpp   the double-click game
//   Training3.cpp   the jigsaw
//   Zoom.cpp        the window's zoom factor, its keys and full screen

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "content/LanguageFolder.h"
#include "games/TBoxBoard.h"
#include "games/TBugBoard.h"
#include "games/TJigsaw.h"
#include "toolkit/forms/TForm.h"
#include "toolkit/layout/TPublishedMethods.h"

class TBitmap;
class TFancyButton;
class TImage;
class TJSetting;
class TLabel;
class TListBox;
class TPageControl;
class TPaintBox;
class TPanel;
class TRichEdit;
class TSprite;
class TSprites;
class TTabSheet;
class TTimer;
class TURLStatic;
class TVersionLabel;
class TDragObject;

// The games' cursors in the screen's cursor table: the mallet, raised and lowered, and
// the flower shown over the double-click boxes.
constexpr TCursor crMalet = 5;
constexpr TCursor crMaletDown = 6;
constexpr TCursor crFlower = 7;

class TMainForm : public TForm, public TPublishedMethods {
public:
  explicit TMainForm(TComponent* owner);
  ~TMainForm() override;
  const char* ClassName() const override { return "TMainForm"; }

  // Registers the class with the layout reader (done once by the constructor).
  static void RegisterClass();

  // --- Published components, in declaration order (created from the layout).
  TPanel* Panel1 = nullptr;
  TPageControl* PageControl1 = nullptr;
  TRichEdit* OverviewRE = nullptr;
  TRichEdit* UsageRE = nullptr;
  TRichEdit* SelectingRE = nullptr;
  TTabSheet* OverviewSheet = nullptr;
  TTabSheet* HoldSheet = nullptr;
  TTabSheet* Usage = nullptr;
  TTabSheet* SelectingSheet = nullptr;
  TTabSheet* Training1Sheet = nullptr;
  TTabSheet* ActivatingSheet = nullptr;
  TTabSheet* Training2Sheet = nullptr;
  TTabSheet* MovingSheet = nullptr;
  TTabSheet* Training3Sheet = nullptr;
  TTabSheet* OutroSheet = nullptr;
  TTabSheet* QBSheet = nullptr;
  TRichEdit* MovingRE = nullptr;
  TRichEdit* OutroRE = nullptr;
  TRichEdit* HoldingRE = nullptr;
  TPaintBox* Training1PaintBox = nullptr;
  TTimer* Timer1 = nullptr;
  TRichEdit* ActivatingRE = nullptr;
  TTimer* Timer3 = nullptr;
  TTimer* Timer2 = nullptr;
  TTimer* DblClkTimer = nullptr;
  TTabSheet* IntroSheet = nullptr;
  TLabel* TipLabel = nullptr;
  TFancyButton* BackBtn = nullptr;
  TFancyButton* NextBtn = nullptr;
  TFancyButton* ExitBtn = nullptr;
  TFancyButton* New1Btn = nullptr;
  TFancyButton* New2Btn = nullptr;
  TImage* InfoPanel2 = nullptr;
  TLabel* Time2Label = nullptr;
  TLabel* TimeValue2Label = nullptr;
  TLabel* Hits2Label = nullptr;
  TLabel* Misses2Label = nullptr;
  TLabel* HitsValue2Label = nullptr;
  TLabel* MissValue2Label = nullptr;
  TLabel* Score2Label = nullptr;
  TLabel* ScoreValue2Label = nullptr;
  TFancyButton* ResetBtn = nullptr;
  TImage* InfoPanel1 = nullptr;
  TLabel* Time1Label = nullptr;
  TLabel* TimeValue1Label = nullptr;
  TLabel* LevelValue1Label = nullptr;
  TLabel* HitsValue1Label = nullptr;
  TLabel* MissValue1Label = nullptr;
  TLabel* EscapedValue1Label = nullptr;
  TLabel* ScoreValue1Label = nullptr;
  TLabel* Score1Label = nullptr;
  TLabel* Escaped1Label = nullptr;
  TLabel* Misses1Label = nullptr;
  TLabel* Hits1Label = nullptr;
  TLabel* Level1Label = nullptr;
  TSprites* Sprites1 = nullptr;
  std::array<TSprite*, 10> Sprites{};  // Sprite1 .. Sprite10
  TLabel* ContinueLabel = nullptr;
  TTimer* IdleTimer = nullptr;
  TImage* HoldingImage = nullptr;
  TLabel* Label15 = nullptr;
  TVersionLabel* VersionLabel1 = nullptr;
  TLabel* Label21 = nullptr;
  TLabel* Label22 = nullptr;
  TURLStatic* URLStatic1 = nullptr;
  TURLStatic* URLStatic2 = nullptr;
  TRichEdit* IntroRE = nullptr;
  TRichEdit* SelectingGameRE = nullptr;
  TRichEdit* ActivatingGameRE = nullptr;
  TRichEdit* MovingGameRE = nullptr;
  TTabSheet* ConfigSheet = nullptr;
  TRichEdit* ConfigureRE = nullptr;
  TListBox* LanguageList = nullptr;
  TJSetting* LanguageSetting = nullptr;
  TJSetting* HandSetting = nullptr;
  TImage* GameOverImage = nullptr;
  TFancyButton* New3Btn = nullptr;

  // --- Run-time state (the bitmaps are made by FormCreate and released by FormDestroy).
  std::unique_ptr<TBitmap> NewGameBitmap;
  std::unique_ptr<TBitmap> PanelBitmap;
  int8_t ActiveGame = 0;  // 0 none, 1, 2 or 3: the training game in play
  int Score = 0;
  int BugLifetime = 0;
  int TimeLimit = 0;
  int Level = 0;
  int Hits = 0;
  int Misses = 0;
  int Escaped = 0;
  int PinnedLeft = 0;
  int PinnedTop = 0;
  bool Pinned = false;  // a Training 1 game has pinned the window at PinnedLeft, PinnedTop
  // Training 1's own figures as its panel shows them: Score, Hits and Misses are shared
  // with Training 2 and hold Training 2's figures while CountersGame is 2.
  int Bug1Score = 0;
  int Bug1Hits = 0;
  int Bug1Misses = 0;
  int8_t CountersGame = 0;  // the game whose figures Score, Hits and Misses hold: 0 none yet, 1 or 2
  bool GameOver = false;    // no Training 1 or Training 2 game in play
  std::unique_ptr<TBitmap> LiveBitmap;
  std::unique_ptr<TBitmap> DeadBitmap;
  // The games' rules. Score, Hits, Misses, Escaped, Level, HitPoints, BugLifetime,
  // TimeLimit, PlacedCount, StartRotation and the clocks' Tags are what the panels
  // show: the handlers copy them from these boards after every move.
  TBugBoard BugBoard{ProgramRandom()};
  TBoxBoard BoxBoard{ProgramRandom()};
  TJigsaw Jigsaw{ProgramRandom()};
  int HitPoints = 0;
  std::unique_ptr<TBitmap> FlowerBitmap;
  std::unique_ptr<TBitmap> BoxBitmap;
  std::unique_ptr<TBitmap> Box2Bitmap;
  std::array<TImage*, 16> DblClkImages{};
  uint32_t StartTick = 0;
  int PlacedCount = 0;
  int StartRotation = 0;
  int DraggedIndex = -1;
  // The folders behind the items of LanguageList, in the same order.
  std::vector<TLanguageFolder> LanguageFolders;

  // --- Start-up and shutdown.
  void FormCreate(TObject* sender);
  void FormDestroy(TObject* sender);
  void ExitBtnClick(TObject* sender);
  // Gives a game button its look: light yellow caption with a black shadow over the glyph strip.
  void SetupGameButton(TFancyButton* button, TBitmap* glyphs, const std::string& caption);

  // --- Navigation and idle prompt.
  void BackBtnClick(TObject* sender);
  void NextBtnClick(TObject* sender);
  void FormKeyPress(TObject* sender, char& key);
  void PageControl1Change(TObject* sender);
  void PageControl1Changing(TObject* sender, bool& allowChange);
  void PageControl1DrawTab(TObject* control, int tabIndex, const TRect& rect, bool active);
  void IdleTimerTimer(TObject* sender);
  // Hides the idle prompt and starts its delay anew (5 s during a Training 1 game, else 20 s).
  void ResetIdlePrompt();

  // --- Localized content.
  void LanguageListClick(TObject* sender);
  // Loads the page files and the text file of the language listed as name (letter case
  // ignored; no setting is written). Raises Exception, changing nothing, when the
  // language's text file cannot be used; a page file that cannot be read leaves a
  // notice in its page's box.
  void LoadLanguage(const std::string& name);
  void SetHandedness(bool leftHanded);
  // Fills LanguageList from every place of languages and loads the language to start
  // with: the stored one, else the one of the user's locale, else English, else the
  // first listed; one that cannot be loaded is skipped for the next (with a note on
  // standard error). Raises Exception naming every path tried when none loads. Returns
  // the stored name to write back after the start when a stored language was skipped,
  // so that the learner's choice is not lost; else "".
  std::string StartLanguage();

  // --- Training 1.
  void New1BtnClick(TObject* sender);
  void ResetBtnClick(TObject* sender);
  void Timer1Timer(TObject* sender);
  void Training1PaintBoxMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void Training1SheetMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void Training1PaintBoxMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void Training1PaintBoxPaint(TObject* sender);
  void Training1SheetShow(TObject* sender);
  void Training1SheetHide(TObject* sender);
  void ShowBugStatus();
  void EndBugGame();

  // --- Training 2.
  void New2BtnClick(TObject* sender);
  void Timer2Timer(TObject* sender);
  void ImageMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void ImageDblClick(TObject* sender);
  void DblClkTimerTimer(TObject* sender);
  void Training2SheetHide(TObject* sender);
  void ShowDblClkStatus();
  // Fits the shown values of both score panels to their captions again.
  void FitPanelValues();
  void EndDblClkGame();

  // --- Training 3.
  void New3BtnClick(TObject* sender);
  void Sprites1StartDrag(TObject* sender, TDragObject*& dragObject);
  void Sprites1DragOver(TObject* sender, TObject* source, int x, int y, TDragState state, bool& accept);
  void Sprites1EndDrag(TObject* sender, TObject* target, int x, int y);
  void Sprites1Paint(TObject* sender);
  void Timer3Timer(TObject* sender);
  void Training3SheetHide(TObject* sender);
  void Training3SheetMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void FinishPuzzle();

  // --- Zoom.
  // The stored factor, or the one the desktop suggests when none (or garbage) is stored.
  void ApplyStartZoom();
  // Ctrl+Plus (or Ctrl+=), Ctrl+Minus, Ctrl+0 and F11.
  void FormKeyDown(TObject* sender, uint16_t& key, TShiftState shift);
  // Shows the window at factor (leaving full screen) and remembers it.
  void ChangeZoom(double factor);
  TJSetting* ZoomSetting = nullptr;  // "Zoom" beside the language

private:
  void PublishHandlers();
  // Sets every published component field from the layout; a missing component is an error naming it.
  void BindComponents();
  // Selects the neighbouring page (wrapping around) through the tab control's change path.
  void StepPage(bool goForward);
  // The index of the language listed as name: its shown name, else its folder's name on
  // disk (as earlier versions stored it), letter case ignored; -1 when none.
  int FindLanguage(const std::string& name) const;
  void LoadLanguageFolder(const TLanguageFolder& language);
};

extern TMainForm* MainForm;

// Colour of the flashing band around the jigsaw frame; carries on from one
// celebration to the next for the life of the process.
extern TColor FrameColour;
