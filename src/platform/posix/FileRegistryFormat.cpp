#include "platform/posix/FileRegistryFormat.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "platform/Cp1252.h"
#include "platform/Utf8.h"

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

using platform::AppendUtf8;

// Decodes one UTF-8 sequence at text[pos] (lone surrogates included), advancing pos;
// false for a malformed one.
bool TakeUtf8(std::string_view text, size_t& pos, char32_t& c) {
  const int32_t decoded = DecodeUtf8(text, pos, TSurrogates::Accept);
  if (decoded < 0) return false;
  c = char32_t(decoded);
  return true;
}

// UTF-8 text as 8-bit text; false when a character has no 8-bit byte.
bool Utf8To8Bit(std::string_view text, std::string& out) {
  out.clear();
  for (size_t pos = 0; pos < text.size();) {
    char32_t c = 0;
    int byte = TakeUtf8(text, pos, c) ? CodePointToCp1252(c) : -1;
    if (byte < 0) return false;
    out += char(byte);
  }
  return true;
}

std::string EightBitToUtf8(std::string_view text) {
  std::string out;
  for (char c : text) AppendUtf8(out, Cp1252ToCodePoint(static_cast<unsigned char>(c)));
  return out;
}

// UTF-16 LE bytes as UTF-8; false for an odd number of bytes.
bool Utf16ToUtf8(std::string_view bytes, std::string& out) {
  if (bytes.size() % 2) return false;
  out.clear();
  for (size_t i = 0; i < bytes.size(); i += 2) {
    char32_t unit = static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8;
    if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
      char32_t low = static_cast<unsigned char>(bytes[i + 2]) | static_cast<unsigned char>(bytes[i + 3]) << 8;
      if (low >= 0xDC00 && low < 0xE000) {
        unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    AppendUtf8(out, unit);
  }
  return true;
}

void AppendUtf16Unit(std::string& out, char32_t unit) {
  out += char(unit & 0xFF);
  out += char(unit >> 8);
}

// The inverse of Utf16ToUtf8 for the text it makes; bytes that are not UTF-8 are written
// as the code points of their 8-bit reading.
std::string Utf8ToUtf16(std::string_view text) {
  std::string out;
  for (size_t pos = 0; pos < text.size();) {
    size_t start = pos;
    char32_t c = 0;
    if (!TakeUtf8(text, pos, c)) {
      pos = start + 1;
      c = Cp1252ToCodePoint(static_cast<unsigned char>(text[start]));
    }
    if (c >= 0x10000) {
      AppendUtf16Unit(out, 0xD800 + ((c - 0x10000) >> 10));
      AppendUtf16Unit(out, 0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      AppendUtf16Unit(out, c);
    }
  }
  return out;
}

// Text-typed data as a version 5 file holds it (UTF-16 LE) and back.
bool IsTextType(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

bool Utf16DataTo8Bit(const std::string& data, std::string& out) {
  std::string utf8;
  return Utf16ToUtf8(data, utf8) && Utf8To8Bit(utf8, out);
}

std::string EightBitDataToUtf16(const std::string& data) {
  return Utf8ToUtf16(EightBitToUtf8(data));
}

// A line that can only continue a hex value: hex digits, commas and blanks, with perhaps
// a '\\' at its end.
bool IsHexContinuation(std::string_view line) {
  line = Trim(line);
  if (!line.empty() && line.back() == '\\') line.remove_suffix(1);
  if (Trim(line).empty()) return false;
  for (char c : line)
    if (HexDigit(c) < 0 && c != ',' && !IsBlank(c)) return false;
  return true;
}

constexpr std::string_view Version4Header = "REGEDIT4";
constexpr std::string_view Version5Header = "Windows Registry Editor Version 5.00";

class TRegFileParser {
public:
  // text is the file's content as 8-bit text, or as UTF-8 when unicode.
  // crLf: the file's lines end in "\r\n", which the writer puts back.
  TRegFileParser(const std::string& text, bool unicode, bool crLf, const std::string& rootName, TRegKey& root,
                 std::vector<std::string>* problems)
      : FText(text), FUnicode(unicode), FCrLf(crLf), FRootName(rootName), FRoot(root), FProblems(problems) {}

  bool Version5() const { return FVersion5; }

  bool Run(std::string& error) {
    std::string_view line;
    bool sawHeader = false;
    while (NextLine(line)) {
      FRecord.clear();
      FRecord.push_back(FRecordLine);
      const size_t lineNumber = FLineNumber;
      std::string_view trimmed = Trim(line);
      if (trimmed.empty() || (sawHeader && trimmed.front() == ';')) continue;
      if (!sawHeader) {
        sawHeader = true;
        FVersion5 = trimmed == Version5Header;
        if (FVersion5 || trimmed == Version4Header) continue;
        error = "line " + std::to_string(lineNumber) + ": the file does not begin with REGEDIT4";
        return false;
      }
      // The lines below a key line that could not be read belong to that unknown key.
      if (FInBadKey && trimmed.front() != '[') {
        // Its values are read and thrown away, so that their lines group as anywhere else.
        std::string converted;
        if ((trimmed.front() == '"' || trimmed.front() == '@') && (!FUnicode || Utf8To8Bit(trimmed, converted))) {
          FDiscard = true;
          ParseValue(FUnicode ? std::string_view(converted) : trimmed);
          FDiscard = false;
        }
        Keep(true);
        continue;
      }
      FInBadKey = false;
      std::string converted;
      if (FUnicode) {
        if (!Utf8To8Bit(trimmed, converted)) {
          Problem(lineNumber, "characters that 8-bit text cannot hold", trimmed.front() == '[');
          continue;
        }
        trimmed = converted;
      }
      FError = nullptr;
      bool ok = true;
      if (trimmed.front() == '[') {
        ok = ParseSection(trimmed);
      } else if (trimmed.front() == '"' || trimmed.front() == '@') {
        ok = ParseValue(trimmed);
      } else {
        ok = Fail("a line that is neither a key nor a value");
      }
      if (!ok) Problem(lineNumber, FError, trimmed.front() == '[');
    }
    return true;
  }

private:
  bool NextLine(std::string_view& line) {
    if (FPos >= FText.size()) return false;
    size_t end = FText.find('\n', FPos);
    if (end == std::string::npos) end = FText.size();
    line = std::string_view(FText).substr(FPos, end - FPos);
    FRecordLine = line;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    // A line is kept with its '\r' unless the writer puts that back.
    if (FCrLf) FRecordLine = line;
    FPos = end + 1;
    ++FLineNumber;
    return true;
  }

  // A line that could not be read: reported, and kept where it was.
  void Problem(size_t lineNumber, const char* reason, bool keyLine) {
    if (FProblems) FProblems->push_back("line " + std::to_string(lineNumber) + ": " + reason);
    FInBadKey = keyLine;
    Keep(keyLine);
  }

  // Keeps the lines of the current record verbatim: in the key being read (at the end of
  // its values for the lines of an unreadable key line, so that its own lines follow it),
  // or before every key when there is none.
  void Keep(bool atEnd) {
    std::string text;
    for (size_t i = 0; i < FRecord.size(); ++i) {
      if (i > 0) text += '\n';
      text += FRecord[i];
    }
    if (FCurrent)
      FCurrent->AddVerbatim(atEnd ? TRegVerbatim::AfterLastValue : FCurrent->Values().size(), std::move(text));
    else
      FRoot.AddVerbatim(TRegVerbatim::BeforeEverything, std::move(text));
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
      if (rest.empty() || rest.front() == '\\' || rest.back() == '\\' || !SplitRegPath(rest, path) ||
          path.size() > RegMaxKeyDepth)
        return Fail("an invalid key name");
    }
    if (!remove) {
      FCurrent = &FRoot.Create(path);
      FInRemovedKey = false;
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
    DWORD type = REG_SZ;
    std::string data;
    // The whole value is read before its place is judged, so that its lines are the same
    // wherever it stands.
    const bool placed = FCurrent || FInRemovedKey || FDiscard;
    if (!line.empty() && line.front() == '"') {
      if (!TakeQuoted(line, data)) return false;
      if (!Trim(line).empty()) return Fail("text after a value");
      data += '\0';
    } else if (Trim(line) == "-") {
      if (!placed) return Fail("a value before the first key");
      if (FCurrent && !FDiscard) FCurrent->DeleteValue(name);
      return true;
    } else if (!ParseTyped(line, type, data)) {
      return false;
    }
    if (!placed) return Fail("a value before the first key");
    if (FCurrent && !FDiscard) FCurrent->SetValue(name, type, std::move(data));
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
    if (!ParseHexBytes(line, data)) return false;
    // Version 5 files hold text types as UTF-16.
    if (FVersion5 && IsTextType(type)) {
      std::string text;
      if (!Utf16DataTo8Bit(data, text)) return Fail("text that 8-bit text cannot hold");
      data = std::move(text);
    }
    return true;
  }

  // Comma-separated bytes; a '\' at the end of a line continues the list on the next line
  // when that line holds hex bytes.
  bool ParseHexBytes(std::string_view line, std::string& data) {
    bool needByte = false;
    while (true) {
      line = TrimLeft(line);
      if (!line.empty() && line.front() == '\\' && Trim(line.substr(1)).empty()) {
        const size_t pos = FPos, number = FLineNumber;
        if (!NextLine(line)) return Fail("a hex value continued past the end of the file");
        if (!IsHexContinuation(line)) {
          FPos = pos;  // the line is read on its own
          FLineNumber = number;
          return Fail("a hex value continued by a line that is not hex");
        }
        FRecord.push_back(FRecordLine);
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
  const bool FUnicode;
  const bool FCrLf;
  const std::string& FRootName;
  TRegKey& FRoot;
  std::vector<std::string>* FProblems;
  size_t FPos = 0;
  size_t FLineNumber = 0;
  TRegKey* FCurrent = nullptr;
  bool FInRemovedKey = false;
  bool FInBadKey = false;
  bool FDiscard = false;  // values are read only to find where they end
  bool FVersion5 = false;
  std::vector<std::string_view> FRecord;  // the lines of the value or key being read
  std::string_view FRecordLine;           // the last line read, as it is kept
  const char* FError = nullptr;
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

// Writes the lines of a hive file as 8-bit text, with kept lines as they were read; for a
// file in UTF-16 or UTF-8 the 8-bit lines are converted to UTF-8 (kept lines are in UTF-8
// already) and the whole is encoded at the end.
class TRegFileWriter {
public:
  explicit TRegFileWriter(const TRegFileFormat& format) : FFormat(format) {}

  std::string Run(const TRegKey& root, const std::string& rootName) {
    Line(std::string(FFormat.Version5 ? Version5Header : Version4Header));
    std::string path = rootName;
    AppendKey(root, path, true);
    if (FFormat.CrLf) {
      std::string crlf;
      crlf.reserve(FOut.size() + FOut.size() / 16);
      for (char c : FOut) {
        if (c == '\n') crlf += '\r';
        crlf += c;
      }
      FOut = std::move(crlf);
    }
    switch (FFormat.Encoding) {
      case TRegFileFormat::reEightBit:
        return std::move(FOut);
      case TRegFileFormat::reUtf8:
        return "\xEF\xBB\xBF" + FOut;
      case TRegFileFormat::reUtf16:
        return "\xFF\xFE" + Utf8ToUtf16(FOut);
    }
    return std::move(FOut);
  }

private:
  // One or more lines of 8-bit text.
  void Line(const std::string& text) {
    FOut += FFormat.Encoding == TRegFileFormat::reEightBit ? text : EightBitToUtf8(text);
    FOut += '\n';
  }

  void Kept(const std::string& text) {
    FOut += text;
    FOut += '\n';
    // A kept hex value that ends in a continuation must not continue into the next line.
    std::string_view last = text;
    while (!last.empty() && last.back() == '\r') last.remove_suffix(1);
    last = Trim(last);
    if (!last.empty() && last.back() == '\\') FOut += '\n';
  }

  void Value(const TRegValue& value) {
    std::string out;
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
      if (value.Type == REG_BINARY) {
        out += "hex:";
      } else {
        std::snprintf(buffer, sizeof buffer, "hex(%x):", value.Type);
        out += buffer;
      }
      AppendHex(out, FFormat.Version5 && IsTextType(value.Type) ? EightBitDataToUtf16(value.Data) : value.Data, 0);
    }
    Line(out);
  }

  void AppendKey(const TRegKey& key, std::string& path, bool isRoot) {
    std::vector<const TRegVerbatim*> inside;
    for (const TRegVerbatim& line : key.Verbatim()) {
      // The root's lines from before any key come right after the header.
      if (isRoot && line.After == TRegVerbatim::BeforeEverything)
        Kept(line.Text);
      else
        inside.push_back(&line);
    }
    std::stable_sort(inside.begin(), inside.end(), [](auto* a, auto* b) { return a->After < b->After; });
    const std::vector<TRegValue>& values = key.Values();
    if (!isRoot || !values.empty() || !inside.empty()) {
      FOut += '\n';
      Line("[" + path + "]");
      auto next = inside.begin();
      for (size_t i = 0; i < values.size(); ++i) {
        for (; next != inside.end() && (*next)->After <= i; ++next) Kept((*next)->Text);
        Value(values[i]);
      }
      for (; next != inside.end(); ++next) Kept((*next)->Text);
    }
    for (const auto& [name, sub] : key.SubKeys()) {
      size_t length = path.size();
      path += '\\';
      path += sub->Name();
      AppendKey(*sub, path, false);
      path.resize(length);
    }
  }

  const TRegFileFormat& FFormat;
  std::string FOut;
};

}  // namespace

bool ParseRegFile(const std::string& bytes, const std::string& rootName, TRegKey& root, std::string& error,
                  TRegFileFormat* format, std::vector<std::string>* problems) {
  root = TRegKey(root.Name());
  TRegFileFormat found;
  std::string converted;
  const std::string* text = &bytes;
  if (bytes.compare(0, 2, "\xFF\xFE") == 0) {
    found.Encoding = TRegFileFormat::reUtf16;
    if (!Utf16ToUtf8(std::string_view(bytes).substr(2), converted)) {
      error = "line 1: the file is not whole UTF-16 text";
      return false;
    }
    text = &converted;
  } else if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    found.Encoding = TRegFileFormat::reUtf8;
    converted = bytes.substr(3);
    text = &converted;
  }
  size_t lineEnd = text->find('\n');
  found.CrLf = lineEnd != std::string::npos && lineEnd > 0 && (*text)[lineEnd - 1] == '\r';
  TRegFileParser parser(*text, found.Encoding != TRegFileFormat::reEightBit, found.CrLf, rootName, root, problems);
  if (!parser.Run(error)) {
    root = TRegKey(root.Name());
    return false;
  }
  found.Version5 = parser.Version5();
  if (format) *format = found;
  return true;
}

std::string FormatRegFile(const TRegKey& root, const std::string& rootName, const TRegFileFormat& format) {
  return TRegFileWriter(format).Run(root, rootName);
}

}  // namespace platform
