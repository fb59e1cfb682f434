#include "toolkit/layout/LayoutParser.h"

#include <strings.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "platform/Cp1252.h"

namespace {

// A character code as written after '#': codes up to 255 are taken as bytes;
// larger ones are Unicode code points mapped back to Windows-1252, '?' if absent.
char CodeToChar(int64_t code) {
  if (code >= 0 && code <= 255) return char(code);
  const int byte = code > 0x10FFFF ? -1 : platform::CodePointToCp1252(char32_t(code));
  return byte >= 0 ? char(byte) : '?';
}

bool IsIdentStart(char c) {
  return std::isalpha(uint8_t(c)) || c == '_';
}
bool IsIdentChar(char c) {
  return std::isalnum(uint8_t(c)) || c == '_' || c == '.';
}

class TParser {
public:
  explicit TParser(const std::string& text) : FText(text) {}

  TLayoutObject ParseTop() {
    SkipSpace();
    TLayoutObject top = ParseObject(0);
    SkipSpace();
    if (!AtEnd()) Fail("text after the final 'end'");
    return top;
  }

private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw Exception(Format("Layout line %d: %s", FLine, what.c_str()));
  }

  bool AtEnd() const { return FPos >= FText.size(); }
  char Peek(size_t ahead = 0) const { return FPos + ahead < FText.size() ? FText[FPos + ahead] : '\0'; }
  char Next() {
    char c = FText[FPos++];
    if (c == '\n') ++FLine;
    return c;
  }

  // Skips white space and // comments (a convenience for hand-written layouts).
  void SkipSpace() {
    while (!AtEnd()) {
      char c = Peek();
      if (c == '/' && Peek(1) == '/') {
        while (!AtEnd() && Peek() != '\n') Next();
      } else if (std::isspace(uint8_t(c))) {
        Next();
      } else {
        break;
      }
    }
  }

  void Expect(char c) {
    SkipSpace();
    if (Peek() != c) Fail(Format("'%c' expected", c));
    Next();
  }

  std::string ReadIdent() {
    SkipSpace();
    if (!IsIdentStart(Peek())) Fail(AtEnd() ? "unexpected end of text" : Format("identifier expected at '%c'", Peek()));
    size_t start = FPos;
    while (!AtEnd() && IsIdentChar(Peek())) Next();
    return FText.substr(start, FPos - start);
  }

  // Reads the next identifier without consuming it.
  std::string PeekIdent() {
    SkipSpace();
    size_t pos = FPos;
    while (pos < FText.size() && IsIdentChar(FText[pos])) ++pos;
    return IsIdentStart(Peek()) ? FText.substr(FPos, pos - FPos) : std::string();
  }

  static bool Is(const std::string& word, const char* keyword) { return strcasecmp(word.c_str(), keyword) == 0; }
  static bool IsObjectKeyword(const std::string& w) { return Is(w, "object") || Is(w, "inherited") || Is(w, "inline"); }

  TLayoutObject ParseObject(int depth) {
    if (depth > MaxLayoutDepth) Fail("objects nested too deeply");
    TLayoutObject obj;
    obj.Line = FLine;
    std::string keyword = ReadIdent();
    if (!IsObjectKeyword(keyword)) Fail(Format("'object' expected but '%s' found", keyword.c_str()));
    obj.Kind = Is(keyword, "object") ? lokObject : Is(keyword, "inherited") ? lokInherited : lokInline;
    std::string first = ReadIdent();
    SkipSpace();
    if (Peek() == ':') {
      Next();
      obj.Name = first;
      obj.ClassName = ReadIdent();
    } else {
      obj.ClassName = first;
    }
    SkipSpace();
    if (Peek() == '[') {  // creation index of an inherited child: only order matters, which we keep
      Next();
      ParseNumber();
      Expect(']');
    }
    for (;;) {
      std::string word = PeekIdent();
      if (word.empty()) Fail(AtEnd() ? "'end' expected before the end of text" : Format("unexpected '%c'", Peek()));
      if (Is(word, "end")) {
        ReadIdent();
        return obj;
      }
      if (IsObjectKeyword(word)) {
        obj.Children.push_back(ParseObject(depth + 1));
      } else {
        obj.Properties.push_back(ParseProperty(depth));
      }
    }
  }

  TLayoutProperty ParseProperty(int depth) {
    TLayoutProperty prop;
    prop.Name = ReadIdent();
    prop.Line = FLine;
    Expect('=');
    prop.Value = ParseValue(depth + 1);
    return prop;
  }

  TLayoutValue ParseValue(int depth) {
    if (depth > MaxLayoutDepth) Fail("values nested too deeply");
    SkipSpace();
    TLayoutValue v;
    v.Line = FLine;
    char c = Peek();
    if (std::isdigit(uint8_t(c)) || c == '$' ||
        ((c == '-' || c == '+') && (std::isdigit(uint8_t(Peek(1))) || Peek(1) == '$')))
      return ParseNumber();
    if (c == '\'' || c == '#') {
      v.Kind = lvString;
      v.Text = ParseStringExpression();
    } else if (c == '[') {
      v.Kind = lvSet;
      ParseSet(v);
    } else if (c == '(') {
      v.Kind = lvList;
      Next();
      for (SkipSpace(); Peek() != ')'; SkipSpace()) {
        if (AtEnd()) Fail("')' expected before the end of text");
        v.Items.push_back(ParseValue(depth + 1));
        SkipSpace();
        if (Peek() == ',') Next();
      }
      Next();
    } else if (c == '{') {
      v.Kind = lvBinary;
      ParseBinary(v);
    } else if (c == '<') {
      v.Kind = lvCollection;
      ParseCollection(v, depth);
    } else if (IsIdentStart(c)) {
      v.Kind = lvIdent;
      v.Text = ReadIdent();
    } else {
      Fail(AtEnd() ? "value expected before the end of text" : Format("unexpected '%c' where a value belongs", c));
    }
    return v;
  }

  TLayoutValue ParseNumber() {
    SkipSpace();
    TLayoutValue v;
    v.Line = FLine;
    bool negative = false;
    if (Peek() == '-' || Peek() == '+') negative = Next() == '-';
    if (Peek() == '$') {
      Next();
      uint64_t value = 0;
      int digits = 0;
      while (std::isxdigit(uint8_t(Peek()))) {
        char d = Next();
        value = value * 16 + uint64_t(std::isdigit(uint8_t(d)) ? d - '0' : (std::tolower(d) - 'a' + 10));
        if (++digits > 16) Fail("number out of range");
      }
      if (digits == 0) Fail("hexadecimal digits expected after '$'");
      if (value > uint64_t(std::numeric_limits<int64_t>::max())) Fail("number out of range");
      v.Integer = negative ? -int64_t(value) : int64_t(value);
      return v;
    }
    size_t start = FPos;
    while (std::isdigit(uint8_t(Peek()))) Next();
    bool isFloat = false;
    if (Peek() == '.' && std::isdigit(uint8_t(Peek(1)))) {
      isFloat = true;
      Next();
      while (std::isdigit(uint8_t(Peek()))) Next();
    }
    if ((Peek() == 'e' || Peek() == 'E') &&
        (std::isdigit(uint8_t(Peek(1))) || ((Peek(1) == '-' || Peek(1) == '+') && std::isdigit(uint8_t(Peek(2)))))) {
      isFloat = true;
      Next();
      if (Peek() == '-' || Peek() == '+') Next();
      while (std::isdigit(uint8_t(Peek()))) Next();
    }
    if (IsIdentChar(Peek())) Fail(Format("invalid number '%s'", FText.substr(start, FPos - start + 1).c_str()));
    std::string digits = FText.substr(start, FPos - start);
    if (isFloat) {
      v.Kind = lvFloat;
      v.Float = std::strtod(digits.c_str(), nullptr);
      if (!std::isfinite(v.Float)) Fail("number out of range");
      if (negative) v.Float = -v.Float;
      return v;
    }
    if (digits.size() > 18) Fail(Format("number out of range: %s", digits.c_str()));
    v.Integer = std::strtoll(digits.c_str(), nullptr, 10);
    if (negative) v.Integer = -v.Integer;
    return v;
  }

  // One run of quoted parts and #codes written without spaces between them.
  std::string ParseStringRun() {
    std::string out;
    for (;;) {
      char c = Peek();
      if (c == '\'') {
        Next();
        for (;;) {
          if (AtEnd() || Peek() == '\n' || Peek() == '\r') Fail("unterminated string");
          char ch = Next();
          if (ch == '\'') {
            if (Peek() != '\'') break;
            Next();
          }
          out += ch;
        }
      } else if (c == '#') {
        Next();
        if (!std::isdigit(uint8_t(Peek())) && Peek() != '$') Fail("character code expected after '#'");
        TLayoutValue code = ParseNumber();
        if (code.Kind != lvInteger || code.Integer < 0 || code.Integer > 0x10FFFF) Fail("invalid character code");
        out += CodeToChar(code.Integer);
      } else {
        return out;
      }
    }
  }

  // String runs joined by '+', possibly across lines.
  std::string ParseStringExpression() {
    std::string out = ParseStringRun();
    for (;;) {
      SkipSpace();
      if (Peek() != '+') return out;
      Next();
      SkipSpace();
      if (Peek() != '\'' && Peek() != '#') Fail("string expected after '+'");
      out += ParseStringRun();
    }
  }

  void ParseSet(TLayoutValue& v) {
    Next();  // '['
    SkipSpace();
    if (Peek() == ']') {
      Next();
      return;
    }
    for (;;) {
      SkipSpace();
      if (std::isdigit(uint8_t(Peek()))) {
        v.SetItems.push_back(std::to_string(ParseNumber().Integer));
      } else {
        v.SetItems.push_back(ReadIdent());
      }
      SkipSpace();
      if (Peek() == ']') {
        Next();
        return;
      }
      if (Peek() != ',') Fail("',' or ']' expected in a set");
      Next();
    }
  }

  void ParseBinary(TLayoutValue& v) {
    Next();  // '{'
    int high = -1;
    for (;;) {
      SkipSpace();
      if (AtEnd()) Fail("'}' expected before the end of text");
      char c = Next();
      if (c == '}') break;
      if (!std::isxdigit(uint8_t(c))) Fail(Format("hexadecimal digit expected in binary data, not '%c'", c));
      int d = std::isdigit(uint8_t(c)) ? c - '0' : std::tolower(c) - 'a' + 10;
      if (high < 0) {
        high = d;
      } else {
        v.Bytes.push_back(uint8_t(high * 16 + d));
        high = -1;
      }
    }
    if (high >= 0) Fail("binary data has an odd number of digits");
  }

  void ParseCollection(TLayoutValue& v, int depth) {
    Next();  // '<'
    for (;;) {
      SkipSpace();
      if (Peek() == '>') {
        Next();
        return;
      }
      std::string word = ReadIdent();
      if (!Is(word, "item")) Fail(Format("'item' expected in a collection but '%s' found", word.c_str()));
      SkipSpace();
      if (Peek() == '[') {
        Next();
        ParseNumber();
        Expect(']');
      }
      std::vector<TLayoutProperty> props;
      for (;;) {
        std::string next = PeekIdent();
        if (next.empty()) Fail("'end' expected in a collection item");
        if (Is(next, "end")) {
          ReadIdent();
          break;
        }
        props.push_back(ParseProperty(depth + 1));
      }
      v.Collection.push_back(std::move(props));
    }
  }

  const std::string& FText;
  size_t FPos = 0;
  int FLine = 1;
};

}  // namespace

int TLayoutValue::AsInteger() const {
  if (Kind != lvInteger) throw Exception("integer expected");
  if (Integer < std::numeric_limits<int32_t>::min() || Integer > int64_t(std::numeric_limits<uint32_t>::max()))
    throw Exception(Format("integer out of range: %lld", (long long)Integer));
  return int32_t(uint32_t(Integer));
}

double TLayoutValue::AsFloat() const {
  if (Kind == lvInteger) return double(Integer);
  if (Kind != lvFloat) throw Exception("number expected");
  return Float;
}

const std::string& TLayoutValue::AsString() const {
  if (Kind != lvString) throw Exception("string expected");
  return Text;
}

const std::string& TLayoutValue::AsIdent() const {
  if (Kind != lvIdent) throw Exception("identifier expected");
  return Text;
}

bool TLayoutValue::AsBoolean() const {
  if (Kind == lvIdent && strcasecmp(Text.c_str(), "True") == 0) return true;
  if (Kind == lvIdent && strcasecmp(Text.c_str(), "False") == 0) return false;
  throw Exception("True or False expected");
}

TLayoutObject ParseLayout(const std::string& text) {
  return TParser(text).ParseTop();
}
