#include "platform/posix/FileRegistryFormat.h"

#include <cstdio>
#include <string_view>

namespace platform {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view Trim(std::string_view s) {
  s = TrimLeft(s);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && SameRegName(std::string(s.substr(0, prefix.size())), std::string(prefix));
}

// Reads 1 to maxDigits hex digits from the front of s.
bool TakeHex(std::string_view& s, size_t maxDigits, uint32_t& value) {
  size_t n = 0;
  value = 0;
  while (n < s.size() && n < maxDigits && HexDigit(s[n]) >= 0) value = value * 16 + uint32_t(HexDigit(s[n++]));
  s.remove_prefix(n);
  return n > 0;
}

class TRegFileParser {
public:
  TRegFileParser(const std::string& text, const std::string& rootName, TRegKey& root)
      : FText(text), FRootName(rootName), FRoot(root) {}

  bool Run(std::string& error) {
    std::string_view line;
    if (FText.compare(0, 3, "\xEF\xBB\xBF") == 0) FPos = 3;
    bool sawHeader = false;
    while (NextLine(line)) {
      std::string_view trimmed = Trim(line);
      if (trimmed.empty() || (sawHeader && trimmed.front() == ';')) continue;
      bool ok = true;
      if (!sawHeader) {
        sawHeader = true;
        ok = trimmed == "REGEDIT4" || Fail("the file does not begin with REGEDIT4");
      } else if (trimmed.front() == '[') {
        ok = ParseSection(trimmed);
      } else if (trimmed.front() == '"' || trimmed.front() == '@') {
        ok = ParseValue(trimmed);
      } else {
        ok = Fail("a line that is neither a key nor a value");
      }
      if (!ok) {
        error = "line " + std::to_string(FLineNumber) + ": " + FError;
        return false;
      }
    }
    return true;
  }

private:
  bool NextLine(std::string_view& line) {
    if (FPos >= FText.size()) return false;
    size_t end = FText.find('\n', FPos);
    if (end == std::string::npos) end = FText.size();
    line = std::string_view(FText).substr(FPos, end - FPos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    FPos = end + 1;
    ++FLineNumber;
    return true;
  }

  bool Fail(const char* message) {
    FError = message;
    return false;
  }

  bool ParseSection(std::string_view line) {
    size_t close = line.rfind(']');
    if (close == std::string_view::npos) return Fail("a key line without ']'");
    if (!Trim(line.substr(close + 1)).empty()) return Fail("text after a key's ']'");
    std::string_view inner = line.substr(1, close - 1);
    bool remove = !inner.empty() && inner.front() == '-';
    if (remove) inner.remove_prefix(1);
    size_t sep = inner.find('\\');
    if (!SameRegName(std::string(inner.substr(0, sep)), FRootName)) return Fail("a key of another root");
    TRegPath path;
    if (sep != std::string_view::npos) {
      std::string rest(inner.substr(sep + 1));
      if (rest.empty() || rest.front() == '\\' || rest.back() == '\\' || !SplitRegPath(rest, path))
        return Fail("an invalid key name");
    }
    if (!remove) {
      FCurrent = &FRoot.Create(path);
      return true;
    }
    if (path.empty()) return Fail("a root cannot be removed");
    TRegPath parentPath(path.begin(), path.end() - 1);
    if (TRegKey* parent = FRoot.Find(parentPath)) parent->DeleteSubKey(path.back());
    FCurrent = nullptr;
    FInRemovedKey = true;
    return true;
  }

  // s starts at an opening quote; takes the text up to the closing one.
  bool TakeQuoted(std::string_view& s, std::string& out) {
    out.clear();
    for (size_t i = 1; i < s.size(); ++i) {
      char c = s[i];
      if (c == '"') {
        s.remove_prefix(i + 1);
        return true;
      }
      if (c == '\\') {
        if (++i >= s.size() || (s[i] != '\\' && s[i] != '"')) return Fail("an unknown escape in text");
        c = s[i];
      }
      out += c;
    }
    return Fail("unterminated text");
  }

  bool ParseValue(std::string_view line) {
    std::string name;
    if (line.front() == '@') {
      line.remove_prefix(1);
    } else if (!TakeQuoted(line, name)) {
      return false;
    }
    if (!IsValidRegValueName(name)) return Fail("an invalid value name");
    line = TrimLeft(line);
    if (line.empty() || line.front() != '=') return Fail("a value name without '='");
    line = TrimLeft(line.substr(1));
    if (!FCurrent && !FInRemovedKey) return Fail("a value before the first key");
    DWORD type = REG_SZ;
    std::string data;
    if (!line.empty() && line.front() == '"') {
      if (!TakeQuoted(line, data)) return false;
      if (!Trim(line).empty()) return Fail("text after a value");
      data += '\0';
    } else if (Trim(line) == "-") {
      if (FCurrent) FCurrent->DeleteValue(name);
      return true;
    } else if (!ParseTyped(line, type, data)) {
      return false;
    }
    if (FCurrent) FCurrent->SetValue(name, type, std::move(data));
    return true;
  }

  bool ParseTyped(std::string_view line, DWORD& type, std::string& data) {
    uint32_t number = 0;
    if (StartsWithNoCase(line, "dword:")) {
      line.remove_prefix(6);
      if (!TakeHex(line, 8, number) || !Trim(line).empty()) return Fail("an invalid dword");
      type = REG_DWORD;
      for (int i = 0; i < 4; ++i) data += char((number >> (8 * i)) & 0xFF);
      return true;
    }
    if (!StartsWithNoCase(line, "hex")) return Fail("an unknown kind of value");
    line.remove_prefix(3);
    type = REG_BINARY;
    if (!line.empty() && line.front() == '(') {
      line.remove_prefix(1);
      if (!TakeHex(line, 8, number) || line.empty() || line.front() != ')') return Fail("an invalid hex type");
      type = number;
      line.remove_prefix(1);
    }
    if (line.empty() || line.front() != ':') return Fail("an invalid hex value");
    line.remove_prefix(1);
    return ParseHexBytes(line, data);
  }

  // Comma-separated bytes; a '\' at the end of a line continues the list on the next.
  bool ParseHexBytes(std::string_view line, std::string& data) {
    bool needByte = false;
    while (true) {
      line = TrimLeft(line);
      if (!line.empty() && line.front() == '\\' && Trim(line.substr(1)).empty()) {
        if (!NextLine(line)) return Fail("a hex value continued past the end of the file");
        continue;
      }
      if (line.empty()) return !needByte || Fail("a hex value ending in ','");
      uint32_t byte = 0;
      if (!TakeHex(line, 2, byte)) return Fail("an invalid hex byte");
      data += char(byte);
      line = TrimLeft(line);
      needByte = !line.empty() && line.front() == ',';
      if (needByte) {
        line.remove_prefix(1);
      } else if (!line.empty() && !(line.front() == '\\' && Trim(line.substr(1)).empty())) {
        return Fail("an invalid hex byte");
      }
    }
  }

  const std::string& FText;
  const std::string& FRootName;
  TRegKey& FRoot;
  size_t FPos = 0;
  size_t FLineNumber = 0;
  TRegKey* FCurrent = nullptr;
  bool FInRemovedKey = false;
  std::string FError;
};

void AppendQuoted(std::string& out, const std::string& text) {
  out += '"';
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  out += '"';
}

// A REG_SZ value is written as text when it reads back the same from one line.
bool IsPlainText(const std::string& data) {
  if (data.empty() || data.back() != '\0') return false;
  for (size_t i = 0; i + 1 < data.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(data[i]);
    if (c < 0x20 && c != '\t') return false;
  }
  return true;
}

void AppendHex(std::string& out, const std::string& data, size_t lineStart) {
  char buffer[4];
  for (size_t i = 0; i < data.size(); ++i) {
    std::snprintf(buffer, sizeof buffer, "%02x", static_cast<unsigned char>(data[i]));
    out += buffer;
    if (i + 1 == data.size()) break;
    out += ',';
    if (out.size() - lineStart > 76) {
      out += "\\\n  ";
      lineStart = out.size() - 2;
    }
  }
}

void AppendValue(std::string& out, const TRegValue& value) {
  size_t lineStart = out.size();
  if (value.Name.empty())
    out += '@';
  else
    AppendQuoted(out, value.Name);
  out += '=';
  char buffer[32];
  if ((value.Type == REG_SZ) && IsPlainText(value.Data)) {
    AppendQuoted(out, value.Data.substr(0, value.Data.size() - 1));
  } else if (value.Type == REG_DWORD && value.Data.size() == 4) {
    uint32_t number = 0;
    for (int i = 3; i >= 0; --i) number = (number << 8) | static_cast<unsigned char>(value.Data[size_t(i)]);
    std::snprintf(buffer, sizeof buffer, "dword:%08x", number);
    out += buffer;
  } else {
    if (value.Type == REG_BINARY)
      out += "hex:";
    else {
      std::snprintf(buffer, sizeof buffer, "hex(%x):", value.Type);
      out += buffer;
    }
    AppendHex(out, value.Data, lineStart);
  }
  out += '\n';
}

void AppendKey(std::string& out, const TRegKey& key, std::string& path, bool isRoot) {
  if (!isRoot || !key.Values().empty()) {
    out += "\n[" + path + "]\n";
    for (const TRegValue& value : key.Values()) AppendValue(out, value);
  }
  for (const auto& [name, sub] : key.SubKeys()) {
    size_t length = path.size();
    path += '\\';
    path += sub->Name();
    AppendKey(out, *sub, path, false);
    path.resize(length);
  }
}

}  // namespace

bool ParseRegFile(const std::string& text, const std::string& rootName, TRegKey& root, std::string& error) {
  root = TRegKey(root.Name());
  TRegFileParser parser(text, rootName, root);
  if (parser.Run(error)) return true;
  root = TRegKey(root.Name());
  return false;
}

std::string FormatRegFile(const TRegKey& root, const std::string& rootName) {
  std::string out = "REGEDIT4\n";
  std::string path = rootName;
  AppendKey(out, root, path, true);
  return out;
}

}  // namespace platform
