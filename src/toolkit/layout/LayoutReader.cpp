#include "toolkit/layout/LayoutReader.h"

#include <strings.h>

#include "toolkit/core/Resources.h"
#include "toolkit/layout/ClassRegistry.h"
#include "toolkit/layout/LayoutParser.h"

namespace {

class TReader {
public:
  explicit TReader(TComponent& root) : FRoot(root), FContext(root) {}

  void Read(const TLayoutObject& top) {
    const TRegisteredClass& cls = FindClass(top);
    if (!cls.IsInstance || !cls.IsInstance(FRoot))
      Fail(top.Line, Format("the root component is a %s, not a %s", FRoot.ClassName(), top.ClassName.c_str()));
    if (FRoot.Name().empty() && !top.Name.empty()) NameRoot(top.Name);
    Begin(FRoot);
    try {
      ReadBody(top, cls, FRoot);
      FContext.RunFixups();
    } catch (...) {
      for (TComponent* c : FLoaded) c->SetLoading(false);
      throw;
    }
    // Loaded may raise; every component still leaves the loading state.
    std::exception_ptr error;
    for (TComponent* c : FLoaded) {
      try {
        c->Loaded();
      } catch (...) {
        if (!error) error = std::current_exception();
      }
      c->SetLoading(false);
    }
    if (error) std::rethrow_exception(error);
  }

private:
  [[noreturn]] static void Fail(int line, const std::string& what) {
    throw Exception(Format("Layout line %d: %s", line, what.c_str()));
  }

  // A second form of the same layout gets Name_1, Name_2, ... as its owner knows the first.
  void NameRoot(const std::string& name) {
    TComponent* owner = FRoot.Owner();
    std::string unique = name;
    for (int i = 1; owner && owner->FindComponent(unique); ++i) unique = name + "_" + std::to_string(i);
    FRoot.SetName(unique);
  }

  const TRegisteredClass& FindClass(const TLayoutObject& obj) {
    const TRegisteredClass* cls = ClassRegistry().Find(obj.ClassName);
    if (!cls) Fail(obj.Line, Format("unknown class %s", obj.ClassName.c_str()));
    return *cls;
  }

  void Begin(TComponent& c) {
    c.SetLoading(true);
    FLoaded.push_back(&c);
  }

  void ReadBody(const TLayoutObject& obj, const TRegisteredClass& cls, TComponent& target) {
    for (const TLayoutProperty& prop : obj.Properties) SetProperty(prop, obj, cls, target);
    for (const TLayoutObject& child : obj.Children) ReadChild(child, target);
  }

  void ReadChild(const TLayoutObject& obj, TComponent& parent) {
    const TRegisteredClass& cls = FindClass(obj);
    TComponent* c = nullptr;
    if (obj.Kind == lokInherited) {
      c = FRoot.FindComponent(obj.Name);
      if (!c) Fail(obj.Line, Format("inherited component '%s' does not exist", obj.Name.c_str()));
      if (!cls.IsInstance(*c)) Fail(obj.Line, Format("'%s' is not a %s", obj.Name.c_str(), obj.ClassName.c_str()));
      Begin(*c);
    } else {
      if (!cls.Factory) Fail(obj.Line, Format("class %s cannot be created from a layout", obj.ClassName.c_str()));
      c = cls.Factory(&FRoot);
      Begin(*c);
      try {
        c->SetName(obj.Name);
      } catch (const Exception& e) {
        Fail(obj.Line, e.Message());
      }
    }
    // The parent comes first, as properties such as Align and ParentFont depend on it.
    if (const TParentSetter* setParent = cls.FindParentSetter()) {
      try {
        (*setParent)(*c, parent);
      } catch (const Exception& e) {
        Fail(obj.Line, e.Message());
      }
    }
    ReadBody(obj, cls, *c);
  }

  void SetProperty(const TLayoutProperty& prop, const TLayoutObject& obj, const TRegisteredClass& cls,
                   TComponent& target) {
    const TPropertySetter* setter = cls.FindProperty(prop.Name);
    if (!setter) Fail(prop.Line, Format("unknown property '%s' of %s", prop.Name.c_str(), obj.ClassName.c_str()));
    FContext.Line = prop.Line;
    FContext.PropertyName = prop.Name;
    FContext.ClassName = obj.ClassName;
    try {
      (*setter)(target, prop.Value, FContext);
    } catch (const Exception& e) {
      Fail(prop.Line, Format("property '%s' of %s: %s", prop.Name.c_str(), obj.ClassName.c_str(), e.Message().c_str()));
    }
  }

  TComponent& FRoot;
  TLayoutContext FContext;
  std::vector<TComponent*> FLoaded;
};

}  // namespace

void ReadLayout(TComponent* root, const std::string& text) {
  if (!root) throw Exception("No root component to read a layout into");
  RegisterStandardClasses();
  TLayoutObject top = ParseLayout(text);
  TReader(*root).Read(top);
}

void ReadLayoutResource(TComponent* root, const std::string& resourceName) {
  TResourceData data = ResourceBytes("dfm", resourceName);
  ReadLayout(root, std::string(reinterpret_cast<const char*>(data.Data), data.Size));
}
