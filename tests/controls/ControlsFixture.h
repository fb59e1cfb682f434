#pragma once

// A headless display and a clean application object for the custom controls' tests,
// plus bitmap helpers.

#include <gtest/gtest.h>

#include <vector>

#include "controls/TGlyphCache.h"
#include "support/HeadlessFixture.h"
#include "toolkit/graphics/TBitmap.h"

class ControlsTest : public testsupport::HeadlessTest {
protected:
  void TearDown() override {
    HeadlessTest::TearDown();
    // Every glyph object is gone: the shared cache must be too.
    EXPECT_EQ(SharedGlyphCache(), nullptr);
  }
};

// A strip of cells of size w x h, cell i filled with colors[i], the bottom-left
// pixel of every cell set to corner (the automatic transparent colour).
inline void MakeStrip(TBitmap& strip, int w, int h, const std::vector<TColor>& colors, TColor corner) {
  strip.SetSize(w * int(colors.size()), h);
  for (size_t i = 0; i < colors.size(); ++i) {
    strip.Canvas().Brush().Style = bsSolid;
    strip.Canvas().Brush().Color = colors[i];
    strip.Canvas().FillRect(Bounds(int(i) * w, 0, w, h));
    strip.SetPixel(int(i) * w, h - 1, corner);
  }
}
