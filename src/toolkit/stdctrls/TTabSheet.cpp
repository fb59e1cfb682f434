#include "toolkit/stdctrls/TTabSheet.h"

#include "toolkit/stdctrls/TPageControl.h"

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
  ControlStyle |= csAcceptsControls;
  SetVisible(false);
  SetAlign(alClient);
  SetParentColor(true);
}

TTabSheet::~TTabSheet() {
  if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* pageControl) {
  SetParent(pageControl);
}

void TTabSheet::SetParent(TWinControl* parent) {
  auto* pageControl = dynamic_cast<TPageControl*>(parent);
  if (pageControl != FPageControl) {
    if (FPageControl) FPageControl->RemovePage(this);
    if (pageControl) pageControl->InsertPage(this);
  }
  TWinControl::SetParent(parent);
}

int TTabSheet::PageIndex() const {
  return FPageControl ? FPageControl->IndexOfPage(this) : -1;
}

void TTabSheet::SetPageIndex(int index) {
  if (FPageControl) FPageControl->MovePage(this, index);
}

int TTabSheet::TabIndex() const {
  if (!FPageControl || !FTabVisible) return -1;
  int tab = 0;
  for (int i = 0; i < FPageControl->PageCount(); ++i) {
    TTabSheet* page = FPageControl->Pages(i);
    if (page == this) return tab;
    if (page->TabVisible()) ++tab;
  }
  return -1;
}

void TTabSheet::SetTabVisible(bool visible) {
  if (visible == FTabVisible) return;
  FTabVisible = visible;
  if (FPageControl) FPageControl->TabsChanged();
}

void TTabSheet::DoShow() {
  if (OnShow) OnShow(this);
}

void TTabSheet::DoHide() {
  if (OnHide) OnHide(this);
}

void TTabSheet::TextChanged() {
  TWinControl::TextChanged();
  if (FPageControl) FPageControl->TabsChanged();
}
