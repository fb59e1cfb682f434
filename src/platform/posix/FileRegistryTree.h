#pragma once

// The in-memory form of one registry hive: a tree of keys, each with an ordered list of
// typed values. Names compare without regard to ASCII letter case and keep the case they
// were created with. Sub-keys are kept sorted, values in the order they were first set.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace platform {

// Limits of the registry; a name or path beyond them is refused, which also bounds the
// recursion depth of everything that walks a tree.
constexpr size_t RegMaxKeyDepth = 512;
constexpr size_t RegMaxKeyNameLength = 255;
constexpr size_t RegMaxValueNameLength = 16383;

// True when a and b are equal apart from ASCII letter case.
bool SameRegName(const std::string& a, const std::string& b);

// Orders names as SameRegName compares them.
struct TRegNameLess {
  bool operator()(const std::string& a, const std::string& b) const;
};

// A key path below a root, one name per level.
using TRegPath = std::vector<std::string>;

// Splits a '\'-separated path. One leading and one trailing '\' are ignored; the empty
// path names the key itself. False for an empty level or an invalid key name.
bool SplitRegPath(const std::string& text, TRegPath& path);

// A key name is 1 to 255 bytes without '\' and without control characters.
bool IsValidRegKeyName(const std::string& name);
// A value name is at most 16383 bytes without zero bytes or line breaks.
bool IsValidRegValueName(const std::string& name);

struct TRegValue {
  std::string Name;
  DWORD Type = REG_NONE;
  std::string Data;  // the value's bytes as stored
  friend bool operator==(const TRegValue&, const TRegValue&) = default;
};

// Lines of a hive file that could not be read, kept in their key to be written back as
// they were: after the first After values of the key, or at one of the places below.
struct TRegVerbatim {
  static constexpr size_t BeforeEverything = size_t(-2);  // the root's lines before any key
  static constexpr size_t AfterLastValue = size_t(-1);    // after every value of the key
  size_t After = AfterLastValue;
  std::string Text;  // one or more lines, separated by '\n'
  friend bool operator==(const TRegVerbatim&, const TRegVerbatim&) = default;
};

class TRegKey {
public:
  using TSubKeys = std::map<std::string, std::unique_ptr<TRegKey>, TRegNameLess>;

  TRegKey() = default;
  explicit TRegKey(std::string name) : FName(std::move(name)) {}

  const std::string& Name() const { return FName; }
  const std::vector<TRegValue>& Values() const { return FValues; }
  const TSubKeys& SubKeys() const { return FSubKeys; }
  const std::vector<TRegVerbatim>& Verbatim() const { return FVerbatim; }
  bool IsEmpty() const { return FValues.empty() && FSubKeys.empty() && FVerbatim.empty(); }
  // Kept lines are ordered as they are written: by After, then in the order they came.
  void AddVerbatim(size_t after, std::string text);

  TRegKey* FindSubKey(const std::string& name) const;
  // Returns the sub-key of that name, creating it when absent.
  TRegKey& AddSubKey(const std::string& name);
  void DeleteSubKey(const std::string& name);

  // The key at path below this one; null when some level is missing.
  TRegKey* Find(const TRegPath& path);
  // The key at path below this one, creating missing levels.
  TRegKey& Create(const TRegPath& path);

  const TRegValue* FindValue(const std::string& name) const;
  // Replaces the data and type of an existing value (keeping its place and the case of its
  // name) or appends a new one.
  void SetValue(const std::string& name, DWORD type, std::string data);
  void DeleteValue(const std::string& name);

  std::unique_ptr<TRegKey> Clone() const;
  // Same names (exact case), values in the same order, same kept lines, same sub-keys.
  bool SameContent(const TRegKey& other) const;

private:
  std::string FName;
  std::vector<TRegValue> FValues;
  TSubKeys FSubKeys;
  std::vector<TRegVerbatim> FVerbatim;
};

}  // namespace platform
