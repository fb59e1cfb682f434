// The sprite classes declared in a layout, as the main window declares its surface
// and pieces: properties, event binding, and registration in declaration order.

#include <cstdio>

#include "SpritesFixture.h"
#include "sprites/SpritesRegistration.h"
#include "toolkit/layout/LayoutReader.h"
#include "toolkit/layout/TPublishedMethods.h"

namespace {

class TSpriteForm : public TForm, public TPublishedMethods {
public:
  explicit TSpriteForm(TComponent* owner) : TForm(owner) {
    PublishMethod("Sprites1Paint", this, &TSpriteForm::Sprites1Paint);
  }
  void Sprites1Paint(TObject* sender) {
    ++Paints;
    auto* surface = static_cast<TSprites*>(sender);
    surface->Canvas().Brush().Color = 0xE1C8C8;
    surface->Canvas().FillRect(surface->ClientRect());
  }
  int Paints = 0;
};

// A 24-bit BMP file of w x h in color with the top-left quarter red, as layout hex.
std::string BmpHex(int w, int h, TColor color) {
  std::vector<uint8_t> bytes;
  auto put = [&](uint32_t v, int n) {
    for (int i = 0; i < n; ++i) bytes.push_back(uint8_t(v >> (8 * i)));
  };
  int stride = (w * 3 + 3) & ~3;
  put('B' | ('M' << 8), 2);
  put(uint32_t(54 + stride * h), 4);
  put(0, 4);
  put(54, 4);
  put(40, 4);
  put(uint32_t(w), 4);
  put(uint32_t(h), 4);
  put(1, 2);
  put(24, 2);
  put(0, 4);
  put(uint32_t(stride * h), 4);
  put(2835, 4);
  put(2835, 4);
  put(0, 4);
  put(0, 4);
  for (int row = h - 1; row >= 0; --row) {
    for (int x = 0; x < w; ++x) {
      TColor c = x < w / 2 && row < h / 2 ? clRed : color;
      put(uint32_t((c >> 16) & 0xFF) | (uint32_t(c & 0xFF00)) | (uint32_t(c & 0xFF) << 16), 3);
    }
    for (int pad = w * 3; pad < stride; ++pad) bytes.push_back(0);
  }
  std::string hex = "{";
  char digits[3];
  for (uint8_t b : bytes) {
    std::snprintf(digits, sizeof digits, "%02X", b);
    hex += digits;
  }
  return hex + "}";
}

using SpriteLayout = testsupport::HeadlessTest;

TEST_F(SpriteLayout, TheSurfaceAndItsSpritesAreDeclaredInALayout) {
  RegisterSpriteClasses();
  TSpriteForm* form = nullptr;
  Application->CreateForm(form);
  std::string layout =
      "object SpriteForm: TForm\n"
      "  ClientWidth = 300\n"
      "  ClientHeight = 200\n"
      "  object Sprite1: TSprite\n"
      "    Left = 20\n"
      "    Top = 30\n"
      "    Width = 99\n"
      "    Height = 99\n"
      "    Picture.Data = " +
      BmpHex(30, 20, clBlue) +
      "\n"
      "    TransparentColor = clRed\n"
      "    SpriteGroup = Sprites1\n"
      "  end\n"
      "  object Sprite2: TSprite\n"
      "    Left = 40\n"
      "    Top = 40\n"
      "    Picture.Data = " +
      BmpHex(30, 20, clGreen) +
      "\n"
      "    TransparentColor = clRed\n"
      "    SpriteGroup = Sprites1\n"
      "  end\n"
      "  object Stray: TSprite\n"
      "    SpriteGroup = SpriteForm\n"
      "  end\n"
      "  object Sprites1: TSprites\n"
      "    Left = 10\n"
      "    Top = 5\n"
      "    Width = 250\n"
      "    Height = 180\n"
      "    DragCursor = crDrag\n"
      "    DragKind = dkDrag\n"
      "    DragMode = dmManual\n"
      "    PopupMenu = Nothing\n"
      "    OnPaint = Sprites1Paint\n"
      "    object Sprite10: TSprite\n"
      "      Left = 100\n"
      "      Top = 100\n"
      "      Enabled = False\n"
      "      TransparentColor = clRed\n"
      "      Picture.Data = " +
      BmpHex(60, 40, clYellow) +
      "\n"
      "      SpriteGroup = Sprites1\n"
      "    end\n"
      "  end\n"
      "end\n";
  ReadLayout(form, layout);
  auto* surface = dynamic_cast<TSprites*>(form->FindComponent("Sprites1"));
  auto* sprite1 = dynamic_cast<TSprite*>(form->FindComponent("Sprite1"));
  auto* sprite10 = dynamic_cast<TSprite*>(form->FindComponent("Sprite10"));
  ASSERT_TRUE(surface && sprite1 && sprite10);
  ASSERT_EQ(surface->SpriteCount(), 3);
  EXPECT_EQ(surface->GetSprite(0), sprite1);
  EXPECT_EQ(surface->GetSprite(1), form->FindComponent("Sprite2"));
  EXPECT_EQ(surface->GetSprite(2), sprite10);
  EXPECT_EQ(sprite1->Width(), 30);
  EXPECT_EQ(sprite1->GetBounds(), Bounds(20, 30, 30, 20));
  EXPECT_EQ(sprite1->TransparentColor(), clRed);
  EXPECT_FALSE(sprite10->Enabled());
  ASSERT_EQ(Backend.Messages().size(), 1u);
  EXPECT_EQ(Backend.Messages()[0].Text, "SpriteGroup should be a TSprites component");

  form->Show();
  Application->ProcessMessages();
  EXPECT_GT(form->Paints, 0);
  sprite10->SetVisible(true);
  sprite1->SetVisible(true);
  // Sprite10 is parented to the surface, yet neither paints nor catches the mouse itself.
  EXPECT_EQ(PixelToColor(Backend.PixelAt(10 + 130, 5 + 130)), clYellow);
  Backend.MouseDown(platform::TPButton::Left, 10 + 130, 5 + 130);
  Application->ProcessMessages();
  EXPECT_EQ(surface->SelIndex(), -1);  // disabled
  Backend.MouseUp(platform::TPButton::Left, 10 + 130, 5 + 130);
  Backend.MouseDown(platform::TPButton::Left, 10 + 25, 5 + 35);  // Sprite1's transparent corner
  Application->ProcessMessages();
  EXPECT_EQ(surface->SelIndex(), 0);
  EXPECT_TRUE(surface->SpriteDragging());
  Backend.MouseUp(platform::TPButton::Left, 10 + 25, 5 + 35);
  Application->ProcessMessages();
}

}  // namespace
