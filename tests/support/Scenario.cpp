#include "support/VirtualTime.h"
#include "support/Scenario.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "content/LanguageTexts.h"
#include "platform/Files.h"
#include "platform/posix/FileRegistry.h"
#include "toolkit/forms/TApplication.h"

namespace testsupport {

namespace fs = std::filesystem;

TScenario::TScenario(TLanguageSetup languages) {
  FProgramDir = FTemp.Path() + "/program";
  fs::create_directories(FProgramDir);
  if (languages == lsEnglish)
    fs::copy(fs::path(POINTRIX_SOURCE_DIR) / "languages" / "English", fs::path(FProgramDir) / "English",
             fs::copy_options::recursive);
  platform::SetExecutablePathOverride(FProgramDir + "/pointrix");
  platform::SetBackend(&FBackend);
  // Every scenario is a fresh program: the table of language texts starts empty.
  for (auto& text : LanguageTexts) text[0] = '\0';
}

TScenario::~TScenario() {
  Application->DestroyForms();
  MainForm = nullptr;
  platform::SetBackend(nullptr);
  platform::SetExecutablePathOverride("");
}

void TScenario::WriteProgramFile(const std::string& relativePath, const std::string& data) const {
  fs::path path = fs::path(FProgramDir) / relativePath;
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

void TScenario::MoveTo(int x, int y) {
  FBackend.MouseMove(x, y);
  Process();
}

void TScenario::Press(int x, int y, platform::TPButton button) {
  FBackend.MouseMove(x, y);
  FBackend.MouseDown(button, x, y);
  Process();
}

void TScenario::Release(int x, int y, platform::TPButton button) {
  FBackend.MouseMove(x, y);
  FBackend.MouseUp(button, x, y);
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
