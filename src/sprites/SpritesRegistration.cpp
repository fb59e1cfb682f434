// The sprite classes' published properties, as declared layouts set them.
//
//   TSprites: OnPaint, plus DragCursor, DragKind, PopupMenu, OnStartDock and
//     OnEndDock (accepted and not used: the toolkit has no dragging cursors of its
//     own, no docking and no popup menus); plus the inherited control properties
//     (Left, Top, Width, Height, Align, Anchors, Color, Constraints.*, DragMode,
//     Enabled, Font.*, ParentColor, ParentFont, ParentShowHint, ShowHint, Visible,
//     OnClick, OnDblClick, OnDragDrop, OnDragOver, OnEndDrag, OnStartDrag, ...).
//   TSprite: Picture.Resource = 'Piece1' (an embedded bitmap) or Picture.Data = {BMP
//     bytes}, TransparentColor, SpriteGroup (the name of a TSprites; resolved after
//     the whole layout is read, in the order the sprites are declared, which is their
//     registration and initial stacking order), plus Left, Top, Width, Height and
//     Enabled from the control.

#include "sprites/SpritesRegistration.h"

#include "sprites/TSprite.h"
#include "sprites/TSprites.h"
#include "toolkit/layout/ClassRegistry.h"

namespace {

const TLayoutNames DragKindNames = {{"dkDrag", 0}, {"dkDock", 1}};

void RegisterSprites() {
  ClassRegistry()
      .Register<TSprites>("TSprites", "TCustomControl")
      .Event<TNotifyEvent>("OnPaint", [](TSprites& s, TNotifyEvent e) { s.OnPaint = e; })
      .Cursor("DragCursor", [](TSprites&, TCursor) {})
      .Enum("DragKind", DragKindNames, [](TSprites&, int) {})
      .Ignored("PopupMenu")
      .Ignored("OnStartDock")
      .Ignored("OnEndDock");
}

void RegisterSprite() {
  ClassRegistry()
      .Register<TSprite>("TSprite", "TGraphicControl")
      .Bitmap("Picture",
              [](TSprite& s, const TBitmap& b) {
                TPicture picture;
                picture.SetBitmap(&b);
                s.SetPicture(&picture);
              })
      .Color("TransparentColor", [](TSprite& s, TColor c) { s.SetTransparentColor(c); })
      // Any component may be named: one that is not a TSprites gets the sprite's own message.
      .Reference<TComponent>("SpriteGroup",
                             [](TSprite& s, TComponent* g) { s.SetSpriteGroup(dynamic_cast<TWinControl*>(g)); });
}

}  // namespace

void RegisterSpriteClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterStandardClasses();
  RegisterSprites();
  RegisterSprite();
}
