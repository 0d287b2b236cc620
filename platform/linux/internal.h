// Shared inside the Linux layer only: the records behind the window, device
// context and OpenGL context handles, and the calls the layer's files make
// of each other. Nothing outside platform/linux/ includes this file.
#pragma once

#include <SDL.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

// A window's own device context: every window has one (CS_OWNDC).
struct HDC__ {
  HWND window;
};

struct HWND__ {
  std::string title;
  WNDPROC procedure = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  int x = 0;
  int y = 0;
  int clientWidth = 0;
  int clientHeight = 0;
  SDL_Window* sdl = nullptr;
  bool visible = false;
  bool shownOnce = false;
  bool invalid = false;
  // The invalid area is to be erased first (WM_ERASEBKGND): the system's
  // own invalidations ask for it, as InvalidateRect's bErase does.
  bool erase = false;
  bool hasPixelFormat = false;
  HDC__ dc{};
};

struct HGLRC__ {
  SDL_GLContext sdl;
};

// --- error.cpp ----------------------------------------------------------

// Sets the last error with the reason that FormatMessageA will give for it.
void SetLastErrorText(DWORD code, const std::string& reason);
// Sets the last error from a C library failure: the Windows code nearest to
// errno, with "what: <strerror>" as its text. Returns FALSE. paths are the
// files the failed call named, for telling a missing folder (as Windows
// does) from a missing file.
BOOL FailWithErrno(int error, const std::string& what, std::initializer_list<std::string> paths);

// --- names.cpp ----------------------------------------------------------

// text with 'a' to 'z' made 'A' to 'Z': the key of a name that ignores case.
std::string AsciiUpperCase(std::string_view text);
// Whether two names match without regard to ASCII case.
bool SameAsciiName(std::string_view a, std::string_view b);
// A Windows file name as Linux takes it: backslashes become slashes, and an
// entry of the folder that matches without regard to case stands in for a
// missing exact spelling.
std::string LinuxPath(LPCSTR fileName);

// --- files.cpp ----------------------------------------------------------
// Reads fd to its end, appending to text; 0 or the errno of the failure.
int ReadAll(int fd, std::string* text);
// Writes all of text at fd's position; 0 or the errno of the failure.
int WriteAll(int fd, const std::string& text);

// --- window.cpp ---------------------------------------------------------

// Brings up SDL's video once; false, with the last error set, when no display
// can be opened.
bool EnsureVideo();
// The live window with this SDL window id, or NULL.
HWND WindowFromSdlId(Uint32 id);
// Whether hWnd names a window that exists; sets the last error when not.
bool IsLiveWindow(HWND hWnd);
// The live windows, oldest first.
std::vector<HWND> LiveWindows();
// The first live window with an invalid area, or NULL.
HWND FirstInvalidWindow();
// Recreates the (hidden) SDL window of hWnd with sdlFlags added, keeping its
// size, place and title; false, with the last error set, on failure.
bool RecreateSdlWindow(HWND hWnd, Uint32 sdlFlags);
// Sends WM_SIZE when the client size of hWnd changed to width x height.
void ClientResized(HWND hWnd, int width, int height);

// --- messages.cpp -------------------------------------------------------

// Appends a message to the thread's queue.
void PostToQueue(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// --- keyboard.cpp -------------------------------------------------------

// The Windows virtual-key code of an SDL key, 0 for a key Windows has none for.
UINT VirtualKeyFromSdl(const SDL_Keysym& key);
