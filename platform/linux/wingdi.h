// Graphics device and OpenGL context services of the Linux layer, declared
// as in Windows.
#pragma once

#include "platform/linux/windef.h"

// Windows declares its API with C linkage; so does the layer.
extern "C" {

// --- Pixel formats ------------------------------------------------------

typedef struct tagPIXELFORMATDESCRIPTOR {
  WORD nSize;
  WORD nVersion;
  DWORD dwFlags;
  BYTE iPixelType;
  BYTE cColorBits;
  BYTE cRedBits;
  BYTE cRedShift;
  BYTE cGreenBits;
  BYTE cGreenShift;
  BYTE cBlueBits;
  BYTE cBlueShift;
  BYTE cAlphaBits;
  BYTE cAlphaShift;
  BYTE cAccumBits;
  BYTE cAccumRedBits;
  BYTE cAccumGreenBits;
  BYTE cAccumBlueBits;
  BYTE cAccumAlphaBits;
  BYTE cDepthBits;
  BYTE cStencilBits;
  BYTE cAuxBuffers;
  BYTE iLayerType;
  BYTE bReserved;
  DWORD dwLayerMask;
  DWORD dwVisibleMask;
  DWORD dwDamageMask;
} PIXELFORMATDESCRIPTOR;

#define PFD_DOUBLEBUFFER 0x00000001
#define PFD_DRAW_TO_WINDOW 0x00000004
#define PFD_SUPPORT_OPENGL 0x00000020
#define PFD_TYPE_RGBA 0
#define PFD_MAIN_PLANE 0

// Returns the index (from 1) of the format closest to *ppfd, 0 when none.
// NOTE: the layer offers one format, an RGBA double-buffered OpenGL one; the
// depth bits asked for are honoured by SetPixelFormat as far as the display
// allows, falling back to 24 and then 16 bits.
int WINAPI ChoosePixelFormat(HDC hdc, const PIXELFORMATDESCRIPTOR* ppfd);
// Gives the window of hdc its pixel format; once per window, as in Windows.
BOOL WINAPI SetPixelFormat(HDC hdc, int format, const PIXELFORMATDESCRIPTOR* ppfd);

// --- OpenGL contexts ----------------------------------------------------

// An OpenGL compatibility context for the window of hdc; NULL on failure,
// with the reason in the last error.
HGLRC WINAPI wglCreateContext(HDC hdc);
// Deletes a context; it must not be current on another thread.
BOOL WINAPI wglDeleteContext(HGLRC hglrc);
// Makes hglrc current on this thread with hdc; NULL hglrc makes none current.
BOOL WINAPI wglMakeCurrent(HDC hdc, HGLRC hglrc);
// Shows the back buffer; waits for the display's vertical sync where there
// is one.
BOOL WINAPI SwapBuffers(HDC hdc);

}  // extern "C"
