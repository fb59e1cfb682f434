#include "storage/TMRUCombo.h"

#include <algorithm>
#include <string>

namespace {
// Stored counts beyond this are taken as damage; the reads stop there.
constexpr int32_t MaxStoredCount = 65536;
}  // namespace

TMRUCombo::TMRUCombo(TComponent* owner) : TCustomComboBox(owner), FStorage(std::make_unique<TJStorage>()) {
  FStorage->SetOwnerComponent(this);
  // The list keeps the order in which entries were added.
  SetSorted(false);
}

TMRUCombo::~TMRUCombo() {
  FStorage.reset();
}

void TMRUCombo::Loaded() {
  TCustomComboBox::Loaded();
  if (IsDesigning()) return;
  try {
    FStorage->Open();
    const int32_t count = std::min(FStorage->ReadInteger("Count", 0), MaxStoredCount);
    for (int32_t i = 0; i < count; ++i) {
      std::string value = FStorage->ReadString(std::to_string(i), "");
      if (i == 0 && ShowLatest) SetText(value);
      if (!value.empty()) Items()->Add(value);
    }
  } catch (const Exception&) {
    // A box without stored entries starts empty.
  }
  FStorage->Close();
}

void TMRUCombo::UpdateList() {
  const std::string text = Text();
  if (!text.empty() && IndexOf(text) < 0) Items()->Add(text);
  if (IsDesigning()) return;
  const int n = std::min(Items()->Count(), MaxSaved);
  FStorage->Open();
  try {
    for (int i = 0; i < n; ++i) FStorage->WriteString(std::to_string(i), Items()->Strings(i));
    FStorage->WriteInteger("Count", n);
  } catch (...) {
    FStorage->Close();
    throw;
  }
  FStorage->Close();
}
