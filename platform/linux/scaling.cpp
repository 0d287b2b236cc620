// Linux layer: a full-screen window on a screen that kept its own mode.
//
// A popup window shown full screen in a mode the display lacks (a wide
// screen, a desktop or compositor that keeps its resolution) covers the
// whole screen in the desktop's mode, and its client area keeps the size the
// program asked for. The program draws, unknowing, into a framebuffer of the
// layer's own of that size, which SwapBuffers presents scaled by one factor
// to fit the screen (round dots stay round), centred, with white to every
// edge. Where the mode was switched, none of this takes part.
// NOTE: the framebuffer belongs to the context current when the window was
// first drawn scaled; the layer's windows each have one context.

#include <algorithm>
#include <cmath>

#include "platform/linux/internal.h"

namespace {

// Framebuffer objects are OpenGL 3.0 (or ARB_framebuffer_object), which the
// layer's compatibility contexts have; their calls are looked up at run time.
struct FramebufferCalls {
  PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
  PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
  PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
  PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
  PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
  PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
  PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;
  PFNGLBLITFRAMEBUFFERPROC blitFramebuffer = nullptr;
  PFNGLCLEARBUFFERFVPROC clearBufferfv = nullptr;
};

template <typename Call>
bool Find(const char* name, Call* call) {
  *call = reinterpret_cast<Call>(SDL_GL_GetProcAddress(name));
  return *call != nullptr;
}

const FramebufferCalls* Calls() {
  static FramebufferCalls calls;
  static const bool found =
      Find("glGenFramebuffers", &calls.genFramebuffers) &&
      Find("glBindFramebuffer", &calls.bindFramebuffer) &&
      Find("glGenRenderbuffers", &calls.genRenderbuffers) &&
      Find("glBindRenderbuffer", &calls.bindRenderbuffer) &&
      Find("glRenderbufferStorage", &calls.renderbufferStorage) &&
      Find("glFramebufferRenderbuffer", &calls.framebufferRenderbuffer) &&
      Find("glCheckFramebufferStatus", &calls.checkFramebufferStatus) &&
      Find("glBlitFramebuffer", &calls.blitFramebuffer) &&
      Find("glClearBufferfv", &calls.clearBufferfv);
  return found ? &calls : nullptr;
}

// Whether the window covers a screen of another size than its client area;
// the screen's size in pixels goes to width and height.
bool ScreenDiffers(HWND hWnd, int* width, int* height) {
  if (!hWnd->fullScreen) return false;
  SDL_GL_GetDrawableSize(hWnd->sdl, width, height);
  return *width != hWnd->clientWidth || *height != hWnd->clientHeight;
}

// Makes the window's framebuffer, its colour and depth the client area's size.
bool MakePicture(HWND hWnd, const FramebufferCalls& gl) {
  GLuint buffers[2];
  gl.genRenderbuffers(2, buffers);
  gl.bindRenderbuffer(GL_RENDERBUFFER, buffers[0]);
  gl.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, hWnd->clientWidth, hWnd->clientHeight);
  gl.bindRenderbuffer(GL_RENDERBUFFER, buffers[1]);
  gl.renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, hWnd->clientWidth,
                         hWnd->clientHeight);
  gl.bindRenderbuffer(GL_RENDERBUFFER, 0);
  GLuint framebuffer = 0;
  gl.genFramebuffers(1, &framebuffer);
  gl.bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  gl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, buffers[0]);
  gl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, buffers[1]);
  const bool complete = gl.checkFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  gl.bindFramebuffer(GL_FRAMEBUFFER, 0);
  if (complete) hWnd->picture = framebuffer;
  return complete;
}

}  // namespace

void DrawIntoPicture(HWND hWnd) {
  int width = 0;
  int height = 0;
  const bool differs = ScreenDiffers(hWnd, &width, &height);
  if (!differs && hWnd->picture == 0) return;
  const FramebufferCalls* gl = Calls();
  if (!gl) return;
  hWnd->drawnScaled = differs && (hWnd->picture != 0 || MakePicture(hWnd, *gl));
  gl->bindFramebuffer(GL_FRAMEBUFFER, hWnd->drawnScaled ? hWnd->picture : 0);
  glViewport(0, 0, hWnd->clientWidth, hWnd->clientHeight);
}

bool PresentPicture(HWND hWnd) {
  int width = 0;
  int height = 0;
  // A frame drawn for another screen size than the one it is shown on is
  // drawn again, in full, at the next paint.
  if (ScreenDiffers(hWnd, &width, &height) != hWnd->drawnScaled) hWnd->invalid = true;
  if (!hWnd->drawnScaled) return false;
  const FramebufferCalls& gl = *Calls();
  const double factor = std::min(double(width) / hWnd->clientWidth,
                                 double(height) / hWnd->clientHeight);
  const int shownWidth = static_cast<int>(std::lround(hWnd->clientWidth * factor));
  const int shownHeight = static_cast<int>(std::lround(hWnd->clientHeight * factor));
  const int left = (width - shownWidth) / 2;
  const int bottom = (height - shownHeight) / 2;
  const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  gl.bindFramebuffer(GL_READ_FRAMEBUFFER, hWnd->picture);
  gl.bindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  gl.clearBufferfv(GL_COLOR, 0, white);
  gl.blitFramebuffer(0, 0, hWnd->clientWidth, hWnd->clientHeight, left, bottom, left + shownWidth,
                     bottom + shownHeight, GL_COLOR_BUFFER_BIT, GL_LINEAR);
  SDL_GL_SwapWindow(hWnd->sdl);
  gl.bindFramebuffer(GL_FRAMEBUFFER, hWnd->picture);
  return true;
}
