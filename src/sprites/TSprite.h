#pragma once

// One sprite of a TSprites group: a picture with one transparent colour, a
// position in the group's client coordinates and an enabled flag.
//
// A sprite never paints itself as a control (its Paint draws nothing, and the
// control itself stays hidden, so it neither covers nor catches the mouse for the
// window it is parented to); everything is drawn on its group's canvas. While it
// is shown it keeps Background, a copy of the surface pixels under it, the size of
// its picture.
//
// Start, Hide, Redraw and MoveTo are the save-under steps on a given canvas.
// SetVisible and MoveTo on the group's own canvas also respect the stacking
// order: shown sprites in front of this one stay in front and keep their
// backgrounds true, which a plain save-under cannot do for a sprite behind others.

#include <memory>
#include <vector>

#include "toolkit/forms/TGraphicControl.h"
#include "toolkit/graphics/TBitmap.h"
#include "toolkit/graphics/TPicture.h"

class TSprites;
namespace spritecompose {
struct TComposeTarget;
}

class TSprite : public TGraphicControl {
public:
  explicit TSprite(TComponent* owner);
  // Leaves the group (taking the sprite off the surface while the group lives).
  ~TSprite() override;
  const char* ClassName() const override { return "TSprite"; }

  // --- Picture and transparency.
  TPicture* Picture() { return FPicture.get(); }
  // Copies p into the picture (null clears it); the bitmap becomes transparent in
  // TransparentColor and the control takes the picture's size. A shown sprite is
  // taken off and put back, so that the surface shows the new picture.
  void SetPicture(TPicture* p);
  TColor TransparentColor() const { return FTransparentColor; }
  // Pixels of this colour in the picture are not drawn. A shown sprite is redrawn.
  void SetTransparentColor(TColor c);

  // --- Group.
  TWinControl* SpriteGroup() const;
  // Joins g, which must be a TSprites (registration order is the initial stacking
  // order, front first); a sprite leaves its previous group first. Anything else,
  // null included, shows "SpriteGroup should be a TSprites component" and changes
  // nothing; a full group shows "A TSprites component holds at most 1000 sprites".
  void SetSpriteGroup(TWinControl* g);

  // --- Visibility on the group's surface. Shown is the only visibility flag.
  bool Shown() const { return FShown; }
  // Starts (true) or hides (false) the sprite on its group's canvas, keeping the
  // sprites in front of it in front. Nothing when v equals Shown, without a group,
  // or while the component is designed.
  void SetVisible(bool v) override;

  // --- Geometry, in the group's client coordinates.
  // (Left, Top, Left + picture width, Top + picture height).
  TRect GetBounds() const;
  // Left <= p.X < right and Top <= p.Y < bottom.
  bool Contains(const TPoint& p) const;

  // --- Save-under steps; each returns false when it did nothing.
  // Captures the canvas pixels under the sprite into Background and draws the
  // picture; false when already shown.
  bool Start(TCanvas& c);
  // Puts Background back on the canvas; false when not shown.
  bool Hide(TCanvas& c);
  // Draws the picture at (Left, Top), or at (x, y), when shown; returns Shown.
  bool Redraw(TCanvas* c);
  bool Redraw(TCanvas* c, int x, int y);
  // Moves the sprite to (x, y). A shown sprite is moved without flicker: the union
  // of its old and new rectangles is composed in a temporary bitmap and copied to
  // the canvas in one step; no pixel outside that union changes. A hidden sprite
  // only takes the new position. False, with nothing changed, when x or y lies
  // beyond 16777216 in either direction.
  bool MoveTo(TCanvas& c, int x, int y);

  // The surface pixels under the shown sprite.
  TBitmap* Background() { return FBackground.get(); }

  // Only while designed: starts the sprite on its own canvas.
  void CreateWnd();
  // Draws nothing: the group draws its sprites.
  void Paint() override {}

private:
  friend class TSprites;

  // The group (null when none).
  TSprites* Group() const { return FSpriteGroup; }
  // The shown sprites in front of this one that meet area, front-most first, when c
  // is the group's canvas; otherwise none.
  std::vector<TSprite*> ShownInFrontOn(TCanvas& c, const TRect& area) const;
  // Steps of a move on a composition target: the old place gets Background back,
  // Background takes the pixels under the new place, the picture is drawn there.
  void MoveSteps(const spritecompose::TComposeTarget& t, const TRect& oldRect, const TRect& newRect);
  // Where the shown sprite covers the surface: its position, the size of Background.
  TRect ShownRect() const;

  std::unique_ptr<TBitmap> FBackground;
  bool FShown = false;
  TColor FTransparentColor = 0;
  std::unique_ptr<TPicture> FPicture;
  TSprites* FSpriteGroup = nullptr;  // set and cleared by the group
};
