#include "storage/TJMostRecentlyUsedList.h"

#include <algorithm>

#include "toolkit/core/TStrings.h"
#include "toolkit/stdctrls/TMenuItem.h"

namespace {

// Equality with only the ASCII letters folded.
bool SameTextAscii(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'a' && x <= 'z') x = x - 'a' + 'A';
    if (y >= 'a' && y <= 'z') y = y - 'a' + 'A';
    if (x != y) return false;
  }
  return true;
}

// The part after the last path delimiter ('\', ':' or this platform's '/').
std::string FileNamePart(const std::string& text) {
  size_t p = text.find_last_of("\\:/");
  return p == std::string::npos ? text : text.substr(p + 1);
}

// Stored counts beyond this are taken as damage; the reads stop there.
constexpr int32_t MaxStoredCount = 65536;

}  // namespace

TJMostRecentlyUsedList::TJMostRecentlyUsedList(TComponent* owner)
    : TComponent(owner), FStorage(std::make_unique<TJStorage>()) {
  FStorage->SetOwnerComponent(this);
}

TJMostRecentlyUsedList::~TJMostRecentlyUsedList() {
  Destroying();
  if (AutoSave && !IsDesigning()) {
    try {
      Save();
    } catch (...) {
      // A destructor cannot report; the list is lost as a failed registry write would be.
    }
  }
  Clear();
  KillSeparator();
  FStorage.reset();
}

// --- Properties

void TJMostRecentlyUsedList::SetSortBy(TJMRUSortKind kind) {
  if (kind == FSortBy) return;
  FSortBy = kind;
  if (IsDesigning()) return;
  if (kind == skName) SortEntries();
  DoChange();
}

void TJMostRecentlyUsedList::SetMenuKind(TJMRUMenuKind kind) {
  const TJMRUMenuKind old = FMenuKind;
  FMenuKind = kind;
  if (IsDesigning()) return;
  if (kind != mkInsertWithSeparator && FSeparator && FRootMenuItem == FSeparator) KillSeparator();
  // An anchor that only the empty submenu disabled is given back when it stops being one.
  if (old == mkSubMenu && kind != mkSubMenu && FAnchorDisabled && FRootMenuItem) {
    FAnchorDisabled = false;
    FRootMenuItem->SetEnabled(true);
  }
  RefreshMenu();
}

void TJMostRecentlyUsedList::SetRootMenuItem(TMenuItem* item) {
  if (item == FRootMenuItem) return;
  FRootMenuItem = item;
  if (item) item->FreeNotification(this);
}

// --- Entries

int TJMostRecentlyUsedList::IndexOf(const std::string& item) const {
  for (size_t i = 0; i < FEntries.size(); ++i)
    if (SameTextAscii(FEntries[i].Text, item)) return int(i);
  return -1;
}

std::string TJMostRecentlyUsedList::GetItem(int index) const {
  if (index < 0 || index >= GetCount()) throw Exception(Format("List index out of bounds (%d)", index));
  return FEntries[size_t(index)].Text;
}

TMenuItem* TJMostRecentlyUsedList::GetMenuItem(const std::string& item) const {
  int index = IndexOf(item);
  return index < 0 ? nullptr : FEntries[size_t(index)].Menu;
}

std::string TJMostRecentlyUsedList::ItemByMenu(const TObject* menuItem) const {
  for (const TEntry& e : FEntries)
    if (e.Menu && e.Menu == menuItem) return e.Text;
  return "";
}

void TJMostRecentlyUsedList::CopyItems(TStrings& strings) const {
  strings.BeginUpdate();
  strings.Clear();
  for (const TEntry& e : FEntries) strings.Add(e.Text);
  strings.EndUpdate();
}

void TJMostRecentlyUsedList::DestroyMenu(TEntry& entry) {
  TMenuItem* menu = entry.Menu;
  entry.Menu = nullptr;
  if (menu) menu->Free();
}

void TJMostRecentlyUsedList::SortEntries() {
  std::stable_sort(FEntries.begin(), FEntries.end(),
                   [](const TEntry& a, const TEntry& b) { return AnsiCompareText(a.Text, b.Text) < 0; });
}

void TJMostRecentlyUsedList::Add(const std::string& item) {
  if (item.empty()) return;
  if (IndexOf(item) >= 0) {
    BringToTop(item);
    return;
  }
  TEntry entry{item, FRootMenuItem ? MakeMenuItem(item) : nullptr};
  if (FSortBy == skName)
    FEntries.push_back(entry);
  else
    FEntries.insert(FEntries.begin(), entry);
  if (FEntries.size() > MaxItems) TrimList();
  if (FSortBy == skName) SortEntries();
  DoChange();
}

void TJMostRecentlyUsedList::TrimList() {
  while (FEntries.size() > MaxItems) {
    DestroyMenu(FEntries.back());
    FEntries.pop_back();
  }
}

void TJMostRecentlyUsedList::BringToTop(const std::string& item) {
  if (FSortBy != skMostRecent) return;
  int index = IndexOf(item);
  if (index < 0) throw Exception(Format("Cannot move %s to top of MRU - it is not in the MRU", item.c_str()));
  if (index == 0) return;
  TEntry entry = FEntries[size_t(index)];
  FEntries.erase(FEntries.begin() + index);
  FEntries.insert(FEntries.begin(), entry);
  DoChange();
}

bool TJMostRecentlyUsedList::Used(const std::string& item) {
  if (IndexOf(item) < 0) {
    Add(item);
    return false;
  }
  BringToTop(item);
  return true;
}

void TJMostRecentlyUsedList::Delete(const std::string& item) {
  int index = IndexOf(item);
  if (index < 0) return;
  DestroyMenu(FEntries[size_t(index)]);
  FEntries.erase(FEntries.begin() + index);
  DoChange();
}

void TJMostRecentlyUsedList::InUse(const std::string& item) {
  if (HideInUse) Delete(item);
}

void TJMostRecentlyUsedList::Clear() {
  for (TEntry& e : FEntries) DestroyMenu(e);
  FEntries.clear();
  DoChange();
}

// --- Menu

TMenuItem* TJMostRecentlyUsedList::MakeMenuItem(const std::string&) {
  auto* item = new TMenuItem(this);
  item->OnClick = [this](TObject* sender) { HandleMenuClick(sender); };
  return item;
}

void TJMostRecentlyUsedList::HandleMenuClick(TObject* sender) {
  bool opened = true;
  std::string chosen;
  if (OnSelect) {
    chosen = ItemByMenu(sender);
    OnSelect(this, chosen, opened);
  }
  if (opened) InUse(chosen);
}

void TJMostRecentlyUsedList::DoChange() {
  if (IsDesigning() || IsDestroying()) return;
  if (FMenuKind == mkSubMenu && FRootMenuItem) {
    // Only an anchor that the list itself disabled is enabled again by it.
    if (FEntries.empty() && FRootMenuItem->Enabled()) {
      FAnchorDisabled = true;
      FRootMenuItem->SetEnabled(false);
    } else if (!FEntries.empty() && FAnchorDisabled) {
      FAnchorDisabled = false;
      FRootMenuItem->SetEnabled(true);
    }
  } else if (FEntries.empty()) {
    KillSeparator();
  } else if (FMenuKind == mkInsertWithSeparator && FRootMenuItem && FRootMenuItem != FSeparator) {
    FSavedAnchor = FRootMenuItem;
    FSavedAnchor->FreeNotification(this);
    if (!FSeparator) FSeparator = new TMenuItem(this);
    FRootMenuItem = FSeparator;
    FSeparator->SetCaption("-");
    AddAfter(FSeparator, FSavedAnchor);
  }
  RefreshMenu();
  if (!IsLoading() && OnChange) OnChange(this);
}

void TJMostRecentlyUsedList::KillSeparator() {
  if (!FSeparator) return;
  TMenuItem* separator = FSeparator;
  FSeparator = nullptr;
  FRootMenuItem = FSavedAnchor;
  FSavedAnchor = nullptr;
  separator->Free();
}

std::string TJMostRecentlyUsedList::MenuCaption(int index) const {
  static const char Accelerators[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  const std::string& text = FEntries.at(size_t(index)).Text;
  const uint64_t number = uint64_t(index) + NumberOffset;
  if (!NumberAccelerators || number >= 36) return text;
  // Built without a fixed buffer: a long path is shown whole rather than cut.
  return std::string("&") + Accelerators[number] + " " + FileNamePart(text);
}

void TJMostRecentlyUsedList::RefreshMenu() {
  if (!FRootMenuItem) return;
  for (int i = 0; i < GetCount(); ++i) {
    TMenuItem* item = FEntries[size_t(i)].Menu;
    if (item) item->SetCaption(MenuCaption(i));
    PlaceMenuItem(i, item);
  }
}

void TJMostRecentlyUsedList::PlaceMenuItem(int index, TMenuItem* item) {
  switch (FMenuKind) {
    case mkSubMenu:
      AddAt(index, item, FRootMenuItem, true);
      break;
    case mkInsertBefore: {
      if (!item) throw Exception("AddAt: src or dest is nil");
      TMenuItem* menu = FRootMenuItem->Parent();
      if (!menu) return;  // an anchor outside any menu leaves nowhere to place entries
      if (item->Parent()) item->Parent()->Remove(item);
      menu->Insert(FRootMenuItem->MenuIndex(), item);
      break;
    }
    case mkInsertAfter:
    case mkInsertWithSeparator:
      // An item still standing before the anchor (the kind was mkInsertBefore) leaves
      // first, so that the anchor's position counts without it.
      if (item && item->Parent() && item->Parent() == FRootMenuItem->Parent() &&
          item->MenuIndex() < FRootMenuItem->MenuIndex())
        item->Parent()->Remove(item);
      AddAt(FRootMenuItem->MenuIndex() + index + 1, item, FRootMenuItem, false);
      break;
  }
}

void TJMostRecentlyUsedList::AddAt(int index, TMenuItem* item, TMenuItem* dest, bool into) {
  if (!item || !dest) throw Exception("AddAt: src or dest is nil");
  TMenuItem* target = into ? dest : dest->Parent();
  if (!target) return;
  if (item->Parent() == target) {
    int last = target->Count() - 1;
    if (item->MenuIndex() == std::min(index, last)) return;
    target->Remove(item);
    target->Insert(std::clamp(index, 0, target->Count()), item);
    return;
  }
  if (item->Parent()) item->Parent()->Remove(item);
  if (index < target->Count())
    target->Insert(std::max(index, 0), item);
  else
    target->Add(item);
}

void TJMostRecentlyUsedList::AddAfter(TMenuItem* item, TMenuItem* dest) {
  if (!item || !dest) throw Exception("AddAfter: src or dest is nil");
  TMenuItem* menu = dest->Parent();
  if (!menu) return;
  if (item->Parent()) item->Parent()->Remove(item);
  int destIndex = dest->MenuIndex();
  if (destIndex == menu->Count() - 1)
    menu->Add(item);
  else
    menu->Insert(destIndex + 1, item);
}

// --- Persistence and lifecycle

void TJMostRecentlyUsedList::Save() {
  if (FStorage->GetKey().empty()) return;
  WithOpenStorage(*FStorage, [this] {
    FStorage->WriteInteger("Count", int32_t(FEntries.size()));
    for (size_t i = 0; i < FEntries.size(); ++i) FStorage->WriteString(std::to_string(i), FEntries[i].Text);
  });
}

void TJMostRecentlyUsedList::Load() {
  Clear();
  if (FStorage->GetKey().empty()) return;
  WithOpenStorage(*FStorage, [this] {
    const int32_t count = std::min(FStorage->ReadInteger("Count", 0), MaxStoredCount);
    for (int32_t i = count - 1; i >= 0; --i) {
      std::string item = FStorage->ReadString(std::to_string(i), "");
      if (!item.empty()) Add(item);
    }
  });
}

void TJMostRecentlyUsedList::Init() {
  if (AutoSave) Load();
  DoChange();
}

void TJMostRecentlyUsedList::Loaded() {
  TComponent::Loaded();
  if (!IsDesigning()) Init();
}

void TJMostRecentlyUsedList::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FRootMenuItem) FRootMenuItem = nullptr;
  if (component == FSeparator) FSeparator = nullptr;
  if (component == FSavedAnchor) FSavedAnchor = nullptr;
  for (TEntry& e : FEntries)
    if (e.Menu == component) e.Menu = nullptr;
}
