// A current OpenGL context for tests that draw: a hidden 1024 x 768 pop-up
// window with the application's pixel format (double buffer, RGBA, 24 colour
// bits, 32 depth bits), made through the Windows-shaped API and torn down
// with the object. The system libraries loaded by then (the OpenGL driver
// among them) stay loaded to the end of the process.
#pragma once

#include "platform/platform.h"

class ContextoGL {
 public:
  static constexpr int kAncho = 1024;
  static constexpr int kAlto = 768;

  ContextoGL();
  // Makes no context current, deletes it, destroys the window and drains
  // the messages its destruction left in the queue.
  ~ContextoGL();
  ContextoGL(const ContextoGL&) = delete;
  ContextoGL& operator=(const ContextoGL&) = delete;

  // Whether the window and the context are made and the context is current;
  // when not, fallo says which step failed.
  bool activo() const { return activo_; }
  const char* fallo() const { return fallo_; }

 private:
  HWND ventana_ = nullptr;
  HDC dc_ = nullptr;
  HGLRC contexto_ = nullptr;
  bool activo_ = false;
  const char* fallo_ = "";
};
