#include "toolkit/forms/TApplication.h"

#include <algorithm>

#include "platform/Files.h"
#include "toolkit/forms/TForm.h"
#include "toolkit/forms/THintController.h"
#include "toolkit/forms/TMessageForm.h"
#include "toolkit/forms/TTimer.h"

TApplication* Application = new TApplication(nullptr);

namespace {
// The longest single wait when no timer runs; the loop simply waits again.
constexpr uint32_t IdleWaitMs = 60000;

uint32_t Now() {
  return platform::Backend().Clock().TickCount();
}

// The program's file name without folder and extension.
std::string ProgramName() {
  std::string path = platform::ExecutablePath();
  size_t slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  size_t dot = name.find_last_of('.');
  return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}
}  // namespace

TApplication::TApplication(TComponent* owner) : TComponent(owner) {}

TApplication::~TApplication() {
  Destroying();
  DestroyComponents();
  FHints.reset();
}

void TApplication::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FMainForm) FMainForm = nullptr;
  if (component == FWindowForm) FWindowForm = nullptr;
  if (component == FMessageForm) FMessageForm = nullptr;
}

void TApplication::DestroyForms() {
  if (FHints) FHints->Update(nullptr);
  DestroyComponents();
  FMainForm = nullptr;
  FWindowForm = nullptr;
  FTerminated = false;
  FPendingMessages.clear();
  FQuitAfterMessages = false;
}

// --- Loop

void TApplication::Run() {
  // A message box that had to open as the window itself is answered first.
  while (FMessageForm && !FMessageForm->Floating() && !FTerminated) WaitAndHandle();
  if (FMainForm && !FMainForm->HasWindow() && !FTerminated) FMainForm->Show();
  while (!FTerminated) WaitAndHandle();
}

void TApplication::WaitAndHandle() {
  ProcessMessages();
  if (FTerminated) return;
  uint32_t wait = IdleWaitMs;
  if (TimeToNextTimer(wait) && wait == 0) return;
  platform::TPEvent event;
  if (platform::Backend().Display().WaitEvent(event, std::min(wait, IdleWaitMs))) HandleEvent(event);
}

void TApplication::ProcessMessages() {
  if (!platform::HasBackend()) return;
  platform::IDisplay& display = platform::Backend().Display();
  platform::TPEvent event;
  while (display.WaitEvent(event, 0)) HandleEvent(event);
  FireDueTimers();
  PaintForms();
}

void TApplication::HandleEvent(const platform::TPEvent& event) {
  TForm* form = FWindowForm;
  if (!form) return;
  if (!RouteToMessageForm(event)) {
    try {
      form->DispatchEvent(event);
    } catch (...) {
      HandleException(form);
    }
  }
  FinishMessage();
  UpdateHint(&event);
}

void TApplication::UpdateHint(const platform::TPEvent* event) {
  using K = platform::TPEventKind;
  if (!FHints) FHints = std::make_unique<THintController>();
  if (event && (event->Kind == K::MouseDown || event->Kind == K::KeyDown || event->Kind == K::MouseWheel ||
                event->Kind == K::FocusLost))
    FHints->Cancel();
  FHints->Update(ShowHint && FWindowForm && !FTerminated && !FMessageForm ? FWindowForm : nullptr);
}

void TApplication::PaintForms() {
  TForm* form = FWindowForm;
  if (!form) return;
  try {
    form->PaintDirty();
  } catch (...) {
    HandleException(form);
  }
  if (FWindowForm == form) form->PresentChanges();
  PaintMessageForm();
}

// --- Timers

void TApplication::RegisterTimer(TTimer* timer) {
  if (std::find(FTimers.begin(), FTimers.end(), timer) == FTimers.end()) FTimers.push_back(timer);
}

void TApplication::UnregisterTimer(TTimer* timer) {
  FTimers.erase(std::remove(FTimers.begin(), FTimers.end(), timer), FTimers.end());
}

bool TApplication::TimeToNextTimer(uint32_t& ms) const {
  if (!platform::HasBackend()) return false;
  const uint32_t now = Now();
  bool any = false;
  int32_t best = 0;
  for (const TTimer* t : FTimers) {
    if (!t->Running() || t->InHandler()) continue;
    int32_t left = std::max<int32_t>(int32_t(t->Deadline() - now), 0);
    if (!any || left < best) best = left;
    any = true;
  }
  if (any) ms = uint32_t(best);
  return any;
}

void TApplication::FireDueTimers() {
  if (!platform::HasBackend()) return;
  const uint64_t pass = ++FFirePass;
  for (;;) {
    // The most overdue timer first; every timer at most once per pass, and never
    // one whose handler is still running further up the stack.
    const uint32_t now = Now();
    TTimer* next = nullptr;
    int32_t nextLeft = 0;
    for (TTimer* t : FTimers) {
      if (!t->Running() || t->InHandler() || t->FFiredPass == pass) continue;
      int32_t left = int32_t(t->Deadline() - now);
      if (left > 0) continue;
      if (!next || left < nextLeft) {
        next = t;
        nextLeft = left;
      }
    }
    if (!next) return;
    next->FFiredPass = pass;
    try {
      next->Fire(now);
    } catch (...) {
      HandleException(next);
    }
  }
}

// --- Errors

std::string TApplication::ExceptionText(const std::string& message) {
  std::string text = message;
  // Compared as unsigned bytes: letters, digits and accented letters get a full stop.
  if (!text.empty() && uint8_t(text.back()) > uint8_t('.')) text += '.';
  return text;
}

void TApplication::ShowException(const std::exception& error) {
  const auto* e = dynamic_cast<const Exception*>(&error);
  std::string text = ExceptionText(e ? e->Message() : std::string(error.what()));
  std::string caption = Title.empty() ? ProgramName() : Title;
  ShowMessageBox(text, caption);
}

void TApplication::HandleException(TObject* sender) {
  std::exception_ptr current = std::current_exception();
  if (!current) return;
  try {
    std::rethrow_exception(current);
  } catch (const std::exception& error) {
    if (OnException)
      OnException(sender, error);
    else
      ShowException(error);
  } catch (...) {
    Exception error("Unknown error");
    if (OnException)
      OnException(sender, error);
    else
      ShowException(error);
  }
}
