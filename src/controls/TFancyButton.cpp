#include "controls/TFancyButton.h"

#include <algorithm>
#include <cctype>

#include "toolkit/forms/TControlCanvas.h"
#include "toolkit/forms/TForm.h"
#include "toolkit/forms/TScreen.h"
#include "toolkit/graphics/TImageList.h"
#include "toolkit/stdctrls/TAction.h"

namespace {

// True when c is the caption's accelerator: the character after a single '&'
// ("&&" is a literal ampersand), letter case ignored.
bool IsAccel(char c, const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return std::tolower(uint8_t(caption[i + 1])) == std::tolower(uint8_t(c));
  }
  return false;
}

TPoint PointerPos() {
  if (Screen) return Screen->CursorPos();
  TPoint p;
  if (platform::HasBackend()) platform::Backend().Display().GetCursorPos(p.X, p.Y);
  return p;
}

}  // namespace

TFancyButton::TFancyButton(TComponent* owner) : TCustomControl(owner), FGlyph(std::make_unique<TButtonGlyph>()) {
  FGlyph->OnChange = [this](TObject* sender) { GlyphChanged(sender); };
  SetBounds(0, 0, 23, 22);
  ControlStyle = (ControlStyle | csCaptureMouse | csDoubleClicks | csClickEvents) & ~csOpaque;
  FState = fbsMouseOut;
  OnKeyPress = [this](TObject* sender, char& key) { ButtonKeyPress(sender, key); };
  FTextShadowColor = clNone;
}

TFancyButton::~TFancyButton() {
  FGlyph->OnChange = nullptr;
  FGlyph.reset();
}

// --- Properties

void TFancyButton::SetState(TFancyButtonState state) {
  if (state == FState) return;
  FState = state;
  // A disabled button hears no enter or leave, so it forgets where the pointer was:
  // enabled again it rests until the pointer moves over it (never a stale hot face).
  if (state == fbsDisabled) FMouseInside = false;
  SetEnabled(state != fbsDisabled);
  FGlyph->BuildStateImage(state, false);
  Repaint();
}

void TFancyButton::SetModalResult(int value) {
  if (value < 0 || value > FancyModalResultMax) throw Exception(Format("Modal result %d out of range", value));
  FModalResult = TFancyModalResult(value);
}

void TFancyButton::SetGlyph(const TBitmap* glyph) {
  FGlyph->AssignSource(glyph);
  SizeToCell();
  Invalidate();
}

void TFancyButton::SetNumGlyphs(int value) {
  value = std::clamp(value, 1, FancyButtonStateCount);
  if (value == FGlyph->ImageCount()) return;
  FGlyph->SetImageCount(value);
  SizeToCell();
  Invalidate();
}

void TFancyButton::SizeToCell() {
  const TBitmap& source = FGlyph->Source();
  SetBounds(Left(), Top(), source.Width() / FGlyph->ImageCount(), source.Height());
}

void TFancyButton::SetTextOffsetLeft(int value) {
  FTextOffsetLeft = value;
  Invalidate();
}

void TFancyButton::SetTextOffsetTop(int value) {
  FTextOffsetTop = value;
  Invalidate();
}

void TFancyButton::SetTextShadowColor(TColor value) {
  FTextShadowColor = value;
  Invalidate();
}

void TFancyButton::GlyphChanged(TObject*) {
  Invalidate();
}

void TFancyButton::Loaded() {
  TCustomControl::Loaded();
  FGlyph->BuildStateImage(FState, false);
}

// --- Groups

void TFancyButton::SetDown(bool value) {
  if (FGroupIndex == 0) value = false;
  if (value == FDown) return;
  if (FDown && !FAllowAllUp) return;
  FDown = value;
  if (value) {
    // Shown soon; a button latched from code must not keep its old face on screen.
    if (FState != fbsExclusive) Invalidate();
    FState = fbsExclusive;
    UpdateExclusive();
  } else {
    FState = FMouseInside ? fbsUp : fbsMouseOut;
    Repaint();
  }
}

void TFancyButton::SetGroupIndex(int value) {
  if (value == FGroupIndex) return;
  FGroupIndex = value;
  UpdateExclusive();
}

void TFancyButton::SetAllowAllUp(bool value) {
  if (value == FAllowAllUp) return;
  FAllowAllUp = value;
  UpdateExclusive();
}

void TFancyButton::UpdateExclusive() {
  if (FGroupIndex == 0 || !Parent()) return;
  TMessage message{CM_BUTTONPRESSED, FGroupIndex, reinterpret_cast<intptr_t>(static_cast<TObject*>(this)), 0};
  Parent()->Broadcast(message);
}

void TFancyButton::CMButtonPressed(TMessage& message) {
  auto* sender = dynamic_cast<TFancyButton*>(reinterpret_cast<TObject*>(message.LParam));
  if (message.WParam != FGroupIndex || !sender || sender == this) return;
  if (sender->FDown && FDown) {
    FDown = false;
    FState = fbsUp;
    Invalidate();
  }
  FAllowAllUp = sender->FAllowAllUp;
}

// --- Painting

void TFancyButton::FillChecker(TCanvas& canvas, const TRect& face) {
  TBitmap pattern;
  pattern.SetSize(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) pattern.SetPixel(x, y, (x % 2) == (y % 2) ? clBtnHighlight : clBtnFace);
  canvas.Brush().SetBitmap(&pattern);
  canvas.FillRect(face);
  canvas.Brush().SetBitmap(nullptr);
}

void TFancyButton::Paint() {
  if (FState == fbsDisabled)
    FPressing = false;
  else if (FState == fbsUp || FState == fbsMouseOut)
    FState = FMouseInside ? fbsUp : fbsMouseOut;
  TCanvas& canvas = Canvas();
  canvas.Font().Assign(&Font());
  TRect face{0, 0, Width(), Height()};
  if (GetNumGlyphs() == 1) face = face.Offset(2, 2);
  TPoint offset{FTextOffsetLeft, FTextOffsetTop};
  if (FState == fbsDown || FState == fbsExclusive) {
    if (FState == fbsExclusive) FillChecker(canvas, face);
    offset = {FTextOffsetLeft + 1, FTextOffsetTop + 1};
  }
  // The toolkit draws left-to-right text only, so no reading-order flag is added.
  FGlyph->DrawFace(canvas, face, offset, Caption(), FState, FTextShadowColor, 0);
}

// --- Mouse

bool TFancyButton::InsideForTracking(int x, int y) const {
  return x >= 0 && x < ClientWidth() && y >= 0 && y <= ClientHeight();
}

void TFancyButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && FState != fbsDisabled) {
    if (!FDown) {
      FState = fbsDown;
      Invalidate();
    }
    FPressing = true;
  }
}

void TFancyButton::MouseMove(TShiftState shift, int x, int y) {
  if (FPressing) {
    TFancyButtonState next = FDown ? fbsExclusive : InsideForTracking(x, y) ? fbsDown : fbsUp;
    if (next != FState) {
      FState = next;
      Invalidate();
    }
  } else if (!FMouseInside) {
    UpdateTracking();
  }
}

void TFancyButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (!FPressing) return;
  FPressing = false;
  const bool inside = InsideForTracking(x, y);
  if (FGroupIndex == 0) {
    if (FState != fbsDisabled) FState = fbsMouseOut;
    FMouseInside = false;
    Invalidate();
  } else if (inside) {
    SetDown(!FDown);
    if (FDown) Repaint();
  } else {
    if (FDown) FState = fbsExclusive;
    Repaint();
  }
  HandModalResultToForm();
  UpdateTracking();
}

void TFancyButton::ButtonDblClk(TMouseButton button, TShiftState shift, int x, int y) {
  if (button != mbLeft) return TCustomControl::ButtonDblClk(button, shift, x, y);
  if (FDown) DblClick();
}

void TFancyButton::UpdateTracking() {
  if (FState == fbsDisabled) return;
  const bool inside = FindDragTarget(PointerPos(), true) == this;
  if (inside != FMouseInside) Perform(FMouseInside ? CM_MOUSELEAVE : CM_MOUSEENTER);
}

void TFancyButton::CMMouseEnter() {
  if (FMouseInside || FState == fbsDisabled || DragMode() == dmAutomatic || GetCaptureControl()) return;
  FMouseInside = true;
  Repaint();
}

void TFancyButton::CMMouseLeave() {
  if (!FMouseInside || FState == fbsDisabled || FPressing) return;
  FMouseInside = false;
  Invalidate();
}

// --- Action

void TFancyButton::SetAction(TAction* action) {
  if (action == FAction) return;
  if (FAction) FAction->RemoveFreeNotification(this);
  FAction = action;
  if (!FAction) return;
  FAction->FreeNotification(this);
  ActionChange(FAction, IsLoading());
}

void TFancyButton::ActionChange(TObject* sender, bool checkDefaults) {
  auto* action = dynamic_cast<TAction*>(sender);
  if (!action) return;
  if (!checkDefaults || Caption().empty()) SetCaption(action->Caption());
  if (!checkDefaults || Hint.empty()) Hint = action->Hint;
  if (!checkDefaults || FState != fbsDisabled) {
    if (!action->Enabled())
      SetState(fbsDisabled);
    else if (FState == fbsDisabled)
      SetState(fbsMouseOut);
  }
  TImageList* images = action->Images();
  if (images && FGlyph->Source().Empty() && action->ImageIndex() >= 0 && action->ImageIndex() < images->Count())
    SetBounds(Left(), Top(), images->Width(), images->Height());
}

void TFancyButton::Click() {
  if (FAction && !OnClick)
    FAction->Execute();
  else
    TCustomControl::Click();
}

void TFancyButton::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation == opRemove && component == FAction) FAction = nullptr;
}

// --- Keyboard and form

void TFancyButton::HandModalResultToForm() {
  if (auto* form = dynamic_cast<TForm*>(Owner())) form->ModalResult = FModalResult;
}

void TFancyButton::ButtonKeyPress(TObject*, char& key) {
  if (key != 13 && !(key == 27 && FModalResult == mrCancelResult)) return;
  HandModalResultToForm();
  Click();
}

void TFancyButton::CMDialogChar(TMessage& message) {
  if (IsAccel(char(message.WParam), Caption()) && FState != fbsDisabled && Visible() && Parent() && Parent()->Showing())
    Click();
}

void TFancyButton::CMSyscolorChange() {
  FGlyph->BuildStateImage(fbsDisabled, true);
  Repaint();
}

void TFancyButton::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_SYSCOLORCHANGE:
      CMSyscolorChange();
      break;
    case CM_DIALOGCHAR:
      CMDialogChar(message);
      break;
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
      Invalidate();
      break;
    case CM_MOUSEENTER:
      CMMouseEnter();
      break;
    case CM_MOUSELEAVE:
      CMMouseLeave();
      break;
    case CM_BUTTONPRESSED:
      CMButtonPressed(message);
      break;
    default:
      TCustomControl::Dispatch(message);
      break;
  }
}
