// Program entry: one window, one message loop. Exit code 0, or 1 when the program
// could not start (the error box has been shown and answered, or no display exists).

#include "app/TMainForm.h"
#include "platform/Platform.h"
#include "toolkit/forms/TApplication.h"
#include "platform/posix/DesktopMouse.h"

int main() {
  platform::PreventSessionBusAutolaunch();
  auto backend = platform::CreateSdlBackend();
  platform::SetBackend(backend.get());
  int exitCode = 0;
  try {
    Application->Initialize();
    Application->Title = "Pointrix";
    Application->CreateForm(MainForm);
    Application->Run();
  } catch (const Exception& error) {
    exitCode = Application->ShowStartupError(error);
  } catch (const std::exception& error) {
    exitCode = Application->ShowStartupError(error);
  }
  Application->DestroyForms();
  platform::SetBackend(nullptr);
  return exitCode;
}
