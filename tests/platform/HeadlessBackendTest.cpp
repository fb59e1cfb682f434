#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/Png.h"
#include "platform/headless/HeadlessBackend.h"

using namespace platform;

namespace {

std::vector<TPEvent> Drain(THeadlessBackend& backend) {
  std::vector<TPEvent> events;
  TPEvent event;
  while (backend.Display().WaitEvent(event, 1000)) events.push_back(event);
  return events;
}

}  // namespace

TEST(HeadlessBackend, MouseEventsCarryButtonsPositionAndTime) {
  THeadlessBackend backend;
  backend.MouseMove(5, 6);
  backend.Advance(30);
  backend.MouseDown(TPButton::Left, 7, 8);
  backend.MouseMove(9, 10);
  backend.MouseDown(TPButton::Right, 9, 10);
  backend.MouseUp(TPButton::Left, 11, 12);
  backend.Wheel(-2, 11, 12);

  const std::vector<TPEvent> events = Drain(backend);
  ASSERT_EQ(events.size(), 6u);
  EXPECT_EQ(events[0].Kind, TPEventKind::MouseMove);
  EXPECT_EQ(events[0].Shift, 0u);
  EXPECT_EQ(events[0].Time, THeadlessBackend::StartTime);
  EXPECT_EQ(events[1].Kind, TPEventKind::MouseDown);
  EXPECT_EQ(events[1].Time, THeadlessBackend::StartTime + 30);
  EXPECT_EQ(events[1].X, 7);
  EXPECT_EQ(events[1].Y, 8);
  EXPECT_EQ(events[1].Shift, uint32_t(psLeft));
  EXPECT_EQ(events[2].Shift, uint32_t(psLeft));
  EXPECT_EQ(events[3].Button, TPButton::Right);
  EXPECT_EQ(events[3].Shift, uint32_t(psLeft | psRight));
  EXPECT_EQ(events[4].Kind, TPEventKind::MouseUp);
  EXPECT_EQ(events[4].Shift, uint32_t(psRight));
  EXPECT_EQ(events[5].WheelDelta, -240);
}

TEST(HeadlessBackend, WaitingOnAnEmptyQueueNeitherBlocksNorAdvancesTime) {
  THeadlessBackend backend;
  TPEvent event;
  EXPECT_FALSE(backend.Display().WaitEvent(event, 5000));
  EXPECT_EQ(backend.Clock().TickCount(), THeadlessBackend::StartTime);
}

TEST(HeadlessBackend, ControlKeysAlsoTypeTheirCharacter) {
  THeadlessBackend backend;
  backend.Key(13);
  backend.Key('A');
  backend.Key(8, psCtrl);
  backend.Char("\xE9");
  const std::vector<TPEvent> events = Drain(backend);
  ASSERT_EQ(events.size(), 8u);
  EXPECT_EQ(events[0].Kind, TPEventKind::KeyDown);
  EXPECT_EQ(events[1].Kind, TPEventKind::Char);
  EXPECT_EQ(events[1].Text, "\r");
  EXPECT_EQ(events[2].Kind, TPEventKind::KeyUp);
  EXPECT_EQ(events[3].Key, uint32_t('A'));
  EXPECT_EQ(events[4].Kind, TPEventKind::KeyUp);  // letters type through text input only
  EXPECT_EQ(events[5].Shift, uint32_t(psCtrl));
  EXPECT_EQ(events[6].Kind, TPEventKind::KeyUp);  // Ctrl+Backspace types nothing here
  EXPECT_EQ(events[7].Text, "\xE9");
}

TEST(HeadlessBackend, VirtualClockAdvancesAndWraps) {
  THeadlessBackend backend;
  backend.Advance(250);
  EXPECT_EQ(backend.Clock().TickCount(), THeadlessBackend::StartTime + 250);
  backend.SetTime(0xFFFFFFF0u);
  backend.Advance(0x20);
  EXPECT_EQ(backend.Clock().TickCount(), 0x10u);
}

TEST(HeadlessBackend, PointerAndWindowShareScreenCoordinates) {
  THeadlessBackend backend;
  IDisplay& display = backend.Display();
  ASSERT_TRUE(display.Open({632, 453, "Caption"}));
  backend.MouseMove(10, 20);
  int x = 0, y = 0;
  display.GetCursorPos(x, y);
  EXPECT_EQ(x, THeadlessBackend::DefaultWindowX + 10);
  EXPECT_EQ(y, THeadlessBackend::DefaultWindowY + 20);

  display.SetWindowPos(300, 200);
  display.GetWindowPos(x, y);
  EXPECT_EQ(x, 300);
  display.GetClientOrigin(x, y);
  EXPECT_EQ(y, 200);
  // Moving the window leaves the pointer where it was on the screen.
  display.GetCursorPos(x, y);
  EXPECT_EQ(x, THeadlessBackend::DefaultWindowX + 10);
  backend.MouseMove(1, 2);
  display.GetCursorPos(x, y);
  EXPECT_EQ(x, 301);
  EXPECT_EQ(y, 202);
  EXPECT_EQ(backend.WindowMoves(), (std::vector<THeadlessBackend::TPoint>{{300, 200}}));
}

TEST(HeadlessBackend, RecordsWhatTheProgramAskedFor) {
  THeadlessBackend backend;
  backend.Audio().Play("whoosh", {});
  backend.Audio().Play("oops", {});
  backend.Shell().OpenURL("mailto:someone@example.org");
  backend.Dialogs().MessageBox("Text", "Caption", TPMessageIcon::Error);

  IDisplay& display = backend.Display();
  TPCursorImage mallet{2, 1, 1, 0, {0xFF000000u, 0xFFFFFFFFu}};
  TPCursorImage malletDown = mallet;
  malletDown.Pixels[0] = 0xFF00FF00u;
  display.SetCursor(TPStdCursor::Arrow, nullptr);  // already the arrow: no change
  display.SetCursor(TPStdCursor::Hand, nullptr);
  display.SetCursor(TPStdCursor::Hand, nullptr);
  display.SetCursor(TPStdCursor::Arrow, &mallet);
  display.SetCursor(TPStdCursor::Arrow, &malletDown);  // same size and hot spot, other picture
  display.SetCursor(TPStdCursor::None, nullptr);

  EXPECT_EQ(backend.Sounds(), (std::vector<std::string>{"whoosh", "oops"}));
  EXPECT_EQ(backend.Urls(), (std::vector<std::string>{"mailto:someone@example.org"}));
  ASSERT_EQ(backend.Messages().size(), 1u);
  EXPECT_EQ(backend.Messages()[0].Caption, "Caption");
  EXPECT_EQ(backend.Messages()[0].Icon, TPMessageIcon::Error);
  ASSERT_EQ(backend.Cursors().size(), 4u);
  EXPECT_EQ(backend.Cursors()[0].Shape, TPStdCursor::Hand);
  EXPECT_TRUE(backend.Cursors()[1].Custom);
  EXPECT_EQ(backend.Cursors()[1].HotX, 1);
  EXPECT_TRUE(backend.Cursors()[2].Custom);
  EXPECT_EQ(backend.CurrentCursor().Shape, TPStdCursor::None);

  backend.ClearRecords();
  EXPECT_TRUE(backend.Sounds().empty());
  EXPECT_TRUE(backend.Cursors().empty());
  EXPECT_EQ(backend.CurrentCursor().Shape, TPStdCursor::None);
}

TEST(HeadlessBackend, FramebufferIsPresentedAndSavedAsPng) {
  THeadlessBackend backend;
  IDisplay& display = backend.Display();
  EXPECT_FALSE(display.Open({0, 10, ""}));
  ASSERT_TRUE(display.Open({4, 3, ""}));
  EXPECT_FALSE(backend.IsShown());
  display.Pixels()[0] = 0x123456;
  display.Pixels()[4 * 3 - 1] = 0xABCDEF;
  display.Present({{0, 0, 4, 3}, {1, 1, 2, 2}});
  display.Present({});
  EXPECT_EQ(backend.PresentCount(), 2);
  EXPECT_EQ(backend.PresentedRectCount(), 2);
  EXPECT_EQ(backend.PixelAt(3, 2), 0xABCDEFu);
  EXPECT_EQ(backend.PixelAt(4, 0), 0u);

  char folder[] = "/tmp/px-headless-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  const std::string path = std::string(folder) + "/frame.png";
  ASSERT_TRUE(backend.SavePng(path));
  int width = 0, height = 0;
  const std::vector<uint32_t> pixels = ReadPng(path, width, height);
  ASSERT_EQ(pixels.size(), 12u);
  EXPECT_EQ(pixels[0], 0x123456u);
  EXPECT_EQ(pixels[11], 0xABCDEFu);
  unlink(path.c_str());
  rmdir(folder);
}
