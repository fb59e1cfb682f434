#pragma once

// A headless display and a clean application object for the custom controls' tests,
// plus bitmap helpers.

#include <gtest/gtest.h>

#include <vector>

#include "controls/TGlyphCache.h"
#include "platform/headless/HeadlessBackend.h"
#include "toolkit/forms/TApplication.h"
#include "toolkit/graphics/TBitmap.h"
#include "toolkit/forms/TForm.h"
#include "toolkit/forms/TScreen.h"

class ControlsTest : public ::testing::Test {
protected:
  void SetUp() override {
    platform::SetBackend(&Backend);
    Screen->SetCursor(crDefault);
  }
  void TearDown() override {
    Application->DestroyForms();
    platform::SetBackend(nullptr);
    // Every glyph object is gone: the shared cache must be too.
    EXPECT_EQ(SharedGlyphCache(), nullptr);
  }

  // A shown form of the given client size and colour.
  TForm* ShowForm(int width, int height, TColor color) {
    TForm* form = nullptr;
    Application->CreateForm(form);
    form->SetClientSize(width, height);
    form->SetColor(color);
    form->Show();
    return form;
  }
  void Run() { Application->ProcessMessages(); }
  // The framebuffer pixel at (x, y) as a 0x00BBGGRR colour.
  TColor Pixel(int x, int y) const { return PixelToColor(Backend.PixelAt(x, y)); }

  platform::THeadlessBackend Backend;
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
