#pragma once

// Reads the desktop's left-handed setting by running the desktop's own tools, each with
// a short time limit, and remembers the answer for a few seconds so that repeated
// registry reads do not start programs again and again.

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "platform/posix/DesktopMouseSetting.h"

namespace platform {

// Runs a program (looked up on PATH, no shell) and returns what it wrote to standard
// output, or nothing when it could not be started, failed, or did not finish within
// timeoutMs (it is then killed). Output beyond 64 KB is cut off.
std::optional<std::string> RunCommand(const std::vector<std::string>& arguments, int timeoutMs);

// "true" / "false" as printed by `gsettings get ... left-handed`.
std::optional<bool> ParseGsettingsBoolean(const std::string& output);
// The table printed by `xmodmap -pp`: true when physical button 1 sends button 3.
std::optional<bool> ParseXmodmapSwapped(const std::string& output);

class TDesktopMouseSettingCommands : public TDesktopMouseSetting {
public:
  // Left-handed when either source says so; right-handed when at least one answered.
  std::optional<bool> LeftHanded() override;

private:
  std::optional<bool> FAnswer;
  std::chrono::steady_clock::time_point FAskedAt;
  bool FAsked = false;
};

}  // namespace platform
