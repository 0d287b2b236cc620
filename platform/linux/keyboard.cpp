// Linux layer: virtual-key codes.
//
// Implements MapVirtualKeyExA (MAPVK_VK_TO_CHAR) and the translation of SDL
// keys into Windows virtual-key codes for the message queue.
// NOTE: the US keyboard layout stands for every layout: the punctuation keys
// give the US layout's codes and characters, whatever dwhkl says.

#include "platform/linux/internal.h"

namespace {

struct KeyPair {
  SDL_Keycode sdl;
  UINT vk;
};

// Keys whose virtual-key code does not follow from their character.
constexpr KeyPair kNamedKeys[] = {
    {SDLK_BACKSPACE, VK_BACK},    {SDLK_TAB, VK_TAB},          {SDLK_RETURN, VK_RETURN},
    {SDLK_ESCAPE, VK_ESCAPE},     {SDLK_SPACE, VK_SPACE},      {SDLK_PAUSE, VK_PAUSE},
    {SDLK_CAPSLOCK, VK_CAPITAL},  {SDLK_PAGEUP, VK_PRIOR},     {SDLK_PAGEDOWN, VK_NEXT},
    {SDLK_END, VK_END},           {SDLK_HOME, VK_HOME},        {SDLK_LEFT, VK_LEFT},
    {SDLK_UP, VK_UP},             {SDLK_RIGHT, VK_RIGHT},      {SDLK_DOWN, VK_DOWN},
    {SDLK_INSERT, VK_INSERT},     {SDLK_DELETE, VK_DELETE},    {SDLK_LSHIFT, VK_SHIFT},
    {SDLK_RSHIFT, VK_SHIFT},      {SDLK_LCTRL, VK_CONTROL},    {SDLK_RCTRL, VK_CONTROL},
    {SDLK_LALT, VK_MENU},         {SDLK_RALT, VK_MENU},        {SDLK_LGUI, VK_LWIN},
    {SDLK_RGUI, VK_RWIN},         {SDLK_APPLICATION, VK_APPS}, {SDLK_NUMLOCKCLEAR, VK_NUMLOCK},
    {SDLK_SCROLLLOCK, VK_SCROLL}, {SDLK_KP_MULTIPLY, VK_MULTIPLY}, {SDLK_KP_PLUS, VK_ADD},
    {SDLK_KP_MINUS, VK_SUBTRACT}, {SDLK_KP_PERIOD, VK_DECIMAL}, {SDLK_KP_DIVIDE, VK_DIVIDE},
    {SDLK_KP_ENTER, VK_RETURN},   {SDLK_SEMICOLON, VK_OEM_1},  {SDLK_EQUALS, VK_OEM_PLUS},
    {SDLK_COMMA, VK_OEM_COMMA},   {SDLK_MINUS, VK_OEM_MINUS},  {SDLK_PERIOD, VK_OEM_PERIOD},
    {SDLK_SLASH, VK_OEM_2},       {SDLK_BACKQUOTE, VK_OEM_3},  {SDLK_LEFTBRACKET, VK_OEM_4},
    {SDLK_BACKSLASH, VK_OEM_5},   {SDLK_RIGHTBRACKET, VK_OEM_6}, {SDLK_QUOTE, VK_OEM_7},
};

// The unshifted character of each punctuation key of the US layout.
struct KeyChar {
  UINT vk;
  UINT character;
};
constexpr KeyChar kCharacters[] = {
    {VK_BACK, 8},          {VK_TAB, 9},           {VK_RETURN, 13},       {VK_ESCAPE, 27},
    {VK_SPACE, ' '},       {VK_MULTIPLY, '*'},    {VK_ADD, '+'},         {VK_SUBTRACT, '-'},
    {VK_DECIMAL, '.'},     {VK_DIVIDE, '/'},      {VK_OEM_1, ';'},       {VK_OEM_PLUS, '='},
    {VK_OEM_COMMA, ','},   {VK_OEM_MINUS, '-'},   {VK_OEM_PERIOD, '.'},  {VK_OEM_2, '/'},
    {VK_OEM_3, '`'},       {VK_OEM_4, '['},       {VK_OEM_5, '\\'},      {VK_OEM_6, ']'},
    {VK_OEM_7, '\''},
};

}  // namespace

UINT VirtualKeyFromSdl(const SDL_Keysym& key) {
  const SDL_Keycode code = key.sym;
  if (code >= SDLK_a && code <= SDLK_z) return 'A' + (code - SDLK_a);
  if (code >= SDLK_0 && code <= SDLK_9) return '0' + (code - SDLK_0);
  if (code >= SDLK_F1 && code <= SDLK_F12) return VK_F1 + (code - SDLK_F1);
  if (code >= SDLK_KP_1 && code <= SDLK_KP_9) return VK_NUMPAD0 + 1 + (code - SDLK_KP_1);
  if (code == SDLK_KP_0) return VK_NUMPAD0;
  for (const KeyPair& pair : kNamedKeys) {
    if (pair.sdl == code) return pair.vk;
  }
  return 0;
}

UINT WINAPI MapVirtualKeyExA(UINT uCode, UINT uMapType, HKL) {
  if (uMapType != MAPVK_VK_TO_CHAR) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return 0;
  }
  if ((uCode >= 'A' && uCode <= 'Z') || (uCode >= '0' && uCode <= '9')) return uCode;
  if (uCode >= VK_NUMPAD0 && uCode <= VK_NUMPAD9) return '0' + (uCode - VK_NUMPAD0);
  for (const KeyChar& entry : kCharacters) {
    if (entry.vk == uCode) return entry.character;
  }
  return 0;
}
