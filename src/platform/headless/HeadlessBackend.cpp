#include "platform/headless/HeadlessBackend.h"

#include "platform/Png.h"

namespace platform {

namespace {

uint32_t ButtonBit(TPButton button) {
  switch (button) {
    case TPButton::Left:
      return psLeft;
    case TPButton::Right:
      return psRight;
    case TPButton::Middle:
      return psMiddle;
  }
  return 0;
}

}  // namespace

THeadlessBackend::THeadlessBackend() = default;

void THeadlessBackend::PushEvent(TPEvent event) {
  event.Time = FTime;
  FQueue.push_back(std::move(event));
}

void THeadlessBackend::PushMouse(TPEventKind kind, TPButton button, int x, int y) {
  FCursor = {FWindow.X + x, FWindow.Y + y};
  if (kind == TPEventKind::MouseDown) FButtons |= ButtonBit(button);
  if (kind == TPEventKind::MouseUp) FButtons &= ~ButtonBit(button);
  TPEvent event;
  event.Kind = kind;
  event.Button = button;
  event.X = x;
  event.Y = y;
  event.Shift = FButtons;
  PushEvent(std::move(event));
}

void THeadlessBackend::MouseMove(int x, int y) {
  PushMouse(TPEventKind::MouseMove, TPButton::Left, x, y);
}

void THeadlessBackend::MouseDown(TPButton button, int x, int y) {
  PushMouse(TPEventKind::MouseDown, button, x, y);
}

void THeadlessBackend::MouseUp(TPButton button, int x, int y) {
  PushMouse(TPEventKind::MouseUp, button, x, y);
}

void THeadlessBackend::Click(TPButton button, int x, int y) {
  MouseDown(button, x, y);
  MouseUp(button, x, y);
}

void THeadlessBackend::Wheel(int notches, int x, int y) {
  FCursor = {FWindow.X + x, FWindow.Y + y};
  TPEvent event;
  event.Kind = TPEventKind::MouseWheel;
  event.X = x;
  event.Y = y;
  event.Shift = FButtons;
  event.WheelDelta = notches * 120;
  PushEvent(std::move(event));
}

void THeadlessBackend::KeyDown(uint32_t key, uint32_t shift) {
  TPEvent event;
  event.Kind = TPEventKind::KeyDown;
  event.Key = key;
  event.Shift = shift | FButtons;
  PushEvent(std::move(event));
  if (const char typed = ControlCharForKey(key); typed && !(shift & (psCtrl | psAlt))) Char(std::string(1, typed));
}

void THeadlessBackend::KeyUp(uint32_t key, uint32_t shift) {
  TPEvent event;
  event.Kind = TPEventKind::KeyUp;
  event.Key = key;
  event.Shift = shift | FButtons;
  PushEvent(std::move(event));
}

void THeadlessBackend::Key(uint32_t key, uint32_t shift) {
  KeyDown(key, shift);
  KeyUp(key, shift);
}

void THeadlessBackend::Char(const std::string& text) {
  TPEvent event;
  event.Kind = TPEventKind::Char;
  event.Text = text;
  PushEvent(std::move(event));
}

void THeadlessBackend::ClearRecords() {
  FSounds.clear();
  FUrls.clear();
  FMessages.clear();
  FCursors.clear();
  FWindowMoves.clear();
  FPresentCount = FPresentedRects = 0;
}

bool THeadlessBackend::SavePng(const std::string& path) const {
  return WritePng(path, FPixels.data(), FWidth, FHeight, FWidth);
}

uint32_t THeadlessBackend::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return 0;
  return FPixels[size_t(y) * FWidth + x];
}

bool THeadlessBackend::Open(const TPWindowOptions& options) {
  if (options.ClientWidth <= 0 || options.ClientHeight <= 0) return false;
  FOptions = options;
  FWidth = options.ClientWidth;
  FHeight = options.ClientHeight;
  FPixels.assign(size_t(FWidth) * FHeight, 0);
  FOpen = true;
  FShown = false;
  return true;
}

void THeadlessBackend::Close() {
  FOpen = FShown = FCaptured = false;
}

void THeadlessBackend::GetWindowPos(int& x, int& y) const {
  x = FWindow.X;
  y = FWindow.Y;
}

void THeadlessBackend::SetWindowPos(int x, int y) {
  // The pointer stays where it is on the screen, as with a real window.
  FWindow = {x, y};
  FWindowMoves.push_back(FWindow);
}

void THeadlessBackend::Present(const std::vector<TPRect>& rects) {
  ++FPresentCount;
  FPresentedRects += int(rects.size());
}

bool THeadlessBackend::WaitEvent(TPEvent& event, uint32_t timeoutMs) {
  if (FQueue.empty()) return false;
  event = std::move(FQueue.front());
  FQueue.pop_front();
  return true;
}

void THeadlessBackend::SetCursor(TPStdCursor shape, const TPCursorImage* custom) {
  TCursorRecord record;
  record.Shape = custom ? TPStdCursor::Arrow : shape;
  if (custom) {
    record.Custom = true;
    record.Width = custom->Width;
    record.Height = custom->Height;
    record.HotX = custom->HotX;
    record.HotY = custom->HotY;
    record.Pixels = custom->Pixels;
  }
  if (record == FCurrentCursor) return;
  FCurrentCursor = record;
  FCursors.push_back(std::move(record));
}

void THeadlessBackend::GetCursorPos(int& x, int& y) const {
  x = FCursor.X;
  y = FCursor.Y;
}

void THeadlessBackend::GetClientOrigin(int& x, int& y) const {
  x = FWindow.X;
  y = FWindow.Y;
}

bool THeadlessBackend::OpenURL(const std::string& url) {
  FUrls.push_back(url);
  return true;
}

void THeadlessBackend::MessageBox(const std::string& text, const std::string& caption, TPMessageIcon icon) {
  FMessages.push_back({text, caption, icon});
}

void THeadlessBackend::SetOverlay(const TPImage* image, int x, int y) {
  FOverlay = image ? *image : TPImage{};
  FOverlayPos = {x, y};
}

}  // namespace platform
