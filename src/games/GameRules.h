#pragma once

// The fixed tables and small rules of the three training games, kept apart from
// the window so that they can be read and tested on their own.

#include <array>

#include "toolkit/core/Types.h"

// --- Training 1: hit the bugs.

// Top-left corner of each board place's picture, in board coordinates.
constexpr std::array<TPoint, 9> BugPositions = {
    {{10, 10}, {200, 10}, {105, 95}, {10, 180}, {200, 180}, {105, 10}, {105, 180}, {10, 95}, {200, 95}}};
// How far all live bugs twitch on a tick.
constexpr std::array<TPoint, 5> JiggleOffsets = {{{2, 0}, {0, 2}, {0, -2}, {-2, 0}, {0, 0}}};

// Ticks a bug lives at a level: 30 at level 1, four fewer per level, never under 4.
constexpr int BugLifetimeForLevel(int level) {
  int lifetime = 34 - 4 * level;
  return lifetime < 4 ? 4 : lifetime;
}

// A press hits a picture of size w x h at p only strictly inside it (its left and top edges miss).
constexpr bool PressHitsPicture(TPoint p, int w, int h, int x, int y) {
  return p.X < x && x < p.X + w && p.Y < y && y < p.Y + h;
}

// --- Training 2: double-click the boxes.

constexpr int HitMarker = 888;  // the Tag of a box that has become a flower

// Top-left corner of box i (page coordinates): a 4 x 4 grid 65 pixels apart.
constexpr TPoint BoxGrid(int i) {
  return {100 + 65 * (i % 4), 70 + 65 * (i / 4)};
}

// The box changed on clock tick t is BlinkOrder[t mod 16]: a clockwise spiral inwards.
constexpr std::array<int, 16> BlinkOrder = {0, 1, 2, 3, 7, 11, 15, 14, 13, 12, 8, 4, 5, 6, 10, 9};

// Points for a flower made on clock tick `ticks`; a tick count of 0 (a double-click
// before the first tick) counts as 1.
constexpr int FlowerPoints(int ticks) {
  return 2000 / (ticks < 1 ? 1 : ticks);
}

// --- Training 3: the jigsaw.

constexpr TPoint TargetOrigin = {150, 110};
constexpr TRect FrameRect = {150, 110, 450, 246};
constexpr TRect BandRect = {120, 80, 480, 276};
constexpr std::array<TPoint, 9> PieceStarts = {
    {{170, 10}, {12, 10}, {12, 250}, {470, 130}, {170, 250}, {330, 250}, {470, 250}, {12, 130}, {330, 10}}};
constexpr std::array<TPoint, 9> PieceTargets = {
    {{0, 0}, {57, 0}, {162, 0}, {147, 13}, {0, 68}, {57, 48}, {116, 47}, {173, 32}, {235, 39}}};
constexpr int SnapDistance = 40;

// The place of piece i in surface coordinates.
constexpr TPoint PieceTarget(int i) {
  return {TargetOrigin.X + PieceTargets[size_t(i)].X, TargetOrigin.Y + PieceTargets[size_t(i)].Y};
}
// The start place of piece i in a game with the given rotation.
constexpr TPoint PieceStart(int i, int rotation) {
  return PieceStarts[size_t((i + rotation) % 9)];
}
// A piece at (left, top) snaps into place t when it is less than 40 pixels off in each direction.
constexpr bool SnapsInto(int left, int top, TPoint t) {
  int dx = left - t.X, dy = top - t.Y;
  return (dx < 0 ? -dx : dx) < SnapDistance && (dy < 0 ? -dy : dy) < SnapDistance;
}
// The next colour of the flashing band around the frame.
constexpr TColor NextFrameColour(TColor colour) {
  return TColor((uint32_t(colour) + 0x33CC33u) & 0xFFFFFFu);
}
