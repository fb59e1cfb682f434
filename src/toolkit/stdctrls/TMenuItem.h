#pragma once

// One entry of a menu: a caption (with an optional '&' accelerator; "-" makes a
// separator line), enabled, checked and visible flags, an image index, a click
// event, and the entries of its own submenu. An entry lies in at most one parent
// menu; the parent keeps its entries in order.
//
// Ownership follows the component tree (the item's owner destroys it). A menu item
// that is destroyed leaves its parent menu first and destroys the items of its
// submenu that are still in it, as a menu does with its entries; each destroyed
// item's owner is told through the usual component notification.

#include <string>
#include <vector>

#include "toolkit/core/TComponent.h"

class TMenuItem : public TComponent {
public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;
  const char* ClassName() const override { return "TMenuItem"; }

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& caption);
  // True for an item whose caption is "-" (a separator line).
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);
  bool Checked() const { return FChecked; }
  void SetChecked(bool checked);
  bool Visible() const { return FVisible; }
  void SetVisible(bool visible);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int index);
  std::string Hint;

  // The menu this item lies in, or null.
  TMenuItem* Parent() const { return FParent; }
  // The position of this item in its parent menu, -1 without a parent.
  int MenuIndex() const;
  // Moves the item to another position of its parent menu (clamped to the menu).
  void SetMenuIndex(int index);

  // --- The submenu.
  int Count() const { return int(FItems.size()); }
  // The entry at index; raises "Menu index out of bounds" outside [0, Count).
  TMenuItem* Items(int index) const;
  int IndexOf(const TMenuItem* item) const;
  // Inserts item at index (0..Count). Raises when item already lies in a menu, when
  // it is this item or one of its ancestors, or when index is out of range.
  void Insert(int index, TMenuItem* item);
  void Add(TMenuItem* item) { Insert(Count(), item); }
  // Takes item out of the submenu (it is not destroyed); nothing when absent.
  void Remove(TMenuItem* item);
  // Takes the entry at index out of the submenu.
  void Delete(int index);
  // Destroys every entry of the submenu.
  void Clear();

  // Runs OnClick when the item is enabled (as a user's choice of the entry does).
  virtual void Click();
  TNotifyEvent OnClick;
  // Runs after the caption, flags or entries changed (a menu bar repaints here).
  TNotifyEvent OnChange;

private:
  void Changed();

  std::string FCaption;
  bool FEnabled = true;
  bool FChecked = false;
  bool FVisible = true;
  int FImageIndex = -1;
  TMenuItem* FParent = nullptr;
  std::vector<TMenuItem*> FItems;
};
