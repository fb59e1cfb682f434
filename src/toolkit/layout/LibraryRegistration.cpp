// The published properties of the library's toolkit classes, as layouts set them:
//
//   TMenuItem: Caption, Enabled, Checked, Visible, ImageIndex, Hint, OnClick; a menu
//     item declared inside another one becomes an entry of its submenu.
//   TAction: Caption, Enabled, ImageIndex, Images (a TImageList), Hint, OnExecute.
//   TStaticText: Alignment, AutoSize, BorderStyle (sbsNone, sbsSingle, sbsSunken),
//     ShowAccelChar, plus the control properties.
//   TCustomEdit: Alignment, AutoSelect, BorderStyle (bsNone, bsSingle), CharCase,
//     HideSelection, MaxLength, PasswordChar, ReadOnly, Text, OnChange.
//   TCustomComboBox: Items.Strings, Sorted, Style, DropDownCount, ItemHeight,
//     ItemIndex, MaxLength, Text, OnChange, OnSelect, OnDropDown, OnCloseUp,
//     OnDrawItem, OnMeasureItem.

#include "toolkit/layout/LibraryRegistration.h"

#include "toolkit/graphics/TImageList.h"
#include "toolkit/layout/ClassRegistry.h"
#include "toolkit/stdctrls/TAction.h"
#include "toolkit/stdctrls/TCustomComboBox.h"
#include "toolkit/stdctrls/TCustomEdit.h"
#include "toolkit/stdctrls/TMenuItem.h"
#include "toolkit/stdctrls/TStaticText.h"

namespace {

const TLayoutNames AlignmentNames = {
    {"taLeftJustify", taLeftJustify}, {"taRightJustify", taRightJustify}, {"taCenter", taCenter}};
const TLayoutNames StaticBorderNames = {{"sbsNone", sbsNone}, {"sbsSingle", sbsSingle}, {"sbsSunken", sbsSunken}};
const TLayoutNames EditBorderNames = {{"bsNone", ebsNone}, {"bsSingle", ebsSingle}};
const TLayoutNames CharCaseNames = {{"ecNormal", ecNormal}, {"ecUpperCase", ecUpperCase}, {"ecLowerCase", ecLowerCase}};
const TLayoutNames ComboStyleNames = {{"csDropDown", csDropDown},
                                      {"csSimple", csSimple},
                                      {"csDropDownList", csDropDownList},
                                      {"csOwnerDrawFixed", csOwnerDrawFixed},
                                      {"csOwnerDrawVariable", csOwnerDrawVariable}};

// A character property: a one-character string or its code (#42 is written as a string).
char LayoutChar(const TLayoutValue& v) {
  if (v.Kind == lvInteger) return char(v.AsInteger());
  const std::string& s = v.AsString();
  if (s.size() > 1) throw Exception("one character expected");
  return s.empty() ? '\0' : s[0];
}

void RegisterMenus() {
  ClassRegistry()
      .Register<TMenuItem>("TMenuItem", "TComponent")
      .Parent([](TMenuItem& item, TComponent& parent) {
        if (auto* menu = dynamic_cast<TMenuItem*>(&parent)) menu->Add(&item);
      })
      .String("Caption", [](TMenuItem& m, const std::string& v) { m.SetCaption(v); })
      .Boolean("Enabled", [](TMenuItem& m, bool v) { m.SetEnabled(v); })
      .Boolean("Checked", [](TMenuItem& m, bool v) { m.SetChecked(v); })
      .Boolean("Visible", [](TMenuItem& m, bool v) { m.SetVisible(v); })
      .Integer("ImageIndex", [](TMenuItem& m, int v) { m.SetImageIndex(v); })
      .String("Hint", [](TMenuItem& m, const std::string& v) { m.Hint = v; })
      .Event<TNotifyEvent>("OnClick", [](TMenuItem& m, TNotifyEvent e) { m.OnClick = e; })
      .Ignored("ShortCut")
      .Ignored("GroupIndex")
      .Ignored("RadioItem");
  ClassRegistry()
      .Register<TAction>("TAction", "TComponent")
      .String("Caption", [](TAction& a, const std::string& v) { a.SetCaption(v); })
      .Boolean("Enabled", [](TAction& a, bool v) { a.SetEnabled(v); })
      .Integer("ImageIndex", [](TAction& a, int v) { a.SetImageIndex(v); })
      .Reference<TImageList>("Images", [](TAction& a, TImageList* v) { a.SetImages(v); })
      .String("Hint", [](TAction& a, const std::string& v) { a.Hint = v; })
      .Event<TNotifyEvent>("OnExecute", [](TAction& a, TNotifyEvent e) { a.OnExecute = e; })
      .Ignored("Category")
      .Ignored("ShortCut");
}

void RegisterTextControls() {
  ClassRegistry()
      .Register<TStaticText>("TStaticText", "TCustomControl")
      .Enum("Alignment", AlignmentNames, [](TStaticText& t, int v) { t.SetAlignment(TAlignment(v)); })
      .Boolean("AutoSize", [](TStaticText& t, bool v) { t.SetAutoSize(v); })
      .Enum("BorderStyle", StaticBorderNames, [](TStaticText& t, int v) { t.SetBorderStyle(TStaticBorderStyle(v)); })
      .Boolean("ShowAccelChar", [](TStaticText& t, bool v) { t.SetShowAccelChar(v); })
      .Ignored("FocusControl");
  ClassRegistry()
      .Register<TCustomEdit>("TCustomEdit", "TCustomControl")
      .Enum("Alignment", AlignmentNames, [](TCustomEdit& e, int v) { e.SetAlignment(TAlignment(v)); })
      .Boolean("AutoSelect", [](TCustomEdit& e, bool v) { e.AutoSelect = v; })
      .Enum("BorderStyle", EditBorderNames, [](TCustomEdit& e, int v) { e.SetBorderStyle(TEditBorderStyle(v)); })
      .Enum("CharCase", CharCaseNames, [](TCustomEdit& e, int v) { e.SetCharCase(TEditCharCase(v)); })
      .Boolean("HideSelection", [](TCustomEdit& e, bool v) { e.HideSelection = v; })
      .Integer("MaxLength", [](TCustomEdit& e, int v) { e.SetMaxLength(v); })
      .Property("PasswordChar",
                [](TCustomEdit& e, const TLayoutValue& v, TLayoutContext&) { e.SetPasswordChar(LayoutChar(v)); })
      .Boolean("ReadOnly", [](TCustomEdit& e, bool v) { e.SetReadOnly(v); })
      .Event<TNotifyEvent>("OnChange", [](TCustomEdit& e, TNotifyEvent ev) { e.OnChange = ev; })
      .Ignored("AutoSize")
      .Ignored("ImeMode")
      .Ignored("ImeName")
      .Ignored("OEMConvert");
  ClassRegistry()
      .Register<TCustomComboBox>("TCustomComboBox", "TCustomControl")
      .Strings("Items.Strings",
               [](TCustomComboBox& c, const std::vector<std::string>& items) {
                 c.Items()->BeginUpdate();
                 c.Items()->Clear();
                 for (const std::string& s : items) c.Items()->Add(s);
                 c.Items()->EndUpdate();
               })
      .Boolean("Sorted", [](TCustomComboBox& c, bool v) { c.SetSorted(v); })
      .Enum("Style", ComboStyleNames, [](TCustomComboBox& c, int v) { c.SetStyle(TComboBoxStyle(v)); })
      .Integer("DropDownCount", [](TCustomComboBox& c, int v) { c.DropDownCount = v; })
      .Integer("ItemHeight", [](TCustomComboBox& c, int v) { c.SetItemHeight(v); })
      .Integer("ItemIndex", [](TCustomComboBox& c, int v) { c.SetItemIndex(v); })
      .Integer("MaxLength", [](TCustomComboBox& c, int v) { c.SetMaxLength(v); })
      .Event<TNotifyEvent>("OnChange", [](TCustomComboBox& c, TNotifyEvent e) { c.OnChange = e; })
      .Event<TNotifyEvent>("OnSelect", [](TCustomComboBox& c, TNotifyEvent e) { c.OnSelect = e; })
      .Event<TNotifyEvent>("OnDropDown", [](TCustomComboBox& c, TNotifyEvent e) { c.OnDropDown = e; })
      .Event<TNotifyEvent>("OnCloseUp", [](TCustomComboBox& c, TNotifyEvent e) { c.OnCloseUp = e; })
      .Event<TDrawItemEvent>("OnDrawItem", [](TCustomComboBox& c, TDrawItemEvent e) { c.OnDrawItem = e; })
      .Event<TMeasureItemEvent>("OnMeasureItem", [](TCustomComboBox& c, TMeasureItemEvent e) { c.OnMeasureItem = e; })
      .Ignored("ImeMode")
      .Ignored("ImeName");
}

}  // namespace

void RegisterLibraryToolkitClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterStandardClasses();
  RegisterMenus();
  RegisterTextControls();
}
