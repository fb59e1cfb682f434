// The main window as it starts: its declared layout, window properties, the
// start picture, and how Esc and the close box end the program.

#include "support/Scenario.h"
#include "toolkit/forms/TApplication.h"
#include "toolkit/forms/TTimer.h"
#include "toolkit/stdctrls/TLabel.h"
#include "toolkit/stdctrls/TPageControl.h"

using testsupport::TScenario;

TEST(StartWindow, OpensAFixedWindowOnTopInTheCentre) {
  TScenario s;
  ASSERT_TRUE(s.Start());
  const platform::TPWindowOptions& o = s.Backend().Options();
  EXPECT_EQ(o.ClientWidth, 632);
  EXPECT_EQ(o.ClientHeight, 453);
  EXPECT_EQ(o.Caption, "Pointrix");
  EXPECT_TRUE(o.StayOnTop);
  EXPECT_TRUE(o.Centred);
  EXPECT_FALSE(o.Resizable);
  EXPECT_FALSE(o.Maximisable);
  EXPECT_TRUE(o.Minimisable);
  EXPECT_TRUE(s.Backend().IsShown());
  EXPECT_EQ(s.Backend().PixelAt(620, 440), ColorToPixel(0xE1C8C8)) << "window colour below the pages";
}

TEST(StartWindow, HasThirteenPagesInOrderAndFiveTimers) {
  TScenario s;
  ASSERT_TRUE(s.Start());
  TMainForm* form = &s.Form();
  const char* expected[] = {"Configure",  "Intro",      "Overview", "Holding",    "Usage", "Selecting", "Training 1",
                            "Activating", "Training 2", "Moving",   "Training 3", "Outro", "About"};
  ASSERT_EQ(form->PageControl1->PageCount(), 13);
  for (int i = 0; i < 13; ++i) EXPECT_EQ(form->PageControl1->Pages(i)->Caption(), expected[i]) << i;
  EXPECT_EQ(form->Timer1->Interval(), 100u);
  EXPECT_FALSE(form->Timer1->Enabled());
  EXPECT_EQ(form->Timer2->Interval(), 1u);
  EXPECT_EQ(form->Timer3->Interval(), 100u);
  EXPECT_EQ(form->DblClkTimer->Interval(), 500u) << "the platform's double-click time";
  EXPECT_TRUE(form->IdleTimer->Enabled());
  EXPECT_EQ(form->IdleTimer->Interval(), 20000u);
  EXPECT_FALSE(form->ContinueLabel->Visible());
}

TEST(StartWindow, LooksAsExpected) {
  TScenario s;
  ASSERT_TRUE(s.Start());
  EXPECT_GOLDEN(s, "start-window");
}

TEST(StartWindow, EscapeClosesTheWindow) {
  TScenario s;
  ASSERT_TRUE(s.Start());
  s.Key(27);
  EXPECT_TRUE(Application->Terminated());
}

TEST(StartWindow, CloseBoxClosesTheWindow) {
  TScenario s;
  ASSERT_TRUE(s.Start());
  platform::TPEvent close;
  close.Kind = platform::TPEventKind::Close;
  s.Backend().PushEvent(close);
  s.Process();
  EXPECT_TRUE(Application->Terminated());
}
