#include "toolkit/stdctrls/TCustomComboBox.h"

#include <algorithm>

#include "toolkit/forms/TControlCanvas.h"
#include "toolkit/forms/TForm.h"
#include "toolkit/stdctrls/TCustomEdit.h"
#include "toolkit/stdctrls/TListBox.h"
#include "toolkit/stdctrls/TPanel.h"

// The edit field: a borderless edit whose keys the box sees first and whose losing
// the focus closes the list.
class TCustomComboBox::TComboEdit : public TCustomEdit {
public:
  TComboEdit(TCustomComboBox& box) : TCustomEdit(&box), FBox(box) {
    SetBorderStyle(ebsNone);
    SetParentColor(true);
  }
  const char* ClassName() const override { return "TComboEdit"; }

protected:
  void KeyDown(uint16_t& key, TShiftState shift) override {
    FBox.EditKeyDown(key, shift);
    if (key != 0) TCustomEdit::KeyDown(key, shift);
  }
  void KeyPress(char& key) override {
    if (FBox.OnKeyPress) FBox.OnKeyPress(&FBox, key);
    // Enter and Esc close an open list rather than reaching the edit.
    if ((key == VK_RETURN || key == VK_ESCAPE) && FBox.FDroppedDown) key = 0;
    if (key != 0) TCustomEdit::KeyPress(key);
  }
  void DoEnter() override {
    TCustomEdit::DoEnter();
    if (FBox.OnEnter) FBox.OnEnter(&FBox);
  }
  void DoExit() override {
    TCustomEdit::DoExit();
    FBox.SetDroppedDown(false);
    if (FBox.OnExit) FBox.OnExit(&FBox);
  }

private:
  TCustomComboBox& FBox;
};

TCustomComboBox::TCustomComboBox(TComponent* owner) : TCustomControl(owner), FItems(std::make_unique<TStringList>()) {
  ControlStyle |= csOpaque;
  TabStop = false;  // the edit field takes the focus
  FEdit = new TComboEdit(*this);
  FEdit->OnChange = [this](TObject*) { EditChanged(); };
  FEdit->SetParent(this);
  SetColor(clWindow);
  SetBounds(0, 0, 145, 21);
}

TCustomComboBox::~TCustomComboBox() {
  // The edit field and the list are owned components; the destructor of the base
  // destroys them. Their handlers must not reach this object meanwhile.
  Destroying();
  if (FEdit) FEdit->OnChange = nullptr;
}

void TCustomComboBox::SetSorted(bool sorted) {
  if (sorted == FSorted) return;
  FSorted = sorted;
  FItems->SetSorted(sorted);
}

int TCustomComboBox::IndexOf(const std::string& text) const {
  for (int i = 0; i < FItems->Count(); ++i)
    if (AnsiSameText(FItems->Strings(i), text)) return i;
  return -1;
}

int TCustomComboBox::ItemIndex() const {
  return IndexOf(Text());
}

void TCustomComboBox::SetItemIndex(int index) {
  if (index < 0 || index >= FItems->Count()) return;
  SetText(FItems->Strings(index));
}

void TCustomComboBox::SetStyle(TComboBoxStyle style) {
  FStyle = style;
  FEdit->SetReadOnly(style == csDropDownList);
}

int TCustomComboBox::MaxLength() const {
  return FEdit->MaxLength();
}
void TCustomComboBox::SetMaxLength(int maxLength) {
  FEdit->SetMaxLength(maxLength);
}

TRect TCustomComboBox::ButtonRect() const {
  return {std::max(2, Width() - 2 - DropButtonWidth), 2, std::max(2, Width() - 2), std::max(2, Height() - 2)};
}

void TCustomComboBox::PlaceEdit() {
  if (!FEdit) return;
  TRect button = ButtonRect();
  FEdit->SetBounds(2, 2, std::max(0, button.Left - 2), std::max(0, Height() - 4));
}

void TCustomComboBox::SetBounds(int left, int top, int width, int height) {
  TCustomControl::SetBounds(left, top, width, height);
  PlaceEdit();
}

void TCustomComboBox::SetFocus() {
  if (FEdit && FEdit->CanFocus())
    FEdit->SetFocus();
  else
    TCustomControl::SetFocus();
}

// --- Text

void TCustomComboBox::TextChanged() {
  if (!FSyncing && FEdit) {
    FSyncing = true;
    FEdit->SetText(Text());
    FSyncing = false;
  }
  TCustomControl::TextChanged();
  Change();
}

void TCustomComboBox::EditChanged() {
  if (FSyncing || IsDestroying()) return;
  FSyncing = true;
  SetText(FEdit->Text());
  FSyncing = false;
}

void TCustomComboBox::Change() {
  if (OnChange && !IsDestroying()) OnChange(this);
}

void TCustomComboBox::FontChanged() {
  TCustomControl::FontChanged();
  if (FEdit) FEdit->SetFont(Font());
}

void TCustomComboBox::ColorChanged() {
  TCustomControl::ColorChanged();
  if (FEdit) FEdit->SetColor(Color());
}

void TCustomComboBox::EnabledChanged() {
  TCustomControl::EnabledChanged();
  if (FEdit) FEdit->SetEnabled(Enabled());
  if (!Enabled()) SetDroppedDown(false);
}

// --- The list

void TCustomComboBox::SetDroppedDown(bool dropped) {
  if (dropped == FDroppedDown || IsDestroying()) return;
  TForm* form = GetParentForm();
  if (dropped) {
    if (!form || !Showing()) return;
    if (OnDropDown) OnDropDown(this);
    if (!FList) {
      FList = new TListBox(this);
      FList->TabStop = false;  // the edit field keeps the focus
      FList->OnClick = [this](TObject*) { ListClicked(); };
    }
    FList->SetFont(Font());
    FList->SetItemHeight(FItemHeight);
    FList->SetItems(*FItems);
    const int rows = std::clamp(FItems->Count(), 1, std::max(1, DropDownCount));
    TPoint origin = OriginInForm();
    FList->SetBounds(origin.X, origin.Y + Height(), Width(), rows * FItemHeight + 4);
    FList->SetParent(form);
    FList->SetVisible(true);
    FList->BringToFront();
    FList->SetItemIndex(ItemIndex());
    FList->SetTopIndex(FList->ItemIndex());
    FDroppedDown = true;
  } else {
    FDroppedDown = false;
    // The list is hidden, not destroyed: this may run inside the list's own handler.
    if (FList) FList->SetVisible(false);
    if (OnCloseUp) OnCloseUp(this);
  }
  Invalidate();
}

void TCustomComboBox::ListClicked() {
  if (FList) ChooseItem(FList->ItemIndex());
}

void TCustomComboBox::ChooseItem(int index) {
  if (index >= 0 && index < FItems->Count()) {
    SetText(FItems->Strings(index));
    FEdit->SelectAll();
    if (OnSelect) OnSelect(this);
  }
  SetDroppedDown(false);
}

void TCustomComboBox::EditKeyDown(uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
  const bool altDown = (shift & ssAlt) && (key == VK_DOWN || key == VK_UP);
  if (key == VK_F1 + 3 || altDown) {  // F4 or Alt+arrow opens and closes the list
    SetDroppedDown(!FDroppedDown);
    key = 0;
  } else if (key == VK_ESCAPE && FDroppedDown) {
    SetDroppedDown(false);
    key = 0;
  } else if (key == VK_RETURN && FDroppedDown) {
    ChooseItem(FList->ItemIndex());
    key = 0;
  } else if ((key == VK_DOWN || key == VK_UP) && FItems->Count() > 0) {
    int current = FDroppedDown ? FList->ItemIndex() : ItemIndex();
    int next = std::clamp(current + (key == VK_DOWN ? 1 : -1), 0, FItems->Count() - 1);
    if (current < 0) next = 0;
    if (FDroppedDown)
      FList->SetItemIndex(next);
    else if (next != current) {
      SetItemIndex(next);
      FEdit->SelectAll();
      if (OnSelect) OnSelect(this);
    }
    key = 0;
  }
}

void TCustomComboBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && ButtonRect().Contains(x, y)) {
    if (FEdit->CanFocus() && !FEdit->Focused()) FEdit->SetFocus();
    SetDroppedDown(!FDroppedDown);
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomComboBox::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FEdit) FEdit = nullptr;
  if (component == FList) {
    FList = nullptr;
    FDroppedDown = false;
  }
}

// --- Painting

void TCustomComboBox::Paint() {
  TCanvas& canvas = Canvas();
  TRect r = ClientRect();
  Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 1);
  Frame3D(canvas, r, cl3DDkShadow, cl3DLight, 1);
  canvas.Brush().Style = bsSolid;
  canvas.Brush().Color = ColorToRGB(Color());
  canvas.FillRect(r);

  TRect button = ButtonRect();
  canvas.Brush().Color = ColorToRGB(clBtnFace);
  canvas.FillRect(button);
  TRect face = button;
  if (FDroppedDown)
    Frame3D(canvas, face, clBtnShadow, clBtnShadow, 1);
  else {
    Frame3D(canvas, face, cl3DLight, cl3DDkShadow, 1);
    Frame3D(canvas, face, clBtnHighlight, clBtnShadow, 1);
  }
  // The arrow: a small triangle pointing down, centred on the button.
  const int cx = (button.Left + button.Right) / 2 + (FDroppedDown ? 1 : 0);
  const int cy = (button.Top + button.Bottom) / 2 - 1 + (FDroppedDown ? 1 : 0);
  canvas.Brush().Color = ColorToRGB(Enabled() ? clBtnText : clGrayText);
  for (int row = 0; row < 4; ++row) canvas.FillRect({cx - 3 + row, cy - 1 + row, cx + 4 - row, cy + row});
}
