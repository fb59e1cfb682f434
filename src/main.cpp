// Program entry: one window, one message loop; exit code 0, or 1 when start-up failed.

#include "app/TMainForm.h"
#include "platform/Platform.h"
#include "toolkit/TApplication.h"

int main() {
  auto backend = platform::CreateSdlBackend();
  platform::SetBackend(backend.get());
  int status = 0;
  try {
    Application->Initialize();
    Application->Title = "Pointrix";
    Application->CreateForm(MainForm);
    Application->Run();
  } catch (const Exception& error) {
    Application->ShowException(error);
    status = 1;
  } catch (const std::exception& error) {
    Application->ShowException(error);
    status = 1;
  }
  Application->DestroyForms();
  platform::SetBackend(nullptr);
  return status;
}
