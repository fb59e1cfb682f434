#pragma once

// Runs the real main window from the real layout on the headless backend: a
// temporary program folder (the executable path points into it, so language
// folders are looked up there), a temporary registry, input at window
// coordinates through the normal dispatch path, a virtual clock and snapshots.
//
//   TScenario s;                       // program folder with a copy of languages/English
//   s.Start();                         // creates and shows TMainForm
//   s.Click(420, 420); s.Advance(100);
//   EXPECT_GOLDEN(s, "start-window");

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/TMainForm.h"
#include "platform/headless/HeadlessBackend.h"
#include "registry/TempRegistryFolder.h"
#include "support/Golden.h"

namespace testsupport {

enum TLanguageSetup : uint8_t { lsEnglish, lsNone };

class TScenario {
public:
  explicit TScenario(TLanguageSetup languages = lsEnglish);
  ~TScenario();
  TScenario(const TScenario&) = delete;
  TScenario& operator=(const TScenario&) = delete;

  // The folder the program believes it runs from, and the registry folder.
  const std::string& ProgramDir() const { return FProgramDir; }
  const std::string& RegistryDir() const { return FRegistry.Path(); }
  // Writes a file below the program folder (folders are created as needed).
  void WriteProgramFile(const std::string& relativePath, const std::string& data) const;

  // Creates the main window as the program entry does and shows it. False when
  // start-up failed; the error's message box is then in Backend().Messages().
  bool Start();
  // Start in two steps: Create builds the window without showing it (false when
  // start-up failed, with the error's message box recorded), ShowWindow shows it.
  bool Create();
  void ShowWindow();
  TMainForm& Form() const { return *FForm; }
  platform::THeadlessBackend& Backend() { return FBackend; }

  // Input at window client coordinates; each call processes the events it caused.
  void MoveTo(int x, int y);
  void Press(int x, int y, platform::TPButton button = platform::TPButton::Left);
  void Release(int x, int y, platform::TPButton button = platform::TPButton::Left);
  void Click(int x, int y, platform::TPButton button = platform::TPButton::Left);
  void DoubleClick(int x, int y);
  void Key(uint32_t virtualKey);
  void Type(const std::string& text);
  // Runs the loop for ms milliseconds of virtual time, firing timers on their deadlines.
  void Advance(uint32_t ms);
  // Handles pending events, due timers and painting now.
  void Process();

  // A component of the window by name (letter case ignored), as class T; fails the test when absent.
  template <class T>
  T* Find(const std::string& name) const {
    T* found = dynamic_cast<T*>(FForm->FindComponent(name));
    EXPECT_NE(found, nullptr) << "no " << name;
    return found;
  }

  // Compares the window's framebuffer with the golden image of this name.
  TGoldenResult Golden(const std::string& name);

private:
  TTempDir FTemp;
  // The registry folder, with the desktop's left-handed setting unknown so that the
  // machine's own setting never leaks into a scenario.
  TTempRegistryFolder FRegistry;
  std::string FProgramDir;
  platform::THeadlessBackend FBackend;
  TMainForm* FForm = nullptr;
};

}  // namespace testsupport

#define EXPECT_GOLDEN(scenario, name)                            \
  do {                                                           \
    auto goldenResult_ = (scenario).Golden(name);                \
    EXPECT_TRUE(goldenResult_.Matched) << goldenResult_.Message; \
  } while (0)
