// A hidden window with a current OpenGL context, for tests that draw.
#include "tests/support/contexto_gl.h"

namespace {

constexpr const char* kClase = "ContextoDePrueba";

LRESULT CALLBACK ProcedimientoTrivial(HWND ventana, UINT mensaje, WPARAM w, LPARAM l) {
  return DefWindowProcA(ventana, mensaje, w, l);
}

// Registering the class again (the second context of a process) fails
// harmlessly: the class is the same.
void RegistrarClase() {
  WNDCLASSEXA clase{};
  clase.cbSize = sizeof(WNDCLASSEXA);
  clase.style = CS_OWNDC;
  clase.lpfnWndProc = &ProcedimientoTrivial;
  clase.lpszClassName = kClase;
  RegisterClassExA(&clase);
}

}  // namespace

ContextoGL::ContextoGL() {
  RegistrarClase();
  ventana_ = CreateWindowExA(0, kClase, "contexto de prueba", WS_POPUP, 0, 0, kAncho, kAlto,
                             nullptr, nullptr, nullptr, nullptr);
  if (ventana_ == nullptr) {
    fallo_ = "CreateWindowExA gave no window";
    return;
  }
  dc_ = GetDC(ventana_);
  PIXELFORMATDESCRIPTOR formato{};
  formato.nSize = sizeof(PIXELFORMATDESCRIPTOR);
  formato.nVersion = 1;
  formato.dwFlags = PFD_DOUBLEBUFFER | PFD_SUPPORT_OPENGL;
  formato.iPixelType = PFD_TYPE_RGBA;
  formato.cColorBits = 24;
  formato.cDepthBits = 32;
  formato.iLayerType = PFD_MAIN_PLANE;
  const int elegido = ChoosePixelFormat(dc_, &formato);
  if (elegido == 0 || !SetPixelFormat(dc_, elegido, &formato)) {
    fallo_ = "no pixel format for OpenGL";
    return;
  }
  contexto_ = wglCreateContext(dc_);
  if (contexto_ == nullptr) {
    fallo_ = "wglCreateContext gave no context";
    return;
  }
  if (!wglMakeCurrent(dc_, contexto_)) {
    fallo_ = "wglMakeCurrent failed";
    return;
  }
  activo_ = true;
}

ContextoGL::~ContextoGL() {
  if (contexto_ != nullptr) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(contexto_);
  }
  if (ventana_ != nullptr) DestroyWindow(ventana_);
  // DestroyWindow may leave messages behind; the next context must not see them.
  MSG mensaje;
  while (PeekMessageA(&mensaje, nullptr, 0, 0, PM_REMOVE)) continue;
}
