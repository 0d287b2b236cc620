// Linux layer: window classes, windows and painting, on SDL2 video.
//
// Implements RegisterClassExA, LoadIconA, LoadCursorA, CreateWindowExA,
// ShowWindow, UpdateWindow, DestroyWindow, GetClientRect, DefWindowProcA,
// SendMessageA, InvalidateRect, BeginPaint, EndPaint, GetDC and ShowCursor.
// NOTE: windows are created hidden (WS_VISIBLE is honoured through
// ShowWindow); their SDL window is made again, still hidden, when a pixel
// format is set, because SDL fixes a window's OpenGL format at creation.
// NOTE: an overlapped window's frame is taken as Windows 10's at 96 dpi
// (8 pixels each side, 31 at the top); the client area is the outer size
// less that frame.
// NOTE: a pop-up window that covers a whole screen is shown as the desktop's
// full-screen window there, so that no panel of the desktop covers it.
// NOTE: BeginPaint sends WM_ERASEBKGND when the invalid area is to be
// erased, but the default handling erases nothing (there is no GDI): it
// returns 0, and the paint's fErase tells the window to erase.
// NOTE: there are no child windows, window menus or non-client messages.

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "platform/linux/internal.h"

namespace {

struct WindowClass {
  WNDPROC procedure;
  UINT style;
};

struct WindowState {
  bool videoUp = false;
  // Classes by upper-cased name: class names ignore case, as in Windows.
  std::map<std::string, WindowClass> classes;
  // Live windows, oldest first.
  std::vector<HWND> windows;
  int cursorCount = 0;
};
WindowState state;

constexpr int kFrameSide = 8;
constexpr int kFrameTop = 31;
constexpr DWORD ERROR_INVALID_WINDOW_HANDLE = 1400;
constexpr DWORD ERROR_CLASS_ALREADY_EXISTS = 1410;

// Stand-ins for the system's icon and cursor: only their identity matters.
HICON__* const kApplicationIcon = reinterpret_cast<HICON__*>(static_cast<UINT_PTR>(0x7F00));

// The displays the session names, in SDL's order of preference, as SDL's
// drivers for them ("x11,wayland") and as the variables that name them
// ("DISPLAY=:0 WAYLAND_DISPLAY=wayland-0").
void NamedDisplays(std::string* drivers, std::string* variables) {
  const char* const kinds[][2] = {{"DISPLAY", "x11"}, {"WAYLAND_DISPLAY", "wayland"}};
  for (const auto& kind : kinds) {
    const char* value = SDL_getenv(kind[0]);
    if (!(value && *value)) continue;
    const bool first = drivers->empty();
    *drivers += std::string(first ? "" : ",") + kind[1];
    *variables += std::string(first ? "" : " ") + kind[0] + "=" + value;
  }
}

Uint32 SdlFlags(DWORD style) {
  Uint32 flags = SDL_WINDOW_HIDDEN;
  if (style & WS_POPUP) flags |= SDL_WINDOW_BORDERLESS;
  if (style & WS_THICKFRAME) flags |= SDL_WINDOW_RESIZABLE;
  return flags;
}

SDL_Window* MakeSdlWindow(HWND hWnd, Uint32 extraFlags) {
  return SDL_CreateWindow(hWnd->title.c_str(), hWnd->x, hWnd->y, hWnd->clientWidth,
                          hWnd->clientHeight, SdlFlags(hWnd->style) | extraFlags);
}

// Whether the window's place and size are exactly a screen's.
bool CoversAScreen(HWND hWnd) {
  for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i) {
    SDL_Rect screen;
    if (SDL_GetDisplayBounds(i, &screen) == 0 && screen.x == hWnd->x && screen.y == hWnd->y &&
        screen.w == hWnd->clientWidth && screen.h == hWnd->clientHeight) {
      return true;
    }
  }
  return false;
}

void ApplyCursor() { SDL_ShowCursor(state.cursorCount >= 0 ? SDL_ENABLE : SDL_DISABLE); }

}  // namespace

bool EnsureVideo() {
  if (state.videoUp) return true;
  // Unless the caller names a driver, only the displays the session names
  // are tried: SDL would otherwise fall back to a driver that shows nothing
  // (offscreen), and a lesson would run, unseen, to its end and advance the
  // learner's progress.
  const char* named = SDL_getenv("SDL_VIDEODRIVER");
  const bool chosenHere = !(named && *named);
  std::string drivers;
  std::string displays;
  if (chosenHere) {
    NamedDisplays(&drivers, &displays);
    if (drivers.empty()) {
      SetLastErrorText(ERROR_NOT_SUPPORTED,
                       "no display: neither DISPLAY nor WAYLAND_DISPLAY is set");
      return false;
    }
    SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
  }
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    const std::string which = chosenHere ? " (" + displays + ")" : "";
    SetLastErrorText(ERROR_NOT_SUPPORTED,
                     "cannot open a display" + which + ": " + std::string(SDL_GetError()));
    return false;
  }
  state.videoUp = true;
  // The display is not closed at exit: the system closes the connection with
  // the process, and the display's server frees what it held. Closing it by
  // hand at exit would hang when the exit comes from the display itself
  // going away (its server ended, at a logout): Xlib then ends the process,
  // and SDL's closing waits forever on the dead connection.
  return true;
}

HWND WindowFromSdlId(Uint32 id) {
  for (HWND w : state.windows) {
    if (w->sdl && SDL_GetWindowID(w->sdl) == id) return w;
  }
  return nullptr;
}

bool IsLiveWindow(HWND hWnd) {
  if (hWnd && std::find(state.windows.begin(), state.windows.end(), hWnd) != state.windows.end()) {
    return true;
  }
  SetLastErrorText(ERROR_INVALID_WINDOW_HANDLE, "Invalid window handle.");
  return false;
}

std::vector<HWND> LiveWindows() { return state.windows; }

HWND FirstInvalidWindow() {
  for (HWND w : state.windows) {
    if (w->invalid) return w;
  }
  return nullptr;
}

bool RecreateSdlWindow(HWND hWnd, Uint32 sdlFlags) {
  SDL_Window* replacement = MakeSdlWindow(hWnd, sdlFlags);
  if (!replacement) {
    SetLastErrorText(ERROR_INVALID_PIXEL_FORMAT, SDL_GetError());
    return false;
  }
  SDL_DestroyWindow(hWnd->sdl);
  hWnd->sdl = replacement;
  return true;
}

void ClientResized(HWND hWnd, int width, int height) {
  if (width == hWnd->clientWidth && height == hWnd->clientHeight) return;
  hWnd->clientWidth = width;
  hWnd->clientHeight = height;
  hWnd->invalid = true;
  hWnd->erase = true;
  SendMessageA(hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));
}

WORD WINAPI RegisterClassExA(const WNDCLASSEXA* lpwcx) {
  if (!lpwcx || lpwcx->cbSize != sizeof(WNDCLASSEXA) || !lpwcx->lpfnWndProc ||
      !lpwcx->lpszClassName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const std::string name = AsciiUpperCase(lpwcx->lpszClassName ? lpwcx->lpszClassName : "");
  if (state.classes.count(name)) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  state.classes[name] = WindowClass{lpwcx->lpfnWndProc, lpwcx->style};
  return static_cast<WORD>(0xC000 + state.classes.size());
}

HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName) {
  if (hInstance == nullptr && lpIconName == IDI_APPLICATION) return kApplicationIcon;
  SetLastError(ERROR_FILE_NOT_FOUND);
  return nullptr;
}

HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName) {
  if (hInstance == nullptr && lpCursorName == IDC_ARROW) return kApplicationIcon;
  SetLastError(ERROR_FILE_NOT_FOUND);
  return nullptr;
}

HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle,
                            int X, int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                            HINSTANCE hInstance, LPVOID lpParam) {
  const auto found = state.classes.find(AsciiUpperCase(lpClassName ? lpClassName : ""));
  if (found == state.classes.end()) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  if (!EnsureVideo()) return nullptr;

  HWND hWnd = new HWND__;
  hWnd->title = lpWindowName ? lpWindowName : "";
  hWnd->procedure = found->second.procedure;
  hWnd->style = dwStyle;
  hWnd->exStyle = dwExStyle;
  hWnd->x = X == CW_USEDEFAULT ? 0 : X;
  hWnd->y = Y == CW_USEDEFAULT ? 0 : Y;
  const bool framed = (dwStyle & WS_CAPTION) == WS_CAPTION;
  hWnd->clientWidth = std::max(1, nWidth - (framed ? 2 * kFrameSide : 0));
  hWnd->clientHeight = std::max(1, nHeight - (framed ? kFrameTop + kFrameSide : 0));
  hWnd->dc.window = hWnd;
  hWnd->sdl = MakeSdlWindow(hWnd, 0);
  if (!hWnd->sdl) {
    SetLastErrorText(ERROR_NOT_SUPPORTED, std::string("cannot create a window: ") + SDL_GetError());
    delete hWnd;
    return nullptr;
  }
  state.windows.push_back(hWnd);

  CREATESTRUCTA create{lpParam, hInstance, hMenu,           hWndParent, nHeight,    nWidth,
                       Y,       X,         LONG(dwStyle), lpWindowName, lpClassName, dwExStyle};
  if (SendMessageA(hWnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
    DestroyWindow(hWnd);
    SetLastErrorText(ERROR_INVALID_PARAMETER, "the window refused its creation");
    return nullptr;
  }
  if (dwStyle & WS_VISIBLE) ShowWindow(hWnd, SW_SHOW);
  return hWnd;
}

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
  if (!IsLiveWindow(hWnd)) return FALSE;
  const BOOL wasVisible = hWnd->visible ? TRUE : FALSE;
  if (nCmdShow == SW_HIDE) {
    SDL_HideWindow(hWnd->sdl);
    hWnd->visible = false;
    return wasVisible;
  }
  if (!hWnd->visible) {
    if ((hWnd->style & WS_POPUP) && CoversAScreen(hWnd)) {
      SDL_SetWindowFullscreen(hWnd->sdl, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    SDL_ShowWindow(hWnd->sdl);
    hWnd->visible = true;
    hWnd->invalid = true;
    hWnd->erase = true;
    ApplyCursor();
  }
  if (!hWnd->shownOnce) {
    hWnd->shownOnce = true;
    SendMessageA(hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(hWnd->clientWidth, hWnd->clientHeight));
  }
  return wasVisible;
}

BOOL WINAPI UpdateWindow(HWND hWnd) {
  if (!IsLiveWindow(hWnd)) return FALSE;
  if (hWnd->invalid) SendMessageA(hWnd, WM_PAINT, 0, 0);
  return TRUE;
}

BOOL WINAPI DestroyWindow(HWND hWnd) {
  if (!IsLiveWindow(hWnd)) return FALSE;
  SendMessageA(hWnd, WM_DESTROY, 0, 0);
  state.windows.erase(std::find(state.windows.begin(), state.windows.end(), hWnd));
  SDL_DestroyWindow(hWnd->sdl);
  delete hWnd;
  return TRUE;
}

BOOL WINAPI GetClientRect(HWND hWnd, RECT* lpRect) {
  if (!IsLiveWindow(hWnd) || !lpRect) return FALSE;
  *lpRect = RECT{0, 0, hWnd->clientWidth, hWnd->clientHeight};
  return TRUE;
}

LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (!IsLiveWindow(hWnd)) return 0;
  return hWnd->procedure(hWnd, Msg, wParam, lParam);
}

LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  switch (Msg) {
    case WM_CLOSE:
      DestroyWindow(hWnd);
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4) SendMessageA(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) SendMessageA(hWnd, WM_CLOSE, 0, 0);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(hWnd, &paint);
      EndPaint(hWnd, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 0;
    default:
      (void)lParam;
      return 0;
  }
}

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT*, BOOL bErase) {
  if (!IsLiveWindow(hWnd)) return FALSE;
  hWnd->invalid = true;
  if (bErase) hWnd->erase = true;
  return TRUE;
}

HDC WINAPI BeginPaint(HWND hWnd, PAINTSTRUCT* lpPaint) {
  if (!IsLiveWindow(hWnd) || !lpPaint) return nullptr;
  hWnd->invalid = false;
  *lpPaint = PAINTSTRUCT{};
  lpPaint->hdc = &hWnd->dc;
  lpPaint->rcPaint = RECT{0, 0, hWnd->clientWidth, hWnd->clientHeight};
  if (hWnd->erase) {
    hWnd->erase = false;
    const WPARAM dc = reinterpret_cast<WPARAM>(&hWnd->dc);
    lpPaint->fErase = SendMessageA(hWnd, WM_ERASEBKGND, dc, 0) == 0 ? TRUE : FALSE;
  }
  return &hWnd->dc;
}

BOOL WINAPI EndPaint(HWND hWnd, const PAINTSTRUCT*) { return IsLiveWindow(hWnd) ? TRUE : FALSE; }

HDC WINAPI GetDC(HWND hWnd) { return IsLiveWindow(hWnd) ? &hWnd->dc : nullptr; }

int WINAPI ShowCursor(BOOL bShow) {
  state.cursorCount += bShow ? 1 : -1;
  if (state.videoUp) ApplyCursor();
  return state.cursorCount;
}
