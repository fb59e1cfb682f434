#include "platform/headless/HeadlessBackend.h"

#include <algorithm>

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
  x = FView.ToSourceX(x);
  y = FView.ToSourceY(y);
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
  event.X = FView.ToSourceX(x);
  event.Y = FView.ToSourceY(y);
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
  FView.SetSource(FPixels.data(), FWidth, FHeight);
  ApplyGeometry();
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
  // The pointer stays where it is on the screen, as with a real window. Full screen,
  // the window stays put and goes there when it is restored.
  FWindowMoves.push_back({x, y});
  if (FFullScreen)
    FWindowedPos = {x, y};
  else
    FWindow = {x, y};
}

void THeadlessBackend::Present(const std::vector<TPRect>& rects) {
  ++FPresentCount;
  FPresentedRects += int(rects.size());
  if (FOpen) FView.Render(rects, FPresented.data(), FView.OutputWidth());
}

uint32_t THeadlessBackend::PresentedPixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= FView.OutputWidth() || y >= FView.OutputHeight() || FPresented.empty()) return 0;
  return FPresented[size_t(y) * FView.OutputWidth() + x];
}

bool THeadlessBackend::SavePresentedPng(const std::string& path) const {
  return WritePng(path, FPresented.data(), FView.OutputWidth(), FView.OutputHeight(), FView.OutputWidth());
}

void THeadlessBackend::ApplyGeometry() {
  if (!FOpen) return;
  if (FFullScreen)
    FView.SetGeometry(FitZoom(FWidth, FHeight, FScreenWidth, FScreenHeight), FScreenWidth, FScreenHeight);
  else
    FView.SetGeometry(FZoom, 0, 0);
  FPresented.assign(size_t(FView.OutputWidth()) * FView.OutputHeight(), 0);
  FView.RenderAll(FPresented.data(), FView.OutputWidth());
}

void THeadlessBackend::SetZoom(double factor) {
  factor = std::clamp(factor, MinZoom, MaxZoom);
  if (factor == FZoom) return;
  const int oldWidth = FView.OutputWidth(), oldHeight = FView.OutputHeight();
  FZoom = factor;
  if (!FOpen || FFullScreen) return;
  ApplyGeometry();
  // The window grows or shrinks about its centre, as the real one does.
  FWindow.X += (oldWidth - FView.OutputWidth()) / 2;
  FWindow.Y += (oldHeight - FView.OutputHeight()) / 2;
}

double THeadlessBackend::SuggestedZoom(int width, int height) {
  return ChooseZoom(width, height, FScreenWidth, FScreenHeight, FDesktopScale);
}

void THeadlessBackend::SetFullScreen(bool fullScreen) {
  if (fullScreen == FFullScreen || !FOpen) return;
  FFullScreen = fullScreen;
  if (fullScreen) {
    FWindowedPos = FWindow;
    FWindow = {0, 0};
  } else {
    FWindow = FWindowedPos;
  }
  ApplyGeometry();
}

void THeadlessBackend::SetBackdrop(uint32_t color) {
  FView.SetBackdrop(color);
  if (FFullScreen) ApplyGeometry();
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
  // The offset from the client origin in framebuffer pixels, as the events report it.
  x = FWindow.X + FView.ImageLeft() + FView.ToSourceX(FCursor.X - FWindow.X);
  y = FWindow.Y + FView.ImageTop() + FView.ToSourceY(FCursor.Y - FWindow.Y);
}

void THeadlessBackend::GetClientOrigin(int& x, int& y) const {
  x = FWindow.X + FView.ImageLeft();
  y = FWindow.Y + FView.ImageTop();
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
  const std::vector<TPRect> changed = FView.SetOverlay(image, x, y);
  if (FOpen) FView.Render(changed, FPresented.data(), FView.OutputWidth());
}

}  // namespace platform
