#pragma once

// A headless window with one sprite surface whose OnPaint draws a fine pattern (so
// that a pixel put back in the wrong place shows), and helpers to build sprites
// from small bitmaps with transparent red pixels.

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "sprites/TSprite.h"
#include "sprites/TSprites.h"
#include "support/HeadlessFixture.h"
#include "toolkit/forms/TControlCanvas.h"
#include "toolkit/graphics/TBitmap.h"
#include "toolkit/graphics/TPicture.h"

// A picture of w x h in colour, with a pixel grid in a second colour (so that a
// shifted copy differs) and the top-left quarter transparent red.
inline void MakeSpriteBitmap(TBitmap& b, int w, int h, TColor color) {
  b.SetSize(w, h);
  b.Canvas().Brush().Color = color;
  b.Canvas().FillRect(Rect(0, 0, w, h));
  for (int y = 0; y < h; y += 3)
    for (int x = 0; x < w; x += 4) b.SetPixel(x, y, color ^ 0x404040);
  b.Canvas().Brush().Color = clRed;
  b.Canvas().FillRect(Rect(0, 0, w / 2, h / 2));
}

class SpritesTest : public testsupport::HeadlessTest {
protected:
  // Where the surface stands in the window, and its size.
  static constexpr int SurfaceX = 12, SurfaceY = 7, SurfaceW = 200, SurfaceH = 150;

  void SetUp() override {
    HeadlessTest::SetUp();
    Form = NewForm();
    Form->SetClientSize(SurfaceX + SurfaceW + 10, SurfaceY + SurfaceH + 10);
    Form->SetColor(clWhite);
    Surface = new TSprites(Form);
    Surface->SetBounds(SurfaceX, SurfaceY, SurfaceW, SurfaceH);
    Surface->SetParent(Form);
    Surface->OnPaint = [this](TObject*) { PaintBase(Surface->Canvas()); };
    Form->Show();
    Run();
  }

  // The surface's background: a colour per row, crossed by a line of its own colour
  // every third column, so that a pixel put back in the wrong place shows.
  static void PaintBase(TCanvas& c) {
    for (int y = 0; y < SurfaceH; ++y) {
      c.Brush().Color = TColor(0x203040 + (y * 5 % 97) * 0x010101);
      c.FillRect(Rect(0, y, SurfaceW, y + 1));
    }
    for (int x = 0; x < SurfaceW; x += 3) {
      c.Brush().Color = TColor(0x604020 + (x * 7 % 89) * 0x000101);
      c.FillRect(Rect(x, 0, x + 1, SurfaceH));
    }
  }

  // A sprite of w x h in color at (left, top), registered with the surface (not shown).
  TSprite* AddSprite(int w, int h, TColor color, int left, int top) {
    auto* s = new TSprite(Form);
    TBitmap bitmap;
    MakeSpriteBitmap(bitmap, w, h, color);
    TPicture picture;
    picture.SetBitmap(&bitmap);
    s->SetTransparentColor(clRed);
    s->SetPicture(&picture);
    s->SetLeft(left);
    s->SetTop(top);
    s->SetSpriteGroup(Surface);
    return s;
  }

  // The surface's pixels as the window shows them.
  std::vector<uint32_t> SurfacePixels() const {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < SurfaceH; ++y)
      for (int x = 0; x < SurfaceW; ++x) pixels.push_back(Backend.PixelAt(SurfaceX + x, SurfaceY + y) & 0xFFFFFF);
    return pixels;
  }
  std::vector<uint32_t> WindowPixels() const {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < Backend.Height(); ++y)
      for (int x = 0; x < Backend.Width(); ++x) pixels.push_back(Backend.PixelAt(x, y) & 0xFFFFFF);
    return pixels;
  }
  // A surface pixel as a 0x00BBGGRR colour.
  TColor SurfacePixel(int x, int y) const { return PixelToColor(Backend.PixelAt(SurfaceX + x, SurfaceY + y)); }

  // Empty when the surface shows what a full repaint draws; else where it differs.
  std::string DifferenceFromRepaint() {
    std::vector<uint32_t> before = SurfacePixels();
    Surface->Repaint();
    std::vector<uint32_t> after = SurfacePixels();
    for (size_t i = 0; i < before.size(); ++i)
      if (before[i] != after[i]) {
        std::ostringstream out;
        out << "first difference at (" << i % SurfaceW << ", " << i / SurfaceW << "): shown " << std::hex << before[i]
            << ", repaint " << after[i];
        return out.str();
      }
    return "";
  }

  // Mouse input through the window's normal dispatch, at surface coordinates.
  void Press(int x, int y) {
    Backend.MouseDown(platform::TPButton::Left, SurfaceX + x, SurfaceY + y);
    Run();
  }
  void Move(int x, int y) {
    Backend.MouseMove(SurfaceX + x, SurfaceY + y);
    Run();
  }
  void Release(int x, int y) {
    Backend.MouseUp(platform::TPButton::Left, SurfaceX + x, SurfaceY + y);
    Run();
  }

  // True when ZOrder(0 .. SpriteCount - 1) is a permutation of 0 .. SpriteCount - 1.
  bool ZOrderIsPermutation() const {
    std::vector<bool> seen(size_t(Surface->SpriteCount()), false);
    for (int z = 0; z < Surface->SpriteCount(); ++z) {
      int i = Surface->ZOrder(z);
      if (i < 0 || i >= Surface->SpriteCount() || seen[size_t(i)]) return false;
      seen[size_t(i)] = true;
    }
    return true;
  }

  TForm* Form = nullptr;
  TSprites* Surface = nullptr;
};

// Records the framebuffer rectangles (window coordinates) drawn while it lives.
class TChangeRecorder {
public:
  explicit TChangeRecorder(TForm* form) : FForm(form), FPrevious(form->Surface().OnChange) {
    form->Surface().OnChange = [this](const TRect& r) {
      Rects.push_back(r);
      if (FPrevious) FPrevious(r);
    };
  }
  ~TChangeRecorder() { FForm->Surface().OnChange = FPrevious; }
  TChangeRecorder(const TChangeRecorder&) = delete;
  TChangeRecorder& operator=(const TChangeRecorder&) = delete;

  std::vector<TRect> Rects;

private:
  TForm* FForm;
  std::function<void(const TRect&)> FPrevious;
};
