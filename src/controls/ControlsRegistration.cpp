// The custom controls' published properties, as declared layouts set them.
//
//   TFancyButton: State (fbsUp, fbsDown, fbsMouseOut, fbsExclusive, fbsDisabled),
//     ModalResult (0..8 or mrNone..mrAll), AllowAllUp, GroupIndex, Down,
//     Glyph.Resource = 'BackBtn' (an embedded bitmap) or Glyph.Data = {BMP bytes},
//     NumGlyphs, TextOffsetLeft, TextOffsetTop, TextShadowColor, Action (a component
//     name); plus the inherited
//     control properties (Caption, Font.*, Hint, ShowHint, OnClick, ...).
//   TURLStatic: URL, plus the label's properties.
//   TVersionLabel: the label's properties (its caption is replaced when loaded).

#include "controls/ControlsRegistration.h"

#include "controls/TFancyButton.h"
#include "controls/TURLStatic.h"
#include "controls/TVersionLabel.h"
#include "toolkit/layout/ClassRegistry.h"
#include "toolkit/stdctrls/TAction.h"

namespace {

const TLayoutNames StateNames = {{"fbsUp", fbsUp},
                                 {"fbsDown", fbsDown},
                                 {"fbsMouseOut", fbsMouseOut},
                                 {"fbsExclusive", fbsExclusive},
                                 {"fbsDisabled", fbsDisabled}};
const TLayoutNames ModalResultNames = {{"mrNone", 0},   {"mrOk", 1},  {"mrCancel", 2}, {"mrAbort", 3}, {"mrRetry", 4},
                                       {"mrIgnore", 5}, {"mrYes", 6}, {"mrNo", 7},     {"mrAll", 8}};

void RegisterFancyButton() {
  ClassRegistry()
      .Register<TFancyButton>("TFancyButton", "TCustomControl")
      .Enum("State", StateNames, [](TFancyButton& b, int v) { b.SetState(TFancyButtonState(v)); })
      .Property("ModalResult",
                [](TFancyButton& b, const TLayoutValue& v, TLayoutContext&) {
                  b.SetModalResult(v.Kind == lvIdent ? LayoutEnum(v, ModalResultNames) : v.AsInteger());
                })
      .Boolean("AllowAllUp", [](TFancyButton& b, bool v) { b.SetAllowAllUp(v); })
      .Integer("GroupIndex", [](TFancyButton& b, int v) { b.SetGroupIndex(v); })
      .Boolean("Down", [](TFancyButton& b, bool v) { b.SetDown(v); })
      .Bitmap("Glyph", [](TFancyButton& b, const TBitmap& g) { b.SetGlyph(&g); })
      .Integer("NumGlyphs", [](TFancyButton& b, int v) { b.SetNumGlyphs(v); })
      .Integer("TextOffsetLeft", [](TFancyButton& b, int v) { b.SetTextOffsetLeft(v); })
      .Integer("TextOffsetTop", [](TFancyButton& b, int v) { b.SetTextOffsetTop(v); })
      .Color("TextShadowColor", [](TFancyButton& b, TColor v) { b.SetTextShadowColor(v); })
      .Reference<TAction>("Action", [](TFancyButton& b, TAction* a) { b.SetAction(a); });
}

void RegisterLabels() {
  ClassRegistry().Register<TURLStatic>("TURLStatic", "TLabel").String("URL", [](TURLStatic& l, const std::string& v) {
    l.SetURL(v);
  });
  ClassRegistry().Register<TVersionLabel>("TVersionLabel", "TLabel");
}

}  // namespace

void RegisterControlsClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterStandardClasses();
  RegisterFancyButton();
  RegisterLabels();
}
