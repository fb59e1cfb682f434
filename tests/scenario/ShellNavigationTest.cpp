// Walking the pages (buttons, keys, tabs), the Training 1 veto, the idle prompt under
// the virtual clock, the About page and the look of the Next button.

#include "content/LanguageTexts.h"
#include "controls/TFancyButton.h"
#include "controls/TURLStatic.h"
#include "controls/TVersionLabel.h"
#include "scenario/ShellHelpers.h"
#include "toolkit/forms/TApplication.h"
#include "toolkit/forms/TTimer.h"
#include "toolkit/forms/TWinControl.h"
#include "toolkit/rtf/TRichEdit.h"
#include "toolkit/stdctrls/TLabel.h"
#include "toolkit/stdctrls/TListBox.h"
#include "toolkit/stdctrls/TPageControl.h"
#include "toolkit/stdctrls/TTabSheet.h"

using namespace shelltest;

namespace {

constexpr uint32_t EnterKey = 13, BackspaceKey = 8;

class ShellNavigation : public ::testing::Test {
protected:
  void SetUp() override {
    WriteHive(S, nullptr, "0");
    ASSERT_TRUE(S.Start());
  }
  TMainForm& F() { return S.Form(); }
  int Page() { return F().PageControl1->ActivePageIndex(); }
  bool Enabled(TFancyButton* button) { return button->Enabled() && button->State() != fbsDisabled; }
  void GoTo(int index) {
    while (Page() != index) S.Key(EnterKey);
  }

  TScenario S;
};

TEST_F(ShellNavigation, BackIsEnabledOnTheFirstPageUntilTheFirstChange) {
  ASSERT_EQ(F().PageControl1->ActivePage(), F().ConfigSheet);
  EXPECT_TRUE(Enabled(F().BackBtn));
  EXPECT_TRUE(Enabled(F().NextBtn));
  ClickControl(S, F().BackBtn);
  EXPECT_EQ(F().PageControl1->ActivePage(), F().QBSheet) << "Back wraps to the About page";
  EXPECT_TRUE(Enabled(F().BackBtn));
  EXPECT_FALSE(Enabled(F().NextBtn));
  ClickControl(S, F().NextBtn);
  EXPECT_EQ(F().PageControl1->ActivePage(), F().QBSheet) << "a disabled Next does nothing";
  ClickControl(S, F().BackBtn);
  EXPECT_EQ(F().PageControl1->ActivePage(), F().OutroSheet);
  EXPECT_TRUE(Enabled(F().NextBtn));
  S.Key(EnterKey);
  S.Key(EnterKey);
  EXPECT_EQ(F().PageControl1->ActivePage(), F().ConfigSheet);
  EXPECT_FALSE(Enabled(F().BackBtn)) << "after a change the first page disables Back";
  EXPECT_TRUE(Enabled(F().NextBtn));
  ClickControl(S, F().BackBtn);
  EXPECT_EQ(F().PageControl1->ActivePage(), F().ConfigSheet);
}

TEST_F(ShellNavigation, KeysWalkAllPagesAndWrapAroundBothWays) {
  for (int step = 1; step <= 13; ++step) {
    S.Key(EnterKey);
    EXPECT_EQ(Page(), step % 13) << "after " << step << " Enter";
  }
  S.Key(BackspaceKey);
  EXPECT_EQ(F().PageControl1->ActivePage(), F().QBSheet) << "Backspace on Configure wraps to About";
  EXPECT_FALSE(Enabled(F().NextBtn));
  S.Key(EnterKey);
  EXPECT_EQ(F().PageControl1->ActivePage(), F().ConfigSheet) << "Enter on About wraps to Configure";
  for (int step = 1; step <= 13; ++step) S.Key(BackspaceKey);
  EXPECT_EQ(Page(), 0);
}

// One Enter or Backspace is one page step whatever holds the focus, also when the
// step hides the focused control (the list and the text of the Configure page), and
// whether the key comes with its key-down or as a typed character alone.
TEST_F(ShellNavigation, OneKeyIsOneStepWhateverHoldsTheFocus) {
  enum TFocus { fList, fRichEdit, fPages, fNothing };
  const char* names[] = {"list", "rich edit", "page control", "nothing"};
  for (TFocus focus : {fList, fRichEdit, fPages, fNothing}) {
    for (bool typed : {false, true}) {
      for (uint32_t key : {EnterKey, BackspaceKey}) {
        const std::string what =
            std::string(names[focus]) + (key == EnterKey ? ", Enter" : ", Backspace") + (typed ? " typed" : "");
        ClickTab(S, F().PageControl1, 0);
        ASSERT_EQ(F().PageControl1->ActivePage(), F().ConfigSheet) << what;
        switch (focus) {
          case fList:
            ClickItem(S, F().LanguageList, F().LanguageList->Items()->IndexOf("English"));
            ASSERT_EQ(F().ActiveControl(), F().LanguageList) << what;
            break;
          case fRichEdit:
            F().ConfigureRE->SetFocus();
            ASSERT_EQ(F().ActiveControl(), F().ConfigureRE) << what;
            break;
          case fPages:
            F().PageControl1->SetFocus();
            break;
          case fNothing:
            F().SetActiveControl(nullptr);
            break;
        }
        if (typed)
          S.Type(key == EnterKey ? "\r" : "\b");
        else
          S.Key(key);
        EXPECT_EQ(F().PageControl1->ActivePage(), key == EnterKey ? F().IntroSheet : F().QBSheet) << what;
      }
    }
  }
}

TEST_F(ShellNavigation, TabClickChangesThePageThroughTheChangeHandler) {
  ClickTab(S, F().PageControl1, 3);
  EXPECT_EQ(F().PageControl1->ActivePage(), F().HoldSheet);
  EXPECT_TRUE(Enabled(F().BackBtn));
  ClickTab(S, F().PageControl1, 0);
  EXPECT_EQ(F().PageControl1->ActivePage(), F().ConfigSheet);
  EXPECT_FALSE(Enabled(F().BackBtn));
}

TEST_F(ShellNavigation, TabsAreFilledWithTheTabColourAndCaptioned) {
  TPageControl* pages = F().PageControl1;
  TPoint origin = pages->OriginInForm();
  for (int tab : {0, 1, 4}) {
    TRect r = pages->TabRect(tab);
    ASSERT_FALSE(r.IsEmpty());
    // Just inside the tab's right edge, below the caption's first row.
    EXPECT_EQ(S.Backend().PixelAt(origin.X + r.Right - 3, origin.Y + r.Top + 3), ColorToPixel(0xE2C7C7))
        << "tab " << tab;
    bool captionDrawn = false;
    for (int x = r.Left + 4; x < r.Right && !captionDrawn; ++x)
      for (int y = r.Top + 2; y < r.Bottom && !captionDrawn; ++y)
        captionDrawn = S.Backend().PixelAt(origin.X + x, origin.Y + y) != ColorToPixel(0xE2C7C7);
    EXPECT_TRUE(captionDrawn) << "tab " << tab;
  }
}

TEST_F(ShellNavigation, RunningTraining1GameRefusesEveryPageChange) {
  GoTo(6);
  ASSERT_EQ(F().PageControl1->ActivePage(), F().Training1Sheet);
  S.Type("n");
  ASSERT_TRUE(F().Timer1->Enabled());
  EXPECT_EQ(F().ActiveGame, 1);
  S.Key(EnterKey);
  S.Key(BackspaceKey);
  ClickControl(S, F().NextBtn);
  ClickControl(S, F().BackBtn);
  ClickTab(S, F().PageControl1, 1);
  EXPECT_EQ(F().PageControl1->ActivePage(), F().Training1Sheet);
  // Play on until the game is over by itself.
  for (int second = 0; second < 120 && F().Timer1->Enabled(); ++second) S.Advance(1000);
  ASSERT_FALSE(F().Timer1->Enabled()) << "the game did not end";
  S.Key(EnterKey);
  EXPECT_EQ(F().PageControl1->ActivePage(), F().ActivatingSheet);
}

TEST_F(ShellNavigation, LeavingTraining3AlwaysStopsItsTimer) {
  GoTo(10);
  F().Timer3->SetEnabled(true);
  S.Key(EnterKey);
  EXPECT_FALSE(F().Timer3->Enabled());
}

TEST_F(ShellNavigation, NOnAnOrdinaryPageOnlyResetsThePrompt) {
  S.Key(EnterKey);
  S.Advance(20000);
  ASSERT_TRUE(F().ContinueLabel->Visible());
  S.Type("N");
  EXPECT_FALSE(F().ContinueLabel->Visible());
  EXPECT_EQ(F().PageControl1->ActivePage(), F().IntroSheet);
  EXPECT_EQ(F().ActiveGame, 0);
  EXPECT_FALSE(F().Timer1->Enabled());
}

TEST_F(ShellNavigation, IdlePromptWaitsTwentySecondsThenBlinksEverySecond) {
  TLabel* prompt = F().ContinueLabel;
  S.Advance(19999);
  EXPECT_FALSE(prompt->Visible());
  S.Advance(1);
  ASSERT_TRUE(prompt->Visible());
  EXPECT_EQ(prompt->Caption(), "Press the Enter key to continue.");
  EXPECT_EQ(F().IdleTimer->Interval(), 1000u);
  for (int tick = 1; tick <= 4; ++tick) {
    S.Advance(999);
    EXPECT_EQ(prompt->Visible(), tick % 2 == 1) << "tick " << tick << " not yet";
    S.Advance(1);
    EXPECT_EQ(prompt->Visible(), tick % 2 == 0) << "tick " << tick;
  }
}

TEST_F(ShellNavigation, IdlePromptTextFollowsTheGameStateAtEachTick) {
  TLabel* prompt = F().ContinueLabel;
  S.Advance(20000);
  ASSERT_TRUE(prompt->Visible());
  for (int8_t game : {3, 2, 1, 0}) {
    F().ActiveGame = game;
    S.Advance(1000);  // hides, with the new text already set
    EXPECT_EQ(prompt->Caption(), std::string(LanguageTexts[game])) << int(game);
    EXPECT_FALSE(prompt->Visible());
    S.Advance(1000);
    EXPECT_TRUE(prompt->Visible());
  }
  EXPECT_EQ(std::string(LanguageTexts[2]), "Double-click the boxes to make flowers.");
}

TEST_F(ShellNavigation, IdlePromptWaitsFiveSecondsDuringATraining1Game) {
  GoTo(6);
  S.Type("n");
  ASSERT_EQ(F().ActiveGame, 1);
  EXPECT_EQ(F().IdleTimer->Interval(), 5000u);
  S.Advance(4999);
  EXPECT_FALSE(F().ContinueLabel->Visible());
  S.Advance(1);
  EXPECT_TRUE(F().ContinueLabel->Visible());
  EXPECT_EQ(F().ContinueLabel->Caption(), std::string(LanguageTexts[1]));
}

TEST_F(ShellNavigation, ResetJustBeforeAGameEndsKeepsTheShortDelayAndShowsTheNoGameText) {
  F().ActiveGame = 1;
  F().ResetIdlePrompt();
  F().ActiveGame = 0;
  S.Advance(5000);
  EXPECT_TRUE(F().ContinueLabel->Visible());
  EXPECT_EQ(F().ContinueLabel->Caption(), std::string(LanguageTexts[0]));
}

TEST_F(ShellNavigation, TypingHidesThePromptAndRestartsTheDelayButMovingTheMouseDoesNot) {
  S.Advance(20000);
  ASSERT_TRUE(F().ContinueLabel->Visible());
  S.MoveTo(300, 200);
  S.MoveTo(310, 220);
  EXPECT_TRUE(F().ContinueLabel->Visible());
  S.Type("x");
  EXPECT_FALSE(F().ContinueLabel->Visible());
  EXPECT_EQ(F().IdleTimer->Interval(), 20000u);
  S.Advance(19999);
  EXPECT_FALSE(F().ContinueLabel->Visible());
  S.Advance(1);
  EXPECT_TRUE(F().ContinueLabel->Visible());
}

TEST_F(ShellNavigation, AboutPageShowsTheVersionAndOpensItsLinks) {
  S.Key(BackspaceKey);
  ASSERT_EQ(F().PageControl1->ActivePage(), F().QBSheet);
  EXPECT_EQ(F().VersionLabel1->Caption(), "Version 1.2.1.0");
  ClickControl(S, F().URLStatic1);
  ClickControl(S, F().URLStatic2);
  ASSERT_EQ(S.Backend().Urls().size(), 2u);
  EXPECT_EQ(S.Backend().Urls()[0], F().URLStatic1->GetURL());
  EXPECT_EQ(S.Backend().Urls()[0], "https://www.quillaby-software.example/pointrix/");
  EXPECT_EQ(S.Backend().Urls()[1], "mailto:hello@quillaby-software.example");
  EXPECT_EQ(F().PageControl1->ActivePage(), F().QBSheet);
}

TEST_F(ShellNavigation, NextButtonShowsHotAndPressedImages) {
  TFancyButton* next = F().NextBtn;
  TPoint origin = next->OriginInForm();
  auto area = [&] {
    S.Process();
    std::vector<uint32_t> pixels;
    for (int y = 0; y < next->Height(); ++y)
      for (int x = 0; x < next->Width(); ++x) pixels.push_back(S.Backend().PixelAt(origin.X + x, origin.Y + y));
    return pixels;
  };
  S.MoveTo(10, 430);  // over the bottom band, away from every button
  std::vector<uint32_t> normal = area();
  TPoint centre = CentreInForm(next);
  S.MoveTo(centre.X, centre.Y);
  std::vector<uint32_t> hot = area();
  EXPECT_NE(hot, normal) << "the pointer over Next shows the hot image";
  S.Press(centre.X, centre.Y);
  std::vector<uint32_t> pressed = area();
  EXPECT_NE(pressed, hot) << "pressing shows the pressed image";
  EXPECT_NE(pressed, normal);
  S.Release(centre.X, centre.Y);
  EXPECT_EQ(F().PageControl1->ActivePage(), F().IntroSheet);
  S.MoveTo(10, 430);
  EXPECT_EQ(area(), normal) << "back to the normal image once the pointer leaves";
}

}  // namespace
