#pragma once

// The pointer shapes of an SDL window: standard shapes made once, custom images
// made once per distinct image, all kept until Clear.

#include <vector>

#include "platform/Platform.h"

struct SDL_Cursor;

namespace platform {

class TSdlCursors {
public:
  TSdlCursors() = default;
  TSdlCursors(const TSdlCursors&) = delete;
  TSdlCursors& operator=(const TSdlCursors&) = delete;
  ~TSdlCursors() { Clear(); }

  // Shows the custom image when given, else the standard shape; None hides the
  // pointer. Needs SDL's video subsystem. A custom image SDL cannot use gives the arrow.
  // Above factor 1 custom images are enlarged by the factor, and the arrow (which the
  // desktop draws at its own size) is replaced by an enlarged drawn arrow.
  void Set(TPStdCursor shape, const TPCursorImage* custom, double factor = 1);
  // Frees every cursor; call before SDL's video subsystem shuts down.
  void Clear();

private:
  struct TCustomCursor {
    TPCursorImage Image;
    SDL_Cursor* Cursor = nullptr;
  };
  // Custom images beyond this many are freed oldest first.
  static constexpr size_t MaxCustom = 32;

  SDL_Cursor* Standard(TPStdCursor shape);
  SDL_Cursor* Custom(const TPCursorImage& image);

  std::vector<SDL_Cursor*> FStandard;  // by SDL_SystemCursor
  std::vector<TCustomCursor> FCustom;
  SDL_Cursor* FCurrent = nullptr;
};

}  // namespace platform
