#include "toolkit/stdctrls/TPageControl.h"

#include <algorithm>

#include "toolkit/forms/TControlCanvas.h"
#include "toolkit/stdctrls/TPanel.h"

namespace {
constexpr int TabPadding = 6;  // space left and right of a caption
// Owner-drawn tabs: the program writes the caption 4 pixels in, and as much again on the
// right frames it; thirteen captions then fit one row of the tutor's window.
constexpr int OwnerDrawTabExtra = 4 + 4;
constexpr int RowLeft = 2;  // the first tab starts here
}  // namespace

TPageControl::TPageControl(TComponent* owner) : TCustomControl(owner) {
  ControlStyle |= csAcceptsControls;
  ControlStyle &= ~(csClickEvents | csDoubleClicks);
  TabStop = true;
  SetBounds(0, 0, 289, 193);
  SetParentColor(true);
}

TPageControl::~TPageControl() {
  // The pages are destroyed as children after this destructor: they must not call back.
  for (TTabSheet* page : FPages) page->FPageControl = nullptr;
  FPages.clear();
  FActivePage = nullptr;
}

TTabSheet* TPageControl::Pages(int index) const {
  if (index < 0 || index >= PageCount()) throw Exception(Format("List index out of bounds (%d)", index));
  return FPages[size_t(index)];
}

int TPageControl::IndexOfPage(const TTabSheet* page) const {
  auto it = std::find(FPages.begin(), FPages.end(), page);
  return it == FPages.end() ? -1 : int(it - FPages.begin());
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page == FActivePage) return;
  if (page && page->FPageControl != this) return;
  TTabSheet* old = FActivePage;
  FActivePage = page;
  bool events = !IsLoading() && !IsDestroying();
  if (old) {
    old->SetVisible(false);
    if (events) old->DoHide();
  }
  if (page && page == FActivePage) {
    page->BringToFront();
    page->SetVisible(true);
    if (events) page->DoShow();
    MakeTabVisible(page->TabIndex());
  }
  Invalidate();
}

void TPageControl::SetActivePageIndex(int index) {
  SetActivePage(index >= 0 && index < PageCount() ? FPages[size_t(index)] : nullptr);
}

int TPageControl::TabIndex() const {
  return FActivePage ? FActivePage->TabIndex() : -1;
}

bool TPageControl::SelectTab(int tabIndex) {
  std::vector<TTabSheet*> tabs = VisibleTabs();
  if (tabIndex < 0 || tabIndex >= int(tabs.size())) return false;
  TTabSheet* page = tabs[size_t(tabIndex)];
  if (page == FActivePage || !CanChange()) return false;
  SetActivePage(page);
  Change();
  return true;
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward) const {
  if (FPages.empty()) return nullptr;
  int n = PageCount();
  int start = IndexOfPage(current);
  if (start < 0) start = goForward ? n - 1 : 0;
  int i = start;
  for (int step = 0; step < n; ++step) {
    i = (i + (goForward ? 1 : n - 1)) % n;
    if (FPages[size_t(i)]->TabVisible()) return FPages[size_t(i)];
  }
  return nullptr;
}

bool TPageControl::CanChange() {
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  return allow;
}

void TPageControl::Change() {
  if (OnChange) OnChange(this);
}

// ---- pages

void TPageControl::InsertPage(TTabSheet* page) {
  if (IndexOfPage(page) >= 0) return;
  FPages.push_back(page);
  page->FPageControl = this;
  TabsChanged();
  if (!FActivePage && !IsLoading() && page->TabVisible()) SetActivePage(page);
}

void TPageControl::RemovePage(TTabSheet* page) {
  int index = IndexOfPage(page);
  if (index < 0) return;
  if (page == FActivePage) {
    TTabSheet* next = IsDestroying() ? nullptr : FindNextPage(page, true);
    SetActivePage(next == page ? nullptr : next);
    if (FActivePage == page) FActivePage = nullptr;
  }
  FPages.erase(FPages.begin() + index);
  page->FPageControl = nullptr;
  TabsChanged();
}

void TPageControl::MovePage(TTabSheet* page, int index) {
  int from = IndexOfPage(page);
  if (from < 0) return;
  index = std::clamp(index, 0, PageCount() - 1);
  FPages.erase(FPages.begin() + from);
  FPages.insert(FPages.begin() + index, page);
  TabsChanged();
}

void TPageControl::Loaded() {
  TCustomControl::Loaded();
  if (!FActivePage)
    if (TTabSheet* first = FindNextPage(nullptr, true)) SetActivePage(first);
  TabsChanged();
}

// ---- tab geometry

std::vector<TTabSheet*> TPageControl::VisibleTabs() const {
  std::vector<TTabSheet*> tabs;
  for (TTabSheet* page : FPages)
    if (page->TabVisible()) tabs.push_back(page);
  return tabs;
}

int TPageControl::TabHeight() const {
  if (FTabHeight > 0) return FTabHeight;
  TCanvas measure;
  measure.Font().Assign(const_cast<TFont*>(&Font()));
  return std::max(20, measure.TextHeight("Ag") + 6);
}

void TPageControl::SetTabHeight(int height) {
  FTabHeight = std::max(0, height);
  TabsChanged();
}

void TPageControl::MeasureTabs() const {
  if (FWidthsValid) return;
  TCanvas measure;
  measure.Font().Assign(const_cast<TFont*>(&Font()));
  FTabWidths.clear();
  const int extra = OwnerDraw ? OwnerDrawTabExtra : 2 * TabPadding;
  for (TTabSheet* page : VisibleTabs())
    FTabWidths.push_back(TabWidth > 0 ? TabWidth : measure.TextWidth(page->Caption()) + extra);
  FWidthsValid = true;
}

bool TPageControl::ScrollArrowsShown() const {
  MeasureTabs();
  int total = RowLeft;
  for (int w : FTabWidths) total += w;
  return total + 2 > Width();
}

int TPageControl::TabRowRight() const {
  return ScrollArrowsShown() ? Width() - 2 * ArrowWidth - 2 : Width() - 2;
}

std::vector<TRect> TPageControl::LayoutTabs() const {
  MeasureTabs();
  int h = TabHeight();
  std::vector<TRect> rects(FTabWidths.size());
  int x = RowLeft;
  for (size_t i = size_t(std::max(0, FFirstTab)); i < FTabWidths.size(); ++i) {
    rects[i] = {x, 2, x + FTabWidths[i], 2 + h};
    x += FTabWidths[i];
  }
  return rects;
}

TRect TPageControl::TabRect(int tabIndex) const {
  std::vector<TRect> rects = LayoutTabs();
  if (tabIndex < 0 || tabIndex >= int(rects.size()) || rects[size_t(tabIndex)].IsEmpty()) return {};
  TRect r = rects[size_t(tabIndex)];
  if (r.Left >= TabRowRight()) return {};
  if (tabIndex == TabIndex()) r = {r.Left - 2, 0, r.Right + 2, r.Bottom + 2};
  return r;
}

int TPageControl::IndexOfTabAt(int x, int y) const {
  if (x >= TabRowRight()) return -1;
  int selected = TabIndex();
  // The raised selected tab overlaps its neighbours: it wins.
  if (selected >= 0 && TabRect(selected).Contains(x, y)) return selected;
  std::vector<TRect> rects = LayoutTabs();
  for (size_t i = 0; i < rects.size(); ++i)
    if (!rects[i].IsEmpty() && rects[i].Contains(x, y)) return int(i);
  return -1;
}

TRect TPageControl::DisplayRect() const {
  int top = TabHeight() + 4;
  return {4, top, std::max(4, Width() - 4), std::max(top, Height() - 4)};
}

void TPageControl::TabsChanged() {
  FWidthsValid = false;
  FFirstTab = std::clamp(FFirstTab, 0, std::max(0, int(VisibleTabs().size()) - 1));
  if (FActivePage) MakeTabVisible(FActivePage->TabIndex());
  Realign();
  Invalidate();
}

void TPageControl::ScrollTabs(int delta) {
  MeasureTabs();
  int count = int(FTabWidths.size());
  // The last useful first tab: from there on every remaining tab fits.
  int last = count - 1, room = TabRowRight() - RowLeft, used = 0;
  while (last >= 0 && used + FTabWidths[size_t(last)] <= room) used += FTabWidths[size_t(last--)];
  int maxFirst = std::max(0, last + 1);
  int first = std::clamp(FFirstTab + delta, 0, maxFirst);
  if (first == FFirstTab) return;
  FFirstTab = first;
  Invalidate();
}

void TPageControl::MakeTabVisible(int tabIndex) {
  if (tabIndex < 0) return;
  MeasureTabs();
  if (tabIndex < FFirstTab) FFirstTab = tabIndex;
  while (FFirstTab < tabIndex) {
    int right = RowLeft;
    for (int i = FFirstTab; i <= tabIndex && i < int(FTabWidths.size()); ++i) right += FTabWidths[size_t(i)];
    if (right + 2 <= TabRowRight()) break;
    ++FFirstTab;
  }
}

void TPageControl::AlignControls(TControl* control, TRect& rect) {
  rect = IntersectRect(rect, DisplayRect());
  TCustomControl::AlignControls(control, rect);
}

void TPageControl::FontChanged() {
  TCustomControl::FontChanged();
  TabsChanged();
}

// ---- input

void TPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  if (ScrollArrowsShown() && x >= Width() - 2 * ArrowWidth && y < TabHeight() + 2 &&
      y >= TabHeight() + 2 - ArrowWidth) {
    ScrollTabs(x < Width() - ArrowWidth ? -1 : 1);
    return;
  }
  int tab = IndexOfTabAt(x, y);
  if (tab < 0) return;
  if (TabStop && CanFocus() && !Focused()) SetFocus();
  SelectTab(tab);
}

void TPageControl::KeyDown(uint16_t& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  int tab = TabIndex();
  if (key == VK_LEFT && tab > 0) {
    SelectTab(tab - 1);
  } else if (key == VK_RIGHT && tab >= 0) {
    SelectTab(tab + 1);
  }
}

// ---- painting

void TPageControl::DrawTab(int tabIndex, const TRect& rect, bool active) {
  if (OwnerDraw && OnDrawTab) {
    OnDrawTab(this, tabIndex, rect, active);
    return;
  }
  std::vector<TTabSheet*> tabs = VisibleTabs();
  if (tabIndex < 0 || tabIndex >= int(tabs.size())) return;
  TRect r = rect;
  Canvas().Brush().Style = bsClear;
  Canvas().DrawText(tabs[size_t(tabIndex)]->Caption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  Canvas().Brush().Style = bsSolid;
}

void TPageControl::PaintTab(TCanvas& canvas, int tabIndex, TRect r, bool active) {
  canvas.Brush().Style = bsSolid;
  canvas.Brush().Color = ColorToRGB(Color());
  canvas.FillRect(r);
  auto line = [&](TColor c, const TRect& l) {
    canvas.Brush().Color = ColorToRGB(c);
    canvas.FillRect(l);
  };
  line(clBtnHighlight, {r.Left, r.Top + 2, r.Left + 1, r.Bottom});       // left edge
  line(clBtnHighlight, {r.Left + 1, r.Top + 1, r.Left + 2, r.Top + 2});  // rounded corner
  line(clBtnHighlight, {r.Left + 2, r.Top, r.Right - 2, r.Top + 1});     // top edge
  line(cl3DDkShadow, {r.Right - 2, r.Top + 1, r.Right - 1, r.Top + 2});  // rounded corner
  line(cl3DDkShadow, {r.Right - 1, r.Top + 2, r.Right, r.Bottom});       // right edge
  line(clBtnShadow, {r.Right - 2, r.Top + 2, r.Right - 1, r.Bottom});
  canvas.Brush().Color = ColorToRGB(Color());
  canvas.Font().Assign(&Font());
  DrawTab(tabIndex, {r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom}, active);
}

void TPageControl::PaintArrows(TCanvas& canvas) {
  int top = TabHeight() + 2 - ArrowWidth;
  for (int i = 0; i < 2; ++i) {
    TRect r = Bounds(Width() - 2 * ArrowWidth + i * ArrowWidth, top, ArrowWidth, ArrowWidth);
    canvas.Brush().Color = ColorToRGB(clBtnFace);
    canvas.FillRect(r);
    TRect f = r;
    Frame3D(canvas, f, clBtnHighlight, cl3DDkShadow, 1);
    Frame3D(canvas, f, clBtnFace, clBtnShadow, 1);
    // A small triangle pointing left (i = 0) or right (i = 1).
    int cx = r.Left + ArrowWidth / 2, cy = r.Top + ArrowWidth / 2;
    bool scrollable = i == 0 ? FFirstTab > 0 : LayoutTabs().back().Right + 2 > TabRowRight();
    canvas.Brush().Color = ColorToRGB(scrollable ? clBtnText : clGrayText);
    for (int k = 0; k < 4; ++k) {
      int x = i == 0 ? cx - 2 + k : cx + 1 - k;
      canvas.FillRect({x, cy - k, x + 1, cy + k + 1});
    }
  }
}

void TPageControl::Paint() {
  TCanvas& canvas = Canvas();
  int h = TabHeight();
  // The page frame below the tab row.
  TRect frame = {0, h + 2, Width(), Height()};
  Frame3D(canvas, frame, clBtnHighlight, cl3DDkShadow, 1);
  Frame3D(canvas, frame, Color(), clBtnShadow, 1);
  std::vector<TRect> rects = LayoutTabs();
  int selected = TabIndex();
  int rowRight = TabRowRight();
  for (int i = FFirstTab; i < int(rects.size()); ++i)
    if (i != selected && rects[size_t(i)].Left < rowRight) PaintTab(canvas, i, rects[size_t(i)], false);
  if (selected >= FFirstTab && selected < int(rects.size()) && rects[size_t(selected)].Left < rowRight) {
    TRect r = rects[size_t(selected)];
    // Raised: 2 px higher and wider, and open at the bottom into the page.
    PaintTab(canvas, selected, {r.Left - 2, 0, r.Right + 2, r.Bottom + 2}, true);
  }
  if (ScrollArrowsShown()) {
    canvas.Brush().Color = ColorToRGB(Color());
    canvas.FillRect({rowRight, 0, Width(), h + 2});
    PaintArrows(canvas);
  }
}
