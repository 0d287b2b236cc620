// Linux layer: the screens.
//
// Implements GetSystemMetrics for the primary screen's size and the number
// of screens.
// NOTE: the primary screen is SDL's display 0; its size is its bounds in the
// display's coordinates, which are the pixels of its current mode on X11 and
// the compositor's scaled units on Wayland, the units windows are sized in.

#include <algorithm>

#include "platform/linux/internal.h"

int WINAPI GetSystemMetrics(int nIndex) {
  if (nIndex != SM_CXSCREEN && nIndex != SM_CYSCREEN && nIndex != SM_CMONITORS) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return 0;
  }
  if (!EnsureVideo()) return 0;
  if (nIndex == SM_CMONITORS) return std::max(SDL_GetNumVideoDisplays(), 0);
  SDL_Rect screen;
  if (SDL_GetDisplayBounds(0, &screen) != 0) return 0;
  return nIndex == SM_CXSCREEN ? screen.w : screen.h;
}
