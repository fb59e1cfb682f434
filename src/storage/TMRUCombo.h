#pragma once

// An editable combo box that remembers the texts entered into it across runs. When
// its layout has been read it fills its list from the registry (and, with ShowLatest,
// puts the first stored entry into the edit field); UpdateList adds the current text
// to the list and saves the first ten entries.
//
// Registry layout under Storage: "Count" (REG_DWORD, at most 10) and one REG_SZ value
// per entry named by its index in decimal, in list order.

#include <memory>

#include "storage/TJStorage.h"
#include "toolkit/stdctrls/TCustomComboBox.h"

class TMRUCombo : public TCustomComboBox {
public:
  static constexpr int MaxSaved = 10;

  explicit TMRUCombo(TComponent* owner);
  ~TMRUCombo() override;
  const char* ClassName() const override { return "TMRUCombo"; }

  TJStorage* GetStorage() const { return FStorage.get(); }
  // Whether loading puts the first stored entry into the edit field.
  bool ShowLatest = true;

  // Reads the stored entries (unless designing); any error is dropped and the box
  // starts empty. The storage is closed afterwards.
  void Loaded() override;
  // Appends the edit text when it is not empty and no entry equals it (letter case
  // ignored), then (unless designing) saves the first ten entries and their count.
  // Raises "Cannot open registry because TJStorage.Key is blank" for an empty key.
  void UpdateList();

private:
  std::unique_ptr<TJStorage> FStorage;
};
