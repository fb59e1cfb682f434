#pragma once

// An editable drop-down combo box: an edit field, a button at the right edge and a
// list of items that drops down below the box and closes again. Choosing an item
// puts it into the edit field. The items can be kept in alphabetical order (Sorted);
// IndexOf finds an item by its whole text, letter case ignored.
//
// The edit field is a TCustomEdit child of the box; the box's Text is always the edit
// field's text. The dropped-down list is a list box placed on the form, above the
// other controls, while it is open.

#include <memory>

#include "toolkit/core/TStrings.h"
#include "toolkit/forms/TCustomControl.h"

class TCustomEdit;
class TListBox;

enum TComboBoxStyle : uint8_t { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

using TDrawItemEvent = std::function<void(TObject* sender, int index, const TRect& rect, uint32_t state)>;
using TMeasureItemEvent = std::function<void(TObject* sender, int index, int& height)>;

class TCustomComboBox : public TCustomControl {
public:
  static constexpr int DropButtonWidth = 17;

  explicit TCustomComboBox(TComponent* owner);
  ~TCustomComboBox() override;
  const char* ClassName() const override { return "TCustomComboBox"; }

  // The items; the list shows them in this order.
  TStrings* Items() { return FItems.get(); }
  const TStrings* Items() const { return FItems.get(); }
  // Keeps Items in alphabetical order (letter case ignored); switching it on sorts them now.
  bool Sorted() const { return FSorted; }
  void SetSorted(bool sorted);
  // The index of the item whose whole text equals text, letter case ignored; -1 when none.
  int IndexOf(const std::string& text) const;

  // The item shown in the edit field, -1 when its text is no item's. Setting it puts
  // the item's text into the edit field (-1 leaves the text as it is).
  int ItemIndex() const;
  void SetItemIndex(int index);

  TComboBoxStyle Style() const { return FStyle; }
  // csDropDownList makes the edit field read-only; the other styles keep it editable.
  void SetStyle(TComboBoxStyle style);
  // How many items the list shows without scrolling.
  int DropDownCount = 8;
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int height) { FItemHeight = height < 1 ? 1 : height; }
  int MaxLength() const;
  void SetMaxLength(int maxLength);

  // --- The drop-down list.
  bool DroppedDown() const { return FDroppedDown; }
  // Opens (OnDropDown first) or closes (then OnCloseUp) the list.
  void SetDroppedDown(bool dropped);
  // The open list, or null while it is closed.
  TListBox* DropDownList() const { return FDroppedDown ? FList : nullptr; }
  // The edit field.
  TCustomEdit* EditField() const { return FEdit; }

  TNotifyEvent OnChange;    // the text changed (typing, choosing an item or by program)
  TNotifyEvent OnSelect;    // an item was chosen from the list
  TNotifyEvent OnDropDown;  // the list is about to open
  TNotifyEvent OnCloseUp;   // the list closed
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

  void SetBounds(int left, int top, int width, int height) override;
  void SetFocus() override;

protected:
  virtual void Change();
  void Paint() override;
  void TextChanged() override;
  void FontChanged() override;
  void ColorChanged() override;
  void EnabledChanged() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  class TComboEdit;
  friend class TComboEdit;

  TRect ButtonRect() const;
  void PlaceEdit();
  void EditChanged();
  void EditKeyDown(uint16_t& key, TShiftState shift);
  void ListClicked();
  // Takes item index as the user's choice: its text, OnSelect, the list closed.
  void ChooseItem(int index);

  std::unique_ptr<TStringList> FItems;
  TCustomEdit* FEdit = nullptr;  // owned as a component
  TListBox* FList = nullptr;     // owned as a component, placed on the form while open
  bool FSorted = false;
  TComboBoxStyle FStyle = csDropDown;
  int FItemHeight = 13;
  bool FDroppedDown = false;
  bool FSyncing = false;
};
