// Windows: whether the OpenGL context's swaps wait for a 60 Hz vertical
// sync, for the shared frame pacing. Asks for a swap interval of one frame
// through the WGL_EXT_swap_control extension, and reads the display's
// refresh rate.

#include "platform/platform.h"

namespace {

typedef BOOL(WINAPI* SwapIntervalProc)(int);

}  // namespace

bool VerticalSyncAt60() {
  const PROC proc = wglGetProcAddress("wglSwapIntervalEXT");
  if (proc == nullptr) return false;
  const SwapIntervalProc swapInterval =
      reinterpret_cast<SwapIntervalProc>(reinterpret_cast<void*>(proc));
  if (!swapInterval(1)) return false;
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return false;
  return mode.dmDisplayFrequency >= 59 && mode.dmDisplayFrequency <= 61;
}
