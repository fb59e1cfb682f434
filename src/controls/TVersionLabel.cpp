#include "controls/TVersionLabel.h"

#include <cstring>
#include <vector>

#include "platform/Files.h"
#include "toolkit/core/VersionInfo.h"

TVersionLabel::TVersionLabel(TComponent* owner) : TLabel(owner) {}

std::string TVersionLabel::GetVersion() {
  if (FVersion.empty()) ReadVersion();
  return FVersion;
}

void TVersionLabel::ReadVersion() {
  try {
    const std::string path = platform::ExecutablePath();
    const uint32_t size = GetFileVersionInfoSize(path);
    if (size == 0) return;
    std::vector<uint8_t> block(size_t(size) + 1);
    if (!GetFileVersionInfo(path, size + 1, block.data())) return;
    TVersionValue translation;
    if (!VerQueryValue(block.data(), block.size(), "\\VarFileInfo\\Translation", translation) ||
        translation.Bytes.size() < 4)
      return;
    const std::vector<uint8_t>& t = translation.Bytes;
    const unsigned language = unsigned(t[0] | (t[1] << 8));
    const unsigned codePage = unsigned(t[2] | (t[3] << 8));
    const std::string subBlock = Format("\\StringFileInfo\\%04x%04x\\FileVersion", language, codePage);
    TVersionValue version;
    if (!VerQueryValue(block.data(), block.size(), subBlock, version) || !version.IsText) return;
    FVersion = version.Text.substr(0, MaxVersionLength);
  } catch (const std::exception&) {
    // No version information is not an error worth reporting: the label shows "Version ".
  }
}

void TVersionLabel::Loaded() {
  TLabel::Loaded();
  SetCaption("Version " + GetVersion());
}
