#pragma once

// The registry of component classes the layout reader can create, each with its
// table of published properties. A class's table extends its parent class's table:
// looking a property up walks from the class to its ancestors.
//
// Registering a class (do it once, before the first layout that uses it is read;
// each layer offers one function that registers its classes, e.g.
// RegisterStandardClasses() here, which the reader calls itself):
//
//   ClassRegistry().Register<TFancyButton>("TFancyButton", "TCustomControl")
//       .Integer("TextLeft", [](TFancyButton& b, int v) { b.SetTextLeft(v); })
//       .Color("ShadowColor", [](TFancyButton& b, TColor c) { b.ShadowColor = c; })
//       .Bitmap("Glyph", [](TFancyButton& b, const TBitmap& g) { b.SetGlyph(&g); })
//       .Event<TNotifyEvent>("OnClick", [](TFancyButton& b, TNotifyEvent e) { b.OnClick = e; });
//
// Value conventions:
//   - Integer: decimal or $hex; Color: an integer or a colour name (clRed, clBtnFace...);
//     Cursor: an integer or a cursor name (crHandPoint...); Boolean: True / False.
//   - Enum and Set take a table of names; a set's names map to bit masks that are or-ed.
//   - Font("Font", ...) registers Font.Name, Font.Height, Font.Size, Font.Color,
//     Font.Style and Font.Charset.
//   - Bitmap("Picture", ...) registers Picture.Data and Picture.Resource:
//     Picture.Data = { ... } holds a BMP file, optionally preceded by a 4-byte
//     little-endian length and/or a short-string class name ("TBitmap"), as form
//     designers write it; Picture.Resource = 'GameOver' loads the embedded bitmap
//     resource of that name (letter case ignored). Layouts of this program use the
//     resource form, which keeps the pictures in one place.
//   - Event<E> binds a handler published by the root (TPublishedMethods) under the
//     given name; an unknown name, or a handler of another type, is a layout error.
//   - Reference<C> takes a component name, resolved against the root once the whole
//     layout is read (so it may name a component declared further down).
// Any exception a setter raises becomes "Layout line N: property 'P' of TClass: <message>".

#include <strings.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "toolkit/core/TComponent.h"
#include "toolkit/core/Types.h"
#include "toolkit/graphics/TFont.h"
#include "toolkit/layout/LayoutParser.h"
#include "toolkit/layout/TPublishedMethods.h"

class TBitmap;

// Name -> value pairs for enumerations and sets.
using TLayoutNames = std::vector<std::pair<const char*, int>>;

// What a property setter may ask of the reader while it runs.
class TLayoutContext {
public:
  explicit TLayoutContext(TComponent& root) : FRoot(root) {}
  TComponent& Root() const { return FRoot; }

  // The root's published handler of type E named name; raises when absent or of another type.
  template <class E>
  E Handler(const std::string& name) const {
    const std::any* method = FindMethod(name);
    const E* handler = std::any_cast<E>(method);
    if (!handler) throw Exception(Format("handler '%s' does not fit this event", name.c_str()));
    return *handler;
  }

  // Runs fn after every object of the layout exists (before Loaded). Errors it raises
  // are reported against the property being set now.
  void AddFixup(std::function<void()> fn);
  void RunFixups();

  // Where the reader is (for messages of deferred work).
  int Line = 0;
  std::string PropertyName, ClassName;

private:
  const std::any* FindMethod(const std::string& name) const;

  struct TFixup {
    std::function<void()> Fn;
    int Line;
    std::string PropertyName, ClassName;
  };
  TComponent& FRoot;
  std::vector<TFixup> FFixups;
};

using TPropertySetter = std::function<void(TComponent& target, const TLayoutValue& value, TLayoutContext& context)>;
using TComponentFactory = std::function<TComponent*(TComponent* owner)>;
// Places a child declared inside parent's object block; raises when it cannot go there.
using TParentSetter = std::function<void(TComponent& child, TComponent& parent)>;

struct TNoCaseLess {
  bool operator()(const std::string& a, const std::string& b) const { return strcasecmp(a.c_str(), b.c_str()) < 0; }
};

class TRegisteredClass {
public:
  std::string Name;
  const TRegisteredClass* Parent = nullptr;
  TComponentFactory Factory;                    // empty for classes the reader cannot create
  std::function<bool(TComponent&)> IsInstance;  // does the object belong to this class
  TParentSetter SetParent;                      // empty: inherited from the parent class
  std::map<std::string, TPropertySetter, TNoCaseLess> Properties;

  // Walks the class and its ancestors.
  const TPropertySetter* FindProperty(const std::string& name) const;
  const TParentSetter* FindParentSetter() const;
};

// Value conversions shared by the typed helpers (raise Exception with a reason).
TColor LayoutColor(const TLayoutValue& value);
TCursor LayoutCursor(const TLayoutValue& value);
int LayoutEnum(const TLayoutValue& value, const TLayoutNames& names);
uint32_t LayoutSet(const TLayoutValue& value, const TLayoutNames& names);
std::vector<std::string> LayoutStrings(const TLayoutValue& value);  // a list of strings
// A bitmap from binary picture data (see the header comment); raises on malformed data.
std::unique_ptr<TBitmap> LayoutBitmapFromData(const std::vector<uint8_t>& bytes);
bool IdentToColor(const std::string& name, TColor& color);
bool IdentToCursor(const std::string& name, TCursor& cursor);

template <class T>
class TClassBuilder {
public:
  explicit TClassBuilder(TRegisteredClass& c) : FClass(c) {}

  TClassBuilder& Property(const std::string& name, std::function<void(T&, const TLayoutValue&, TLayoutContext&)> f) {
    FClass.Properties[name] = [f](TComponent& c, const TLayoutValue& v, TLayoutContext& ctx) {
      f(static_cast<T&>(c), v, ctx);
    };
    return *this;
  }
  TClassBuilder& Integer(const std::string& name, std::function<void(T&, int)> f) {
    return Property(name, [f](T& c, const TLayoutValue& v, TLayoutContext&) { f(c, v.AsInteger()); });
  }
  TClassBuilder& Float(const std::string& name, std::function<void(T&, double)> f) {
    return Property(name, [f](T& c, const TLayoutValue& v, TLayoutContext&) { f(c, v.AsFloat()); });
  }
  TClassBuilder& Boolean(const std::string& name, std::function<void(T&, bool)> f) {
    return Property(name, [f](T& c, const TLayoutValue& v, TLayoutContext&) { f(c, v.AsBoolean()); });
  }
  TClassBuilder& String(const std::string& name, std::function<void(T&, const std::string&)> f) {
    return Property(name, [f](T& c, const TLayoutValue& v, TLayoutContext&) { f(c, v.AsString()); });
  }
  TClassBuilder& Color(const std::string& name, std::function<void(T&, TColor)> f) {
    return Property(name, [f](T& c, const TLayoutValue& v, TLayoutContext&) { f(c, LayoutColor(v)); });
  }
  TClassBuilder& Cursor(const std::string& name, std::function<void(T&, TCursor)> f) {
    return Property(name, [f](T& c, const TLayoutValue& v, TLayoutContext&) { f(c, LayoutCursor(v)); });
  }
  TClassBuilder& Enum(const std::string& name, const TLayoutNames& names, std::function<void(T&, int)> f) {
    return Property(name, [f, names](T& c, const TLayoutValue& v, TLayoutContext&) { f(c, LayoutEnum(v, names)); });
  }
  TClassBuilder& Set(const std::string& name, const TLayoutNames& names, std::function<void(T&, uint32_t)> f) {
    return Property(name, [f, names](T& c, const TLayoutValue& v, TLayoutContext&) { f(c, LayoutSet(v, names)); });
  }
  TClassBuilder& Strings(const std::string& name, std::function<void(T&, const std::vector<std::string>&)> f) {
    return Property(name, [f](T& c, const TLayoutValue& v, TLayoutContext&) { f(c, LayoutStrings(v)); });
  }
  // Accepted and ignored (properties that only matter to a form designer).
  TClassBuilder& Ignored(const std::string& name) {
    FClass.Properties[name] = [](TComponent&, const TLayoutValue&, TLayoutContext&) {};
    return *this;
  }
  // prefix.Name, prefix.Height, prefix.Size, prefix.Color, prefix.Style, prefix.Charset.
  TClassBuilder& Font(const std::string& prefix, std::function<TFont&(T&)> font);
  // prefix.Data (binary BMP) and prefix.Resource (embedded bitmap name).
  TClassBuilder& Bitmap(const std::string& prefix, std::function<void(T&, const TBitmap&)> f);
  template <class E>
  TClassBuilder& Event(const std::string& name, std::function<void(T&, E)> f) {
    return Property(
        name, [f](T& c, const TLayoutValue& v, TLayoutContext& ctx) { f(c, ctx.template Handler<E>(v.AsIdent())); });
  }
  template <class C>
  TClassBuilder& Reference(const std::string& name, std::function<void(T&, C*)> f) {
    return Property(name, [f](T& c, const TLayoutValue& v, TLayoutContext& ctx) {
      std::string target = v.AsIdent();
      T* self = &c;
      TComponent* root = &ctx.Root();
      ctx.AddFixup([f, self, target, root] {
        TComponent* found = strcasecmp(root->Name().c_str(), target.c_str()) == 0 ? root : root->FindComponent(target);
        if (!found) throw Exception(Format("unknown component '%s'", target.c_str()));
        C* typed = dynamic_cast<C*>(found);
        if (!typed) throw Exception(Format("component '%s' is a %s", target.c_str(), found->ClassName()));
        f(*self, typed);
      });
    });
  }
  // How a child declared inside an object of this class is attached to it.
  TClassBuilder& Parent(std::function<void(T& child, TComponent& parent)> f) {
    FClass.SetParent = [f](TComponent& child, TComponent& parent) { f(static_cast<T&>(child), parent); };
    return *this;
  }

private:
  TRegisteredClass& FClass;
};

class TClassRegistry {
public:
  // Registers (or extends, when already present) a creatable class; parentName
  // must be registered already, or empty for a root class.
  template <class T>
  TClassBuilder<T> Register(const std::string& name, const std::string& parentName) {
    TRegisteredClass& c = Add(name, parentName);
    if constexpr (std::is_constructible_v<T, TComponent*> && !std::is_abstract_v<T>)
      c.Factory = [](TComponent* owner) -> TComponent* { return new T(owner); };
    c.IsInstance = [](TComponent& obj) {
      if constexpr (std::is_same_v<T, TComponent>)
        return true;
      else
        return dynamic_cast<T*>(&obj) != nullptr;
    };
    return TClassBuilder<T>(c);
  }
  const TRegisteredClass* Find(const std::string& name) const;

private:
  TRegisteredClass& Add(const std::string& name, const std::string& parentName);
  std::map<std::string, std::unique_ptr<TRegisteredClass>, TNoCaseLess> FClasses;
};

// The program's one class registry.
TClassRegistry& ClassRegistry();

// Registers the toolkit's own classes (components, controls, forms, timers and the
// standard controls) once; later calls do nothing.
void RegisterStandardClasses();

// ---- template members that need the bitmap and font helpers

void SetLayoutFontProperty(TFont& font, const std::string& sub, const TLayoutValue& value);
void LoadLayoutBitmap(const std::string& sub, const TLayoutValue& value, const std::function<void(const TBitmap&)>& f);

template <class T>
TClassBuilder<T>& TClassBuilder<T>::Font(const std::string& prefix, std::function<TFont&(T&)> font) {
  for (const char* sub : {"Name", "Height", "Size", "Color", "Style", "Charset"}) {
    std::string s = sub;
    Property(prefix + "." + s,
             [font, s](T& c, const TLayoutValue& v, TLayoutContext&) { SetLayoutFontProperty(font(c), s, v); });
  }
  return *this;
}

template <class T>
TClassBuilder<T>& TClassBuilder<T>::Bitmap(const std::string& prefix, std::function<void(T&, const TBitmap&)> f) {
  for (const char* sub : {"Data", "Resource"}) {
    std::string s = sub;
    Property(prefix + "." + s, [f, s](T& c, const TLayoutValue& v, TLayoutContext&) {
      LoadLayoutBitmap(s, v, [&](const TBitmap& b) { f(c, b); });
    });
  }
  return *this;
}
