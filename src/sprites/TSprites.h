#pragma once

// A windowed surface that holds up to 1000 transparent pictures (TSprite) in a
// stacking order, paints them over whatever its OnPaint draws, and lets the user
// pick one up with the mouse and drag it without flicker.
//
// The sprites are registered, not owned: each joins its group when its
// SpriteGroup is set, in that order, and the first one registered starts in front.
// A shown sprite keeps a copy of the surface pixels it covers, so that it can be
// taken off or moved by putting those pixels back; moves are composed off screen
// and copied to the surface in one step, and the surface is never invalidated by
// the engine. As long as every change goes through the group (SetVisible, MoveTo
// on the group's canvas, the mouse operations), the surface shows exactly what a
// full repaint would: OnPaint's drawing with the shown sprites over it, back to front.
//
// Input: in the default drag mode (dmManual) the surface's own press, move and
// release events drive SpriteMouseDown, SpriteMouseMove and SpriteMouseUp. In
// dmAutomatic the toolkit turns a press into a drag-and-drop operation instead,
// and the host calls the three operations from OnStartDrag, OnDragOver and
// OnEndDrag with the mouse position in the surface's client coordinates, then
// reads SelIndex and the sprite's position to judge the drop.

#include <array>
#include <string>
#include <vector>

#include "toolkit/forms/TCustomControl.h"

class TSprite;

// Shows a modal message box with an OK button (the sprite engine's only way of
// reporting misuse; it never raises). An empty caption means the application's title.
void ShowSpriteMessage(const std::string& text, const std::string& caption = "");

class TSprites : public TCustomControl {
public:
  static constexpr int Capacity = 1000;

  explicit TSprites(TComponent* owner);
  // Sprites still registered forget their group (they are not destroyed).
  ~TSprites() override;
  const char* ClassName() const override { return "TSprites"; }

  // Registers s behind every sprite registered so far. Returns false, and changes
  // nothing, when s is null or the group already holds Capacity sprites; a sprite
  // that is already registered is not registered twice (returns true).
  bool Add(TSprite* s);
  // Takes s off the surface and out of the group; the stacking order of the others
  // is kept. A drag of s ends. Returns whether s was registered.
  bool RemoveSprite(TSprite* s);
  // Takes every sprite off the surface, the back-most first.
  void HideSprites();

  int SpriteCount() const { return FSpriteCount; }
  // The sprite registered at index (registration order), or null outside 0 .. SpriteCount - 1.
  TSprite* GetSprite(int i) const;
  // The sprite picked by the last press, or null when that press hit none (SelIndex -1).
  TSprite* GetSelSprite() const { return GetSprite(FSelIndex); }
  // The registration index of the sprite at stacking position z (0 is the front).
  int ZOrder(int z) const { return z >= 0 && z < Capacity ? FZOrder[size_t(z)] : -1; }
  // The stacking position of the sprite registered at index, or -1.
  int ZPosition(int index) const;
  // Registration index of the sprite picked by the last press; -1 when it hit none.
  int SelIndex() const { return FSelIndex; }
  // A sprite is picked up and follows the mouse.
  bool SpriteDragging() const { return FDragging; }
  // Mouse position minus the picked sprite's top-left, taken at pick-up.
  TPoint GrabOffset() const { return FGrabOffset; }
  // The surface's cursor before the pick-up hid the pointer.
  TCursor SavedCursor() const { return FSavedCursor; }

  // Paints the surface's background (the host's drawing); the shown sprites are
  // drawn over it afterwards.
  TNotifyEvent OnPaint;

  // Pick-up: the front-most enabled sprite whose rectangle contains (x, y) (shown or
  // not, transparent pixels included) comes to the front, the pointer disappears,
  // the mouse is captured and the drag begins. A press that hits nothing sets
  // SelIndex to -1. Ignored while a drag runs. sender, button and shift are unused.
  void SpriteMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  // Drag: moves the picked sprite so that it keeps its offset from (x, y). A move
  // that fails shows "moveto failed" and the drag goes on.
  void SpriteMouseMove(TObject* sender, TShiftState shift, int x, int y);
  // Drop: the pointer comes back and the capture is released. SelIndex keeps its
  // value, so the host can still read which sprite was dropped.
  void SpriteMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);

  // Moves the sprite registered at index to the front of the stacking order and
  // recomposes, off screen and in one copy, only the area spanned by the sprites
  // whose position changed (and the surface origin). A sprite of that range that
  // was not shown becomes shown. Nothing happens when it is already in front.
  void BringToFront(int index);

protected:
  // Takes the group's font and colour, runs OnPaint, then redraws the shown sprites
  // back to front (their stored backgrounds are not captured again).
  void Paint() override;

private:
  friend class TSprite;

  // The shown sprites in front of s whose rectangles meet area, the front-most first.
  std::vector<TSprite*> ShownInFront(const TSprite* s, const TRect& area) const;
  // Forgets s without drawing (s is being destroyed).
  void Unregister(TSprite* s);
  void RemoveAt(int index);
  void EndDrag();

  std::array<TSprite*, Capacity> FSpriteList{};
  std::array<int, Capacity> FZOrder{};
  bool FDragging = false;
  TCursor FSavedCursor = crDefault;
  int FSpriteCount = 0;
  TPoint FGrabOffset;
  int FSelIndex = -1;
};
