#include "toolkit/stdctrls/TCustomEdit.h"

#include <algorithm>
#include <cctype>
#include <climits>

#include "toolkit/core/TTemporaryChange.h"
#include "toolkit/forms/TControlCanvas.h"
#include "toolkit/stdctrls/TPanel.h"

namespace {
// Pixels between the frame and the text.
constexpr int TextMargin = 1;

char ApplyCase(char c, TEditCharCase charCase) {
  unsigned char u = static_cast<unsigned char>(c);
  if (charCase == ecUpperCase && u < 128) return char(std::toupper(u));
  if (charCase == ecLowerCase && u < 128) return char(std::tolower(u));
  return c;
}
}  // namespace

TCustomEdit::TCustomEdit(TComponent* owner) : TCustomControl(owner) {
  ControlStyle |= csOpaque;
  TabStop = true;
  SetCursor(crIBeam);
  SetBounds(0, 0, 121, 21);
  SetColor(clWindow);
}

// --- The window

void TCustomEdit::CreateParams(TCreateParams& params) {
  params.WinClassName = "EDIT";
  params.Style = WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL;
  if (FAlignment == taRightJustify) params.Style |= ES_RIGHT;
  if (FAlignment == taCenter) params.Style |= ES_CENTER;
  if (FReadOnly) params.Style |= ES_READONLY;
  if (FCharCase == ecUpperCase) params.Style |= ES_UPPERCASE;
  if (FCharCase == ecLowerCase) params.Style |= ES_LOWERCASE;
  if (FPasswordChar) params.Style |= ES_PASSWORD;
  params.ExStyle = FBorderStyle == ebsSingle ? WS_EX_CLIENTEDGE : 0;
}

void TCustomEdit::CreateWnd() {
  FParams = TCreateParams{};
  CreateParams(FParams);
  FHandleAllocated = true;
  ScrollToCaret();
  Invalidate();
}

void TCustomEdit::HandleNeeded() {
  if (!FHandleAllocated) CreateWnd();
}

void TCustomEdit::RecreateWnd() {
  if (FHandleAllocated) CreateWnd();
}

void TCustomEdit::SetParent(TWinControl* parent) {
  TCustomControl::SetParent(parent);
  if (parent && !IsLoading()) HandleNeeded();
}

void TCustomEdit::Loaded() {
  TCustomControl::Loaded();
  HandleNeeded();
}

void TCustomEdit::SetAlignment(TAlignment alignment) {
  if (alignment == FAlignment) return;
  FAlignment = alignment;
  RecreateWnd();
}

void TCustomEdit::SetBorderStyle(TEditBorderStyle style) {
  if (style == FBorderStyle) return;
  FBorderStyle = style;
  RecreateWnd();
}

void TCustomEdit::SetReadOnly(bool readOnly) {
  if (readOnly == FReadOnly) return;
  FReadOnly = readOnly;
  RecreateWnd();
}

void TCustomEdit::SetCharCase(TEditCharCase charCase) {
  if (charCase == FCharCase) return;
  FCharCase = charCase;
  std::string text = Text();
  for (char& c : text) c = ApplyCase(c, charCase);
  SetText(text);
  RecreateWnd();
}

void TCustomEdit::SetPasswordChar(char c) {
  if (c == FPasswordChar) return;
  FPasswordChar = c;
  RecreateWnd();
  Invalidate();
}

// --- Selection and text

int TCustomEdit::SelStart() const {
  return std::min(FCaret, FAnchor);
}
int TCustomEdit::SelLength() const {
  return std::abs(FCaret - FAnchor);
}

void TCustomEdit::SetSelStart(int start) {
  start = std::clamp(start, 0, int(Text().size()));
  FCaret = FAnchor = start;
  ScrollToCaret();
  Invalidate();
}

void TCustomEdit::SetSelLength(int length) {
  int start = SelStart();
  FAnchor = start;
  FCaret = std::clamp(start + std::max(length, 0), 0, int(Text().size()));
  ScrollToCaret();
  Invalidate();
}

std::string TCustomEdit::SelText() const {
  return Text().substr(size_t(SelStart()), size_t(SelLength()));
}

void TCustomEdit::SetSelText(const std::string& text) {
  std::string s = Text();
  int start = SelStart();
  s.replace(size_t(start), size_t(SelLength()), text);
  SetTextInternal(s, start + int(text.size()));
}

void TCustomEdit::SelectAll() {
  FAnchor = 0;
  FCaret = int(Text().size());
  ScrollToCaret();
  Invalidate();
}

void TCustomEdit::SetTextInternal(const std::string& text, int caret) {
  if (text == Text()) {
    FCaret = FAnchor = caret;
    ScrollToCaret();
    Invalidate();
    return;
  }
  TTemporaryChange<bool> editing(FEditing, true);
  FPendingCaret = caret;
  SetText(text);
}

void TCustomEdit::TextChanged() {
  // Text set by the program puts the caret before the first character, as a native edit does.
  FCaret = FAnchor = FEditing ? FPendingCaret : 0;
  FCaret = FAnchor = std::clamp(FCaret, 0, int(Text().size()));
  if (FEditing) Modified = true;
  ScrollToCaret();
  TCustomControl::TextChanged();
  Change();
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

// --- Geometry of the text

std::string TCustomEdit::DisplayText() const {
  if (FPasswordChar) return std::string(Text().size(), FPasswordChar);
  return Text();
}

TRect TCustomEdit::TextRect() const {
  int frame = (FHandleAllocated ? (FParams.ExStyle & WS_EX_CLIENTEDGE) : FBorderStyle == ebsSingle) ? 2 : 0;
  int m = frame + TextMargin;
  return {m, frame + TextMargin, std::max(m, Width() - m), std::max(m, Height() - frame)};
}

int TCustomEdit::TextWidth(const std::string& text) {
  TCanvas measure;
  measure.Font().Assign(&Font());
  return measure.TextWidth(text);
}

int TCustomEdit::TextStartX() {
  TRect area = TextRect();
  int width = TextWidth(DisplayText());
  if (width >= area.Width()) return area.Left - FScroll;
  uint32_t style = FHandleAllocated ? FParams.Style : 0;
  if (style & ES_RIGHT) return area.Right - width - 1;
  if (style & ES_CENTER) return area.Left + (area.Width() - width) / 2;
  return area.Left;
}

void TCustomEdit::ScrollToCaret() {
  TRect area = TextRect();
  std::string text = DisplayText();
  int width = TextWidth(text);
  if (width < area.Width()) {
    FScroll = 0;
    return;
  }
  int caretX = TextWidth(text.substr(0, size_t(std::clamp(FCaret, 0, int(text.size())))));
  if (caretX < FScroll) FScroll = caretX;
  if (caretX - FScroll > area.Width() - 1) FScroll = caretX - area.Width() + 1;
  FScroll = std::clamp(FScroll, 0, std::max(0, width - area.Width() + 1));
}

int TCustomEdit::XFromPos(int pos) {
  std::string text = DisplayText();
  pos = std::clamp(pos, 0, int(text.size()));
  return TextStartX() + TextWidth(text.substr(0, size_t(pos)));
}

int TCustomEdit::PosFromX(int x) {
  std::string text = DisplayText();
  int start = TextStartX();
  int best = 0, bestDistance = INT_MAX;
  for (int pos = 0; pos <= int(text.size()); ++pos) {
    int distance = std::abs(start + TextWidth(text.substr(0, size_t(pos))) - x);
    if (distance < bestDistance) best = pos, bestDistance = distance;
  }
  return best;
}

void TCustomEdit::MoveCaret(int pos, bool extend) {
  FCaret = std::clamp(pos, 0, int(Text().size()));
  if (!extend) FAnchor = FCaret;
  ScrollToCaret();
  Invalidate();
}

// --- Painting

void TCustomEdit::Paint() {
  HandleNeeded();
  TCanvas& canvas = Canvas();
  TRect r = ClientRect();
  if (FParams.ExStyle & WS_EX_CLIENTEDGE) {
    Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 1);
    Frame3D(canvas, r, cl3DDkShadow, cl3DLight, 1);
  }
  canvas.Brush().Style = bsSolid;
  canvas.Brush().Color = ColorToRGB(Color());
  canvas.FillRect(r);

  const TRect area = TextRect();
  const std::string text = DisplayText();
  const int x = TextStartX();
  canvas.Font().Assign(&Font());
  if (!Enabled()) canvas.Font().SetColor(clGrayText);
  canvas.Brush().Style = bsClear;
  canvas.TextRect(area, x, area.Top, text);

  const bool focused = Focused();
  if (SelLength() > 0 && (focused || !HideSelection)) {
    TRect sel{XFromPos(SelStart()), area.Top, XFromPos(SelStart() + SelLength()), area.Top + canvas.TextHeight("Ag")};
    sel = IntersectRect(sel, area);
    canvas.Brush().Style = bsSolid;
    canvas.Brush().Color = ColorToRGB(clHighlight);
    canvas.FillRect(sel);
    canvas.Brush().Style = bsClear;
    canvas.Font().SetColor(clHighlightText);
    canvas.TextRect(sel, x, area.Top, text);
  }
  if (focused && Enabled()) {
    int cx = XFromPos(FCaret);
    TRect caret = IntersectRect({cx, area.Top, cx + 1, area.Top + canvas.TextHeight("Ag")}, area);
    canvas.Brush().Style = bsSolid;
    canvas.Brush().Color = ColorToRGB(Font().Color());
    canvas.FillRect(caret);
  }
  canvas.Brush().Style = bsSolid;
}

// --- Keyboard and mouse

void TCustomEdit::KeyDown(uint16_t& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  const bool extend = shift & ssShift;
  const int length = int(Text().size());
  switch (key) {
    case VK_LEFT:
      if (!extend && SelLength() > 0)
        MoveCaret(SelStart(), false);
      else
        MoveCaret(FCaret - 1, extend);
      break;
    case VK_RIGHT:
      if (!extend && SelLength() > 0)
        MoveCaret(SelStart() + SelLength(), false);
      else
        MoveCaret(FCaret + 1, extend);
      break;
    case VK_HOME:
      MoveCaret(0, extend);
      break;
    case VK_END:
      MoveCaret(length, extend);
      break;
    case VK_DELETE:
      if (FReadOnly) break;
      if (SelLength() == 0 && FCaret < length) FAnchor = FCaret + 1;
      SetSelText("");
      break;
    default:
      return;
  }
  key = 0;
}

void TCustomEdit::KeyPress(char& key) {
  TCustomControl::KeyPress(key);
  if (key == 0 || FReadOnly) return;
  if (key == VK_BACK) {
    if (SelLength() == 0 && FCaret > 0) FAnchor = FCaret - 1;
    SetSelText("");
    key = 0;
    return;
  }
  const unsigned char u = static_cast<unsigned char>(key);
  if (u < 32 || u == 127) return;
  const int newLength = int(Text().size()) - SelLength() + 1;
  if (FMaxLength > 0 && newLength > FMaxLength) return;
  SetSelText(std::string(1, ApplyCase(key, FCharCase)));
  key = 0;
}

void TCustomEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    if (!Focused() && CanFocus()) SetFocus();
    MoveCaret(PosFromX(x), shift & ssShift);
    FSelecting = true;
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomEdit::MouseMove(TShiftState shift, int x, int y) {
  if (FSelecting && (shift & ssLeft)) MoveCaret(PosFromX(x), true);
  TCustomControl::MouseMove(shift, x, y);
}

void TCustomEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) FSelecting = false;
  TCustomControl::MouseUp(button, shift, x, y);
}

void TCustomEdit::DoEnter() {
  if (AutoSelect) SelectAll();
  Invalidate();
  TCustomControl::DoEnter();
}

void TCustomEdit::DoExit() {
  FSelecting = false;
  Invalidate();
  TCustomControl::DoExit();
}
