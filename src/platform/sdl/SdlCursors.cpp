#include "platform/sdl/SdlCursors.h"

#include <SDL.h>

#include <algorithm>

#include "platform/ZoomView.h"

namespace platform {

namespace {

SDL_SystemCursor SystemCursorFor(TPStdCursor shape) {
  switch (shape) {
    case TPStdCursor::IBeam:
      return SDL_SYSTEM_CURSOR_IBEAM;
    case TPStdCursor::Wait:
      return SDL_SYSTEM_CURSOR_WAIT;
    case TPStdCursor::Cross:
      return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case TPStdCursor::Hand:
      return SDL_SYSTEM_CURSOR_HAND;
    case TPStdCursor::SizeAll:
      return SDL_SYSTEM_CURSOR_SIZEALL;
    case TPStdCursor::SizeNS:
      return SDL_SYSTEM_CURSOR_SIZENS;
    case TPStdCursor::SizeWE:
      return SDL_SYSTEM_CURSOR_SIZEWE;
    case TPStdCursor::No:
      return SDL_SYSTEM_CURSOR_NO;
    case TPStdCursor::AppStarting:
      return SDL_SYSTEM_CURSOR_WAITARROW;
    default:
      return SDL_SYSTEM_CURSOR_ARROW;  // also UpArrow and Help, which SDL lacks
  }
}

// The classic arrow, 12 x 19, hot spot at the tip: X black, . white.
TPCursorImage ArrowImage() {
  static const char* const rows[] = {"X           ", "XX          ", "X.X         ", "X..X        ", "X...X       ",
                                     "X....X      ", "X.....X     ", "X......X    ", "X.......X   ", "X........X  ",
                                     "X.........X ", "X..........X", "X......XXXXX", "X...X..X    ", "X..XX..X    ",
                                     "X.X  X..X   ", "XX   X..X   ", "X     X..X  ", "      XXXX  "};
  TPCursorImage image;
  image.Width = 12;
  image.Height = 19;
  for (const char* row : rows)
    for (int x = 0; x < image.Width; ++x)
      image.Pixels.push_back(row[x] == 'X' ? 0xFF000000u : row[x] == '.' ? 0xFFFFFFFFu : 0);
  return image;
}

bool SameImage(const TPCursorImage& a, const TPCursorImage& b) {
  return a.Width == b.Width && a.Height == b.Height && a.HotX == b.HotX && a.HotY == b.HotY && a.Pixels == b.Pixels;
}

}  // namespace

void TSdlCursors::Set(TPStdCursor shape, const TPCursorImage* custom, double factor) {
  if (!custom && shape == TPStdCursor::None) {
    SDL_ShowCursor(SDL_DISABLE);
    return;
  }
  SDL_Cursor* cursor = nullptr;
  if (factor > 1 && (custom || shape == TPStdCursor::Arrow)) {
    static const TPCursorImage arrow = ArrowImage();
    cursor = Custom(ZoomCursorImage(custom ? *custom : arrow, factor));
  } else if (custom) {
    cursor = Custom(*custom);
  }
  if (!cursor) cursor = Standard(custom ? TPStdCursor::Arrow : shape);
  if (cursor && cursor != FCurrent) SDL_SetCursor(cursor);
  FCurrent = cursor;
  SDL_ShowCursor(SDL_ENABLE);
}

void TSdlCursors::Clear() {
  if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_SetCursor(SDL_GetDefaultCursor());
  for (SDL_Cursor* cursor : FStandard)
    if (cursor) SDL_FreeCursor(cursor);
  for (TCustomCursor& entry : FCustom) SDL_FreeCursor(entry.Cursor);
  FStandard.clear();
  FCustom.clear();
  FCurrent = nullptr;
}

SDL_Cursor* TSdlCursors::Standard(TPStdCursor shape) {
  const SDL_SystemCursor id = SystemCursorFor(shape);
  FStandard.resize(SDL_NUM_SYSTEM_CURSORS, nullptr);
  if (!FStandard[id]) FStandard[id] = SDL_CreateSystemCursor(id);
  return FStandard[id];
}

SDL_Cursor* TSdlCursors::Custom(const TPCursorImage& image) {
  for (const TCustomCursor& entry : FCustom)
    if (SameImage(entry.Image, image)) return entry.Cursor;
  if (image.Width <= 0 || image.Height <= 0 || image.Width > 256 || image.Height > 256 ||
      image.Pixels.size() != size_t(image.Width) * image.Height)
    return nullptr;
  SDL_Surface* surface =
      SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(image.Pixels.data()), image.Width, image.Height, 32,
                                         image.Width * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!surface) return nullptr;
  const int hotX = std::clamp(image.HotX, 0, image.Width - 1), hotY = std::clamp(image.HotY, 0, image.Height - 1);
  SDL_Cursor* cursor = SDL_CreateColorCursor(surface, hotX, hotY);
  SDL_FreeSurface(surface);
  if (!cursor) return nullptr;
  if (FCustom.size() >= MaxCustom) {
    auto victim =
        std::find_if(FCustom.begin(), FCustom.end(), [&](const TCustomCursor& e) { return e.Cursor != FCurrent; });
    SDL_FreeCursor(victim->Cursor);
    FCustom.erase(victim);
  }
  FCustom.push_back({image, cursor});
  return cursor;
}

}  // namespace platform
