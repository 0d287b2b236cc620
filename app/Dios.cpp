#include "app/Dios.h"

#include <algorithm>
#include <cmath>

#include "app/recursos.h"
#include "base/Avisos.h"
#include "base/Fallo.h"
#include "world/Universo.h"

Dios* Dios::instancia = nullptr;
int(WINAPI* rutinaEntrada)(HINSTANCE, HINSTANCE, LPSTR, int) = nullptr;
HINSTANCE instanciaModulo = nullptr;
int modoMostrar = 0;

Dios::Dios()
    : enMarcha(true),
      universo(nullptr),
      ventana(nullptr),
      contextoGL(nullptr),
      ancho(0),
      alto(0),
      pantallaCompleta(true) {
  instancia = this;
  rutinaEntrada = &Dios::Ejecutar;
}

Dios::~Dios() { instancia = nullptr; }

bool Dios::PuedeSalir() { return true; }

void Dios::Acabar() {}

bool Dios::Preparar(const char*, int*) { return true; }

int WINAPI Dios::Ejecutar(HINSTANCE instancia, HINSTANCE, LPSTR lineaOrdenes, int mostrar) {
  instanciaModulo = instancia;
  modoMostrar = mostrar;
  Dios* aplicacion = Dios::instancia;
  int codigo = 0;
  if (!aplicacion->Preparar(lineaOrdenes != nullptr ? lineaOrdenes : "", &codigo)) return codigo;
  aplicacion->RegistrarClase();
  aplicacion->ancho = 1024;
  aplicacion->alto = 768;
  aplicacion->CrearVentana();
  aplicacion->BucleMensajes();
  aplicacion->Acabar();
  return 0;
}

int Dios::BucleMensajes() {
  int resultado = -1;
  if (!enMarcha) return resultado;
  MSG mensaje;
  for (;;) {
    if (PeekMessageA(&mensaje, nullptr, 0, 0, PM_NOREMOVE)) {
      resultado = static_cast<int>(mensaje.wParam);
      if (!GetMessageA(&mensaje, nullptr, 0, 0)) {
        return static_cast<int>(mensaje.wParam);
      }
      resultado = static_cast<int>(mensaje.wParam);
      TranslateMessage(&mensaje);
      DispatchMessageA(&mensaje);
    } else {
      InvalidateRect(ventana, nullptr, FALSE);
      pinturaPedida = true;
    }
    if (!enMarcha) return resultado;
  }
}

void Dios::RegistrarClase() {
  WNDCLASSEXA clase{};
  clase.cbSize = sizeof(WNDCLASSEXA);
  clase.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
  clase.lpfnWndProc = &Dios::ProcedimientoVentana;
  clase.cbClsExtra = 0;
  clase.cbWndExtra = 0;
  clase.hInstance = instanciaModulo;
  // The program's own icon, where the module has one: the taskbar and the
  // task switcher show it.
  HICON icono = LoadIconA(instanciaModulo, MAKEINTRESOURCEA(IDI_CONTAPUNTOS));
  if (icono == nullptr) icono = LoadIconA(nullptr, IDI_APPLICATION);
  clase.hIcon = icono;
  clase.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  clase.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_WINDOW + 1));
  clase.lpszMenuName = nullptr;
  clase.lpszClassName = "CDios";
  clase.hIconSm = icono;
  RegisterClassExA(&clase);
}

int Dios::CrearVentana() {
  const DWORD estilo = pantallaCompleta ? (WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN)
                                        : (WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
  // The display keeps its mode: a wide screen is never stretched into a 4:3
  // mode, which would turn the dots into ovals or show the desktop beside
  // the card. The primary screen's size, in its real pixels.
  int anchoVentana = ancho;
  int altoVentana = alto;
  if (pantallaCompleta) {
    const int anchoPantalla = GetSystemMetrics(SM_CXSCREEN);
    const int altoPantalla = GetSystemMetrics(SM_CYSCREEN);
    if (anchoPantalla > 0 && altoPantalla > 0) {
      anchoVentana = anchoPantalla;
      altoVentana = altoPantalla;
    }
  }
  HWND creada = CreateWindowExA(WS_EX_APPWINDOW, "CDios", "Orvalo", estilo, 0, 0, anchoVentana,
                                altoVentana, nullptr, nullptr, instanciaModulo, nullptr);
  if (!creada) TerminarPorFallo("cannot create the window", Avisos::kSinVentana);
  ShowWindow(creada, modoMostrar);
  UpdateWindow(creada);
  return 1;
}

void Dios::AjustarVista(int anchoCliente, int altoCliente) {
  int anchoVista = anchoCliente;
  int altoVista = altoCliente;
  if (pantallaCompleta) {
    // One factor for both sides keeps the dots round; the frame's clear
    // paints the margins, since it ignores the viewport.
    const double factor = std::min(double(anchoCliente) / ancho, double(altoCliente) / alto);
    anchoVista = static_cast<int>(std::lround(ancho * factor));
    altoVista = static_cast<int>(std::lround(alto * factor));
  }
  const int abajo = (altoCliente - altoVista) / 2;
  glViewport((anchoCliente - anchoVista) / 2, abajo, anchoVista, altoVista);
  // OpenGL counts up from the bottom, the client area down from the top.
  vista[0] = (anchoCliente - anchoVista) / 2;
  vista[1] = altoCliente - abajo - altoVista;
  vista[2] = std::max(anchoVista, 1);
  vista[3] = std::max(altoVista, 1);
  // The world would leave a frame like the last undrawn, picture and all.
  if (universo) universo->OlvidarImagen();
}

void Dios::CrearContexto() {
  HDC dc = GetDC(ventana);
  PIXELFORMATDESCRIPTOR formato{};
  formato.nSize = sizeof(PIXELFORMATDESCRIPTOR);
  formato.nVersion = 1;
  formato.dwFlags = PFD_DOUBLEBUFFER | PFD_SUPPORT_OPENGL;
  formato.iPixelType = PFD_TYPE_RGBA;
  formato.cColorBits = 24;
  formato.cDepthBits = 32;
  formato.iLayerType = PFD_MAIN_PLANE;
  const int elegido = dc ? ChoosePixelFormat(dc, &formato) : 0;
  if (elegido == 0 || !SetPixelFormat(dc, elegido, &formato)) {
    TerminarPorFallo("cannot set an OpenGL pixel format", Avisos::kSinOpenGL);
  }
  contextoGL = wglCreateContext(dc);
  if (!contextoGL || !wglMakeCurrent(dc, contextoGL)) {
    TerminarPorFallo("cannot create the OpenGL context", Avisos::kSinOpenGL);
  }
}

void Dios::Pintar() {
  PAINTSTRUCT pintura;
  HDC dc = BeginPaint(ventana, &pintura);
  wglMakeCurrent(dc, contextoGL);
  if (universo) {
    if (!pinturaPedida) universo->OlvidarImagen();
    universo->Fotograma();
  }
  pinturaPedida = false;
  // An unchanged frame leaves the screen as it is: the cards' dots stand
  // still, and drawing them again would be the whole cost of the frame.
  if (!universo || universo->imagenNueva) {
    glFlush();
    SwapBuffers(dc);
    if (universo) universo->ConfirmarImagen();
  }
  // Time is counted in frames, so every machine runs them at the same pace,
  // drawn or not.
  WaitForNextFrame();
  EndPaint(ventana, &pintura);
}

void Dios::EnrutarTecla(WPARAM teclaVirtual, bool pulsada) {
  if (teclaVirtual == VK_ESCAPE) {
    if (PuedeSalir()) PostQuitMessage(0);
    return;
  }
  int codigo;
  if (teclaVirtual >= VK_LEFT && teclaVirtual <= VK_DOWN) {
    codigo = static_cast<int>(teclaVirtual);
  } else {
    codigo = static_cast<int>(MapVirtualKeyExA(static_cast<UINT>(teclaVirtual), 2, nullptr));
  }
  if (universo) universo->Tecla(codigo, pulsada);
}

void Dios::EnrutarToque(int x, int y) {
  // The pixel's centre, as a fraction of the picture from -1 to 1.
  const double vistaX = 2.0 * (x + 0.5 - vista[0]) / vista[2] - 1.0;
  const double vistaY = 1.0 - 2.0 * (y + 0.5 - vista[1]) / vista[3];
  if (universo) universo->Tocar(vistaX, vistaY);
}

LRESULT CALLBACK Dios::ProcedimientoVentana(HWND ventana, UINT mensaje, WPARAM wParam,
                                            LPARAM lParam) {
  bool pulsada = true;
  Dios* aplicacion = instancia;
  switch (mensaje) {
    case WM_CREATE:
      aplicacion->ventana = ventana;
      VentanaQueOcultarAlFallar(ventana);
      aplicacion->CrearContexto();
      aplicacion->Crear();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_SIZE:
      aplicacion->AjustarVista(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_ERASEBKGND:
      // Sent within BeginPaint for damage of the system's (the window
      // uncovered, shown, resized), even when it merged with the loop's own
      // request: the paint draws its picture in full, which covers the
      // background.
      aplicacion->pinturaPedida = false;
      return 1;
    case WM_PAINT:
      aplicacion->Pintar();
      return 0;
    case WM_KEYUP:
      pulsada = false;
      aplicacion->EnrutarTecla(wParam, pulsada);
      return 0;
    case WM_KEYDOWN:
      aplicacion->EnrutarTecla(wParam, pulsada);
      return 0;
    case WM_LBUTTONDOWN:
      // Signed: a point left of or above the client area is negative.
      aplicacion->EnrutarToque(static_cast<short>(LOWORD(lParam)),
                               static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_LBUTTONUP:
      return 0;
    default:
      return DefWindowProcA(ventana, mensaje, wParam, lParam);
  }
}
