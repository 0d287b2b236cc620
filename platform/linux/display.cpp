// Linux layer: the display mode.
//
// Implements ChangeDisplaySettingsA with CDS_FULLSCREEN, and NULL to give
// the desktop mode back, and GetSystemMetrics for the number of screens.
// NOTE: SDL changes the mode through a full-screen window, so the mode asked
// for takes effect when a popup window of that size is shown, and is given
// back when the program ends (or when NULL is passed). Where the display has
// no mode of that size, or keeps its own, the window covers the screen in
// the desktop's mode and its picture is scaled to fit (scaling.cpp).
// NOTE: the bits per pixel are not enforced: the display keeps its depth.

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "platform/linux/internal.h"

namespace {

struct DisplayState {
  bool fullScreen = false;
  SDL_DisplayMode mode{};
  int width = 0;
  int height = 0;
};
DisplayState state;

// The mode of display 0 that is closest to width x height: SDL's choice when
// it has one (the smallest mode at least that big), else the nearest in size.
bool ClosestMode(int width, int height, SDL_DisplayMode* chosen) {
  SDL_DisplayMode wanted{};
  wanted.w = width;
  wanted.h = height;
  if (SDL_GetClosestDisplayMode(0, &wanted, chosen)) return true;
  const int count = SDL_GetNumDisplayModes(0);
  long best = LONG_MAX;
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, i, &mode) != 0) continue;
    const long distance = std::labs(long(mode.w) - width) + std::labs(long(mode.h) - height);
    if (distance < best) {
      best = distance;
      *chosen = mode;
    }
  }
  return best != LONG_MAX;
}

}  // namespace

bool FullScreenModeFor(int width, int height, SDL_DisplayMode* mode) {
  if (!state.fullScreen || width != state.width || height != state.height) return false;
  *mode = state.mode;
  return true;
}

LONG WINAPI ChangeDisplaySettingsA(DEVMODEA* lpDevMode, DWORD dwFlags) {
  if (lpDevMode == nullptr) {
    state.fullScreen = false;
    for (HWND hWnd : LiveWindows()) {
      SDL_SetWindowFullscreen(hWnd->sdl, 0);
      hWnd->fullScreen = false;
    }
    return DISP_CHANGE_SUCCESSFUL;
  }
  if (!(dwFlags & CDS_FULLSCREEN) || !(lpDevMode->dmFields & DM_PELSWIDTH) ||
      !(lpDevMode->dmFields & DM_PELSHEIGHT)) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return DISP_CHANGE_BADMODE;
  }
  if (!EnsureVideo()) return DISP_CHANGE_FAILED;
  SDL_DisplayMode mode;
  if (!ClosestMode(int(lpDevMode->dmPelsWidth), int(lpDevMode->dmPelsHeight), &mode)) {
    SetLastErrorText(ERROR_NOT_SUPPORTED, std::string("no display mode: ") + SDL_GetError());
    return DISP_CHANGE_BADMODE;
  }
  state.fullScreen = true;
  state.mode = mode;
  state.width = int(lpDevMode->dmPelsWidth);
  state.height = int(lpDevMode->dmPelsHeight);
  return DISP_CHANGE_SUCCESSFUL;
}

int WINAPI GetSystemMetrics(int nIndex) {
  if (nIndex != SM_CMONITORS) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return 0;
  }
  return EnsureVideo() ? std::max(SDL_GetNumVideoDisplays(), 0) : 0;
}
