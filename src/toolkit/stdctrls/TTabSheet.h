#pragma once

// One page of a TPageControl: a windowed container that fills the page control's
// display area while it is the active page and is hidden otherwise. Its caption
// is the text of its tab.

#include "toolkit/forms/TWinControl.h"

class TPageControl;

class TTabSheet : public TWinControl {
public:
  explicit TTabSheet(TComponent* owner);
  ~TTabSheet() override;
  const char* ClassName() const override { return "TTabSheet"; }

  // Moves the sheet to another page control (appended as its last page), or removes it (null).
  void SetPageControl(TPageControl* pageControl);
  // A sheet placed on a page control becomes its last page; taken off it, it leaves the pages.
  void SetParent(TWinControl* parent) override;
  // Position among the page control's pages; -1 without a page control.
  int PageIndex() const;
  void SetPageIndex(int index);
  // Position among the visible tabs; -1 when the tab is hidden.
  int TabIndex() const;
  bool TabVisible() const { return FTabVisible; }
  void SetTabVisible(bool visible);

  TNotifyEvent OnShow;
  TNotifyEvent OnHide;

protected:
  friend class TPageControl;
  virtual void DoShow();
  virtual void DoHide();
  void TextChanged() override;

private:
  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
};
