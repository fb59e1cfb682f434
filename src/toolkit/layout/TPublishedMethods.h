#pragma once

// The table of a form's published event handlers, by name. The layout reader
// binds "OnClick = NextBtnClick" by looking the name up here, so a form (or any
// root component) that wants its handlers bound derives from this class as well
// as from its component base, and publishes each handler in its constructor
// before the layout is read:
//
//   PublishMethod("NextBtnClick", this, &TMainForm::NextBtnClick);
//
// A handler is stored as std::function of its exact signature, which must be the
// event's type (TNotifyEvent = std::function<void(TObject*)>, ...).

#include <strings.h>

#include <any>
#include <functional>
#include <map>
#include <string>
#include <utility>

class TPublishedMethods {
public:
  virtual ~TPublishedMethods() = default;

  template <class R, class... A>
  void PublishMethod(const std::string& name, std::function<R(A...)> handler) {
    FMethods[name] = std::move(handler);
  }
  template <class C, class R, class... A>
  void PublishMethod(const std::string& name, C* self, R (C::*method)(A...)) {
    PublishMethod(
        name, std::function<R(A...)>([self, method](A... args) { return (self->*method)(std::forward<A>(args)...); }));
  }

  // The stored handler (a std::function inside std::any), or nullptr; letter case ignored.
  const std::any* FindMethod(const std::string& name) const {
    auto it = FMethods.find(name);
    return it == FMethods.end() ? nullptr : &it->second;
  }

private:
  struct TNoCaseLess {
    bool operator()(const std::string& a, const std::string& b) const { return strcasecmp(a.c_str(), b.c_str()) < 0; }
  };
  std::map<std::string, std::any, TNoCaseLess> FMethods;
};
