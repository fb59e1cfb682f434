// The published properties of the library's controls, as layouts set them:
//
//   TAnimatedLabel: AnimationType (atNone, atFlash, atFly, atFade), Interval, plus the
//     label's properties.
//   TNumberEdit: Value (a number), NumberType (ntInteger, ntFloat), plus the edit's.
//   TUnitEdit: Unit, Value, EditColor, UnitColor, plus the windowed control's.

#include "controls/LibraryControlsRegistration.h"

#include "controls/TAnimatedLabel.h"
#include "controls/TNumberEdit.h"
#include "controls/TUnitEdit.h"
#include "toolkit/layout/ClassRegistry.h"
#include "toolkit/layout/LibraryRegistration.h"

namespace {

const TLayoutNames AnimationNames = {{"atNone", atNone}, {"atFlash", atFlash}, {"atFly", atFly}, {"atFade", atFade}};
const TLayoutNames NumberTypeNames = {{"ntInteger", ntInteger}, {"ntFloat", ntFloat}};

}  // namespace

void RegisterLibraryControlsClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterLibraryToolkitClasses();
  ClassRegistry()
      .Register<TAnimatedLabel>("TAnimatedLabel", "TLabel")
      .Enum("AnimationType", AnimationNames, [](TAnimatedLabel& l, int v) { l.SetAnimationType(TAnimationType(v)); })
      .Integer("Interval", [](TAnimatedLabel& l, int v) { l.SetInterval(v); });
  ClassRegistry()
      .Register<TNumberEdit>("TNumberEdit", "TCustomEdit")
      .Float("Value", [](TNumberEdit& e, double v) { e.SetValue(float(v)); })
      .Enum("NumberType", NumberTypeNames, [](TNumberEdit& e, int v) { e.NumberType = TNumberType(v); });
  ClassRegistry()
      .Register<TUnitEdit>("TUnitEdit", "TCustomControl")
      .String("Unit", [](TUnitEdit& u, const std::string& v) { u.SetUnit(v); })
      .Float("Value", [](TUnitEdit& u, double v) { u.SetValue(float(v)); })
      .Color("EditColor", [](TUnitEdit& u, TColor v) { u.SetEditColor(v); })
      .Color("UnitColor", [](TUnitEdit& u, TColor v) { u.SetUnitColor(v); })
      .Ignored("AutoSize")
      .Ignored("ImeMode")
      .Ignored("ImeName");
}
