#pragma once

// A short list of recently used items (typically file paths), shown as numbered
// entries of an application menu and saved in the registry. The application reports
// use (Add, Used), items now open that should leave the list (InUse) and items to
// forget (Delete); the list keeps its order, its size limit and its menu in step and
// reports a click on an entry through OnSelect.
//
// Registry layout under Storage: "Count" (REG_DWORD) and one REG_SZ value per entry
// named by its index in decimal ("0" is the first entry in list order).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "storage/TJStorage.h"
#include "toolkit/core/TComponent.h"

class TMenuItem;
class TStrings;

enum TJMRUSortKind : uint8_t { skName, skMostRecent };

// Where the entries' menu items go relative to the anchor (RootMenuItem).
enum TJMRUMenuKind : uint8_t {
  mkInsertBefore,         // in the anchor's menu, just before it
  mkInsertAfter,          // in the anchor's menu, just after it
  mkInsertWithSeparator,  // after a "-" line that follows the anchor while there are entries
  mkSubMenu,              // as the anchor's submenu; the anchor is disabled while the list is empty
};

// An entry was chosen from the menu; set opened to false when it was not opened.
using TJMRUSelectEvent = std::function<void(TObject* sender, const std::string& item, bool& opened)>;

class TJMostRecentlyUsedList : public TComponent {
public:
  explicit TJMostRecentlyUsedList(TComponent* owner);
  // Saves (with AutoSave, unless designing), then destroys the entries' menu items.
  ~TJMostRecentlyUsedList() override;
  const char* ClassName() const override { return "TJMostRecentlyUsedList"; }

  // --- Properties.
  TJStorage* GetStorage() const { return FStorage.get(); }
  bool AutoSave = true;
  bool HideInUse = true;
  bool NumberAccelerators = true;
  uint32_t NumberOffset = 0;  // the accelerator number of the first entry
  uint32_t MaxItems = 10;     // setting it does not trim at once
  TJMRUSortKind GetSortBy() const { return FSortBy; }
  void SetSortBy(TJMRUSortKind kind);
  TJMRUMenuKind GetMenuKind() const { return FMenuKind; }
  void SetMenuKind(TJMRUMenuKind kind);
  // The anchor (not owned); while a separator is in use this is the separator.
  TMenuItem* GetRootMenuItem() const { return FRootMenuItem; }
  void SetRootMenuItem(TMenuItem* item);
  TNotifyEvent OnChange;
  TJMRUSelectEvent OnSelect;

  // --- Entries. Items compare with ASCII letters folded.
  void Add(const std::string& item);
  // Brings a present item to the top (true) or adds an absent one (false).
  bool Used(const std::string& item);
  void Delete(const std::string& item);
  // With HideInUse the item leaves the list until it is added again.
  void InUse(const std::string& item);
  // In most-recent order moves the entry to the top; raises "Cannot move <item> to top
  // of MRU - it is not in the MRU" when absent. Does nothing in name order.
  void BringToTop(const std::string& item);
  void Clear();
  // Removes the entries from index MaxItems on.
  void TrimList();
  int IndexOf(const std::string& item) const;
  std::string GetItem(int index) const;
  int GetCount() const { return int(FEntries.size()); }
  TMenuItem* GetMenuItem(const std::string& item) const;
  // The text of the entry whose menu item this is; empty when none.
  std::string ItemByMenu(const TObject* menuItem) const;
  // Replaces the contents of strings with the entries' texts in list order.
  void CopyItems(TStrings& strings) const;

  // --- Menu.
  // Captions and places every entry's menu item.
  void RefreshMenu();
  // A new menu item owned by the list, clicking on which selects its entry.
  TMenuItem* MakeMenuItem(const std::string& item);
  // Places item right after dest in dest's menu. Raises when either is null.
  void AddAfter(TMenuItem* item, TMenuItem* dest);
  // Places item at index of dest's submenu (into) or of dest's menu. Raises when either is null.
  void AddAt(int index, TMenuItem* item, TMenuItem* dest, bool into);
  // Removes the separator and makes the saved anchor the anchor again.
  void KillSeparator();
  // The click handler of every entry's menu item.
  void HandleMenuClick(TObject* sender);
  // The caption of entry index (accelerator and file name, or the whole text).
  std::string MenuCaption(int index) const;

  // --- Persistence and lifecycle.
  void Load();
  void Save();
  // Load (with AutoSave), then DoChange.
  void Init();
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

protected:
  // Runs after every change of the entries: the anchor's state, the separator, the
  // menu, then OnChange.
  virtual void DoChange();

private:
  struct TEntry {
    std::string Text;
    TMenuItem* Menu = nullptr;  // owned by the list (as a component)
  };
  void DestroyMenu(TEntry& entry);
  void SortEntries();
  void PlaceMenuItem(int index, TMenuItem* item);

  std::vector<TEntry> FEntries;
  std::unique_ptr<TJStorage> FStorage;
  bool FAnchorDisabled = false;
  TJMRUSortKind FSortBy = skMostRecent;
  TMenuItem* FSeparator = nullptr;
  TMenuItem* FSavedAnchor = nullptr;
  TMenuItem* FRootMenuItem = nullptr;
  TJMRUMenuKind FMenuKind = mkSubMenu;
};
