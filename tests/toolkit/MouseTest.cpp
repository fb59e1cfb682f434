// Mouse dispatch: double clicks, capture, click order, enter/leave, disabled controls,
// automatic drag-and-drop and the pointer shape.

#include "ToolkitFixture.h"

namespace {

using platform::TPButton;

class MouseTest : public ToolkitTest {
protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    Form = ShowForm(300, 200, clWhite);
    A = new TTestPanel(Form, Form, Bounds(10, 10, 100, 100), clRed, &Log, "a");
    B = new TTestPanel(Form, Form, Bounds(150, 10, 100, 100), clBlue, &Log, "b");
    LogMouse(A, Log, "a");
    LogMouse(B, Log, "b");
    LogMouse(Form, Log, "form");
    Application->ProcessMessages();
    Log.clear();
  }
  void Run() {
    Application->ProcessMessages();
    // Painting is not what these tests look at.
    std::erase_if(Log, [](const std::string& s) { return s.ends_with(".Paint"); });
  }

  TLog Log;
  TForm* Form = nullptr;
  TTestPanel* A = nullptr;
  TTestPanel* B = nullptr;
};

TEST_F(MouseTest, DoubleClickArrivesAsPressReleaseDoubleClickDoublePressRelease) {
  Backend.MouseMove(20, 20);
  Backend.Click(TPButton::Left, 20, 20);
  Backend.Advance(300);
  Backend.Click(TPButton::Left, 23, 24);
  Backend.Advance(100);
  Backend.Click(TPButton::Left, 23, 24);  // a third press starts afresh
  Run();
  EXPECT_EQ(Log, (TLog{"a.Enter", "a.Down", "a.Click", "a.Up", "a.DblClick", "a.Down double", "a.Up", "a.Down",
                       "a.Click", "a.Up"}));
}

TEST_F(MouseTest, PressesTooSlowTooFarOnAnotherControlOrWithoutDoubleClicksStayPlain) {
  Backend.SetDoubleClickTime(400);
  Backend.Click(TPButton::Left, 20, 20);
  Backend.Advance(401);
  Backend.Click(TPButton::Left, 20, 20);  // too late
  Backend.Advance(100);
  Backend.Click(TPButton::Left, 25, 20);  // too far from the last press
  Backend.Advance(100);
  Backend.Click(TPButton::Right, 25, 20);  // another button
  Run();
  EXPECT_EQ(std::count(Log.begin(), Log.end(), "a.DblClick"), 0);
  Log.clear();
  A->ControlStyle &= ~csDoubleClicks;
  Backend.Advance(1000);
  Backend.Click(TPButton::Left, 20, 20);
  Backend.Click(TPButton::Left, 20, 20);
  Run();
  EXPECT_EQ(Log, (TLog{"a.Down", "a.Click", "a.Up", "a.Down", "a.Click", "a.Up"}));
}

TEST_F(MouseTest, ThePressedControlKeepsTheMouseUntilReleaseAndClicksOnlyInside) {
  Backend.MouseDown(TPButton::Left, 20, 20);
  Run();
  EXPECT_TRUE(A->MouseCapture());
  EXPECT_TRUE(Backend.IsCaptured());
  int upX = 0, upY = 0;
  A->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
    upX = x;
    upY = y;
    Log.push_back("a.Up");
  };
  A->OnMouseMove = [&](TObject*, TShiftState, int x, int y) { Log.push_back("a.Move " + std::to_string(x)); };
  Backend.MouseMove(200, 20);   // over B
  Backend.MouseMove(400, 250);  // outside the window
  Backend.MouseUp(TPButton::Left, 400, 250);
  Run();
  EXPECT_EQ(Log, (TLog{"a.Enter", "a.Down", "a.Move 190", "a.Leave", "b.Enter", "a.Move 390", "b.Leave", "a.Up"}));
  EXPECT_EQ(upX, 390);
  EXPECT_EQ(upY, 240);
  EXPECT_FALSE(A->MouseCapture());
  EXPECT_FALSE(Backend.IsCaptured());
  // Back inside, a release on the control clicks before the control hears of the release.
  Log.clear();
  Backend.Advance(1000);
  Backend.MouseDown(TPButton::Left, 20, 20);
  Backend.MouseMove(200, 20);
  Backend.MouseUp(TPButton::Left, 30, 30);
  Run();
  EXPECT_EQ(Log,
            (TLog{"a.Enter", "a.Down", "a.Move 190", "a.Leave", "b.Enter", "a.Click", "a.Up", "b.Leave", "a.Enter"}));
}

TEST_F(MouseTest, EnterAndLeaveFollowThePointerIncludingDisabledControls) {
  B->SetEnabled(false);
  Backend.MouseMove(5, 5);
  Backend.MouseMove(20, 20);
  Backend.MouseMove(25, 25);
  Backend.MouseMove(200, 20);
  platform::TPEvent leave;
  leave.Kind = platform::TPEventKind::MouseLeave;
  Backend.PushEvent(leave);
  Run();
  EXPECT_EQ(Log, (TLog{"a.Enter", "a.Leave", "b.Enter", "b.Leave"}));
  EXPECT_EQ(Form->MouseControl(), nullptr);
}

TEST_F(MouseTest, ADisabledWindowedControlSwallowsPressesButADisabledGraphicOneLetsItsParentHaveThem) {
  B->SetEnabled(false);
  Backend.Click(TPButton::Left, 200, 20);
  Run();
  auto* graphic = new TTestGraphic(Form, A, Bounds(0, 0, 50, 50), clGreen);
  LogMouse(graphic, Log, "graphic");
  Backend.Click(TPButton::Left, 20, 20);
  Run();
  graphic->SetEnabled(false);
  Backend.Advance(1000);
  Backend.Click(TPButton::Left, 20, 20);
  Run();
  EXPECT_EQ(Log,
            (TLog{"b.Enter", "b.Leave", "graphic.Down", "graphic.Click", "graphic.Up", "a.Down", "a.Click", "a.Up"}));
}

TEST_F(MouseTest, AutomaticDragRaisesDragEventsAndNoMouseEventsOnTheSource) {
  TLog drag;
  A->SetDragMode(dmAutomatic);
  A->OnStartDrag = [&](TObject* s, TDragObject*&) { drag.push_back("start " + std::string(s == A ? "a" : "?")); };
  A->OnEndDrag = [&](TObject*, TObject* target, int x, int y) {
    drag.push_back("end " +
                   std::string(target == B ? "b "
                               : target    ? "? "
                                           : "none ") +
                   std::to_string(x) + "," + std::to_string(y));
  };
  B->OnDragOver = [&](TObject*, TObject* source, int x, int y, TDragState state, bool& accept) {
    drag.push_back("over b " + std::to_string(int(state)) + " " + std::to_string(x) + (source == A ? " from a" : ""));
  };
  B->OnDragDrop = [&](TObject*, TObject* source, int x, int y) { drag.push_back("drop b " + std::to_string(x)); };
  Backend.MouseDown(TPButton::Left, 20, 20);
  Backend.MouseMove(30, 30);
  Backend.MouseMove(160, 30);
  Backend.MouseMove(170, 40);
  Backend.MouseUp(TPButton::Left, 170, 40);
  Run();
  EXPECT_EQ(drag, (TLog{"start a", "over b 0 10 from a", "over b 2 20 from a", "drop b 20", "end b 20,30"}));
  EXPECT_EQ(
      std::count_if(Log.begin(), Log.end(),
                    [](const std::string& s) { return s.rfind("a.", 0) == 0 && s != "a.Enter" && s != "a.Leave"; }),
      0);
  EXPECT_FALSE(A->Dragging());

  // Dropped where nobody accepts: no target.
  drag.clear();
  B->OnDragOver = [&](TObject*, TObject*, int, int, TDragState, bool& accept) { accept = false; };
  Backend.MouseDown(TPButton::Left, 20, 20);
  EXPECT_FALSE(A->Dragging());
  Run();
  EXPECT_TRUE(A->Dragging());
  Backend.MouseMove(170, 40);
  Backend.MouseUp(TPButton::Left, 170, 40);
  Run();
  EXPECT_EQ(drag, (TLog{"start a", "end none 0,0"}));
}

TEST_F(MouseTest, PointerShapeComesFromTheControlUnderItUnlessTheScreenOverridesIt) {
  A->SetCursor(crHandPoint);
  platform::TPCursorImage image;
  image.Width = image.Height = 32;
  image.HotX = 15;
  image.HotY = 17;
  image.Pixels.assign(32 * 32, 0xFF000000u);
  Screen->SetCursorImage(5, image);
  B->SetCursor(5);
  Backend.MouseMove(20, 20);
  Run();
  ASSERT_FALSE(Backend.Cursors().empty());
  EXPECT_EQ(Backend.Cursors().back().Shape, platform::TPStdCursor::Hand);
  Screen->SetCursor(crHourGlass);
  EXPECT_EQ(Backend.Cursors().back().Shape, platform::TPStdCursor::Wait);
  Backend.MouseMove(200, 20);
  Run();
  EXPECT_EQ(Backend.Cursors().back().Shape, platform::TPStdCursor::Wait);
  Screen->SetCursor(crDefault);
  EXPECT_TRUE(Backend.Cursors().back().Custom);
  EXPECT_EQ(Backend.Cursors().back().HotY, 17);
  const size_t changes = Backend.Cursors().size();
  Backend.MouseMove(210, 30);
  Run();
  EXPECT_EQ(Backend.Cursors().size(), changes);  // same shape: not set again
  EXPECT_THROW(Screen->SetCursorImage(0, image), Exception);
}

}  // namespace
