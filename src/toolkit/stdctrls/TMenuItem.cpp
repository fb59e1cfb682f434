#include "toolkit/stdctrls/TMenuItem.h"

#include <algorithm>

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
  Destroying();
  if (FParent) FParent->Remove(this);
  // The submenu's entries go with the menu; each one leaves this list as it is destroyed.
  while (!FItems.empty()) {
    TMenuItem* item = FItems.back();
    item->Free();
  }
}

void TMenuItem::SetCaption(const std::string& caption) {
  if (caption == FCaption) return;
  FCaption = caption;
  Changed();
}

void TMenuItem::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  Changed();
}

void TMenuItem::SetChecked(bool checked) {
  if (checked == FChecked) return;
  FChecked = checked;
  Changed();
}

void TMenuItem::SetVisible(bool visible) {
  if (visible == FVisible) return;
  FVisible = visible;
  Changed();
}

void TMenuItem::SetImageIndex(int index) {
  if (index == FImageIndex) return;
  FImageIndex = index;
  Changed();
}

int TMenuItem::MenuIndex() const {
  return FParent ? FParent->IndexOf(this) : -1;
}

void TMenuItem::SetMenuIndex(int index) {
  if (!FParent) return;
  TMenuItem* parent = FParent;
  index = std::clamp(index, 0, parent->Count() - 1);
  if (index == MenuIndex()) return;
  parent->Remove(this);
  parent->Insert(index, this);
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count()) throw Exception(Format("Menu index out of bounds (%d)", index));
  return FItems[size_t(index)];
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  return it == FItems.end() ? -1 : int(it - FItems.begin());
}

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item) throw Exception("Cannot insert a nil menu item");
  if (item->FParent) throw Exception("Menu inserted twice");
  for (const TMenuItem* p = this; p; p = p->FParent)
    if (p == item) throw Exception("Cannot insert a menu item into itself");
  if (index < 0 || index > Count()) throw Exception(Format("Menu index out of bounds (%d)", index));
  FItems.insert(FItems.begin() + index, item);
  item->FParent = this;
  Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
  int index = IndexOf(item);
  if (index >= 0) Delete(index);
}

void TMenuItem::Delete(int index) {
  TMenuItem* item = Items(index);
  FItems.erase(FItems.begin() + index);
  item->FParent = nullptr;
  Changed();
}

void TMenuItem::Clear() {
  while (!FItems.empty()) FItems.back()->Free();
}

void TMenuItem::Click() {
  if (!FEnabled || !OnClick) return;
  // A copy runs, so that a handler may destroy this item.
  TNotifyEvent handler = OnClick;
  handler(this);
}

void TMenuItem::Changed() {
  if (OnChange && !IsDestroying()) OnChange(this);
}
