#include "platform/sdl/SdlKeys.h"

#include <SDL.h>

#include <cstdlib>

#include "platform/Platform.h"

namespace platform {

namespace {

// Windows virtual-key codes the program and toolkit name.
enum : uint32_t {
  VK_BACK = 8,
  VK_TAB = 9,
  VK_RETURN = 13,
  VK_SHIFT = 16,
  VK_CONTROL = 17,
  VK_MENU = 18,
  VK_ESCAPE = 27,
  VK_SPACE = 32,
  VK_PRIOR = 33,
  VK_NEXT = 34,
  VK_END = 35,
  VK_HOME = 36,
  VK_LEFT = 37,
  VK_UP = 38,
  VK_RIGHT = 39,
  VK_DOWN = 40,
  VK_INSERT = 45,
  VK_DELETE = 46,
  VK_NUMPAD0 = 96,
  VK_F1 = 112,
};

struct TKeyPair {
  SDL_Keycode Sdl;
  uint32_t Vk;
};

constexpr TKeyPair KeyTable[] = {
    {SDLK_BACKSPACE, VK_BACK}, {SDLK_TAB, VK_TAB},       {SDLK_RETURN, VK_RETURN}, {SDLK_KP_ENTER, VK_RETURN},
    {SDLK_RETURN2, VK_RETURN}, {SDLK_LSHIFT, VK_SHIFT},  {SDLK_RSHIFT, VK_SHIFT},  {SDLK_LCTRL, VK_CONTROL},
    {SDLK_RCTRL, VK_CONTROL},  {SDLK_LALT, VK_MENU},     {SDLK_RALT, VK_MENU},     {SDLK_PAUSE, 19},
    {SDLK_CAPSLOCK, 20},       {SDLK_ESCAPE, VK_ESCAPE}, {SDLK_SPACE, VK_SPACE},   {SDLK_PAGEUP, VK_PRIOR},
    {SDLK_PAGEDOWN, VK_NEXT},  {SDLK_END, VK_END},       {SDLK_HOME, VK_HOME},     {SDLK_LEFT, VK_LEFT},
    {SDLK_UP, VK_UP},          {SDLK_RIGHT, VK_RIGHT},   {SDLK_DOWN, VK_DOWN},     {SDLK_PRINTSCREEN, 44},
    {SDLK_INSERT, VK_INSERT},  {SDLK_DELETE, VK_DELETE}, {SDLK_LGUI, 91},          {SDLK_RGUI, 92},
    {SDLK_APPLICATION, 93},    {SDLK_KP_MULTIPLY, 106},  {SDLK_KP_PLUS, 107},      {SDLK_KP_MINUS, 109},
    {SDLK_KP_PERIOD, 110},     {SDLK_KP_DIVIDE, 111},    {SDLK_NUMLOCKCLEAR, 144}, {SDLK_SCROLLLOCK, 145},
    {SDLK_SEMICOLON, 186},     {SDLK_EQUALS, 187},       {SDLK_COMMA, 188},        {SDLK_MINUS, 189},
    {SDLK_PERIOD, 190},        {SDLK_SLASH, 191},        {SDLK_BACKQUOTE, 192},    {SDLK_LEFTBRACKET, 219},
    {SDLK_BACKSLASH, 220},     {SDLK_RIGHTBRACKET, 221}, {SDLK_QUOTE, 222},
};

// Numeric keypad digits in SDL's order 1..9, 0.
uint32_t KeypadDigit(SDL_Keycode code) {
  if (code >= SDLK_KP_1 && code <= SDLK_KP_9) return VK_NUMPAD0 + 1 + uint32_t(code - SDLK_KP_1);
  if (code == SDLK_KP_0) return VK_NUMPAD0;
  return 0;
}

}  // namespace

uint32_t VirtualKeyFromSdl(int32_t keycode, int scancode) {
  if (keycode >= SDLK_a && keycode <= SDLK_z) return 'A' + uint32_t(keycode - SDLK_a);
  if (keycode >= SDLK_0 && keycode <= SDLK_9) return '0' + uint32_t(keycode - SDLK_0);
  if (keycode >= SDLK_F1 && keycode <= SDLK_F12) return VK_F1 + uint32_t(keycode - SDLK_F1);
  if (const uint32_t digit = KeypadDigit(keycode)) return digit;
  for (const TKeyPair& pair : KeyTable)
    if (pair.Sdl == keycode) return pair.Vk;
  // A layout without Latin letters (Cyrillic, Greek ...) still has keys for them.
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) return 'A' + uint32_t(scancode - SDL_SCANCODE_A);
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) return '1' + uint32_t(scancode - SDL_SCANCODE_1);
  if (scancode == SDL_SCANCODE_0) return '0';
  return 0;
}

uint32_t ShiftFromSdlMod(uint32_t mod) {
  uint32_t shift = 0;
  if (mod & KMOD_SHIFT) shift |= psShift;
  if (mod & KMOD_CTRL) shift |= psCtrl;
  if (mod & KMOD_ALT) shift |= psAlt;
  return shift;
}

#ifdef _WIN32
TEmptyComposeTable::TEmptyComposeTable() = default;
TEmptyComposeTable::~TEmptyComposeTable() = default;
#else
TEmptyComposeTable::TEmptyComposeTable() {
  if (std::getenv("XCOMPOSEFILE")) return;
  FSet = setenv("XCOMPOSEFILE", "/dev/null", 1) == 0;
}

TEmptyComposeTable::~TEmptyComposeTable() {
  if (FSet) unsetenv("XCOMPOSEFILE");
}
#endif

}  // namespace platform
