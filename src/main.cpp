// Program entry: one window, one message loop, exit code 0 in every case.

#include "app/TMainForm.h"
#include "platform/Platform.h"
#include "platform/posix/DesktopMouse.h"
#include "toolkit/TApplication.h"

int main() {
  platform::PreventSessionBusAutolaunch();
  auto backend = platform::CreateSdlBackend();
  platform::SetBackend(backend.get());
  try {
    Application->Initialize();
    Application->Title = "Pointrix";
    Application->CreateForm(MainForm);
    Application->Run();
  } catch (const Exception& error) {
    Application->ShowException(error);
  } catch (const std::exception& error) {
    Application->ShowException(error);
  }
  Application->DestroyForms();
  platform::SetBackend(nullptr);
  return 0;
}
