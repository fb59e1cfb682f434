// The SDL backend on SDL's dummy drivers, and under a real X server when DISPLAY is set.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <thread>

#include "TempFolder.h"
#include "platform/Files.h"
#include "platform/Platform.h"
#include "platform/Png.h"

using namespace platform;

// SDL opens a D-Bus connection whenever it starts a subsystem, and libdbus keeps a
// little memory for the life of the process by design: not a leak of ours.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libdbus-1.so\n";
}

namespace {

// Sets (or with nullptr removes) an environment variable for one scope.
class TScopedEnv {
public:
  TScopedEnv(const char* name, const char* value) : FName(name) {
    if (const char* old = std::getenv(name)) FOld = old;
    if (value)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~TScopedEnv() {
    if (FOld)
      setenv(FName.c_str(), FOld->c_str(), 1);
    else
      unsetenv(FName.c_str());
  }

private:
  std::string FName;
  std::optional<std::string> FOld;
};

std::string RunCommand(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
    pclose(pipe);
  }
  return output;
}

// The number after "label" in a tool's output, or -1.
long NumberAfter(const std::string& text, const std::string& label) {
  const size_t at = text.find(label);
  return at == std::string::npos ? -1 : std::strtol(text.c_str() + at + label.size(), nullptr, 0);
}

void Sleep(int ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Waits up to timeoutMs for an event of the given kind, dropping others.
std::optional<TPEvent> WaitFor(IDisplay& display, TPEventKind kind, int timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  TPEvent event;
  while (std::chrono::steady_clock::now() < end)
    if (display.WaitEvent(event, 50) && event.Kind == kind) return event;
  return std::nullopt;
}

uint32_t Pattern(int x, int y) {
  return uint32_t(x & 0xFF) << 16 | uint32_t(y & 0xFF) << 8 | 0x40;
}

}  // namespace

TEST(SdlBackend, DummyDisplayPresentsAndReportsTheFirstVisibleFrameOnce) {
  TScopedEnv video("SDL_VIDEODRIVER", "dummy"), report("POINTRIX_REPORT_FRAME", "1");
  std::unique_ptr<IBackend> backend = CreateSdlBackend();
  IDisplay& display = backend->Display();
  if (!display.Open({632, 453, "Pointrix \xE9t\xE9"})) GTEST_SKIP() << "SDL has no dummy video driver here";
  EXPECT_TRUE(display.IsOpen());
  EXPECT_EQ(display.Width(), 632);
  EXPECT_EQ(display.Height(), 453);

  testing::internal::CaptureStdout();
  display.Present({{0, 0, 632, 453}});  // still hidden: nobody saw it
  display.Show();
  display.Present({{-10, -10, 5000, 5000}, {5, 5, 5, 9}});
  display.Present({{0, 0, 1, 1}});
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "pointrix: first frame\n");

  TPEvent event;
  while (display.WaitEvent(event, 0)) {
  }
  EXPECT_FALSE(display.WaitEvent(event, 20));

  // The dummy driver has no pointer; shapes must still be accepted quietly.
  const TPCursorImage image{2, 2, 5, 5, {0xFF000000u, 0, 0, 0xFFFFFFFFu}};
  display.SetCursor(TPStdCursor::Hand, nullptr);
  display.SetCursor(TPStdCursor::Arrow, &image);
  display.SetCursor(TPStdCursor::None, nullptr);
  const uint32_t doubleClick = display.DoubleClickTime();
  EXPECT_GE(doubleClick, 100u);
  EXPECT_LE(doubleClick, 5000u);
  display.Close();
  EXPECT_FALSE(display.IsOpen());
}

TEST(SdlBackend, SoundsReachTheDeviceAndNoDeviceMeansSilence) {
  TTempFolder folder;
  const std::string output = folder / "out.raw";
  TPSound sound;  // 0.2 s of a loud 8-bit square wave
  for (int i = 0; i < 2205; ++i) sound.Data.push_back((i / 20) % 2 ? 0xF0 : 0x10);
  {
    TScopedEnv audio("SDL_AUDIODRIVER", "disk"), file("SDL_DISKAUDIOFILE", output.c_str());
    std::unique_ptr<IBackend> backend = CreateSdlBackend();
    backend->Audio().Play("bugsound", sound);
    // The disk driver writes in real time, silence once the queue is empty.
    for (int waited = 0; waited < 5000 && FileSize(output).value_or(0) < 32768; waited += 20) Sleep(20);
  }
  std::string data;
  ASSERT_TRUE(ReadWholeFile(output, data));
  int loud = 0;
  for (size_t i = 0; i + 1 < data.size(); i += 2) {
    int16_t sample = 0;
    std::memcpy(&sample, data.data() + i, 2);
    if (std::abs(sample) > 20000) ++loud;
  }
  EXPECT_GT(loud, 3000);  // 4410 samples at the device rate, minus the edges

  TScopedEnv audio("SDL_AUDIODRIVER", "no-such-driver");
  std::unique_ptr<IBackend> silent = CreateSdlBackend();
  silent->Audio().Play("bugsound", sound);
  silent->Audio().Stop();
}

TEST(SdlBackend, OpenURLHandsTheAddressToTheDesktopHandler) {
  TTempFolder folder;
  ASSERT_TRUE(
      WriteWholeFile(folder / "xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"$(dirname \"$0\")/opened\"\n"));
  ASSERT_EQ(chmod((folder / "xdg-open").c_str(), 0755), 0);
  const std::string path = folder.Path() + ":" + std::getenv("PATH");
  TScopedEnv env("PATH", path.c_str());
  std::unique_ptr<IBackend> backend = CreateSdlBackend();
  EXPECT_TRUE(backend->Shell().OpenURL("http://example.org/caf\xE9"));
  // The handler runs in a child process: wait for its whole line.
  std::string opened;
  for (int waited = 0; waited < 5000; waited += 20) {
    if (ReadWholeFile(folder / "opened", opened) && !opened.empty() && opened.back() == '\n') break;
    Sleep(20);
  }
  EXPECT_EQ(opened, "http://example.org/caf\u00E9\n");
}

// Under an X server (the suite runs one when it can): the window the program asks
// for is the window the desktop gets, and input arrives translated.
TEST(SdlBackendX11, WindowGeometryPixelsInputAndCloseBox) {
  const char* display = std::getenv("DISPLAY");
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  if (!display || !*display || (driver && std::strcmp(driver, "x11") != 0)) {
    // The suite's own run under a private Xvfb sets this: there a missing display is a fault.
    if (std::getenv("POINTRIX_REQUIRE_DISPLAY")) FAIL() << "POINTRIX_REQUIRE_DISPLAY is set but there is no X display";
    GTEST_SKIP() << "no X display";
  }
  const std::string caption = "Pointrix platform test " + std::to_string(getpid());
  std::unique_ptr<IBackend> backend = CreateSdlBackend();
  IDisplay& window = backend->Display();
  TPWindowOptions options{632, 453, caption};
  options.StayOnTop = true;
  ASSERT_TRUE(window.Open(options));
  for (int y = 0; y < 453; ++y)
    for (int x = 0; x < 632; ++x) window.Pixels()[y * 632 + x] = Pattern(x, y);
  window.Show();
  ASSERT_TRUE(WaitFor(window, TPEventKind::Expose, 3000));
  window.Present({{0, 0, 632, 453}});

  const std::string info = RunCommand("xwininfo -name '" + caption + "'");
  const long id = NumberAfter(info, "Window id: ");
  ASSERT_GT(id, 0) << info;
  EXPECT_EQ(NumberAfter(info, "Width: "), 632);
  EXPECT_EQ(NumberAfter(info, "Height: "), 453);
  int originX = 0, originY = 0;
  window.GetClientOrigin(originX, originY);
  EXPECT_EQ(NumberAfter(info, "Absolute upper-left X: "), originX);
  EXPECT_EQ(NumberAfter(info, "Absolute upper-left Y: "), originY);
  const std::string hex = std::to_string(id);
  const std::string props = RunCommand("xprop -id " + hex + " _NET_WM_STATE WM_NORMAL_HINTS");
  EXPECT_NE(props.find("_NET_WM_STATE_ABOVE"), std::string::npos) << props;
  EXPECT_NE(props.find("minimum size: 632 by 453"), std::string::npos) << props;
  EXPECT_NE(props.find("maximum size: 632 by 453"), std::string::npos) << props;

  TTempFolder folder;
  RunCommand("import -window " + hex + " " + folder / "shot.png" + " 2>/dev/null");
  int width = 0, height = 0;
  const std::vector<uint32_t> shot = ReadPng(folder / "shot.png", width, height);
  if (!shot.empty() || RunCommand("command -v import") != "") {
    ASSERT_EQ(width, 632);
    EXPECT_EQ(shot[0], Pattern(0, 0));
    EXPECT_EQ(shot[452 * 632 + 631], Pattern(631, 452));
    EXPECT_EQ(shot[200 * 632 + 300], Pattern(300, 200));
  }

  RunCommand("xdotool mousemove --window " + hex + " 10 20 click 1 key Return");
  const std::optional<TPEvent> press = WaitFor(window, TPEventKind::MouseDown, 3000);
  ASSERT_TRUE(press);
  EXPECT_EQ(press->X, 10);
  EXPECT_EQ(press->Y, 20);
  EXPECT_EQ(press->Shift & psLeft, uint32_t(psLeft));
  const std::optional<TPEvent> key = WaitFor(window, TPEventKind::KeyDown, 3000);
  ASSERT_TRUE(key);
  EXPECT_EQ(key->Key, 13u);
  const std::optional<TPEvent> typed = WaitFor(window, TPEventKind::Char, 1000);
  ASSERT_TRUE(typed);
  EXPECT_EQ(typed->Text, "\r");
  int pointerX = 0, pointerY = 0;
  window.GetCursorPos(pointerX, pointerY);
  EXPECT_EQ(pointerX, originX + 10);
  EXPECT_EQ(pointerY, originY + 20);

  window.SetWindowPos(40, 30);
  WaitFor(window, TPEventKind::None, 200);
  int x = 0, y = 0;
  window.GetWindowPos(x, y);
  EXPECT_EQ(x, 40);
  EXPECT_EQ(y, 30);

  const std::string xclose = POINTRIX_BINARY_DIR "/tests/platform/xclose";
  if (access(xclose.c_str(), X_OK) != 0) {
    if (std::getenv("POINTRIX_REQUIRE_DISPLAY")) FAIL() << xclose << " is missing";
    GTEST_SKIP() << "xclose not built";
  }
  EXPECT_EQ(RunCommand(xclose + " " + hex + " && echo sent"), "sent\n");
  EXPECT_TRUE(WaitFor(window, TPEventKind::Close, 3000));
  EXPECT_NE(RunCommand(xclose + " 0x7ffffff 2>&1"), "");
}
