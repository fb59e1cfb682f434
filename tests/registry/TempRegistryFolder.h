#pragma once

// A temporary registry for one test: POINTRIX_REGISTRY_DIR points at a fresh folder while
// the object lives, and the desktop's left-handed setting is faked (unknown by default).

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "platform/posix/FileRegistry.h"
#include "platform/posix/FileRegistryFormat.h"

class TFakeMouseSetting : public platform::TDesktopMouseSetting {
public:
  explicit TFakeMouseSetting(std::optional<bool> answer) : FAnswer(answer) {}
  std::optional<bool> LeftHanded() override { return FAnswer; }

private:
  std::optional<bool> FAnswer;
};

class TTempRegistryFolder {
public:
  TTempRegistryFolder() {
    char pattern[] = "/tmp/px-registry-XXXXXX";
    FPath = mkdtemp(pattern);
    if (const char* old = getenv("POINTRIX_REGISTRY_DIR")) FOld = old;
    setenv("POINTRIX_REGISTRY_DIR", FPath.c_str(), 1);
    FakeLeftHanded(std::nullopt);
  }
  ~TTempRegistryFolder() {
    platform::FlushRegistry();
    platform::SetDesktopMouseSetting(nullptr);
    if (FOld)
      setenv("POINTRIX_REGISTRY_DIR", FOld->c_str(), 1);
    else
      unsetenv("POINTRIX_REGISTRY_DIR");
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
  }

  const std::string& Path() const { return FPath; }
  std::string UserHive() const { return FPath + "/HKEY_CURRENT_USER.reg"; }
  std::string MachineFolder() const { return FPath + "/machine"; }
  // The current user's hive as it is on disk now; the test fails when it does not parse.
  platform::TRegKey UserHiveOnDisk() const {
    platform::TRegKey root;
    std::string error;
    EXPECT_TRUE(platform::ParseRegFile(ReadFile(UserHive()), "HKEY_CURRENT_USER", root, error)) << error;
    return root;
  }

  void FakeLeftHanded(std::optional<bool> answer) {
    platform::SetDesktopMouseSetting(std::make_unique<TFakeMouseSetting>(answer));
  }

  static std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }
  static void WriteFile(const std::string& path, const std::string& data) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << data;
  }

private:
  std::string FPath;
  std::optional<std::string> FOld;
};
