#pragma once

// Parser of the classic form-text layout format:
//
//   object MainForm: TMainForm
//     Caption = 'Pointrix'
//     Font.Height = -19
//     BorderIcons = [biSystemMenu, biMinimize]
//     object Panel1: TPanel
//       ...
//     end
//   end
//
// It only builds a tree of objects and values; TLayoutReader gives it meaning.
// Every syntax error raises Exception("Layout line N: ..."). Nesting deeper than
// MaxLayoutDepth is rejected, so garbage input cannot exhaust the stack.

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/core/Types.h"

constexpr int MaxLayoutDepth = 64;

enum TLayoutValueKind : uint8_t {
  lvInteger,     // 12, -19, $FF
  lvFloat,       // 1.5, -2.5E3
  lvString,      // 'it''s' #13#10 'more' + 'text' (Windows-1252 bytes)
  lvIdent,       // clRed, True, alClient, NextBtnClick
  lvSet,         // [fsBold, fsItalic]
  lvList,        // ( value value ... )
  lvBinary,      // { 0A1B... }
  lvCollection,  // < item ... end item ... end >
};

struct TLayoutProperty;

// One property value. Conversion helpers raise Exception with a short reason
// ("integer expected"); the reader adds the line and the property name.
struct TLayoutValue {
  TLayoutValueKind Kind = lvInteger;
  int Line = 0;
  int64_t Integer = 0;
  double Float = 0;
  std::string Text;                                      // lvString, lvIdent
  std::vector<std::string> SetItems;                     // lvSet
  std::vector<TLayoutValue> Items;                       // lvList
  std::vector<uint8_t> Bytes;                            // lvBinary
  std::vector<std::vector<TLayoutProperty>> Collection;  // lvCollection: one property list per item

  // A 32-bit integer; values from 2^31 to 2^32 - 1 (hex colours) wrap to negative.
  int AsInteger() const;
  double AsFloat() const;  // integers convert
  const std::string& AsString() const;
  const std::string& AsIdent() const;
  bool AsBoolean() const;  // the identifiers True and False, letter case ignored
};

struct TLayoutProperty {
  std::string Name;  // possibly dotted: Font.Height
  TLayoutValue Value;
  int Line = 0;
};

enum TLayoutObjectKind : uint8_t { lokObject, lokInherited, lokInline };

struct TLayoutObject {
  TLayoutObjectKind Kind = lokObject;
  std::string Name;       // may be empty
  std::string ClassName;  // as written
  int Line = 0;
  std::vector<TLayoutProperty> Properties;
  std::vector<TLayoutObject> Children;
};

// Parses a whole layout: exactly one top-level object, then only white space.
TLayoutObject ParseLayout(const std::string& text);
