// The published properties of the library's storage components, as layouts set them:
//
//   Storage.Key, Storage.RegistryRootKey (atrkClassesRoot ... atrkDynamicData) on
//     TJMostRecentlyUsedList, TMRUCombo and TDebugHelper.
//   TJMostRecentlyUsedList: AutoSave, HideInUse, NumberAccelerators, NumberOffset,
//     SortBy (skName, skMostRecent), MaxItems, MenuKind (mkInsertBefore,
//     mkInsertAfter, mkInsertWithSeparator, mkSubMenu), RootMenuItem, OnChange, OnSelect.
//   TMRUCombo: ShowLatest, plus the combo box's properties.
//   TDebugHelper: ActiveOnCreation (aocFromRegistry, aocYes, aocNo).
//   JAction: Caption, OnDo. TUndoSingleBuffer, TUndoMultiBuffer: UndoAction (a TAction).

#include "storage/StorageLibraryRegistration.h"

#include "storage/JAction.h"
#include "storage/TDebugHelper.h"
#include "storage/TJMostRecentlyUsedList.h"
#include "storage/TMRUCombo.h"
#include "storage/TUndoMultiBuffer.h"
#include "storage/TUndoSingleBuffer.h"
#include "toolkit/layout/ClassRegistry.h"
#include "toolkit/layout/LibraryRegistration.h"
#include "toolkit/stdctrls/TAction.h"
#include "toolkit/stdctrls/TMenuItem.h"

namespace {

const TLayoutNames RootKeyNames = {{"atrkClassesRoot", atrkClassesRoot},     {"atrkLocalMachine", atrkLocalMachine},
                                   {"atrkCurrentUser", atrkCurrentUser},     {"atrkUsers", atrkUsers},
                                   {"atrkCurrentConfig", atrkCurrentConfig}, {"atrkDynamicData", atrkDynamicData}};
const TLayoutNames SortNames = {{"skName", skName}, {"skMostRecent", skMostRecent}};
const TLayoutNames MenuKindNames = {{"mkInsertBefore", mkInsertBefore},
                                    {"mkInsertAfter", mkInsertAfter},
                                    {"mkInsertWithSeparator", mkInsertWithSeparator},
                                    {"mkSubMenu", mkSubMenu}};
const TLayoutNames ActiveNames = {{"aocFromRegistry", aocFromRegistry}, {"aocYes", aocYes}, {"aocNo", aocNo}};

// An unsigned 32-bit property (written as a non-negative integer).
uint32_t LayoutUnsigned(const TLayoutValue& v) {
  if (v.Kind != lvInteger || v.Integer < 0 || v.Integer > 0xFFFFFFFFll) throw Exception("unsigned integer expected");
  return uint32_t(v.Integer);
}

// Storage.Key and Storage.RegistryRootKey of a class whose storage getStorage returns.
template <class T>
void StorageProperties(TClassBuilder<T> builder) {
  builder.String("Storage.Key", [](T& c, const std::string& v) { c.GetStorage()->SetKey(v); })
      .Enum("Storage.RegistryRootKey", RootKeyNames,
            [](T& c, int v) { c.GetStorage()->SetRegistryRootKey(TJStorageRootKey(v)); });
}

void RegisterMostRecentlyUsedList() {
  auto builder = ClassRegistry().Register<TJMostRecentlyUsedList>("TJMostRecentlyUsedList", "TComponent");
  StorageProperties(builder);
  using L = TJMostRecentlyUsedList;
  builder.Boolean("AutoSave", [](L& l, bool v) { l.AutoSave = v; })
      .Boolean("HideInUse", [](L& l, bool v) { l.HideInUse = v; })
      .Boolean("NumberAccelerators", [](L& l, bool v) { l.NumberAccelerators = v; })
      .Property("NumberOffset",
                [](L& l, const TLayoutValue& v, TLayoutContext&) { l.NumberOffset = LayoutUnsigned(v); })
      .Enum("SortBy", SortNames, [](L& l, int v) { l.SetSortBy(TJMRUSortKind(v)); })
      .Property("MaxItems", [](L& l, const TLayoutValue& v, TLayoutContext&) { l.MaxItems = LayoutUnsigned(v); })
      .Enum("MenuKind", MenuKindNames, [](L& l, int v) { l.SetMenuKind(TJMRUMenuKind(v)); })
      .Reference<TMenuItem>("RootMenuItem", [](L& l, TMenuItem* m) { l.SetRootMenuItem(m); })
      .Event<TNotifyEvent>("OnChange", [](L& l, TNotifyEvent e) { l.OnChange = e; })
      .Event<TJMRUSelectEvent>("OnSelect", [](L& l, TJMRUSelectEvent e) { l.OnSelect = e; });
}

void RegisterOthers() {
  auto combo = ClassRegistry().Register<TMRUCombo>("TMRUCombo", "TCustomComboBox");
  StorageProperties(combo);
  combo.Boolean("ShowLatest", [](TMRUCombo& c, bool v) { c.ShowLatest = v; });

  auto debug = ClassRegistry().Register<TDebugHelper>("TDebugHelper", "TComponent");
  StorageProperties(debug);
  debug.Enum("ActiveOnCreation", ActiveNames,
             [](TDebugHelper& d, int v) { d.SetActiveOnCreation(TActiveOnCreationKind(v)); });

  ClassRegistry()
      .Register<JAction>("JAction", "TComponent")
      .String("Caption", [](JAction& a, const std::string& v) { a.Caption = v; })
      .Event<TJActionDoEvent>("OnDo", [](JAction& a, TJActionDoEvent e) { a.OnDo = e; });
  ClassRegistry()
      .Register<TUndoSingleBuffer>("TUndoSingleBuffer", "TComponent")
      .Reference<TAction>("UndoAction", [](TUndoSingleBuffer& b, TAction* a) { b.SetUndoAction(a); });
  ClassRegistry()
      .Register<TUndoMultiBuffer>("TUndoMultiBuffer", "TComponent")
      .Reference<TAction>("UndoAction", [](TUndoMultiBuffer& b, TAction* a) { b.SetUndoAction(a); });
}

}  // namespace

void RegisterStorageLibraryClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterLibraryToolkitClasses();
  RegisterMostRecentlyUsedList();
  RegisterOthers();
}
