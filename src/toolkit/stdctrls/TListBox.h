#pragma once

// A single-selection list of strings in a sunken frame. Items are drawn one per
// ItemHeight pixels; the selected one in the highlight colours. When there are
// more items than fit, a vertical scroll bar appears on the right.
//
// The user selects with the mouse (a press on an item, or dragging over items
// with the button held) or, while the list has the focus, with the arrow, Home,
// End, Page Up and Page Down keys. Every selection made this way runs OnClick
// (a press on the item already selected counts too, as on the native control);
// setting ItemIndex from the program does not.

#include <memory>

#include "toolkit/core/TStrings.h"
#include "toolkit/forms/TCustomControl.h"

class TListBox : public TCustomControl {
public:
  static constexpr int ScrollBarWidth = 16;

  explicit TListBox(TComponent* owner);
  ~TListBox() override;
  const char* ClassName() const override { return "TListBox"; }

  // The items; changing them repaints the list and keeps ItemIndex in range.
  TStrings* Items() { return FItems.get(); }
  void SetItems(const TStrings& items) { FItems->Assign(const_cast<TStrings*>(&items)); }

  // The selected item, -1 when none. Setting an index outside the items selects none.
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int index);
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int height);
  // The first item shown at the top.
  int TopIndex() const { return FTopIndex; }
  void SetTopIndex(int index);
  // How many whole items fit in the list.
  int VisibleItemCount() const;
  bool ScrollBarShown() const;
  // The item at a client point, or -1.
  int ItemAtPos(TPoint p, bool existing = true) const;
  // The item's rectangle in client coordinates (it may lie outside the visible area).
  TRect ItemRect(int index) const;
  // Draws the frame (2 px sunken) when bsSingle.
  bool BorderSingle = true;

protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void ButtonDblClk(TMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void DoEnter() override;
  void DoExit() override;

private:
  class TListBoxStrings;
  friend class TListBoxStrings;

  void ItemsChanged();
  // The list area inside the frame, without the scroll bar.
  TRect ListRect() const;
  TRect ScrollBarRect() const;
  TRect ThumbRect() const;  // empty when the track is too short
  void ScrollBarClick(int y);
  // Selects index as the user did (scrolls it into view, runs OnClick).
  void UserSelect(int index);
  void MakeVisible(int index);
  void PaintScrollBar(TCanvas& canvas);

  std::unique_ptr<TStringList> FItems;  // a TListBoxStrings
  int FItemIndex = -1;
  int FItemHeight = 16;
  int FTopIndex = 0;
  bool FTracking = false;  // the left button went down on the items
};
