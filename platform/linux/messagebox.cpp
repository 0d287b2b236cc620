// Linux layer: the message box.
//
// Implements MessageBoxA with an OK button. The caption and text, which are
// Windows-1252, are written as UTF-8 on standard error in every case, and
// shown in a modal box when a display can be had.
// NOTE: every button set and icon is shown as a plain box with OK, and IDOK
// is returned.

#include <cstdio>
#include <string>

#include "platform/linux/internal.h"

namespace {

// Unicode code points of Windows-1252's bytes 0x80 to 0x9F; the bytes it
// leaves undefined keep their own value.
constexpr unsigned kHighControls[32] = {
    0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

std::string Utf8FromWindows1252(const char* text) {
  std::string out;
  for (const char* p = text ? text : ""; *p; ++p) {
    const unsigned byte = static_cast<unsigned char>(*p);
    const unsigned code = (byte >= 0x80 && byte < 0xA0) ? kHighControls[byte - 0x80] : byte;
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return out;
}

}  // namespace

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT) {
  const std::string caption = Utf8FromWindows1252(lpCaption ? lpCaption : "Error");
  const std::string text = Utf8FromWindows1252(lpText);
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  std::fflush(stderr);
  SDL_Window* owner = (hWnd && IsLiveWindow(hWnd)) ? hWnd->sdl : nullptr;
  // Fails quietly where there is no display: standard error has the text.
  SDL_ShowSimpleMessageBox(0, caption.c_str(), text.c_str(), owner);
  return IDOK;
}
