// The application's message boxes: modal state of the one loop. A box opens as the
// window itself when no window is open, else floats above the open window and takes
// all of its input until answered; boxes asked for meanwhile wait their turn.

#include <cstdio>

#include "platform/Cp1252.h"
#include "toolkit/forms/TApplication.h"
#include "toolkit/forms/TForm.h"
#include "toolkit/forms/THintController.h"
#include "toolkit/forms/TMessageForm.h"
#include "toolkit/graphics/FontEngine.h"

namespace {

// The text as one line of UTF-8 for a terminal or a log.
std::string OneLineUtf8(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r' || c == '\t') c = ' ';
  return platform::Cp1252ToUtf8(text);
}

bool IsMouseEvent(platform::TPEventKind kind) {
  using K = platform::TPEventKind;
  return kind == K::MouseMove || kind == K::MouseDown || kind == K::MouseUp || kind == K::MouseWheel ||
         kind == K::MouseLeave;
}

}  // namespace

void TApplication::ShowMessageBox(const std::string& text, const std::string& caption) {
  // Standard error first: the one place the message reaches when no box can appear.
  std::fprintf(stderr, "%s: %s\n", OneLineUtf8(caption).c_str(), OneLineUtf8(text).c_str());
  std::fflush(stderr);
  if (!platform::HasBackend()) return;
  platform::Backend().Dialogs().NoteMessage(text, caption, platform::TPMessageIcon::Error);
  FPendingMessages.push_back({text, caption});
  OpenNextMessage();
}

void TApplication::OpenNextMessage() {
  while (!FMessageForm && !FPendingMessages.empty()) {
    const TPendingMessage message = FPendingMessages.front();
    FPendingMessages.pop_front();
    auto* box = new TMessageForm(this, message.Text, message.Caption, platform::TPMessageIcon::Error);
    FMessageForm = box;
    TForm* window = FWindowForm;
    if (window && window->HasWindow()) {
      // Above the open window, centred; the window loses the input (a drag or a held
      // button ends there) and shows no tool-tips meanwhile.
      if (FHints) FHints->Cancel();
      platform::TPEvent lost;
      lost.Kind = platform::TPEventKind::FocusLost;
      try {
        window->DispatchEvent(lost);
      } catch (...) {
        // The box is about to show the first error; a second one from here is noise.
      }
      const TPoint offset = TMessageForm::ClientOffset();
      const int outerWidth = box->ClientWidth() + 2 * offset.X;
      const int outerHeight = box->ClientHeight() + offset.X + offset.Y;
      FMessageOrigin = {std::max(0, (window->ClientWidth() - outerWidth) / 2) + offset.X,
                        std::max(0, (window->ClientHeight() - outerHeight) / 2) + offset.Y};
      box->ShowFloating();
      PaintMessageForm();
      return;
    }
    try {
      FMessageOrigin = {};
      box->Show();
    } catch (const std::exception&) {
      // No window at all (no display): the messages are on standard error already.
      delete box;
      FMessageForm = nullptr;
      FPendingMessages.clear();
    }
  }
}

bool TApplication::RouteToMessageForm(const platform::TPEvent& event) {
  using K = platform::TPEventKind;
  // A key that answered a box stays the box's: the character it types and its release
  // never reach the window below (Enter would otherwise also turn the page).
  if (FAnsweringKey) {
    if (event.Kind == K::Char) return true;
    if (event.Kind == K::KeyUp && event.Key == FAnsweringKey) {
      FAnsweringKey = 0;
      return true;
    }
    if (event.Kind == K::KeyDown) FAnsweringKey = 0;
  }
  if (!FMessageForm || !FMessageForm->Floating()) return false;
  // The window keeps what concerns it as a whole: closing, exposure, activation.
  if (event.Kind == K::Close || event.Kind == K::Expose || event.Kind == K::FocusGained) return false;
  platform::TPEvent local = event;
  if (IsMouseEvent(event.Kind)) {
    local.X -= FMessageOrigin.X;
    local.Y -= FMessageOrigin.Y;
  }
  try {
    FMessageForm->DispatchEvent(local);
    if (event.Kind == K::KeyDown && FMessageForm->Answered()) FAnsweringKey = event.Key;
  } catch (...) {
    // An error inside the box itself: show it after this one.
    HandleException(FMessageForm);
  }
  return true;
}

void TApplication::PaintMessageForm() {
  if (!FMessageForm || !FMessageForm->Floating() || !platform::HasBackend()) return;
  if (!FMessageForm->HasDirtyArea() && FMessageFormShown) return;
  const platform::TPImage image = FMessageForm->FloatingImage();
  const TPoint offset = TMessageForm::ClientOffset();
  platform::Backend().Display().SetOverlay(&image, FMessageOrigin.X - offset.X, FMessageOrigin.Y - offset.Y);
  FMessageFormShown = true;
}

void TApplication::FinishMessage() {
  if (!FMessageForm || !FMessageForm->Answered()) return;
  TMessageForm* box = FMessageForm;
  FMessageForm = nullptr;
  FMessageFormShown = false;
  if (box->Floating() && platform::HasBackend()) platform::Backend().Display().SetOverlay(nullptr, 0, 0);
  box->Free();
  OpenNextMessage();
  if (!FMessageForm && FQuitAfterMessages) Terminate();
}

int TApplication::ShowStartupError(const std::exception& error) {
  FQuitAfterMessages = true;
  FTerminated = false;
  ShowException(error);
  // The same loop as Run, for as long as a box is open.
  while (FMessageForm && !FTerminated) WaitAndHandle();
  FQuitAfterMessages = false;
  return 1;
}
