// The program itself, with every frame timed: for each paint it writes one
// line "<spheres> <work> <shown> <start> <numerals>" on standard output,
// where spheres is how many spheres the frame drew, numerals how many
// numerals (each one glDrawArrays), work the milliseconds from BeginPaint
// to the end of its drawing (glFinish; to the pacing for a frame not drawn),
// shown the milliseconds to the end of its buffer swap (0 when the frame was
// left on screen as it was), and start the milliseconds from the first
// frame's BeginPaint to this one's. medir reads it.

#include <chrono>
#include <cstdio>

#include "platform/platform.h"

namespace {

using Reloj = std::chrono::steady_clock;

struct Fotograma {
  Reloj::time_point inicio;
  Reloj::time_point trabajo;
  Reloj::time_point mostrado;
  bool dibujado = false;
  int esferas = 0;
  int numerales = 0;
};
Fotograma actual;
Reloj::time_point primero;
bool empezado = false;

double Ms(Reloj::time_point desde, Reloj::time_point hasta) {
  return std::chrono::duration<double, std::milli>(hasta - desde).count();
}

}  // namespace

extern "C" {

HDC WINAPI __real_BeginPaint(HWND, PAINTSTRUCT*);
HDC WINAPI __wrap_BeginPaint(HWND ventana, PAINTSTRUCT* pintura) {
  actual = Fotograma();
  actual.inicio = Reloj::now();
  if (!empezado) {
    empezado = true;
    primero = actual.inicio;
  }
  return __real_BeginPaint(ventana, pintura);
}

void __real_gluSphere(GLUquadric*, GLdouble, GLint, GLint);
void __wrap_gluSphere(GLUquadric* cuadrica, GLdouble radio, GLint meridianos, GLint paralelos) {
  ++actual.esferas;
  __real_gluSphere(cuadrica, radio, meridianos, paralelos);
}

void __real_glDrawArrays(GLenum, GLint, GLsizei);
void __wrap_glDrawArrays(GLenum modo, GLint primero, GLsizei cantidad) {
  ++actual.numerales;
  __real_glDrawArrays(modo, primero, cantidad);
}

BOOL WINAPI __real_SwapBuffers(HDC);
BOOL WINAPI __wrap_SwapBuffers(HDC dc) {
  glFinish();
  actual.trabajo = Reloj::now();
  const BOOL hecho = __real_SwapBuffers(dc);
  actual.mostrado = Reloj::now();
  actual.dibujado = true;
  return hecho;
}

// WaitForNextFrame has C++ linkage: its wrappers carry its mangled name.
void __real__Z16WaitForNextFramev();
void __wrap__Z16WaitForNextFramev() {
  if (!actual.dibujado) actual.trabajo = Reloj::now();
  std::printf("%d %.3f %.3f %.3f %d\n", actual.esferas, Ms(actual.inicio, actual.trabajo),
              actual.dibujado ? Ms(actual.inicio, actual.mostrado) : 0.0,
              Ms(primero, actual.inicio), actual.numerales);
  __real__Z16WaitForNextFramev();
}

}  // extern "C"
