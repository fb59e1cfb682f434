#include "toolkit/stdctrls/TListBox.h"

#include <algorithm>

#include "toolkit/forms/TControlCanvas.h"
#include "toolkit/stdctrls/TPanel.h"

// The list's items: every change reaches the list box.
class TListBox::TListBoxStrings : public TStringList {
public:
  explicit TListBoxStrings(TListBox& owner) : FOwner(owner) {}

protected:
  void DoChange() override {
    TStringList::DoChange();
    FOwner.ItemsChanged();
  }

private:
  TListBox& FOwner;
};

TListBox::TListBox(TComponent* owner) : TCustomControl(owner), FItems(std::make_unique<TListBoxStrings>(*this)) {
  // Clicks come from selection changes, not from press-and-release.
  ControlStyle &= ~csClickEvents;
  ControlStyle |= csOpaque;
  TabStop = true;
  SetBounds(0, 0, 121, 97);
  SetColor(clWindow);
}

TListBox::~TListBox() = default;

void TListBox::ItemsChanged() {
  if (FItemIndex >= FItems->Count()) FItemIndex = -1;
  SetTopIndex(FTopIndex);
  Invalidate();
}

void TListBox::SetItemIndex(int index) {
  if (index < 0 || index >= FItems->Count()) index = -1;
  if (index == FItemIndex) return;
  FItemIndex = index;
  MakeVisible(index);
  Invalidate();
}

void TListBox::SetItemHeight(int height) {
  if (height < 1) height = 1;
  if (height == FItemHeight) return;
  FItemHeight = height;
  SetTopIndex(FTopIndex);
  Invalidate();
}

void TListBox::SetTopIndex(int index) {
  int maxTop = std::max(0, FItems->Count() - VisibleItemCount());
  index = std::clamp(index, 0, maxTop);
  if (index == FTopIndex) return;
  FTopIndex = index;
  Invalidate();
}

TRect TListBox::ListRect() const {
  int b = BorderSingle ? 2 : 0;
  TRect r{b, b, std::max(b, Width() - b), std::max(b, Height() - b)};
  if (ScrollBarShown()) r.Right = std::max(r.Left, r.Right - ScrollBarWidth);
  return r;
}

int TListBox::VisibleItemCount() const {
  int b = BorderSingle ? 2 : 0;
  return std::max(1, (Height() - 2 * b) / FItemHeight);
}

bool TListBox::ScrollBarShown() const {
  return FItems->Count() > VisibleItemCount();
}

TRect TListBox::ScrollBarRect() const {
  if (!ScrollBarShown()) return {};
  int b = BorderSingle ? 2 : 0;
  return {Width() - b - ScrollBarWidth, b, Width() - b, Height() - b};
}

TRect TListBox::ItemRect(int index) const {
  TRect list = ListRect();
  int top = list.Top + (index - FTopIndex) * FItemHeight;
  return {list.Left, top, list.Right, top + FItemHeight};
}

int TListBox::ItemAtPos(TPoint p, bool existing) const {
  TRect list = ListRect();
  if (!list.Contains(p.X, p.Y)) return -1;
  int index = FTopIndex + (p.Y - list.Top) / FItemHeight;
  if (index >= FItems->Count()) return existing ? -1 : FItems->Count();
  return index;
}

void TListBox::MakeVisible(int index) {
  if (index < 0) return;
  if (index < FTopIndex)
    SetTopIndex(index);
  else if (index >= FTopIndex + VisibleItemCount())
    SetTopIndex(index - VisibleItemCount() + 1);
}

void TListBox::UserSelect(int index) {
  if (index < 0 || index >= FItems->Count()) return;
  SetItemIndex(index);
  MakeVisible(index);
  Click();
}

// ---- mouse and keys

void TListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (TabStop && CanFocus() && !Focused()) SetFocus();
  if (button == mbLeft) {
    if (ScrollBarRect().Contains(x, y)) {
      ScrollBarClick(y);
    } else {
      FTracking = true;
      UserSelect(ItemAtPos({x, y}));
    }
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TListBox::MouseMove(TShiftState shift, int x, int y) {
  if (FTracking && (shift & ssLeft)) {
    // Dragging past the top or bottom scrolls one item at a time.
    TRect list = ListRect();
    int index = y < list.Top       ? FTopIndex - 1
                : y >= list.Bottom ? FTopIndex + VisibleItemCount()
                                   : ItemAtPos({list.Left, y});
    if (index >= 0 && index < FItems->Count() && index != FItemIndex) UserSelect(index);
  }
  TCustomControl::MouseMove(shift, x, y);
}

void TListBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) FTracking = false;
  TCustomControl::MouseUp(button, shift, x, y);
}

void TListBox::ButtonDblClk(TMouseButton button, TShiftState shift, int x, int y) {
  if (ControlStyle & csCaptureMouse) SetMouseCapture(true);
  MouseDown(button, shift, x, y);
  if (button == mbLeft && ItemAtPos({x, y}) >= 0) DblClick();
}

void TListBox::ScrollBarClick(int y) {
  TRect bar = ScrollBarRect();
  if (y < bar.Top + ScrollBarWidth) {
    SetTopIndex(FTopIndex - 1);
  } else if (y >= bar.Bottom - ScrollBarWidth) {
    SetTopIndex(FTopIndex + 1);
  } else {
    // The track above the thumb pages up, below it pages down.
    TRect thumb = ThumbRect();
    int page = VisibleItemCount();
    if (y < thumb.Top) SetTopIndex(FTopIndex - page);
    if (y >= thumb.Bottom) SetTopIndex(FTopIndex + page);
  }
}

TRect TListBox::ThumbRect() const {
  TRect bar = ScrollBarRect();
  int track = bar.Height() - 2 * ScrollBarWidth;
  if (track <= 8) return {};
  int count = std::max(1, FItems->Count());
  int thumb = std::clamp(track * VisibleItemCount() / count, 8, track);
  int maxTop = std::max(1, count - VisibleItemCount());
  int top = bar.Top + ScrollBarWidth + (track - thumb) * FTopIndex / maxTop;
  return Bounds(bar.Left, top, ScrollBarWidth, thumb);
}

void TListBox::KeyDown(uint16_t& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  int count = FItems->Count();
  if (count == 0) return;
  int page = std::max(1, VisibleItemCount() - 1);
  int current = FItemIndex;
  int target = current;
  switch (key) {
    case VK_UP:
      target = current < 0 ? 0 : current - 1;
      break;
    case VK_LEFT:
      target = current < 0 ? 0 : current - 1;
      break;
    case VK_DOWN:
      target = current + 1;
      break;
    case VK_RIGHT:
      target = current + 1;
      break;
    case VK_HOME:
      target = 0;
      break;
    case VK_END:
      target = count - 1;
      break;
    case VK_PRIOR:
      target = current - page;
      break;
    case VK_NEXT:
      target = current < 0 ? page : current + page;
      break;
    default:
      return;
  }
  target = std::clamp(target, 0, count - 1);
  // A key that cannot move the selection (Down on the last item) changes nothing.
  if (target != current) UserSelect(target);
}

void TListBox::DoEnter() {
  Invalidate();
  TCustomControl::DoEnter();
}

void TListBox::DoExit() {
  Invalidate();
  TCustomControl::DoExit();
}

// ---- painting

void TListBox::Paint() {
  TCanvas& canvas = Canvas();
  TRect frame = ClientRect();
  if (BorderSingle) {
    Frame3D(canvas, frame, clBtnShadow, clBtnHighlight, 1);
    Frame3D(canvas, frame, cl3DDkShadow, cl3DLight, 1);
  }
  TRect list = ListRect();
  canvas.Brush().Style = bsSolid;
  canvas.Brush().Color = ColorToRGB(Color());
  canvas.FillRect(list);
  canvas.Font().Assign(&Font());
  int last = std::min(FItems->Count(), FTopIndex + VisibleItemCount() + 1);
  for (int i = FTopIndex; i < last; ++i) {
    TRect r = IntersectRect(ItemRect(i), list);
    if (r.IsEmpty()) continue;
    bool selected = i == FItemIndex;
    canvas.Brush().Style = bsSolid;
    canvas.Brush().Color = ColorToRGB(selected ? clHighlight : Color());
    canvas.FillRect(r);
    canvas.Font().SetColor(selected ? clHighlightText : Font().Color());
    canvas.Brush().Style = bsClear;
    TRect text{r.Left + 2, r.Top, r.Right, r.Bottom};
    canvas.DrawText(FItems->Strings(i), text, DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS);
    if (selected && Focused()) {
      // A dotted focus rectangle around the selected item.
      canvas.Brush().Style = bsSolid;
      canvas.Brush().Color = ColorToRGB(clHighlightText);
      for (int x = r.Left; x < r.Right; x += 2) {
        canvas.FillRect({x, r.Top, x + 1, r.Top + 1});
        canvas.FillRect({x, r.Bottom - 1, x + 1, r.Bottom});
      }
      for (int y = r.Top; y < r.Bottom; y += 2) {
        canvas.FillRect({r.Left, y, r.Left + 1, y + 1});
        canvas.FillRect({r.Right - 1, y, r.Right, y + 1});
      }
    }
  }
  canvas.Brush().Style = bsSolid;
  if (ScrollBarShown()) PaintScrollBar(canvas);
}

void TListBox::PaintScrollBar(TCanvas& canvas) {
  TRect bar = ScrollBarRect();
  canvas.Brush().Color = ColorToRGB(clScrollBar);
  canvas.FillRect(bar);
  auto button = [&](TRect r, bool up) {
    canvas.Brush().Color = ColorToRGB(clBtnFace);
    canvas.FillRect(r);
    TRect f = r;
    Frame3D(canvas, f, cl3DLight, cl3DDkShadow, 1);
    Frame3D(canvas, f, clBtnHighlight, clBtnShadow, 1);
    canvas.Brush().Color = ColorToRGB(clBtnText);
    int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    for (int k = 0; k < 4; ++k) {
      int y = up ? cy - 2 + k : cy + 1 - k;
      canvas.FillRect({cx - k, y, cx + k + 1, y + 1});
    }
  };
  button(Bounds(bar.Left, bar.Top, ScrollBarWidth, ScrollBarWidth), true);
  button(Bounds(bar.Left, bar.Bottom - ScrollBarWidth, ScrollBarWidth, ScrollBarWidth), false);
  TRect t = ThumbRect();
  if (!t.IsEmpty()) {
    canvas.Brush().Color = ColorToRGB(clBtnFace);
    canvas.FillRect(t);
    Frame3D(canvas, t, clBtnHighlight, clBtnShadow, 1);
  }
}
