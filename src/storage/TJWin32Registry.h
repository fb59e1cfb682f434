#pragma once

// The registry connection of an open TJStorage: one key opened with full access below the
// storage's root. Every read and write reports success as a Boolean and never raises; a
// read leaves its out-parameter untouched unless it succeeded.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Registry.h"
#include "toolkit/core/TComponent.h"

class TJStorage;

class TJWin32Registry : public TObject {
public:
  TJWin32Registry() = default;
  // Closes an open connection (flushing the key).
  ~TJWin32Registry() override;
  TJWin32Registry(const TJWin32Registry&) = delete;
  TJWin32Registry& operator=(const TJWin32Registry&) = delete;

  const char* ClassName() const override { return "TJWin32Registry"; }

  // Opens storage.Key below storage's root; a missing key is created by the first write.
  // Raises "Cannot open registry because TJStorage.Key is blank" for an empty key. When the
  // key can neither be opened nor created reads fail and writes are lost. Does nothing
  // when a connection exists.
  void Open(const TJStorage& storage);
  // Flushes the key to disk when something was written, and releases it.
  void Close();
  bool IsOpen() const { return FOpen; }

  bool ReadString(const std::string& name, std::string& text);
  bool ReadInteger(const std::string& name, int32_t& value);
  bool ReadBool(const std::string& name, bool& value);
  bool WriteString(const std::string& name, const std::string& text);
  bool WriteInteger(const std::string& name, int32_t value);
  bool WriteBool(const std::string& name, bool value);

private:
  struct TConnection {
    platform::HKEY Root = platform::HKEY_NULL;
    std::string Path;
    platform::HKEY Key = platform::HKEY_NULL;  // null until the key exists and is opened
    bool Written = false;
  };

  // Opens the key for a write, creating it when absent; false when it cannot be reached.
  bool KeyForWriting();

  bool FOpen = false;
  std::unique_ptr<TConnection> FConnection;
};
