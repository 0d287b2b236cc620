// The program itself, stopped at the end of its first frame: it writes the
// steady clock's time then, in nanoseconds, and exits. medir compares it
// with the time it started the process.

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "platform/platform.h"

extern "C" BOOL WINAPI __real_SwapBuffers(HDC);
extern "C" BOOL WINAPI __wrap_SwapBuffers(HDC dc) {
  glFinish();
  const BOOL hecho = __real_SwapBuffers(dc);
  const auto ahora = std::chrono::steady_clock::now().time_since_epoch();
  std::printf("%lld\n",
              static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(ahora).count()));
  std::fflush(stdout);
  std::_Exit(0);
  return hecho;
}
