#pragma once

// A non-visual component that writes time-stamped trace lines to a log file beside
// the executable (App.exe logs to App.log) and echoes each text to the debugger
// output (standard error on this platform, one line per text). Whether it logs is decided by the
// Boolean registry value "debug" under Storage (read anew at every query, so it can
// be switched from outside the program) or fixed by ActiveOnCreation. No file is
// created until something is logged while logging is on.

#include <cstdint>
#include <memory>
#include <string>

#include "storage/TJStorage.h"
#include "toolkit/core/TComponent.h"

enum TActiveOnCreationKind : uint8_t {
  aocFromRegistry,  // on when the registry value "debug" says so
  aocYes,           // on
  aocNo,            // off
};

class TDebugHelper : public TComponent {
public:
  explicit TDebugHelper(TComponent* owner);
  // Stops (closes the log), then destroys Storage.
  ~TDebugHelper() override;
  const char* ClassName() const override { return "TDebugHelper"; }

  // The place of the "debug" switch; by default HKEY_CURRENT_USER\Software.
  TJStorage* GetStorage() const { return FStorage.get(); }
  TActiveOnCreationKind GetActiveOnCreation() const { return FActiveOnCreation; }
  void SetActiveOnCreation(TActiveOnCreationKind kind) { FActiveOnCreation = kind; }

  // Whether logging is on. From the registry this reads the switch (absent: off) and
  // writes it back, so that the value exists after the first query. Raises when
  // Storage.Key is empty in registry mode.
  bool GetActive();
  // Switches logging on or off: the flag itself, or the registry switch in registry mode.
  void SetActive(bool value);

  // Creates (replacing) the log file unless it is open or the component is being designed.
  void Start();
  // Closes the log file if it is open; a later Start empties it.
  void Stop();
  // Logs one line "<ms, 10 columns>ms :<text>\r\n" and sends text to the debugger
  // output, when logging is on; opens the log first when needed.
  void Output(const std::string& text);

  // True while the log file is open.
  bool IsStarted() const { return FStarted; }
  // The log file's path: the executable's path with its last "." part replaced by ".log".
  static std::string LogFilePath();
  // The stamp of a line logged elapsedMs after creation (signed formatting of the
  // unsigned difference, as the platform's tick arithmetic gives it).
  static std::string FormatStamp(uint32_t elapsedMs);

private:
  bool FStarted = false;
  std::string FLogPath;  // the open log file (its creation may have failed)
  bool FLogUsable = false;
  uint32_t FStartTime = 0;
  std::unique_ptr<TJStorage> FStorage;
  TActiveOnCreationKind FActiveOnCreation = aocFromRegistry;
  bool FActive = false;
};
