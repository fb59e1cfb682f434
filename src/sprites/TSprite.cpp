#include "sprites/TSprite.h"

#include <cstdlib>

#include "sprites/SpriteCompose.h"
#include "sprites/TSprites.h"
#include "toolkit/forms/TControlCanvas.h"

using spritecompose::CopyPlain;

namespace {

// Positions beyond this are refused by MoveTo: far outside any surface, and small
// enough that position plus picture size cannot overflow.
constexpr int PositionLimit = 1 << 24;

// Runs op on an off-screen copy of area of c, the sprites of front (front-most
// first) taken off it before and put back on after, and copies the area back.
// Pixels of area inside overwritten must all be painted by op.
template <class F>
void ComposeUnderFront(TCanvas& c, const TRect& area, const TRect& overwritten, const std::vector<TSprite*>& front,
                       F&& op) {
  spritecompose::ComposeArea(c, area, overwritten, [&](const spritecompose::TComposeTarget& target) {
    for (TSprite* f : front) f->Hide(target.Canvas);
    op(target);
    for (auto it = front.rbegin(); it != front.rend(); ++it) (*it)->Start(target.Canvas);
  });
}

}  // namespace

TSprite::TSprite(TComponent* owner)
    : TGraphicControl(owner), FBackground(std::make_unique<TBitmap>()), FPicture(std::make_unique<TPicture>()) {
  // The control itself never shows: the group draws the sprite. Hidden, it cannot
  // cover its parent's other controls, catch their mouse input or cause repaints.
  TGraphicControl::SetVisible(false);
}

TSprite::~TSprite() {
  if (TSprites* group = Group()) {
    if (FShown && !group->IsDestroying()) SetVisible(false);
    group->Unregister(this);
  }
}

TWinControl* TSprite::SpriteGroup() const {
  return FSpriteGroup;
}

// --- Picture and transparency

void TSprite::SetPicture(TPicture* p) {
  bool wasShown = FShown && Group();
  if (wasShown) SetVisible(false);
  FPicture->Assign(p);
  if (FPicture->HasGraphic()) {
    TBitmap* bitmap = FPicture->Bitmap();
    bitmap->Transparent = true;
    bitmap->SetTransparentColor(FTransparentColor);
    SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
  }
  if (wasShown) SetVisible(true);
}

void TSprite::SetTransparentColor(TColor c) {
  bool wasShown = FShown && Group() && !IsLoading();
  if (wasShown) SetVisible(false);
  FTransparentColor = c;
  if (FPicture->HasGraphic()) FPicture->Bitmap()->SetTransparentColor(c);
  if (wasShown) SetVisible(true);
}

// --- Group

void TSprite::SetSpriteGroup(TWinControl* g) {
  auto* group = dynamic_cast<TSprites*>(g);
  if (!group) {
    ShowSpriteMessage("SpriteGroup should be a TSprites component");
    return;
  }
  if (group == FSpriteGroup) return;
  if (!group->Add(this)) ShowSpriteMessage(Format("A TSprites component holds at most %d sprites", TSprites::Capacity));
}

// --- Visibility

void TSprite::SetVisible(bool v) {
  if (IsDesigning() || v == FShown) return;
  TSprites* group = Group();
  if (!group) return;
  TCanvas& c = group->Canvas();
  TRect area = v ? GetBounds() : ShownRect();
  std::vector<TSprite*> front = ShownInFrontOn(c, area);
  if (front.empty()) {
    v ? Start(c) : Hide(c);
    return;
  }
  ComposeUnderFront(c, area, TRect{}, front,
                    [this, v](const spritecompose::TComposeTarget& t) { v ? Start(t.Canvas) : Hide(t.Canvas); });
}

std::vector<TSprite*> TSprite::ShownInFrontOn(TCanvas& c, const TRect& area) const {
  TSprites* group = Group();
  if (!group || &c != &group->Canvas()) return {};
  return group->ShownInFront(this, area);
}

// --- Geometry

TRect TSprite::GetBounds() const {
  return Bounds(Left(), Top(), FPicture->Width(), FPicture->Height());
}

TRect TSprite::ShownRect() const {
  return Bounds(Left(), Top(), FBackground->Width(), FBackground->Height());
}

bool TSprite::Contains(const TPoint& p) const {
  return GetBounds().Contains(p.X, p.Y);
}

// --- Save-under steps

bool TSprite::Start(TCanvas& c) {
  if (FShown || !FBackground) return false;
  FShown = true;
  FPicture->Bitmap()->Transparent = true;
  TRect bounds = GetBounds();
  FBackground->SetSize(bounds.Width(), bounds.Height());
  CopyPlain(FBackground->Canvas(), Rect(0, 0, bounds.Width(), bounds.Height()), c, bounds);
  Redraw(&c);
  return true;
}

bool TSprite::Hide(TCanvas& c) {
  if (!FShown || !FBackground) return false;
  FShown = false;
  // The background goes back where it was taken, at the size it was taken.
  CopyPlain(c, ShownRect(), FBackground->Canvas(), Rect(0, 0, FBackground->Width(), FBackground->Height()));
  return true;
}

bool TSprite::Redraw(TCanvas* c) {
  return Redraw(c, Left(), Top());
}

bool TSprite::Redraw(TCanvas* c, int x, int y) {
  if (FShown && c && FPicture->HasGraphic()) c->Draw(x, y, *FPicture->Bitmap());
  return FShown;
}

bool TSprite::MoveTo(TCanvas& c, int x, int y) {
  if (!FBackground) return false;
  if (std::abs(x) > PositionLimit || std::abs(y) > PositionLimit) return false;
  // A hidden sprite covers nothing: it takes the new place and leaves the canvas
  // alone (its stored background may no longer match what is on the surface).
  if (FShown) {
    TRect oldRect = ShownRect();
    TRect newRect = Bounds(x, y, FPicture->Width(), FPicture->Height());
    TRect area = UnionRect(oldRect, newRect);
    if (!area.IsEmpty()) {
      // The old place is painted over from Background: it need not be copied in.
      ComposeUnderFront(c, area, oldRect, ShownInFrontOn(c, area),
                        [&](const spritecompose::TComposeTarget& t) { MoveSteps(t, oldRect, newRect); });
    }
  }
  SetBounds(x, y, Width(), Height());
  return true;
}

void TSprite::MoveSteps(const spritecompose::TComposeTarget& t, const TRect& oldRect, const TRect& newRect) {
  // Erase the sprite, keep the clean pixels under its new place, draw it there.
  const TRect whole = Rect(0, 0, oldRect.Width(), oldRect.Height());
  const TRect fresh = Rect(0, 0, newRect.Width(), newRect.Height());
  if (!t.Pixels) {
    CopyPlain(t.Canvas, oldRect, FBackground->Canvas(), whole);
    FBackground->SetSize(fresh.Width(), fresh.Height());
    CopyPlain(FBackground->Canvas(), fresh, t.Canvas, newRect);
    Redraw(&t.Canvas, newRect.Left, newRect.Top);
    return;
  }
  // On the engine's own bitmap the same steps are direct pixel copies.
  const TPoint o = t.Offset;
  spritecompose::CopyPixels(*t.Pixels, oldRect.Left + o.X, oldRect.Top + o.Y, FBackground->Surface(), whole);
  FBackground->SetSize(fresh.Width(), fresh.Height());
  spritecompose::CopyPixels(FBackground->Surface(), 0, 0, *t.Pixels, newRect.Offset(o.X, o.Y));
  if (FPicture->HasGraphic())
    spritecompose::DrawPixels(*t.Pixels, newRect.Left + o.X, newRect.Top + o.Y, *FPicture->Bitmap());
}

void TSprite::CreateWnd() {
  if (IsDesigning()) Start(Canvas());
}
