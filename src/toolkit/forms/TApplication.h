#pragma once

// The application object: owns the forms, runs the message loop (platform events,
// timer ticks, painting and presenting) and shows errors that leave an event
// handler in a message box before going on.

#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "toolkit/core/TComponent.h"
#include "toolkit/core/Types.h"

class TForm;
class TMessageForm;
class TTimer;
class THintController;

using TExceptionEvent = std::function<void(TObject* sender, const std::exception& error)>;

class TApplication : public TComponent {
public:
  explicit TApplication(TComponent* owner);
  ~TApplication() override;
  const char* ClassName() const override { return "TApplication"; }

  void Initialize() {}
  // The caption of the application's message boxes.
  std::string Title;

  // Creates a form owned by the application; the first one becomes the main form.
  // ref is set before the form's constructor runs, as code in it may use it. When the
  // constructor throws, the storage is freed, ref is null again and the error goes on.
  template <class T>
  void CreateForm(T*& ref) {
    static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__, "a form needs no extended alignment");
    std::unique_ptr<void, TFreeStorage> storage(::operator new(sizeof(T)));
    ref = static_cast<T*>(storage.get());
    try {
      ::new (storage.get()) T(this);
    } catch (...) {
      ref = nullptr;
      throw;
    }
    // Constructed: from here the application owns the form as one of its components.
    storage.release();
    if (!FMainForm) FMainForm = ref;
  }
  TForm* MainForm() const { return FMainForm; }

  // Shows the main form and runs the loop until Terminate.
  void Run();
  // Handles every waiting event, due timer and paint, then returns.
  void ProcessMessages();
  // Whether controls' hints show as tool-tips at all.
  bool ShowHint = true;
  THintController* Hints() const { return FHints.get(); }
  void Terminate() { FTerminated = true; }
  bool Terminated() const { return FTerminated; }

  // Shows the error being handled (call from a catch block); the program goes on.
  void HandleException(TObject* sender);
  // A message box with the error's text (a full stop added when the last character
  // sorts after "."), the title as caption and an error icon, also written to standard
  // error as one line. Returns at once: the box is modal through the loop (see
  // MessageForm); boxes asked for while one is open follow in order.
  void ShowException(const std::exception& error);
  // For an error before the main window runs: shows it as ShowException does, runs the
  // loop until the box is answered (at once when no box can appear) and returns the
  // program's exit code, 1.
  int ShowStartupError(const std::exception& error);
  // The message box now open, or null. While one is open, the window's input goes to
  // it alone; timers and painting go on.
  TMessageForm* MessageForm() const { return FMessageForm; }
  // Where the floating box's client area sits in the window (client coordinates).
  TPoint MessageFormOrigin() const { return FMessageOrigin; }
  TExceptionEvent OnException;
  // The text ShowException shows for message.
  static std::string ExceptionText(const std::string& message);

  // --- Timers (used by TTimer).
  void RegisterTimer(TTimer* timer);
  void UnregisterTimer(TTimer* timer);
  // Runs the due timers in deadline order; each at most once per call.
  void FireDueTimers();
  // Milliseconds until the next running timer is due (0 when one is due); false when none runs.
  bool TimeToNextTimer(uint32_t& ms) const;

  // The form whose window is open on the display (it receives the platform's events).
  TForm* WindowForm() const { return FWindowForm; }
  void SetWindowForm(TForm* form) { FWindowForm = form; }
  // Paints and presents every form with pending work.
  void PaintForms();

  // Destroys every form and forgets the main form and the terminated flag.
  void DestroyForms();

  void Notification(TComponent* component, TOperation operation) override;

private:
  // Frees storage obtained from ::operator new whose object was never constructed.
  struct TFreeStorage {
    void operator()(void* memory) const { ::operator delete(memory); }
  };
  // One turn of the loop: waits for the next event or timer and handles it.
  void WaitAndHandle();
  void HandleEvent(const platform::TPEvent& event);
  void UpdateHint(const platform::TPEvent* event);
  // --- The message box state of the loop (TApplicationMessages.cpp).
  struct TPendingMessage {
    std::string Text, Caption;
  };
  // Writes the line to standard error and opens the box (or queues it behind the open one).
  void ShowMessageBox(const std::string& text, const std::string& caption);
  void OpenNextMessage();
  // Sends a window event to the floating box; false when it is not the box's.
  bool RouteToMessageForm(const platform::TPEvent& event);
  void PaintMessageForm();
  // Closes the box once answered and opens the next one.
  void FinishMessage();

  std::deque<TPendingMessage> FPendingMessages;
  TMessageForm* FMessageForm = nullptr;
  TPoint FMessageOrigin;
  bool FMessageFormShown = false;  // the floating picture is on the display
  bool FQuitAfterMessages = false;
  uint32_t FAnsweringKey = 0;  // the key that answered a box, until it is released

  TForm* FMainForm = nullptr;
  TForm* FWindowForm = nullptr;
  bool FTerminated = false;
  std::vector<TTimer*> FTimers;
  // Created on first use (its timers need the application); destroyed before FTimers.
  std::unique_ptr<THintController> FHints;
  uint64_t FFirePass = 0;
};

// The one application object of the program.
extern TApplication* Application;
