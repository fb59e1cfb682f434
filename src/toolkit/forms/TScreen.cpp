#include "toolkit/forms/TScreen.h"

#include "toolkit/core/Resources.h"
#include "toolkit/forms/TApplication.h"
#include "toolkit/forms/TForm.h"
#include "toolkit/graphics/formats/CurDecoder.h"

TScreen* Screen = new TScreen(nullptr);

TScreen::TScreen(TComponent* owner) : TComponent(owner) {}

void TScreen::SetCursor(TCursor cursor) {
  if (cursor == FCursor) return;
  FCursor = cursor;
  // The new shape shows at once, wherever the pointer is.
  if (Application && Application->WindowForm()) Application->WindowForm()->UpdateCursor();
}

void TScreen::SetCursorImage(TCursor slot, const platform::TPCursorImage& image) {
  if (slot <= 0) throw Exception(Format("Cursor number %d is reserved for the standard cursors", slot));
  FImages[slot] = image;
  // A changed image in the slot on show must be set again.
  if (FApplied && FAppliedCursor == slot) FApplied = false;
}

void TScreen::LoadCursorFromResource(TCursor slot, const std::string& name) {
  TResourceData data = ResourceBytes("cur", name);
  SetCursorImage(slot, DecodeCursor(data.Data, data.Size));
}

const platform::TPCursorImage* TScreen::CursorImage(TCursor slot) const {
  auto it = FImages.find(slot);
  return it == FImages.end() ? nullptr : &it->second;
}

platform::TPStdCursor TScreen::StandardShape(TCursor cursor) {
  using S = platform::TPStdCursor;
  switch (cursor) {
    case crNone:
      return S::None;
    case crCross:
      return S::Cross;
    case crIBeam:
      return S::IBeam;
    case crSizeAll:
      return S::SizeAll;
    case crSizeNESW:
    case crSizeNWSE:
      return S::SizeAll;
    case crSizeNS:
    case crVSplit:
      return S::SizeNS;
    case crSizeWE:
    case crHSplit:
      return S::SizeWE;
    case crUpArrow:
      return S::UpArrow;
    case crHourGlass:
    case crSQLWait:
      return S::Wait;
    case crNoDrop:
    case crNo:
      return S::No;
    case crAppStart:
      return S::AppStarting;
    case crHelp:
      return S::Help;
    case crHandPoint:
      return S::Hand;
    default:
      return S::Arrow;
  }
}

void TScreen::ApplyCursor(TCursor cursor) {
  const platform::TPCursorImage* image = cursor > 0 ? CursorImage(cursor) : nullptr;
  if (FApplied && cursor == FAppliedCursor && image == FAppliedImage) return;
  if (!platform::HasBackend()) return;
  platform::Backend().Display().SetCursor(StandardShape(cursor), image);
  FApplied = true;
  FAppliedCursor = cursor;
  FAppliedImage = image;
}

TPoint TScreen::CursorPos() const {
  TPoint p;
  if (platform::HasBackend()) platform::Backend().Display().GetCursorPos(p.X, p.Y);
  return p;
}
