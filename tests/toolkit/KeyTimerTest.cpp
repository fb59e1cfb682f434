// Keys and focus, timers under the virtual clock, the loop and the exception display.

#include <functional>

#include "ToolkitFixture.h"
#include "support/VirtualTime.h"
#include "toolkit/forms/TMessageForm.h"
#include "toolkit/forms/TTimer.h"

namespace {

using platform::TPButton;

TEST_F(ToolkitTest, KeyPreviewShowsEveryCharacterToTheFormBeforeTheFocusedControl) {
  TLog log;
  TForm* form = ShowForm();
  auto* panel = new TTestPanel(form, form, Bounds(0, 0, 50, 50), clRed);
  panel->TabStop = true;
  panel->SetFocus();
  form->KeyPreview = true;
  form->OnKeyPress = [&](TObject*, char& key) {
    log.push_back(std::string("form ") + std::to_string(int(key)));
    if (key == 'x') key = 0;  // swallowed: the control never sees it
  };
  panel->OnKeyPress = [&](TObject*, char& key) { log.push_back(std::string("panel ") + std::to_string(int(key))); };
  panel->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState) { log.push_back("panel down " + std::to_string(key)); };
  Backend.Char("ax");
  Backend.Key(VK_RETURN);
  Application->ProcessMessages();
  EXPECT_EQ(log, (TLog{"form 97", "panel 97", "form 120", "panel down 13", "form 13", "panel 13"}));

  // Without preview the form does not see them; arrow keys reach the focused control.
  log.clear();
  form->KeyPreview = false;
  Backend.Key(VK_DOWN);
  Backend.Char("b");
  Application->ProcessMessages();
  EXPECT_EQ(log, (TLog{"panel down 40", "panel 98"}));

  // With nothing focused the form itself gets the keys.
  log.clear();
  panel->SetEnabled(false);
  EXPECT_EQ(form->ActiveControl(), nullptr);
  Backend.Key(VK_ESCAPE);
  Application->ProcessMessages();
  EXPECT_EQ(log, (TLog{"form 27"}));
}

TEST_F(ToolkitTest, APreviewHandlerThatHidesOrFreesTheFocusedControlStillHearsTheKeyOnce) {
  TLog log;
  TForm* form = ShowForm();
  form->KeyPreview = true;
  auto* other = new TTestPanel(form, form, Bounds(60, 0, 50, 50), clRed);
  other->TabStop = true;
  other->OnKeyPress = [&](TObject*, char& key) { log.push_back("other " + std::to_string(int(key))); };
  TTestPanel* panel = nullptr;
  std::function<void()> onPreview;
  form->OnKeyPress = [&](TObject*, char& key) {
    log.push_back("form " + std::to_string(int(key)));
    if (onPreview) onPreview();
  };
  form->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState) { log.push_back("form down " + std::to_string(key)); };
  auto freshPanel = [&] {
    panel = new TTestPanel(form, form, Bounds(0, 0, 50, 50), clRed);
    panel->TabStop = true;
    panel->OnKeyPress = [&](TObject*, char& key) { log.push_back("panel " + std::to_string(int(key))); };
    panel->SetFocus();
  };

  // Hidden by the preview: the form does not become the target and hear the key again.
  freshPanel();
  onPreview = [&] { panel->Hide(); };
  Backend.Key(VK_RETURN);
  Application->ProcessMessages();
  EXPECT_EQ(log, (TLog{"form down 13", "form 13"}));

  // Freed by the preview: the key goes nowhere further.
  log.clear();
  delete panel;
  freshPanel();
  onPreview = [&] { delete panel; };
  Backend.Char("\b");
  Application->ProcessMessages();
  EXPECT_EQ(log, (TLog{"form 8"}));

  // The focus moved elsewhere by the preview: the key still goes where it was typed.
  log.clear();
  freshPanel();
  onPreview = [&] { other->SetFocus(); };
  Backend.Char("a");
  Application->ProcessMessages();
  EXPECT_EQ(log, (TLog{"form 97", "panel 97"}));
}

TEST_F(ToolkitTest, APressFocusesAControlThatTakesTheFocusAndFocusMovesWithEnterAndExit) {
  TLog log;
  TForm* form = ShowForm();
  auto* first = new TTestPanel(form, form, Bounds(0, 0, 50, 50), clRed);
  auto* second = new TTestPanel(form, form, Bounds(60, 0, 50, 50), clRed);
  auto* plain = new TTestPanel(form, form, Bounds(120, 0, 50, 50), clRed);
  first->TabStop = second->TabStop = true;
  first->OnEnter = [&](TObject*) { log.push_back("first enter"); };
  first->OnExit = [&](TObject*) { log.push_back("first exit"); };
  second->OnEnter = [&](TObject*) { log.push_back("second enter"); };
  first->SetFocus();
  Backend.Click(TPButton::Left, 70, 10);
  Backend.Click(TPButton::Left, 130, 10);  // takes no focus
  Application->ProcessMessages();
  EXPECT_EQ(log, (TLog{"first enter", "first exit", "second enter"}));
  EXPECT_TRUE(second->Focused());
  second->Hide();
  EXPECT_EQ(form->ActiveControl(), nullptr);
  EXPECT_THROW(second->SetFocus(), Exception);
  (void)plain;
}

TEST_F(ToolkitTest, TimersTickOnTheirDeadlinesInOrderWithAFloorOfSixteenMilliseconds) {
  TLog log;
  TForm* form = ShowForm();
  auto* fast = new TTimer(form);
  fast->SetInterval(1);
  int fastTicks = 0;
  fast->OnTimer = [&](TObject*) { ++fastTicks; };
  AdvanceTime(160);
  EXPECT_EQ(fastTicks, 10);
  fast->SetEnabled(false);

  auto* a = new TTimer(form);
  auto* b = new TTimer(form);
  a->SetInterval(30);
  b->SetInterval(20);
  a->OnTimer = [&](TObject*) {
    log.push_back("a" + std::to_string(Backend.TickCount() - platform::THeadlessBackend::StartTime - 160));
  };
  b->OnTimer = [&](TObject*) {
    log.push_back("b" + std::to_string(Backend.TickCount() - platform::THeadlessBackend::StartTime - 160));
  };
  AdvanceTime(60);
  EXPECT_EQ(log, (TLog{"b20", "a30", "b40", "a60", "b60"}));
  EXPECT_EQ(fastTicks, 10);
}

TEST_F(ToolkitTest, ATimerNeverTicksInsideItsOwnHandlerAndSurvivesTheClockWrapping) {
  TForm* form = ShowForm();
  Backend.SetTime(0xFFFFFFF0u);
  auto* slow = new TTimer(form);
  auto* other = new TTimer(form);
  slow->SetInterval(16);
  other->SetInterval(16);
  int slowTicks = 0, otherTicks = 0, nested = 0;
  slow->OnTimer = [&](TObject*) {
    ++slowTicks;
    ++nested;
    EXPECT_EQ(nested, 1);
    // A long handler that lets the loop run: other timers go on, this one waits.
    Backend.Advance(100);
    Application->ProcessMessages();
    --nested;
  };
  other->OnTimer = [&](TObject*) { ++otherTicks; };
  AdvanceTime(16);
  EXPECT_EQ(slowTicks, 1);
  EXPECT_EQ(otherTicks, 1);                 // it ran inside slow's handler
  EXPECT_LT(Backend.TickCount(), 0x1000u);  // the clock wrapped
  // Missed ticks are dropped, not delivered in a burst; the rhythm then resumes.
  slow->SetEnabled(false);
  otherTicks = 0;
  AdvanceTime(160);
  EXPECT_EQ(otherTicks, 10);
}

TEST_F(ToolkitTest, ATimerMayDestroyItselfOrItsFormInItsHandler) {
  TForm* form = ShowForm();
  auto* timer = new TTimer(form);
  timer->SetInterval(50);
  int ticks = 0;
  timer->OnTimer = [&](TObject* sender) {
    ++ticks;
    delete static_cast<TTimer*>(sender);
  };
  AdvanceTime(500);
  EXPECT_EQ(ticks, 1);
  auto* killer = new TTimer(form);
  killer->SetInterval(50);
  killer->OnTimer = [&](TObject*) { Application->DestroyForms(); };
  AdvanceTime(100);
  EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST_F(ToolkitTest, ExceptionTextGetsAFullStopWhenItsLastCharacterSortsAfterTheFullStop) {
  EXPECT_EQ(TApplication::ExceptionText("Cannot open file x.rtf"), "Cannot open file x.rtf.");
  EXPECT_EQ(TApplication::ExceptionText("List index out of bounds (-1)"), "List index out of bounds (-1)");
  EXPECT_EQ(TApplication::ExceptionText("Done."), "Done.");
  EXPECT_EQ(TApplication::ExceptionText("Stop!"), "Stop!");
  EXPECT_EQ(TApplication::ExceptionText("a-"), "a-");
  EXPECT_EQ(TApplication::ExceptionText("a/"), "a/.");
  EXPECT_EQ(TApplication::ExceptionText("42"), "42.");
  EXPECT_EQ(TApplication::ExceptionText("caf\xE9"), "caf\xE9.");
  EXPECT_EQ(TApplication::ExceptionText("trailing "), "trailing ");
  EXPECT_EQ(TApplication::ExceptionText(""), "");
}

TEST_F(ToolkitTest, AnErrorLeavingAHandlerIsShownInAMessageBoxAndTheProgramGoesOn) {
  Application->Title = "Pointrix";
  TForm* form = ShowForm();
  auto* panel = new TTestPanel(form, form, Bounds(0, 0, 50, 50), clRed);
  int clicks = 0;
  panel->OnClick = [&](TObject*) {
    ++clicks;
    throw Exception("Cannot open file English\\3.rtf");
  };
  auto* timer = new TTimer(form);
  timer->SetInterval(100);
  timer->OnTimer = [&](TObject*) { throw std::runtime_error("tick failed"); };
  Backend.Click(TPButton::Left, 10, 10);
  AdvanceTime(100);
  EXPECT_TRUE(timer->Enabled());
  timer->SetEnabled(false);
  // The two boxes are modal, one after the other: Enter answers each.
  ASSERT_NE(Application->MessageForm(), nullptr);
  Backend.Key(VK_RETURN);
  Backend.Key(VK_RETURN);
  Application->ProcessMessages();
  EXPECT_EQ(Application->MessageForm(), nullptr);
  Backend.Advance(1000);
  Backend.Click(TPButton::Left, 10, 10);
  Application->ProcessMessages();
  EXPECT_EQ(clicks, 2);
  ASSERT_EQ(Backend.Messages().size(), 3u);
  EXPECT_EQ(Backend.Messages()[0].Text, "Cannot open file English\\3.rtf.");
  EXPECT_EQ(Backend.Messages()[0].Caption, "Pointrix");
  EXPECT_EQ(Backend.Messages()[0].Icon, platform::TPMessageIcon::Error);
  EXPECT_EQ(Backend.Messages()[1].Text, "tick failed.");
  EXPECT_EQ(Backend.Messages()[2].Text, Backend.Messages()[0].Text);
}

TEST_F(ToolkitTest, ClosingTheMainFormEndsTheLoopAndShowOpensTheWindowWithTheFormsOptions) {
  TForm* form = nullptr;
  Application->CreateForm(form);
  EXPECT_EQ(Application->MainForm(), form);
  form->SetClientSize(632, 453);
  form->SetCaption("Pointrix");
  form->BorderStyle = bsSingle;
  form->BorderIcons = biSystemMenu | biMinimize;
  form->FormStyle = fsStayOnTop;
  form->Position = poDesktopCenter;
  form->SetColor(0xE1C8C8);
  platform::TPEvent close;
  close.Kind = platform::TPEventKind::Close;
  Backend.PushEvent(close);
  Application->Run();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_TRUE(Backend.IsShown());
  const platform::TPWindowOptions& o = Backend.Options();
  EXPECT_EQ(o.ClientWidth, 632);
  EXPECT_EQ(o.ClientHeight, 453);
  EXPECT_EQ(o.Caption, "Pointrix");
  EXPECT_TRUE(o.StayOnTop);
  EXPECT_TRUE(o.Centred);
  EXPECT_FALSE(o.Resizable);
  EXPECT_TRUE(o.Minimisable);
  EXPECT_FALSE(o.Maximisable);
  EXPECT_GE(Backend.PresentCount(), 1);
  EXPECT_EQ(Pixel(631, 452), 0xE1C8C8);
  // The form's position is the window's.
  form->SetLeft(40);
  EXPECT_EQ(Backend.WindowMoves().back(), (platform::THeadlessBackend::TPoint{40, form->Top()}));
  EXPECT_EQ(form->Left(), 40);
}

}  // namespace
