#include "storage/TDebugHelper.h"

#include <cstdio>

#include "platform/Files.h"
#include "platform/Platform.h"

namespace {

// The platform's debugger output: standard error. A debugger shows each text as a
// message of its own; on a stream the line break keeps them apart.
void OutputDebugString(const std::string& text) {
  std::string message = text + "\n";
  std::fwrite(message.data(), 1, message.size(), stderr);
  std::fflush(stderr);
}

uint32_t TickCount() {
  return platform::HasBackend() ? platform::Backend().Clock().TickCount() : 0;
}

}  // namespace

TDebugHelper::TDebugHelper(TComponent* owner)
    : TComponent(owner), FStartTime(TickCount()), FStorage(std::make_unique<TJStorage>()) {
  FStorage->SetOwnerComponent(this);
  FStorage->SetKey("Software");
}

TDebugHelper::~TDebugHelper() {
  Stop();
  FStorage.reset();
}

bool TDebugHelper::GetActive() {
  if (IsDesigning() || FActiveOnCreation != aocFromRegistry) return FActive;
  WithOpenStorage(*FStorage, [this] {
    try {
      FActive = FStorage->ReadBool("debug", false);
    } catch (...) {
      // The value is written back even when the read failed, so that it exists.
      FStorage->WriteBool("debug", FActive);
      throw;
    }
    FStorage->WriteBool("debug", FActive);
  });
  return FActive;
}

void TDebugHelper::SetActive(bool value) {
  if (IsDesigning()) return;
  if (FActiveOnCreation != aocFromRegistry) {
    FActive = value;
    return;
  }
  WithOpenStorage(*FStorage, [this, value] { FStorage->WriteBool("debug", value); });
}

std::string TDebugHelper::LogFilePath() {
  std::string path = platform::ExecutablePath();
  if (path.size() > 260) path.resize(260);
  const size_t dot = path.rfind('.');
  const size_t slash = path.find_last_of("/\\");
  // Without a "." in the file name itself the name gets ".log" appended, rather than
  // cutting a folder name that holds a dot.
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + ".log";
  return path.substr(0, dot) + ".log";
}

std::string TDebugHelper::FormatStamp(uint32_t elapsedMs) {
  char buffer[32];
  // Ten columns, right-aligned; 0 ms shows the digit 0 (a C precision of 0 would print nothing).
  std::snprintf(buffer, sizeof buffer, "%10dms ", int32_t(elapsedMs));
  return buffer;
}

void TDebugHelper::Start() {
  // A component being designed does no file work.
  if (FStarted || IsDesigning()) return;
  FLogPath = LogFilePath();
  FLogUsable = platform::WriteWholeFile(FLogPath, "");
  FStarted = true;
}

void TDebugHelper::Stop() {
  if (!FStarted) return;
  FStarted = false;
  FLogUsable = false;
  FLogPath.clear();
}

void TDebugHelper::Output(const std::string& text) {
  if (!FStarted) {
    if (FActiveOnCreation == aocYes) FActive = true;
    if (FActiveOnCreation == aocNo) FActive = false;
    if (GetActive()) Start();
  }
  if (!FStarted || !GetActive()) return;
  const uint32_t elapsed = TickCount() - FStartTime;
  // One append per line, so that a line is never split by another writer.
  std::string line = FormatStamp(elapsed) + ":" + text + "\r\n";
  if (FLogUsable) platform::AppendToFile(FLogPath, line);
  OutputDebugString(text);
}
