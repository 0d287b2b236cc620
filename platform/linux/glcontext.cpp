// Linux layer: pixel formats, OpenGL contexts and the buffer swap.
//
// Implements ChoosePixelFormat, SetPixelFormat, wglCreateContext,
// wglDeleteContext, wglMakeCurrent and SwapBuffers. Contexts are OpenGL compatibility
// contexts, so the fixed pipeline is there, on every SDL video driver
// (SDL's offscreen driver gives one without a display).
// NOTE: there is one pixel format, RGBA with the colour, depth and stencil
// bits asked for; when the display lacks that depth, 24 and then 16 bits are
// tried, where Windows would choose the closest format itself.
// NOTE: contexts ask for a swap interval of one frame, so that where the
// display has a vertical sync a swap never tears; on Windows the program
// asks for none and the driver's setting holds. Either way the frame rate
// is the shared pacer's, not the display's.

#include <string>

#if defined(__SANITIZE_ADDRESS__)
#include <dlfcn.h>
#include <link.h>
#endif

#include "platform/linux/internal.h"

namespace {

bool CreateWithDepth(HWND hWnd, int depthBits) {
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depthBits);
  return RecreateSdlWindow(hWnd, SDL_WINDOW_OPENGL);
}

#if defined(__SANITIZE_ADDRESS__)
// Mesa unloads its driver, and LLVM with it, when the display closes at
// exit, before the leak check runs; the blocks their globals held then look
// leaked, in no library a suppression could name. Sanitized builds pin
// every library loaded by the time a context exists, so that those blocks
// stay reachable to the end of the process.
void PinLoadedLibraries() {
  dl_iterate_phdr(
      [](dl_phdr_info* library, size_t, void*) {
        if (library->dlpi_name != nullptr && library->dlpi_name[0] != '\0') {
          dlopen(library->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
        }
        return 0;
      },
      nullptr);
}
#endif

}  // namespace

int WINAPI ChoosePixelFormat(HDC hdc, const PIXELFORMATDESCRIPTOR* ppfd) {
  if (!hdc || !IsLiveWindow(hdc->window) || !ppfd || ppfd->nSize != sizeof(PIXELFORMATDESCRIPTOR) ||
      !(ppfd->dwFlags & PFD_SUPPORT_OPENGL) || ppfd->iPixelType != PFD_TYPE_RGBA) {
    SetLastErrorText(ERROR_INVALID_PIXEL_FORMAT, "no pixel format supports OpenGL with RGBA colour");
    return 0;
  }
  return 1;
}

BOOL WINAPI SetPixelFormat(HDC hdc, int format, const PIXELFORMATDESCRIPTOR* ppfd) {
  if (!hdc || !IsLiveWindow(hdc->window) || format != 1 || !ppfd) {
    SetLastErrorText(ERROR_INVALID_PIXEL_FORMAT, "unknown pixel format");
    return FALSE;
  }
  HWND hWnd = hdc->window;
  if (hWnd->hasPixelFormat) {
    SetLastErrorText(ERROR_INVALID_PIXEL_FORMAT, "the window has a pixel format already");
    return FALSE;
  }
  const int channelBits = ppfd->cColorBits >= 24 ? 8 : 5;
  SDL_GL_ResetAttributes();
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, channelBits);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, channelBits);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, channelBits);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, ppfd->cAlphaBits);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, ppfd->cStencilBits);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, (ppfd->dwFlags & PFD_DOUBLEBUFFER) ? 1 : 0);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  bool made = CreateWithDepth(hWnd, ppfd->cDepthBits);
  for (int depth : {24, 16}) {
    if (!made && ppfd->cDepthBits > depth) made = CreateWithDepth(hWnd, depth);
  }
  if (!made) return FALSE;
  hWnd->hasPixelFormat = true;
  return TRUE;
}

HGLRC WINAPI wglCreateContext(HDC hdc) {
  if (!hdc || !IsLiveWindow(hdc->window)) return nullptr;
  HWND hWnd = hdc->window;
  if (!hWnd->hasPixelFormat) {
    SetLastErrorText(ERROR_INVALID_PIXEL_FORMAT, "the window has no pixel format");
    return nullptr;
  }
  SDL_Window* previousWindow = SDL_GL_GetCurrentWindow();
  SDL_GLContext previous = SDL_GL_GetCurrentContext();
  SDL_GLContext context = SDL_GL_CreateContext(hWnd->sdl);
  if (!context) {
    SetLastErrorText(ERROR_INVALID_PIXEL_FORMAT,
                     std::string("cannot create an OpenGL context: ") + SDL_GetError());
    return nullptr;
  }
  SDL_GL_SetSwapInterval(1);
#if defined(__SANITIZE_ADDRESS__)
  PinLoadedLibraries();
#endif
  // SDL makes a new context current; Windows leaves the current one alone.
  SDL_GL_MakeCurrent(previousWindow, previous);
  return new HGLRC__{context};
}

BOOL WINAPI wglDeleteContext(HGLRC hglrc) {
  if (!hglrc) return FALSE;
  if (SDL_GL_GetCurrentContext() == hglrc->sdl) SDL_GL_MakeCurrent(SDL_GL_GetCurrentWindow(), nullptr);
  SDL_GL_DeleteContext(hglrc->sdl);
  delete hglrc;
  return TRUE;
}

BOOL WINAPI wglMakeCurrent(HDC hdc, HGLRC hglrc) {
  if (!hglrc) {
    SDL_GL_MakeCurrent(SDL_GL_GetCurrentWindow(), nullptr);
    return TRUE;
  }
  if (!hdc || !IsLiveWindow(hdc->window)) return FALSE;
  if (SDL_GL_MakeCurrent(hdc->window->sdl, hglrc->sdl) != 0) {
    SetLastErrorText(ERROR_INVALID_PARAMETER, SDL_GetError());
    return FALSE;
  }
  return TRUE;
}

BOOL WINAPI SwapBuffers(HDC hdc) {
  if (!hdc || !IsLiveWindow(hdc->window)) return FALSE;
  SDL_GL_SwapWindow(hdc->window->sdl);
  return TRUE;
}
