#pragma once

// A fresh folder under /tmp for one test, removed with everything in it afterwards.

#include <cstdlib>
#include <filesystem>
#include <string>

class TTempFolder {
public:
  TTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "px-platform-XXXXXX").string();
    if (mkdtemp(pattern.data())) FPath = pattern;
  }
  ~TTempFolder() {
    std::error_code ignored;
    if (!FPath.empty()) std::filesystem::remove_all(FPath, ignored);
  }
  const std::string& Path() const { return FPath; }
  std::string operator/(const std::string& name) const { return FPath + "/" + name; }

private:
  std::string FPath;
};
