// Registration of the toolkit's own classes with the layout reader: the core
// classes' published properties and the standard controls'.

#include "toolkit/forms/TCustomControl.h"
#include "toolkit/forms/TForm.h"
#include "toolkit/forms/TGraphicControl.h"
#include "toolkit/forms/TTimer.h"
#include "toolkit/forms/TWinControl.h"
#include "toolkit/graphics/TBitmap.h"
#include "toolkit/layout/ClassRegistry.h"
#include "toolkit/stdctrls/TImage.h"
#include "toolkit/stdctrls/TLabel.h"
#include "toolkit/stdctrls/TListBox.h"
#include "toolkit/stdctrls/TPageControl.h"
#include "toolkit/stdctrls/TPaintBox.h"
#include "toolkit/stdctrls/TPanel.h"

namespace {

const TLayoutNames AlignNames = {{"alNone", alNone}, {"alTop", alTop},     {"alBottom", alBottom},
                                 {"alLeft", alLeft}, {"alRight", alRight}, {"alClient", alClient}};
const TLayoutNames DragModeNames = {{"dmManual", dmManual}, {"dmAutomatic", dmAutomatic}};
const TLayoutNames AlignmentNames = {
    {"taLeftJustify", taLeftJustify}, {"taRightJustify", taRightJustify}, {"taCenter", taCenter}};

void RegisterComponent() {
  ClassRegistry()
      .Register<TComponent>("TComponent", "")
      .Integer("Tag", [](TComponent& c, int v) { c.Tag = v; })
      // Designer bookkeeping written by form editors.
      .Ignored("Left")
      .Ignored("Top")
      .Ignored("DesignSize");
}

void RegisterControl() {
  ClassRegistry()
      .Register<TControl>("TControl", "TComponent")
      .Parent([](TControl& c, TComponent& parent) {
        // Inside a windowed control a control goes on it; a graphic control cannot hold
        // one; inside any other component (a data module) it only gets its owner.
        if (auto* w = dynamic_cast<TWinControl*>(&parent)) {
          c.SetParent(w);
          // The parent's font and colour are taken now, so that a layout's Font.Color
          // or Font.Height changes the parent's font rather than the default one.
          if (c.ParentFont()) c.SetParentFont(true);
          if (c.ParentColor()) c.SetParentColor(true);
        } else if (dynamic_cast<TControl*>(&parent)) {
          throw Exception(Format("a %s cannot hold the control %s", parent.ClassName(), c.Name().c_str()));
        }
      })
      .Integer("Left", [](TControl& c, int v) { c.SetLeft(v); })
      .Integer("Top", [](TControl& c, int v) { c.SetTop(v); })
      .Integer("Width", [](TControl& c, int v) { c.SetWidth(v); })
      .Integer("Height", [](TControl& c, int v) { c.SetHeight(v); })
      .Integer("ClientWidth", [](TControl& c, int v) { c.SetClientWidth(v); })
      .Integer("ClientHeight", [](TControl& c, int v) { c.SetClientHeight(v); })
      .Boolean("Visible", [](TControl& c, bool v) { c.SetVisible(v); })
      .Boolean("Enabled", [](TControl& c, bool v) { c.SetEnabled(v); })
      .String("Caption", [](TControl& c, const std::string& v) { c.SetCaption(v); })
      .String("Text", [](TControl& c, const std::string& v) { c.SetText(v); })
      .Color("Color", [](TControl& c, TColor v) { c.SetColor(v); })
      .Boolean("ParentColor", [](TControl& c, bool v) { c.SetParentColor(v); })
      .Font("Font", [](TControl& c) -> TFont& { return c.Font(); })
      .Boolean("ParentFont", [](TControl& c, bool v) { c.SetParentFont(v); })
      .String("Hint", [](TControl& c, const std::string& v) { c.Hint = v; })
      .Boolean("ShowHint", [](TControl& c, bool v) { c.SetShowHint(v); })
      .Boolean("ParentShowHint", [](TControl& c, bool v) { c.SetParentShowHint(v); })
      .Cursor("Cursor", [](TControl& c, TCursor v) { c.SetCursor(v); })
      .Enum("Align", AlignNames, [](TControl& c, int v) { c.SetAlign(TAlign(v)); })
      .Enum("DragMode", DragModeNames, [](TControl& c, int v) { c.SetDragMode(TDragMode(v)); })
      .Event<TNotifyEvent>("OnClick", [](TControl& c, TNotifyEvent e) { c.OnClick = e; })
      .Event<TNotifyEvent>("OnDblClick", [](TControl& c, TNotifyEvent e) { c.OnDblClick = e; })
      .Event<TMouseEvent>("OnMouseDown", [](TControl& c, TMouseEvent e) { c.OnMouseDown = e; })
      .Event<TMouseMoveEvent>("OnMouseMove", [](TControl& c, TMouseMoveEvent e) { c.OnMouseMove = e; })
      .Event<TMouseEvent>("OnMouseUp", [](TControl& c, TMouseEvent e) { c.OnMouseUp = e; })
      .Event<TNotifyEvent>("OnMouseEnter", [](TControl& c, TNotifyEvent e) { c.OnMouseEnter = e; })
      .Event<TNotifyEvent>("OnMouseLeave", [](TControl& c, TNotifyEvent e) { c.OnMouseLeave = e; })
      .Event<TStartDragEvent>("OnStartDrag", [](TControl& c, TStartDragEvent e) { c.OnStartDrag = e; })
      .Event<TDragOverEvent>("OnDragOver", [](TControl& c, TDragOverEvent e) { c.OnDragOver = e; })
      .Event<TDragDropEvent>("OnDragDrop", [](TControl& c, TDragDropEvent e) { c.OnDragDrop = e; })
      .Event<TEndDragEvent>("OnEndDrag", [](TControl& c, TEndDragEvent e) { c.OnEndDrag = e; })
      .Ignored("ParentBiDiMode")
      .Ignored("BiDiMode")
      .Ignored("Constraints.MinWidth")
      .Ignored("Constraints.MinHeight")
      .Ignored("Constraints.MaxWidth")
      .Ignored("Constraints.MaxHeight")
      .Ignored("Anchors");
}

void RegisterWinControl() {
  ClassRegistry()
      .Register<TWinControl>("TWinControl", "TControl")
      .Integer("TabOrder", [](TWinControl& c, int v) { c.TabOrder = v; })
      .Boolean("TabStop", [](TWinControl& c, bool v) { c.TabStop = v; })
      .Event<TNotifyEvent>("OnEnter", [](TWinControl& c, TNotifyEvent e) { c.OnEnter = e; })
      .Event<TNotifyEvent>("OnExit", [](TWinControl& c, TNotifyEvent e) { c.OnExit = e; })
      .Event<TKeyEvent>("OnKeyDown", [](TWinControl& c, TKeyEvent e) { c.OnKeyDown = e; })
      .Event<TKeyPressEvent>("OnKeyPress", [](TWinControl& c, TKeyPressEvent e) { c.OnKeyPress = e; })
      .Event<TKeyEvent>("OnKeyUp", [](TWinControl& c, TKeyEvent e) { c.OnKeyUp = e; })
      .Ignored("Ctl3D")
      .Ignored("ParentCtl3D");
  ClassRegistry().Register<TCustomControl>("TCustomControl", "TWinControl");
  ClassRegistry().Register<TGraphicControl>("TGraphicControl", "TControl");
}

const TLayoutNames BorderStyleNames = {
    {"bsNone", bsNone},     {"bsSingle", bsSingle},         {"bsSizeable", bsSizeable},
    {"bsDialog", bsDialog}, {"bsToolWindow", bsToolWindow}, {"bsSizeToolWin", bsSizeToolWin}};
const TLayoutNames BorderIconNames = {
    {"biSystemMenu", biSystemMenu}, {"biMinimize", biMinimize}, {"biMaximize", biMaximize}, {"biHelp", biHelp}};
const TLayoutNames FormStyleNames = {
    {"fsNormal", fsNormal}, {"fsMDIChild", fsMDIChild}, {"fsMDIForm", fsMDIForm}, {"fsStayOnTop", fsStayOnTop}};
const TLayoutNames PositionNames = {{"poDesigned", poDesigned},
                                    {"poDefault", poDefault},
                                    {"poDefaultPosOnly", poDefaultPosOnly},
                                    {"poDefaultSizeOnly", poDefaultSizeOnly},
                                    {"poScreenCenter", poScreenCenter},
                                    {"poDesktopCenter", poDesktopCenter},
                                    {"poMainFormCenter", poMainFormCenter},
                                    {"poOwnerFormCenter", poOwnerFormCenter}};
const TLayoutNames BevelNames = {
    {"bvNone", bvNone}, {"bvLowered", bvLowered}, {"bvRaised", bvRaised}, {"bvSpace", bvSpace}};
const TLayoutNames TextLayoutNames = {{"tlTop", tlTop}, {"tlCenter", tlCenter}, {"tlBottom", tlBottom}};
const TLayoutNames ListBorderNames = {{"bsNone", 0}, {"bsSingle", 1}};

void RegisterForm() {
  ClassRegistry()
      .Register<TForm>("TForm", "TWinControl")
      .String("Caption", [](TForm& f, const std::string& v) { f.SetCaption(v); })
      .Enum("BorderStyle", BorderStyleNames, [](TForm& f, int v) { f.BorderStyle = TFormBorderStyle(v); })
      .Set("BorderIcons", BorderIconNames, [](TForm& f, uint32_t v) { f.BorderIcons = TBorderIcons(v); })
      .Enum("FormStyle", FormStyleNames, [](TForm& f, int v) { f.FormStyle = TFormStyle(v); })
      .Enum("Position", PositionNames, [](TForm& f, int v) { f.Position = TPosition(v); })
      .Boolean("KeyPreview", [](TForm& f, bool v) { f.KeyPreview = v; })
      .Event<TNotifyEvent>("OnCreate", [](TForm& f, TNotifyEvent e) { f.OnCreate = e; })
      .Event<TNotifyEvent>("OnDestroy", [](TForm& f, TNotifyEvent e) { f.OnDestroy = e; })
      .Event<TNotifyEvent>("OnShow", [](TForm& f, TNotifyEvent e) { f.OnShow = e; })
      .Event<TNotifyEvent>("OnHide", [](TForm& f, TNotifyEvent e) { f.OnHide = e; })
      .Event<TCloseEvent>("OnClose", [](TForm& f, TCloseEvent e) { f.OnClose = e; })
      // The program shows its forms itself; a layout never opens a window.
      .Ignored("Visible")
      // Form-designer and scaling bookkeeping: the layouts are designed for 96 pixels per inch.
      .Ignored("PixelsPerInch")
      .Ignored("TextHeight")
      .Ignored("OldCreateOrder")
      .Ignored("Scaled")
      .Ignored("DesignSize");
  ClassRegistry()
      .Register<TTimer>("TTimer", "TComponent")
      .Integer("Interval",
               [](TTimer& t, int v) {
                 if (v < 0) throw Exception("the interval cannot be negative");
                 t.SetInterval(uint32_t(v));
               })
      .Boolean("Enabled", [](TTimer& t, bool v) { t.SetEnabled(v); })
      .Event<TNotifyEvent>("OnTimer", [](TTimer& t, TNotifyEvent e) { t.OnTimer = e; });
}

void RegisterContainers() {
  ClassRegistry()
      .Register<TPanel>("TPanel", "TCustomControl")
      .Enum("BevelOuter", BevelNames, [](TPanel& p, int v) { p.SetBevelOuter(TBevelCut(v)); })
      .Enum("BevelInner", BevelNames, [](TPanel& p, int v) { p.SetBevelInner(TBevelCut(v)); })
      .Integer("BevelWidth", [](TPanel& p, int v) { p.SetBevelWidth(v); })
      .Integer("BorderWidth", [](TPanel& p, int v) { p.SetBorderWidth(v); })
      .Enum("Alignment", AlignmentNames, [](TPanel& p, int v) { p.SetAlignment(TAlignment(v)); })
      .Ignored("FullRepaint")
      .Ignored("ParentBackground");
  ClassRegistry()
      .Register<TPageControl>("TPageControl", "TCustomControl")
      .Reference<TTabSheet>("ActivePage", [](TPageControl& p, TTabSheet* s) { p.SetActivePage(s); })
      .Boolean("OwnerDraw", [](TPageControl& p, bool v) { p.OwnerDraw = v; })
      .Integer("TabHeight", [](TPageControl& p, int v) { p.SetTabHeight(v); })
      .Integer("TabWidth", [](TPageControl& p, int v) { p.TabWidth = v; })
      .Event<TNotifyEvent>("OnChange", [](TPageControl& p, TNotifyEvent e) { p.OnChange = e; })
      .Event<TTabChangingEvent>("OnChanging", [](TPageControl& p, TTabChangingEvent e) { p.OnChanging = e; })
      .Event<TDrawTabEvent>("OnDrawTab", [](TPageControl& p, TDrawTabEvent e) { p.OnDrawTab = e; });
  ClassRegistry()
      .Register<TTabSheet>("TTabSheet", "TWinControl")
      .Parent([](TTabSheet& s, TComponent& parent) {
        auto* pages = dynamic_cast<TPageControl*>(&parent);
        if (!pages) throw Exception(Format("the sheet %s must be placed on a TPageControl", s.Name().c_str()));
        s.SetPageControl(pages);
        if (s.ParentFont()) s.SetParentFont(true);
        if (s.ParentColor()) s.SetParentColor(true);
      })
      .Integer("PageIndex", [](TTabSheet& s, int v) { s.SetPageIndex(v); })
      .Boolean("TabVisible", [](TTabSheet& s, bool v) { s.SetTabVisible(v); })
      .Event<TNotifyEvent>("OnShow", [](TTabSheet& s, TNotifyEvent e) { s.OnShow = e; })
      .Event<TNotifyEvent>("OnHide", [](TTabSheet& s, TNotifyEvent e) { s.OnHide = e; })
      .Ignored("ImageIndex");
}

void RegisterGraphicControls() {
  ClassRegistry()
      .Register<TLabel>("TLabel", "TGraphicControl")
      .Enum("Alignment", AlignmentNames, [](TLabel& l, int v) { l.SetAlignment(TAlignment(v)); })
      .Boolean("AutoSize", [](TLabel& l, bool v) { l.SetAutoSize(v); })
      .Boolean("WordWrap", [](TLabel& l, bool v) { l.SetWordWrap(v); })
      .Boolean("Transparent", [](TLabel& l, bool v) { l.SetTransparent(v); })
      .Enum("Layout", TextLayoutNames, [](TLabel& l, int v) { l.SetLayout(TTextLayout(v)); })
      .Boolean("ShowAccelChar", [](TLabel& l, bool v) { l.SetShowAccelChar(v); })
      // Focus moves to the named control on the accelerator key, which this program never uses.
      .Ignored("FocusControl");
  ClassRegistry()
      .Register<TImage>("TImage", "TGraphicControl")
      .Boolean("AutoSize", [](TImage& i, bool v) { i.SetAutoSize(v); })
      .Boolean("Transparent", [](TImage& i, bool v) { i.SetTransparent(v); })
      .Boolean("Center", [](TImage& i, bool v) { i.SetCenter(v); })
      .Boolean("Stretch", [](TImage& i, bool v) { i.SetStretch(v); })
      .Boolean("Proportional", [](TImage& i, bool v) { i.SetProportional(v); })
      .Bitmap("Picture", [](TImage& i, const TBitmap& b) { i.Picture()->SetBitmap(&b); });
  ClassRegistry()
      .Register<TPaintBox>("TPaintBox", "TGraphicControl")
      .Event<TNotifyEvent>("OnPaint", [](TPaintBox& p, TNotifyEvent e) { p.OnPaint = e; });
  ClassRegistry()
      .Register<TListBox>("TListBox", "TCustomControl")
      .Strings("Items.Strings",
               [](TListBox& l, const std::vector<std::string>& items) {
                 TStrings* list = l.Items();
                 list->BeginUpdate();
                 list->Clear();
                 for (const std::string& s : items) list->Add(s);
                 list->EndUpdate();
               })
      .Integer("ItemHeight", [](TListBox& l, int v) { l.SetItemHeight(v); })
      .Integer("ItemIndex", [](TListBox& l, int v) { l.SetItemIndex(v); })
      .Enum("BorderStyle", ListBorderNames, [](TListBox& l, int v) { l.BorderSingle = v != 0; })
      .Ignored("IntegralHeight");
}

}  // namespace

void RegisterStandardClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterComponent();
  RegisterControl();
  RegisterWinControl();
  RegisterForm();
  RegisterContainers();
  RegisterGraphicControls();
}
