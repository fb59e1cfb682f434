#include "sprites/TSprites.h"

#include "platform/Platform.h"
#include "sprites/SpriteCompose.h"
#include "sprites/TSprite.h"
#include "toolkit/forms/TApplication.h"
#include "toolkit/forms/TControlCanvas.h"

void ShowSpriteMessage(const std::string& text, const std::string& caption) {
  if (!platform::HasBackend()) return;
  std::string title = caption.empty() && Application ? Application->Title : caption;
  platform::Backend().Dialogs().MessageBox(text, title, platform::TPMessageIcon::None);
}

TSprites::TSprites(TComponent* owner) : TCustomControl(owner) {
  ControlStyle |= csReplicatable | csAcceptsControls;
  SetBounds(Left(), Top(), 105, 105);
  for (int i = 0; i < Capacity; ++i) FZOrder[size_t(i)] = i;
  OnMouseDown = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
    SpriteMouseDown(sender, button, shift, x, y);
  };
  OnMouseMove = [this](TObject* sender, TShiftState shift, int x, int y) { SpriteMouseMove(sender, shift, x, y); };
  OnMouseUp = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
    SpriteMouseUp(sender, button, shift, x, y);
  };
}

TSprites::~TSprites() {
  for (int i = 0; i < FSpriteCount; ++i) FSpriteList[size_t(i)]->FSpriteGroup = nullptr;
  FSpriteCount = 0;
}

// --- Registration

bool TSprites::Add(TSprite* s) {
  if (!s) return false;
  for (int i = 0; i < FSpriteCount; ++i)
    if (FSpriteList[size_t(i)] == s) return true;
  if (FSpriteCount >= Capacity) return false;
  if (TSprites* previous = s->Group()) previous->RemoveSprite(s);
  // ZOrder[SpriteCount] is always SpriteCount: the new sprite goes to the back.
  FSpriteList[size_t(FSpriteCount)] = s;
  FZOrder[size_t(FSpriteCount)] = FSpriteCount;
  ++FSpriteCount;
  s->FSpriteGroup = this;
  return true;
}

bool TSprites::RemoveSprite(TSprite* s) {
  for (int i = 0; i < FSpriteCount; ++i) {
    if (FSpriteList[size_t(i)] != s) continue;
    s->SetVisible(false);
    RemoveAt(i);
    s->FSpriteGroup = nullptr;
    return true;
  }
  return false;
}

void TSprites::Unregister(TSprite* s) {
  for (int i = 0; i < FSpriteCount; ++i)
    if (FSpriteList[size_t(i)] == s) return RemoveAt(i);
}

void TSprites::RemoveAt(int index) {
  if (FSelIndex == index) {
    if (FDragging) EndDrag();
    FSelIndex = -1;
  } else if (FSelIndex > index) {
    --FSelIndex;
  }
  for (int i = index; i + 1 < FSpriteCount; ++i) FSpriteList[size_t(i)] = FSpriteList[size_t(i) + 1];
  // The stacking order loses the entry and renumbers the later registrations; the
  // freed slot at the end gets its own number back, as Add expects.
  int z = 0;
  for (int from = 0; from < FSpriteCount; ++from) {
    int entry = FZOrder[size_t(from)];
    if (entry == index) continue;
    FZOrder[size_t(z++)] = entry > index ? entry - 1 : entry;
  }
  --FSpriteCount;
  FSpriteList[size_t(FSpriteCount)] = nullptr;
  FZOrder[size_t(FSpriteCount)] = FSpriteCount;
}

void TSprites::HideSprites() {
  for (int z = FSpriteCount - 1; z >= 0; --z) FSpriteList[size_t(FZOrder[size_t(z)])]->SetVisible(false);
}

TSprite* TSprites::GetSprite(int i) const {
  return i >= 0 && i < FSpriteCount ? FSpriteList[size_t(i)] : nullptr;
}

int TSprites::ZPosition(int index) const {
  for (int z = 0; z < FSpriteCount; ++z)
    if (FZOrder[size_t(z)] == index) return z;
  return -1;
}

std::vector<TSprite*> TSprites::ShownInFront(const TSprite* s, const TRect& area) const {
  std::vector<TSprite*> front;
  for (int z = 0; z < FSpriteCount; ++z) {
    TSprite* f = FSpriteList[size_t(FZOrder[size_t(z)])];
    if (f == s) return front;
    if (f->FShown && !IntersectRect(f->ShownRect(), area).IsEmpty()) front.push_back(f);
  }
  return {};  // s is not in this group
}

// --- Painting

void TSprites::Paint() {
  TControlCanvas& canvas = Canvas();
  canvas.Font().Assign(&Font());
  canvas.Brush().Color = Color();
  if (IsDesigning()) {
    TPenStyle penStyle = canvas.Pen().Style;
    TBrushStyle brushStyle = canvas.Brush().Style;
    canvas.Pen().Style = psDash;
    canvas.Brush().Style = bsClear;
    canvas.Rectangle(0, 0, Width(), Height());
    canvas.Pen().Style = penStyle;
    canvas.Brush().Style = brushStyle;
  }
  if (OnPaint) OnPaint(this);
  for (int z = FSpriteCount - 1; z >= 0; --z) {
    TSprite* s = FSpriteList[size_t(FZOrder[size_t(z)])];
    if (IsDesigning())
      s->Paint();
    else
      s->Redraw(&canvas);
  }
}

void TSprites::BringToFront(int index) {
  if (index < 0 || index >= FSpriteCount || FZOrder[0] == index) return;
  int position = ZPosition(index);
  if (position < 0) return;
  for (int z = position; z > 0; --z) FZOrder[size_t(z)] = FZOrder[size_t(z) - 1];
  FZOrder[0] = index;
  const int touched = position + 1;
  auto sprite = [this](int z) { return FSpriteList[size_t(FZOrder[size_t(z)])]; };

  TRect area = Rect(0, 0, 1, 1);
  for (int z = 0; z < touched; ++z) {
    area = UnionRect(area, sprite(z)->GetBounds());
    if (sprite(z)->Shown()) area = UnionRect(area, sprite(z)->ShownRect());
  }
  // Take the touched sprites off in the order they were stacked, front first (new
  // positions 1 .. touched - 1, then the picked one), so that each puts back pixels
  // that no sprite still on the buffer was drawn over; then put them on again in
  // the new order, back first, so the picked sprite ends on top.
  spritecompose::ComposeArea(Canvas(), area, [&](const spritecompose::TComposeTarget& t) {
    for (int z = 1; z < touched; ++z) sprite(z)->Hide(t.Canvas);
    sprite(0)->Hide(t.Canvas);
    for (int z = touched - 1; z >= 0; --z) sprite(z)->Start(t.Canvas);
  });
}

// --- Mouse

void TSprites::SpriteMouseDown(TObject*, TMouseButton, TShiftState, int x, int y) {
  if (FDragging) return;
  FSelIndex = -1;
  for (int z = 0; z < FSpriteCount; ++z) {
    int index = FZOrder[size_t(z)];
    TSprite* s = FSpriteList[size_t(index)];
    if (s->Enabled() && s->Contains({x, y})) {
      FSelIndex = index;
      break;
    }
  }
  if (FSelIndex < 0) return;
  BringToFront(FSelIndex);
  TSprite* s = FSpriteList[size_t(FSelIndex)];
  FSavedCursor = Cursor();
  SetCursor(crNone);
  SetMouseCapture(true);
  FGrabOffset = {x - s->Left(), y - s->Top()};
  FDragging = true;
}

void TSprites::SpriteMouseMove(TObject*, TShiftState, int x, int y) {
  if (!FDragging) return;
  TSprite* s = GetSprite(FSelIndex);
  if (!s || !s->MoveTo(Canvas(), x - FGrabOffset.X, y - FGrabOffset.Y)) ShowSpriteMessage("moveto failed", "Error");
}

void TSprites::SpriteMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  if (FDragging) EndDrag();
}

void TSprites::EndDrag() {
  SetCursor(FSavedCursor);
  SetMouseCapture(false);
  FDragging = false;
}
