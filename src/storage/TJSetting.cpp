#include "storage/TJSetting.h"

TJSetting::TJSetting(TComponent* owner) : TComponent(owner), FStorage(std::make_unique<TJStorage>()) {
  FStorage->SetOwnerComponent(this);
}

TJSetting::~TJSetting() = default;

std::string TJSetting::GetValue() {
  if (IsDesigning()) return "";
  std::string result;
  try {
    FStorage->Open();
    result = FStorage->ReadString(FKeyName, FDefaultValue);
  } catch (...) {
    result = FDefaultValue;  // in practice the blank-key error of an unconfigured storage
  }
  FStorage->Close();
  return result;
}

void TJSetting::SetValue(const std::string& value) {
  if (IsDesigning() || FStorage->GetKey().empty()) return;
  try {
    FStorage->Open();
    FStorage->WriteString(FKeyName, value);
  } catch (...) {
    FStorage->Close();
    throw;
  }
  FStorage->Close();
}
