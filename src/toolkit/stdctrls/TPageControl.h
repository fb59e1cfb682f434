#pragma once

// A tab control with pages: one row of tabs along the top and, below it, the
// active TTabSheet. The selected tab is drawn raised (2 px taller and wider, joined
// to the page frame), as on a native tab control. When the tabs do not fit in one
// row, two scroll arrows at the right end of the row scroll them by one tab.
//
// A user's tab click asks OnChanging (which may veto), then the page that is left
// runs OnHide, the page that is entered OnShow, and finally OnChange runs.
// SetActivePage (a change made by the program) hides and shows the pages (their
// OnHide and OnShow run) but neither asks OnChanging nor runs OnChange.

#include <vector>

#include "toolkit/forms/TControlCanvas.h"  // Canvas() is used by OnPaint / OnDrawTab handlers
#include "toolkit/forms/TCustomControl.h"
#include "toolkit/stdctrls/TTabSheet.h"

// Draws one tab: control is the page control, rect the tab's area on its canvas.
using TDrawTabEvent = std::function<void(TObject* control, int tabIndex, const TRect& rect, bool active)>;
// Asked before a page change; set allowChange to false to refuse it.
using TTabChangingEvent = std::function<void(TObject* sender, bool& allowChange)>;

class TPageControl : public TCustomControl {
public:
  static constexpr int ArrowWidth = 17;  // one scroll arrow button

  explicit TPageControl(TComponent* owner);
  ~TPageControl() override;
  const char* ClassName() const override { return "TPageControl"; }

  // --- Pages, in page order.
  int PageCount() const { return int(FPages.size()); }
  TTabSheet* Pages(int index) const;
  int IndexOfPage(const TTabSheet* page) const;
  TTabSheet* ActivePage() const { return FActivePage; }
  // A program change: the old page is hidden (OnHide), the new one shown (OnShow);
  // no OnChanging, no OnChange. Null hides every page.
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const { return IndexOfPage(FActivePage); }
  void SetActivePageIndex(int index);
  // The index of the selected tab among the visible tabs (-1 when none).
  int TabIndex() const;
  // Selects a tab as a user's click does: asks OnChanging, then changes and runs OnChange.
  // Returns false when the change was refused or there was nothing to change.
  bool SelectTab(int tabIndex);
  // The page of the next or previous visible tab after current (wrapping), or null.
  TTabSheet* FindNextPage(TTabSheet* current, bool goForward) const;

  // --- Tabs.
  // Tabs drawn by OnDrawTab (after the tab's frame); otherwise the caption is drawn.
  bool OwnerDraw = false;
  // Height of a tab; 0 picks one from the font (at least 20).
  int TabHeight() const;
  void SetTabHeight(int height);
  // Width of a tab; 0 sizes each tab to its caption.
  int TabWidth = 0;
  // The tab's rectangle in client coordinates, as drawn now (empty when scrolled
  // out of view or hidden). The selected tab's rectangle is the raised one.
  TRect TabRect(int tabIndex) const;
  // The visible tab at a client point, or -1.
  int IndexOfTabAt(int x, int y) const;
  // The area that the active page fills.
  TRect DisplayRect() const;
  // The first tab drawn at the left (scrolled when the tabs do not fit).
  int FirstVisibleTab() const { return FFirstTab; }
  bool ScrollArrowsShown() const;
  // Redraws the tab row and lays the tabs out again (captions or visibility changed).
  void TabsChanged();

  TDrawTabEvent OnDrawTab;
  TTabChangingEvent OnChanging;
  TNotifyEvent OnChange;

  // --- Used by TTabSheet.
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void MovePage(TTabSheet* page, int index);

protected:
  virtual bool CanChange();
  virtual void Change();
  virtual void DrawTab(int tabIndex, const TRect& rect, bool active);
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void AlignControls(TControl* control, TRect& rect) override;
  void FontChanged() override;
  void Loaded() override;
  void KeyDown(uint16_t& key, TShiftState shift) override;

private:
  std::vector<TTabSheet*> VisibleTabs() const;
  void MeasureTabs() const;
  // Tab rectangles from FFirstTab on, unraised, clipped to the room for tabs.
  std::vector<TRect> LayoutTabs() const;
  int TabRowRight() const;
  void ScrollTabs(int delta);
  void MakeTabVisible(int tabIndex);
  void PaintTab(TCanvas& canvas, int tabIndex, TRect r, bool active);
  void PaintArrows(TCanvas& canvas);

  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
  int FTabHeight = 0;
  int FFirstTab = 0;
  mutable std::vector<int> FTabWidths;  // measured widths of the visible tabs
  mutable bool FWidthsValid = false;
};
