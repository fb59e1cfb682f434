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

// While one of these exists, an X input method opened in this process reads an empty
// compose table. The program takes single keys, never typed words, so the compose
// sequences (dead keys, the Compose key) have nothing to do here, and reading the
// locale's table of several thousand lines when SDL opens the input method was half of
// the start-up's work. A table the user named (XCOMPOSEFILE) is left as it is, and the
// environment is restored afterwards so programs started later get the user's own.
// Nothing happens on Windows.
class TEmptyComposeTable {
public:
  TEmptyComposeTable();
  ~TEmptyComposeTable();
  TEmptyComposeTable(const TEmptyComposeTable&) = delete;
  TEmptyComposeTable& operator=(const TEmptyComposeTable&) = delete;

private:
  bool FSet = false;
};

}  // namespace platform
