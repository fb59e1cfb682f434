#pragma once

// The one window of the tutor. Its controls come from the declared layout
// (resource TMainForm); its event handlers are published by name so that the
// layout binds them. Start-up and shutdown live in TMainForm.cpp, page
// navigation and the idle prompt in Navigation.cpp.

#include <cstdint>
#include <string>

#include "toolkit/TForm.h"
#include "toolkit/TPublishedMethods.h"

class TBitmap;
class TImage;
class TLabel;
class TListBox;
class TPageControl;
class TPaintBox;
class TPanel;
class TTabSheet;
class TTimer;

class TMainForm : public TForm, public TPublishedMethods {
public:
  explicit TMainForm(TComponent* owner);
  ~TMainForm() override;
  const char* ClassName() const override { return "TMainForm"; }

  // Registers the class with the layout reader (done once by the constructor).
  static void RegisterClass();

  // --- Published components (created from the layout; the window owns them).
  TPanel* Panel1 = nullptr;
  TPageControl* PageControl1 = nullptr;
  TTabSheet* ConfigSheet = nullptr;
  TTabSheet* IntroSheet = nullptr;
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
  TTimer* Timer1 = nullptr;
  TTimer* Timer3 = nullptr;
  TTimer* Timer2 = nullptr;
  TTimer* DblClkTimer = nullptr;
  TTimer* IdleTimer = nullptr;
  TLabel* ContinueLabel = nullptr;
  TLabel* Label15 = nullptr;
  TLabel* Label21 = nullptr;
  TLabel* Label22 = nullptr;

  // --- Run-time state shared by the pages and games.
  int8_t ActiveGame = 0;
  bool GameOver = true;

  // --- Event handlers (bound by name from the layout).
  void FormCreate(TObject* sender);
  void FormDestroy(TObject* sender);
  void ExitBtnClick(TObject* sender);
  void BackBtnClick(TObject* sender);
  void NextBtnClick(TObject* sender);
  void FormKeyPress(TObject* sender, char& key);
  void PageControl1Change(TObject* sender);
  void PageControl1Changing(TObject* sender, bool& allowChange);
  void PageControl1DrawTab(TObject* control, int tabIndex, const TRect& rect, bool active);
  void IdleTimerTimer(TObject* sender);

  // Hides the idle prompt and starts its delay anew (5 s during a Training 1 game, else 20 s).
  void ResetIdlePrompt();

private:
  void PublishHandlers();
  void BindComponents();
  // Selects the neighbouring page (wrapping around) through the tab control's change path.
  void StepPage(bool goForward);
  template <class T>
  T* Bind(const char* name);
};

extern TMainForm* MainForm;
