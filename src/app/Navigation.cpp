// Page navigation (Back, Next, tabs, keys) and the idle prompt of the main window.

#include "app/TMainForm.h"
#include "content/LanguageTexts.h"
#include "controls/TFancyButton.h"
#include "toolkit/forms/TControlCanvas.h"
#include "toolkit/forms/TTimer.h"
#include "toolkit/graphics/TCanvas.h"
#include "toolkit/stdctrls/TImage.h"
#include "toolkit/stdctrls/TLabel.h"
#include "toolkit/stdctrls/TPageControl.h"
#include "toolkit/stdctrls/TTabSheet.h"

namespace {

constexpr uint32_t IdleDelay = 20000;
constexpr uint32_t IdleDelayInTraining1 = 5000;
constexpr uint32_t BlinkInterval = 1000;
constexpr TColor TabColour = 0xE2C7C7;

}  // namespace

void TMainForm::StepPage(bool goForward) {
  TTabSheet* next = PageControl1->FindNextPage(PageControl1->ActivePage(), goForward);
  if (!next || next == PageControl1->ActivePage()) return;
  PageControl1->SelectTab(next->TabIndex());
}

void TMainForm::BackBtnClick(TObject*) {
  StepPage(false);
}

void TMainForm::NextBtnClick(TObject*) {
  StepPage(true);
}

void TMainForm::PageControl1Changing(TObject*, bool& allowChange) {
  if (Timer1->Enabled()) allowChange = false;
}

void TMainForm::PageControl1Change(TObject*) {
  TTabSheet* page = PageControl1->ActivePage();
  BackBtn->SetState(page == ConfigSheet ? fbsDisabled : fbsMouseOut);
  NextBtn->SetState(page == QBSheet ? fbsDisabled : fbsMouseOut);
  Timer3->SetEnabled(false);
  GameOverImage->Hide();
  FitPanelValues();
  ResetIdlePrompt();
}

void TMainForm::PageControl1DrawTab(TObject* control, int tabIndex, const TRect& rect, bool) {
  auto* pages = static_cast<TPageControl*>(control);
  TCanvas& canvas = pages->Canvas();
  canvas.Brush().Color = TabColour;
  canvas.Brush().Style = bsSolid;
  canvas.FillRect(rect);
  canvas.Font().Assign(&pages->Font());
  canvas.TextOut(rect.Left + 4, rect.Top + 2, pages->Pages(tabIndex)->Caption());
}

void TMainForm::FormKeyPress(TObject*, char& key) {
  switch (key) {
    case 13:
      NextBtnClick(nullptr);
      break;
    case 8:
      BackBtnClick(nullptr);
      break;
    case 27:
      Close();
      break;
    case 'n':
    case 'N':
      if (PageControl1->ActivePage() == Training1Sheet)
        New1BtnClick(nullptr);
      else if (PageControl1->ActivePage() == Training2Sheet)
        New2BtnClick(nullptr);
      else if (PageControl1->ActivePage() == Training3Sheet)
        New3BtnClick(nullptr);
      break;
    default:
      break;
  }
  ResetIdlePrompt();
}

void TMainForm::ResetIdlePrompt() {
  IdleTimer->SetEnabled(false);
  IdleTimer->SetInterval(ActiveGame == 1 ? IdleDelayInTraining1 : IdleDelay);
  IdleTimer->SetEnabled(true);
  ContinueLabel->SetVisible(false);
}

void TMainForm::IdleTimerTimer(TObject*) {
  int entry = ActiveGame >= 0 && ActiveGame <= 3 ? ActiveGame : 0;
  ContinueLabel->SetCaption(LanguageTexts[entry]);
  ContinueLabel->SetVisible(!ContinueLabel->Visible());
  IdleTimer->SetInterval(BlinkInterval);
}
