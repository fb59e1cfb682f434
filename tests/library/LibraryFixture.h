#pragma once

// The component library's tests: a headless display, a temporary registry, and a form
// whose published handlers record what the components report, so that components can
// be declared in layout texts and read by the layout reader.

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "controls/LibraryControlsRegistration.h"
#include "platform/Registry.h"
#include "registry/TempRegistryFolder.h"
#include "storage/JAction.h"
#include "storage/StorageLibraryRegistration.h"
#include "support/Golden.h"
#include "support/HeadlessFixture.h"
#include "toolkit/layout/ClassRegistry.h"
#include "toolkit/layout/LayoutReader.h"
#include "toolkit/layout/TPublishedMethods.h"

using TLog = std::vector<std::string>;

// A form with the handlers the test layouts bind.
class TLibraryForm : public TForm, public TPublishedMethods {
public:
  explicit TLibraryForm(TComponent* owner) : TForm(owner) {
    PublishMethod("RecentSelect", this, &TLibraryForm::RecentSelect);
    PublishMethod("RecentChange", this, &TLibraryForm::RecentChange);
    PublishMethod("ComboChange", this, &TLibraryForm::ComboChange);
    PublishMethod("MenuClick", this, &TLibraryForm::MenuClick);
    PublishMethod("TypeDo", this, &TLibraryForm::TypeDo);
  }
  const char* ClassName() const override { return "TLibraryForm"; }

  void RecentSelect(TObject*, const std::string& item, bool& opened) {
    Log.push_back("Select " + item);
    if (KeepSelected) opened = false;
  }
  void RecentChange(TObject*) { Log.push_back("Change"); }
  void ComboChange(TObject*) { Log.push_back("ComboChange"); }
  void MenuClick(TObject* sender) { Log.push_back("Click " + static_cast<TComponent*>(sender)->Name()); }
  // Appends the record's text to Document and returns a record that removes it again.
  void TypeDo(JActionData* data, pJActionData reversal);

  template <class T>
  T* Find(const char* name) {
    T* c = dynamic_cast<T*>(FindComponent(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
  }

  TLog Log;
  bool KeepSelected = false;
  std::string Document;
};

class LibraryTest : public testsupport::HeadlessTest {
protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    RegisterStorageLibraryClasses();
    RegisterLibraryControlsClasses();
    ClassRegistry().Register<TLibraryForm>("TLibraryForm", "TForm");
  }

  // A form read from a layout text (the form is not shown).
  TLibraryForm* Read(const std::string& layout) {
    auto* form = NewForm<TLibraryForm>();
    ReadLayout(form, layout);
    return form;
  }
  testsupport::TGoldenResult Golden(const std::string& name, const TRect& r) {
    const uint32_t* pixels = Backend.Pixels() + r.Top * Backend.Width() + r.Left;
    return testsupport::CompareGolden("library-" + name, pixels, r.Width(), r.Height(), Backend.Width());
  }

  TTempRegistryFolder Registry;
};

// Direct registry access, to see the values as stored (type and bytes).
struct TStoredValue {
  platform::DWORD Type = 0;
  std::string Data;
};
inline std::optional<TStoredValue> StoredValue(const std::string& key, const std::string& name) {
  using namespace platform;
  HKEY k{};
  if (RegOpenKeyEx(HKEY_CURRENT_USER, key, KEY_READ, &k) != ERROR_SUCCESS) return std::nullopt;
  TStoredValue v;
  DWORD size = 0;
  LONG rc = RegQueryValueEx(k, name, &v.Type, nullptr, &size);
  if (rc == ERROR_SUCCESS) {
    v.Data.resize(size);
    rc = RegQueryValueEx(k, name, &v.Type, reinterpret_cast<BYTE*>(v.Data.data()), &size);
  }
  RegCloseKey(k);
  if (rc != ERROR_SUCCESS) return std::nullopt;
  return v;
}
inline std::optional<uint32_t> StoredDword(const std::string& key, const std::string& name) {
  auto v = StoredValue(key, name);
  if (!v || v->Type != platform::REG_DWORD || v->Data.size() != 4) return std::nullopt;
  uint32_t n;
  std::memcpy(&n, v->Data.data(), 4);
  return n;
}
inline std::optional<std::string> StoredString(const std::string& key, const std::string& name) {
  auto v = StoredValue(key, name);
  if (!v || v->Type != platform::REG_SZ || v->Data.empty() || v->Data.back() != '\0') return std::nullopt;
  return v->Data.substr(0, v->Data.size() - 1);
}
inline void StoreString(const std::string& key, const std::string& name, const std::string& text) {
  using namespace platform;
  HKEY k{};
  ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, key, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, &k), ERROR_SUCCESS);
  RegSetValueEx(k, name, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), DWORD(text.size() + 1));
  RegCloseKey(k);
}
inline void StoreDword(const std::string& key, const std::string& name, uint32_t n) {
  using namespace platform;
  HKEY k{};
  ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, key, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, &k), ERROR_SUCCESS);
  RegSetValueEx(k, name, REG_DWORD, reinterpret_cast<const BYTE*>(&n), 4);
  RegCloseKey(k);
}
