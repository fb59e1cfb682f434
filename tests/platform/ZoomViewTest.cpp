// The zoom shared by both displays: the factor chosen for a desktop, stored factors,
// enlarged pointer images, and the view that renders only what changed yet always
// matches a full rendering.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "platform/ZoomView.h"
#include "platform/headless/HeadlessBackend.h"

using namespace platform;

namespace {

std::vector<uint32_t> RandomImage(int width, int height, uint32_t seed) {
  std::mt19937 random(seed);
  std::vector<uint32_t> pixels(size_t(width) * height);
  for (uint32_t& p : pixels) p = random() & 0xFFFFFF;
  return pixels;
}

}  // namespace

TEST(ZoomChoice, LargestQuarterStepThatFitsAndTheDesktopAsksFor) {
  EXPECT_EQ(ChooseZoom(632, 453, 2560, 1440, 2), 2);
  EXPECT_EQ(ChooseZoom(632, 453, 2560, 1440, 4), 2.75) << "3 would take more than 90 % of the height";
  EXPECT_EQ(ChooseZoom(632, 453, 3840, 2160, 3), 3);
  EXPECT_EQ(ChooseZoom(632, 453, 1366, 768, 2), 1.5);
  EXPECT_EQ(ChooseZoom(632, 453, 1920, 1080, 1.3), 1.25);
  EXPECT_EQ(ChooseZoom(632, 453, 1920, 1080, 1), 1);
  EXPECT_EQ(ChooseZoom(632, 453, 640, 480, 2), 1) << "at least 1, even when nothing fits";
  EXPECT_EQ(FitZoom(632, 453, 1920, 1080), 1080.0 / 453);
  EXPECT_EQ(FitZoom(632, 453, 320, 200), 1);
}

TEST(ZoomChoice, StoredFactorsParseStrictlyAndFormatShortly) {
  EXPECT_EQ(ParseZoom("2"), 2);
  EXPECT_EQ(ParseZoom("1.5"), 1.5);
  EXPECT_EQ(ParseZoom(" 2.25\t"), 2.25);
  for (const char* bad : {"", "  ", "x", "2x", "1,5", "0.99", "3.01", "-2", "nan", "inf", "1e0"})
    EXPECT_EQ(ParseZoom(bad), 0) << bad;
  EXPECT_EQ(FormatZoom(1), "1");
  EXPECT_EQ(FormatZoom(1.5), "1.5");
  EXPECT_EQ(FormatZoom(2.25), "2.25");
  EXPECT_EQ(ParseZoom(FormatZoom(2.75)), 2.75);
}

TEST(ZoomView, WholeFactorsRepeatPixelsAndOthersBlendOnlyTheSeams) {
  const std::vector<uint32_t> source = {0x000000, 0xFFFFFF, 0x102030, 0x405060};  // 2 x 2
  TZoomView view;
  view.SetSource(source.data(), 2, 2);
  view.SetGeometry(2, 0, 0);
  ASSERT_EQ(view.OutputWidth(), 4);
  std::vector<uint32_t> out(16);
  view.RenderAll(out.data(), 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(out[size_t(y) * 4 + x], source[size_t(y / 2) * 2 + x / 2]) << x << "," << y;

  view.SetGeometry(1.5, 0, 0);
  ASSERT_EQ(view.OutputWidth(), 3);
  out.assign(9, 0);
  view.RenderAll(out.data(), 3);
  EXPECT_EQ(out[0], 0x000000u);
  EXPECT_EQ(out[1], 0x808080u) << "the seam pixel is half black, half white";
  EXPECT_EQ(out[2], 0xFFFFFFu);
  // Window pixel x shows framebuffer pixel floor(x / 1.5).
  EXPECT_EQ(view.ToSourceX(0), 0);
  EXPECT_EQ(view.ToSourceX(1), 0);
  EXPECT_EQ(view.ToSourceX(2), 1);
  EXPECT_EQ(view.ToSourceX(-1), -1);
}

TEST(ZoomView, RenderingChangedRectanglesMatchesRenderingEverything) {
  const int w = 61, h = 37;
  for (double factor : {1.0, 1.5, 2.0, 2.25, 2.5, 3.0}) {
    std::vector<uint32_t> source = RandomImage(w, h, 1);
    TZoomView partial;
    partial.SetSource(source.data(), w, h);
    partial.SetGeometry(factor, 0, 0);
    const int ow = partial.OutputWidth(), oh = partial.OutputHeight();
    std::vector<uint32_t> a(size_t(ow) * oh), b(a.size());
    partial.RenderAll(a.data(), ow);
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
      TPRect r;
      r.Left = int(random() % w);
      r.Top = int(random() % h);
      r.Right = std::min(w, r.Left + 1 + int(random() % 9));
      r.Bottom = std::min(h, r.Top + 1 + int(random() % 9));
      for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) source[size_t(y) * w + x] = random() & 0xFFFFFF;
      if (round % 4 == 0) {
        TPImage tip{5, 3, std::vector<uint32_t>(15, 0x123456)};
        const std::vector<TPRect> changed = partial.SetOverlay(&tip, int(random() % w), int(random() % h));
        partial.Render(changed, a.data(), ow);
      }
      partial.Render({r}, a.data(), ow);
    }
    partial.RenderAll(b.data(), ow);  // everything afresh, the last overlay included
    EXPECT_EQ(a, b) << "factor " << factor;
  }
}

TEST(ZoomView, UnzoomedShowsEachFramebufferPixelAsItIsWithTheTipAbove) {
  const int w = 23, h = 9;
  const std::vector<uint32_t> source = RandomImage(w, h, 3);
  TZoomView view;
  view.SetSource(source.data(), w, h);
  view.SetBackdrop(0x010203);
  view.SetGeometry(1, w + 4, h + 2);  // centred: two columns and one row of backdrop each side
  const TPImage tip{3, 2, std::vector<uint32_t>(6, 0x00ABCDEF)};
  view.SetOverlay(&tip, 5, 4);
  std::vector<uint32_t> out(size_t(w + 4) * (h + 2), 0);
  view.RenderAll(out.data(), w + 4);
  for (int y = 0; y < h + 2; ++y)
    for (int x = 0; x < w + 4; ++x) {
      const int sx = x - 2, sy = y - 1;
      const bool inImage = sx >= 0 && sx < w && sy >= 0 && sy < h;
      const bool inTip = sx >= 5 && sx < 8 && sy >= 4 && sy < 6;
      const uint32_t expected = !inImage ? 0x010203u : inTip ? 0xABCDEFu : source[size_t(sy) * w + sx];
      ASSERT_EQ(out[size_t(y) * (w + 4) + x], expected) << x << "," << y;
    }
}

TEST(ZoomView, FullScreenCentresTheImageOnTheBackdrop) {
  const std::vector<uint32_t> source(4 * 2, 0xABCDEF);
  TZoomView view;
  view.SetSource(source.data(), 4, 2);
  view.SetBackdrop(0x010203);
  view.SetGeometry(2, 12, 8);
  EXPECT_EQ(view.ImageLeft(), 2);
  EXPECT_EQ(view.ImageTop(), 2);
  std::vector<uint32_t> out(12 * 8, 0);
  view.RenderAll(out.data(), 12);
  EXPECT_EQ(out[0], 0x010203u);
  EXPECT_EQ(out[size_t(2) * 12 + 1], 0x010203u);
  EXPECT_EQ(out[size_t(2) * 12 + 2], 0xABCDEFu);
  EXPECT_EQ(out[size_t(5) * 12 + 9], 0xABCDEFu);
  EXPECT_EQ(out[size_t(6) * 12 + 9], 0x010203u);
  EXPECT_EQ(view.ToSourceX(2), 0);
  EXPECT_EQ(view.ToSourceX(1), -1);
  EXPECT_EQ(view.ToSourceY(5), 1);
}

TEST(ZoomCursor, PointerImagesGrowWithTheirHotSpot) {
  TPCursorImage image;
  image.Width = 3;
  image.Height = 2;
  image.HotX = 2;
  image.HotY = 1;
  image.Pixels = {0, 0xFFFFFFFF, 0xFF000000, 0x80FF0000, 0xFF00FF00, 0xFF0000FF};
  const TPCursorImage twice = ZoomCursorImage(image, 2);
  ASSERT_EQ(twice.Width, 6);
  ASSERT_EQ(twice.Height, 4);
  EXPECT_EQ(twice.HotX, 4);
  EXPECT_EQ(twice.HotY, 2);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x)
      EXPECT_EQ(twice.Pixels[size_t(y) * 6 + x], image.Pixels[size_t(y / 2) * 3 + x / 2]) << x << "," << y;
  const TPCursorImage thrice = ZoomCursorImage(image, 3);
  EXPECT_EQ(thrice.HotX, 7) << "the middle of the enlarged hot-spot pixel";
  EXPECT_EQ(thrice.HotY, 4);
  const TPCursorImage half = ZoomCursorImage(image, 1.5);
  EXPECT_EQ(half.Width, 5);
  EXPECT_EQ(half.Pixels[1] >> 24, 0x80u) << "between opaque white and transparent";
  EXPECT_EQ(half.Pixels[1] & 0xFFFFFF, 0xFFFFFFu) << "no dark fringe from the transparent pixel";
  TPCursorImage big = image;
  big.Width = 200;
  big.Height = 1;
  big.Pixels.assign(200, 0xFF000000);
  EXPECT_EQ(ZoomCursorImage(big, 3).Width, 256) << "SDL's limit";
}

TEST(HeadlessZoom, EventsAndThePointerQueryUseFramebufferUnits) {
  THeadlessBackend backend;
  IDisplay& display = backend.Display();
  display.SetZoom(2);
  TPWindowOptions options;
  options.ClientWidth = 100;
  options.ClientHeight = 50;
  ASSERT_TRUE(display.Open(options));
  EXPECT_EQ(backend.ClientWidth(), 200);
  EXPECT_EQ(backend.ClientHeight(), 100);
  backend.SetWindowPos(300, 200);
  backend.MouseDown(TPButton::Left, 21, 11);
  TPEvent event;
  ASSERT_TRUE(display.WaitEvent(event, 0));
  EXPECT_EQ(event.X, 10);
  EXPECT_EQ(event.Y, 5);
  int x = 0, y = 0, ox = 0, oy = 0;
  display.GetCursorPos(x, y);
  display.GetClientOrigin(ox, oy);
  EXPECT_EQ(ox, 300);
  EXPECT_EQ(x - ox, 10);
  EXPECT_EQ(y - oy, 5);

  display.Pixels()[5 * 100 + 10] = 0x00FF00;
  display.Present({{10, 5, 11, 6}});
  EXPECT_EQ(backend.PresentedPixelAt(20, 10), 0x00FF00u);
  EXPECT_EQ(backend.PresentedPixelAt(21, 11), 0x00FF00u);
  EXPECT_EQ(backend.PresentedPixelAt(22, 11), 0u);

  display.SetZoom(1);
  backend.GetWindowPos(x, y);
  EXPECT_EQ(x, 350) << "the centre stays";
  EXPECT_EQ(y, 225);
  EXPECT_EQ(backend.PresentedPixelAt(10, 5), 0x00FF00u) << "a new factor presents everything";
  display.SetZoom(9);
  EXPECT_EQ(display.Zoom(), 3);
}
