#pragma once

// Keyboard translation from SDL's key codes to Windows virtual-key codes and
// modifier bits.

#include <cstdint>

namespace platform {

// The virtual key for an SDL key code (SDL_Keycode) and scan code (SDL_Scancode);
// 0 for keys the program has no use for. Letters and digits fall back to their
// position on the keyboard when the layout does not produce Latin ones.
uint32_t VirtualKeyFromSdl(int32_t keycode, int scancode);

// Shift bits (psShift, psCtrl, psAlt) for an SDL modifier state (SDL_Keymod).
uint32_t ShiftFromSdlMod(uint32_t mod);

}  // namespace platform
