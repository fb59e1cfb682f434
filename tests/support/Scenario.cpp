#include "support/Scenario.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "content/LanguageTexts.h"
#include "platform/DesktopMouseSetting.h"
#include "platform/Files.h"
#ifdef _WIN32
#include "platform/win32/WindowsRegistry.h"
#else
#include "platform/posix/FileRegistry.h"
#endif
#include "support/VirtualTime.h"
#include "toolkit/forms/TApplication.h"

namespace testsupport {

namespace fs = std::filesystem;

namespace {

// The desktop's mouse setting as a test wants it: unknown unless a test says otherwise,
// so that the machine's own setting never leaks into a scenario.
class TFixedMouseSetting : public platform::TDesktopMouseSetting {
public:
  std::optional<bool> LeftHanded() override { return std::nullopt; }
};

#ifdef _WIN32
// The system's registry stands in for the per-test registry folder: the program's key
// is removed and the mouse buttons are set back to the usual before and after a test.
void ResetUserRegistry() {
  platform::RegDeleteTree(platform::HKEY_CURRENT_USER, "Software\\Quillaby Software");
  platform::HKEY mouse = platform::HKEY_NULL;
  if (platform::RegCreateKeyEx(platform::HKEY_CURRENT_USER, "Control Panel\\Mouse", 0, platform::KEY_ALL_ACCESS,
                               &mouse) == platform::ERROR_SUCCESS) {
    platform::RegSetValueEx(mouse, "SwapMouseButtons", platform::REG_SZ, reinterpret_cast<const platform::BYTE*>("0"),
                            2);
    platform::RegCloseKey(mouse);
  }
}
#endif

}  // namespace

TScenario::TScenario(TLanguageSetup languages) {
  FProgramDir = FTemp.Path() + "/program";
  FRegistryDir = FTemp.Path() + "/registry";
  FDataHome = FTemp.Path() + "/data";
  fs::create_directories(FProgramDir);
  fs::create_directories(FRegistryDir);
  if (languages == lsEnglish)
    fs::copy(fs::path(POINTRIX_SOURCE_DIR) / "languages" / "English", fs::path(FProgramDir) / "English",
             fs::copy_options::recursive);
#ifdef _WIN32
  ResetUserRegistry();
#else
  setenv("POINTRIX_REGISTRY_DIR", FRegistryDir.c_str(), 1);
  // Neither the user's own language folders nor the locale of the machine running the
  // tests have a say: a test sets them when it wants them.
  for (const char* name : {"XDG_DATA_HOME", "LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    FSavedEnvironment.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    unsetenv(name);
  }
  setenv("XDG_DATA_HOME", FDataHome.c_str(), 1);
#endif
  platform::SetExecutablePathOverride(FProgramDir + "/pointrix");
  platform::SetDesktopMouseSetting(std::make_unique<TFixedMouseSetting>());
  platform::SetBackend(&FBackend);
  // Every scenario is a fresh program: the table of language texts starts as built in.
  ResetLanguageTexts();
}

TScenario::~TScenario() {
  Application->DestroyForms();
  MainForm = nullptr;
  platform::SetBackend(nullptr);
  platform::SetExecutablePathOverride("");
  platform::SetDesktopMouseSetting(nullptr);
#ifdef _WIN32
  ResetUserRegistry();
#else
  unsetenv("POINTRIX_REGISTRY_DIR");
  for (const auto& [name, value] : FSavedEnvironment) {
    if (value)
      setenv(name.c_str(), value->c_str(), 1);
    else
      unsetenv(name.c_str());
  }
#endif
}

void TScenario::WriteProgramFile(const std::string& relativePath, const std::string& data) const {
  // Names are UTF-8, as the program's file layer takes them on every system (a narrow
  // path would be read in the system's code page on Windows).
  const std::string whole = FProgramDir + "/" + relativePath;
#ifdef _WIN32
  fs::path path(std::u8string(reinterpret_cast<const char8_t*>(whole.data()), whole.size()));
#else
  fs::path path(whole);  // bytes as they are, UTF-8 or not
#endif
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out << data;
}

bool TScenario::Start() {
  if (!Create()) return false;
  ShowWindow();
  return true;
}

bool TScenario::Create() {
  Application->Title = "Pointrix";
  try {
    Application->CreateForm(MainForm);
  } catch (const std::exception& error) {
    Application->ShowException(error);
    return false;
  }
  FForm = MainForm;
  return true;
}

void TScenario::ShowWindow() {
  FForm->Show();
  Process();
}

void TScenario::Process() {
  Application->ProcessMessages();
}

void TScenario::ZoomTo(double factor) {
  FBackend.SetZoom(factor);
  FInputZoom = factor;
  Process();
}

int TScenario::Zoomed(int n) const {
  // The last window pixel of those that show form pixel n: the one most easily mapped wrong.
  return FInputZoom > 0 ? int(std::ceil((n + 1) * FInputZoom - 1e-9)) - 1 : n;
}

void TScenario::MoveTo(int x, int y) {
  FBackend.MouseMove(Zoomed(x), Zoomed(y));
  Process();
}

void TScenario::Press(int x, int y, platform::TPButton button) {
  FBackend.MouseMove(Zoomed(x), Zoomed(y));
  FBackend.MouseDown(button, Zoomed(x), Zoomed(y));
  Process();
}

void TScenario::Release(int x, int y, platform::TPButton button) {
  FBackend.MouseMove(Zoomed(x), Zoomed(y));
  FBackend.MouseUp(button, Zoomed(x), Zoomed(y));
  Process();
}

void TScenario::Click(int x, int y, platform::TPButton button) {
  Press(x, y, button);
  Release(x, y, button);
}

void TScenario::DoubleClick(int x, int y) {
  Click(x, y);
  FBackend.Advance(50);
  Click(x, y);
}

void TScenario::Key(uint32_t virtualKey) {
  FBackend.Key(virtualKey);
  Process();
}

void TScenario::Type(const std::string& text) {
  FBackend.Char(text);
  Process();
}

void TScenario::Advance(uint32_t ms) {
  AdvanceTime(ms);
}

TGoldenResult TScenario::Golden(const std::string& name) {
  Process();
  return CompareGolden(name, FBackend.Pixels(), FBackend.Width(), FBackend.Height(), FBackend.Width());
}

}  // namespace testsupport
