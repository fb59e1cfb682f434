#include "toolkit/forms/TMessageForm.h"

#include <algorithm>

#include "toolkit/forms/TButton.h"
#include "toolkit/forms/TControlCanvas.h"
#include "toolkit/graphics/TBitmap.h"
#include "toolkit/graphics/TCanvas.h"

namespace {

constexpr int Margin = 12, IconSize = 32, MaxTextWidth = 400;
// Tall enough for any text, small enough that the floating box fits the 632 x 453
// window with room to spare; longer texts are cut.
constexpr int MaxTextHeight = 300;
constexpr int ButtonWidth = 75, ButtonHeight = 23;

void UseBoxFont(TFont& font) {
  font.SetName("Tahoma");
  font.SetHeight(-11);
  font.SetStyle(0);
  font.SetColor(clWindowText);
}

// The icon's colour and letter: a red disc with a cross for errors, and so on.
void DrawIcon(TCanvas& canvas, platform::TPMessageIcon icon, int x, int y) {
  using I = platform::TPMessageIcon;
  if (icon == I::None) return;
  const TColor disc = icon == I::Error ? TColor(0x0000C0) : icon == I::Warning ? TColor(0x00C0E0) : TColor(0xC05000);
  canvas.Pen().Color = clBlack;
  canvas.Brush().Style = bsSolid;
  canvas.Brush().Color = disc;
  canvas.Ellipse({x, y, x + IconSize, y + IconSize});
  canvas.Font().SetName("Tahoma");
  canvas.Font().SetHeight(-20);
  canvas.Font().SetStyle(fsBold);
  canvas.Font().SetColor(clWhite);
  canvas.Brush().Style = bsClear;
  const std::string letter = icon == I::Error ? "X" : icon == I::Warning ? "!" : icon == I::Question ? "?" : "i";
  TRect r{x, y, x + IconSize, y + IconSize};
  canvas.DrawText(letter, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  canvas.Brush().Style = bsSolid;
}

}  // namespace

TMessageForm::TMessageForm(TComponent* owner, const std::string& text, const std::string& caption,
                           platform::TPMessageIcon icon)
    : TForm(owner), FText(text), FIcon(icon) {
  SetCaption(caption);
  BorderStyle = bsDialog;
  BorderIcons = biSystemMenu;
  FormStyle = fsStayOnTop;
  Position = poScreenCenter;
  KeyPreview = true;
  UseBoxFont(Font());
  SetColor(clBtnFace);

  // The text's size decides the box's.
  TBitmap measure;
  UseBoxFont(measure.Canvas().Font());
  TRect r{0, 0, MaxTextWidth, 0};
  measure.Canvas().DrawText(FText.empty() ? " " : FText, r, DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX);
  const int textWidth = std::min(r.Width(), MaxTextWidth), textHeight = std::min(r.Height(), MaxTextHeight);
  const int left = Margin + (icon == platform::TPMessageIcon::None ? 0 : IconSize + Margin);
  const int body = std::max(textHeight, icon == platform::TPMessageIcon::None ? 0 : IconSize);
  const int width = std::max(left + textWidth + Margin, ButtonWidth + 2 * Margin);
  const int height = Margin + body + Margin + ButtonHeight + Margin;
  FTextRect = {left, Margin + (body - textHeight) / 2, left + textWidth, Margin + (body - textHeight) / 2 + textHeight};
  SetClientSize(width, height);

  FOKButton = new TButton(this);
  FOKButton->SetName("OKButton");
  FOKButton->SetCaption("OK");
  FOKButton->ModalResult = 1;
  FOKButton->Default = true;
  FOKButton->SetBounds((width - ButtonWidth) / 2, height - Margin - ButtonHeight, ButtonWidth, ButtonHeight);
  FOKButton->SetParent(this);
  SetActiveControl(FOKButton);

  // The window's close box answers the box like OK; the box is never merely hidden.
  OnClose = [this](TObject*, TCloseAction& action) {
    ModalResult = 1;
    action = caNone;
  };
}

void TMessageForm::ShowFloating() {
  FFloating = true;
  ShowOffscreen();
}

void TMessageForm::KeyPress(char& key) {
  // Esc answers the box too (Enter and Space reach the focused button).
  if (key == 27) {
    key = 0;
    ModalResult = 1;
  }
  TForm::KeyPress(key);
}

void TMessageForm::PaintWindow(TCanvas& canvas) {
  DrawIcon(canvas, FIcon, Margin, Margin);
  UseBoxFont(canvas.Font());
  canvas.Brush().Style = bsClear;
  TRect r = FTextRect;
  canvas.DrawText(FText, r, DT_WORDBREAK | DT_NOPREFIX);
  canvas.Brush().Style = bsSolid;
  TForm::PaintWindow(canvas);
}

platform::TPImage TMessageForm::FloatingImage() {
  PaintDirty();
  const TPoint offset = ClientOffset();
  TBitmap bitmap;
  bitmap.SetSize(ClientWidth() + 2 * FrameWidth, ClientHeight() + 2 * FrameWidth + CaptionHeight);
  TCanvas& canvas = bitmap.Canvas();
  TRect r{0, 0, bitmap.Width(), bitmap.Height()};
  Frame3D(canvas, r, clBtnFace, cl3DDkShadow, 1);
  Frame3D(canvas, r, clBtnHighlight, clBtnShadow, 1);
  Frame3D(canvas, r, clBtnFace, clBtnFace, 1);
  canvas.Brush().Style = bsSolid;
  canvas.Brush().Color = ColorToRGB(clActiveCaption);
  TRect bar{r.Left, r.Top, r.Right, r.Top + CaptionHeight};
  canvas.FillRect(bar);
  UseBoxFont(canvas.Font());
  canvas.Font().SetStyle(fsBold);
  canvas.Font().SetColor(clCaptionText);
  canvas.Brush().Style = bsClear;
  TRect title{bar.Left + 4, bar.Top, bar.Right - 4, bar.Bottom};
  canvas.DrawText(Caption(), title, DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

  platform::TPImage image;
  image.Width = bitmap.Width();
  image.Height = bitmap.Height();
  image.Pixels.reserve(size_t(image.Width) * size_t(image.Height));
  const TSurface& client = Surface();
  for (int y = 0; y < image.Height; ++y) {
    const uint32_t* row = bitmap.Surface().Row(y);
    image.Pixels.insert(image.Pixels.end(), row, row + image.Width);
    const int cy = y - offset.Y;
    if (cy < 0 || cy >= client.Height()) continue;
    std::copy(client.Row(cy), client.Row(cy) + std::min(client.Width(), ClientWidth()),
              image.Pixels.begin() + long(size_t(y) * size_t(image.Width) + size_t(offset.X)));
  }
  return image;
}
