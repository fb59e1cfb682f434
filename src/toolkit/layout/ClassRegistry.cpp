#include "toolkit/layout/ClassRegistry.h"

#include <cstring>

#include "toolkit/graphics/TBitmap.h"

namespace {

const TLayoutNames ColorNames = {
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clOlive", clOlive},
    {"clNavy", clNavy},
    {"clPurple", clPurple},
    {"clTeal", clTeal},
    {"clGray", clGray},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clYellow", clYellow},
    {"clBlue", clBlue},
    {"clFuchsia", clFuchsia},
    {"clAqua", clAqua},
    {"clWhite", clWhite},
    {"clLtGray", clSilver},
    {"clDkGray", clGray},
    {"clMoneyGreen", 0xC0DCC0},
    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
    {"clNone", clNone},
    {"clDefault", clDefault},
    {"clScrollBar", clScrollBar},
    {"clBackground", clBackground},
    {"clActiveCaption", clActiveCaption},
    {"clInactiveCaption", clInactiveCaption},
    {"clMenu", clMenu},
    {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame},
    {"clMenuText", clMenuText},
    {"clWindowText", clWindowText},
    {"clCaptionText", clCaptionText},
    {"clActiveBorder", clActiveBorder},
    {"clInactiveBorder", clInactiveBorder},
    {"clAppWorkSpace", clAppWorkSpace},
    {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow},
    {"clGrayText", clGrayText},
    {"clBtnText", clBtnText},
    {"clInactiveCaptionText", clInactiveCaptionText},
    {"clBtnHighlight", clBtnHighlight},
    {"cl3DDkShadow", cl3DDkShadow},
    {"cl3DLight", cl3DLight},
    {"clInfoText", clInfoText},
    {"clInfoBk", clInfoBk},
    {"clHotLight", clSystemColor | 26},
    {"clGradientActiveCaption", clSystemColor | 27},
    {"clGradientInactiveCaption", clSystemColor | 28},
    {"clMenuHighlight", clSystemColor | 29},
    {"clMenuBar", clSystemColor | 30},
};

const TLayoutNames CursorNames = {
    {"crDefault", crDefault},
    {"crNone", crNone},
    {"crArrow", crArrow},
    {"crCross", crCross},
    {"crIBeam", crIBeam},
    {"crSize", crSize},
    {"crSizeNESW", crSizeNESW},
    {"crSizeNS", crSizeNS},
    {"crSizeNWSE", crSizeNWSE},
    {"crSizeWE", crSizeWE},
    {"crUpArrow", crUpArrow},
    {"crHourGlass", crHourGlass},
    {"crDrag", crDrag},
    {"crNoDrop", crNoDrop},
    {"crHSplit", crHSplit},
    {"crVSplit", crVSplit},
    {"crMultiDrag", crMultiDrag},
    {"crSQLWait", crSQLWait},
    {"crNo", crNo},
    {"crAppStart", crAppStart},
    {"crHelp", crHelp},
    {"crHandPoint", crHandPoint},
    {"crSizeAll", crSizeAll},
};

const TLayoutNames FontStyleNames = {
    {"fsBold", fsBold}, {"fsItalic", fsItalic}, {"fsUnderline", fsUnderline}, {"fsStrikeOut", fsStrikeOut}};

bool FindName(const TLayoutNames& names, const std::string& name, int& value) {
  for (const auto& [n, v] : names)
    if (strcasecmp(n, name.c_str()) == 0) {
      value = v;
      return true;
    }
  return false;
}

uint32_t ReadLE32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

}  // namespace

// ---- TLayoutContext

const std::any* TLayoutContext::FindMethod(const std::string& name) const {
  auto* methods = dynamic_cast<TPublishedMethods*>(&FRoot);
  const std::any* method = methods ? methods->FindMethod(name) : nullptr;
  if (!method) throw Exception(Format("unknown handler '%s'", name.c_str()));
  return method;
}

void TLayoutContext::AddFixup(std::function<void()> fn) {
  FFixups.push_back({std::move(fn), Line, PropertyName, ClassName});
}

void TLayoutContext::RunFixups() {
  auto fixups = std::move(FFixups);
  FFixups.clear();
  for (auto& f : fixups) {
    try {
      f.Fn();
    } catch (const Exception& e) {
      throw Exception(Format("Layout line %d: property '%s' of %s: %s", f.Line, f.PropertyName.c_str(),
                             f.ClassName.c_str(), e.Message().c_str()));
    }
  }
}

// ---- TRegisteredClass / TClassRegistry

const TPropertySetter* TRegisteredClass::FindProperty(const std::string& name) const {
  for (const TRegisteredClass* c = this; c; c = c->Parent) {
    auto it = c->Properties.find(name);
    if (it != c->Properties.end()) return &it->second;
  }
  return nullptr;
}

const TParentSetter* TRegisteredClass::FindParentSetter() const {
  for (const TRegisteredClass* c = this; c; c = c->Parent)
    if (c->SetParent) return &c->SetParent;
  return nullptr;
}

const TRegisteredClass* TClassRegistry::Find(const std::string& name) const {
  auto it = FClasses.find(name);
  return it == FClasses.end() ? nullptr : it->second.get();
}

TRegisteredClass& TClassRegistry::Add(const std::string& name, const std::string& parentName) {
  const TRegisteredClass* parent = nullptr;
  if (!parentName.empty()) {
    parent = Find(parentName);
    if (!parent) throw Exception(Format("Class %s registered before its parent %s", name.c_str(), parentName.c_str()));
  }
  auto& slot = FClasses[name];
  if (!slot) {
    slot = std::make_unique<TRegisteredClass>();
    slot->Name = name;
  }
  slot->Parent = parent;
  return *slot;
}

TClassRegistry& ClassRegistry() {
  static TClassRegistry registry;
  return registry;
}

// ---- value conversions

bool IdentToColor(const std::string& name, TColor& color) {
  int v = 0;
  if (!FindName(ColorNames, name, v)) return false;
  color = TColor(v);
  return true;
}

bool IdentToCursor(const std::string& name, TCursor& cursor) {
  return FindName(CursorNames, name, cursor);
}

TColor LayoutColor(const TLayoutValue& value) {
  if (value.Kind == lvInteger) return TColor(value.AsInteger());
  TColor c = 0;
  if (value.Kind == lvIdent && IdentToColor(value.Text, c)) return c;
  if (value.Kind == lvIdent) throw Exception(Format("unknown colour '%s'", value.Text.c_str()));
  throw Exception("colour expected");
}

TCursor LayoutCursor(const TLayoutValue& value) {
  if (value.Kind == lvInteger) return value.AsInteger();
  TCursor c = 0;
  if (value.Kind == lvIdent && IdentToCursor(value.Text, c)) return c;
  if (value.Kind == lvIdent) throw Exception(Format("unknown cursor '%s'", value.Text.c_str()));
  throw Exception("cursor expected");
}

int LayoutEnum(const TLayoutValue& value, const TLayoutNames& names) {
  int v = 0;
  if (!FindName(names, value.AsIdent(), v)) throw Exception(Format("unknown value '%s'", value.Text.c_str()));
  return v;
}

uint32_t LayoutSet(const TLayoutValue& value, const TLayoutNames& names) {
  if (value.Kind != lvSet) throw Exception("set expected");
  uint32_t bits = 0;
  for (const std::string& item : value.SetItems) {
    int v = 0;
    if (!FindName(names, item, v)) throw Exception(Format("unknown set element '%s'", item.c_str()));
    bits |= uint32_t(v);
  }
  return bits;
}

std::vector<std::string> LayoutStrings(const TLayoutValue& value) {
  if (value.Kind != lvList) throw Exception("list of strings expected");
  std::vector<std::string> out;
  for (const TLayoutValue& item : value.Items) out.push_back(item.AsString());
  return out;
}

std::unique_ptr<TBitmap> LayoutBitmapFromData(const std::vector<uint8_t>& bytes) {
  const uint8_t* p = bytes.data();
  size_t n = bytes.size();
  // A short-string class name written before the picture data.
  if (n > 1 && p[0] > 0 && p[0] < 64 && size_t(p[0]) + 1 <= n && p[1] == 'T') {
    std::string cls(reinterpret_cast<const char*>(p + 1), p[0]);
    if (cls != "TBitmap") throw Exception(Format("unsupported picture class '%s'", cls.c_str()));
    p += 1 + cls.size();
    n -= 1 + cls.size();
  }
  // A 4-byte length before the BMP file.
  if (n >= 6 && !(p[0] == 'B' && p[1] == 'M') && p[4] == 'B' && p[5] == 'M') {
    uint32_t len = ReadLE32(p);
    if (len > n - 4) throw Exception("picture data shorter than its declared length");
    p += 4;
    n = len;
  }
  if (n < 2 || p[0] != 'B' || p[1] != 'M') throw Exception("picture data is not a BMP image");
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->LoadFromBmpData(p, n);
  return bitmap;
}

void SetLayoutFontProperty(TFont& font, const std::string& sub, const TLayoutValue& value) {
  if (sub == "Name") {
    font.SetName(value.AsString());
  } else if (sub == "Height") {
    font.SetHeight(value.AsInteger());
  } else if (sub == "Size") {
    font.SetSize(value.AsInteger());
  } else if (sub == "Color") {
    font.SetColor(LayoutColor(value));
  } else if (sub == "Style") {
    font.SetStyle(TFontStyles(LayoutSet(value, FontStyleNames)));
  } else if (sub == "Charset") {
    // Charset names (DEFAULT_CHARSET, ANSI_CHARSET...) or numbers; only kept.
    font.Charset = value.Kind == lvInteger ? uint8_t(value.AsInteger()) : uint8_t(1);
    if (value.Kind != lvInteger) value.AsIdent();
  }
}

void LoadLayoutBitmap(const std::string& sub, const TLayoutValue& value, const std::function<void(const TBitmap&)>& f) {
  if (sub == "Data") {
    if (value.Kind != lvBinary) throw Exception("binary data expected");
    f(*LayoutBitmapFromData(value.Bytes));
  } else {
    TBitmap bitmap;
    bitmap.LoadFromResourceName(value.AsString());
    f(bitmap);
  }
}
