// The application singleton: owns the entry routine, the window, the OpenGL
// context and the main loop, and routes painting, keys and touches into the
// world.
//
// An application derives one class from Dios and defines exactly one global
// object of it; constructing that object registers it, so that WinMain finds
// it through rutinaEntrada.
#pragma once

#include <cstdint>

#include "platform/platform.h"

class Universo;

class Dios {
 public:
  // Registers this object as the application: Dios::instancia and
  // rutinaEntrada point at it from now on.
  Dios();
  // Unregisters the application. Not virtual: the one application object is
  // destroyed as itself at exit.
  ~Dios();

  // Builds the application's world. Called once, on window creation, with
  // the OpenGL context current.
  virtual void Crear() = 0;
  // Whether Escape may end the program.
  virtual bool PuedeSalir();
  // Called once the main loop has ended, by the application's own end,
  // Escape or the window's closing, before Ejecutar returns. Does nothing
  // by default.
  virtual void Acabar();
  // Takes the command line (after the program's name) before anything is
  // shown; returns true to go on with the window and the main loop, or
  // false, with the exit code in *codigo, to end at once. Goes on by
  // default.
  virtual bool Preparar(const char* lineaOrdenes, int* codigo);

  // The entry routine that WinMain calls through rutinaEntrada: window class,
  // window (inside which the world is built and the first frame drawn), then
  // the main loop, once Preparar has taken the command line. Returns 0, or
  // the exit code of a command line that ends the program.
  static int WINAPI Ejecutar(HINSTANCE instancia, HINSTANCE anterior, LPSTR lineaOrdenes,
                             int mostrar);
  // The window procedure of the class "CDios".
  static LRESULT CALLBACK ProcedimientoVentana(HWND ventana, UINT mensaje, WPARAM wParam,
                                               LPARAM lParam);

  // The one application object; null before its construction and after its
  // destruction.
  static Dios* instancia;

  // The main loop runs while this is set; the lesson clears it to end.
  bool enMarcha;
  // The world; set by CrearUniverso, never freed.
  Universo* universo;
  HWND ventana;
  HGLRC contextoGL;
  std::int32_t ancho;
  std::int32_t alto;
  // Full screen: a window over the whole primary screen, in the mode the
  // screen has, with the ancho x alto picture drawn as large as fits,
  // centred, on the background's colour to every edge. Otherwise a framed
  // window of ancho x alto whose picture follows its size.
  bool pantallaCompleta;

 private:
  // Draws a frame whenever the queue is empty, until WM_QUIT or until
  // enMarcha is cleared. Returns the quit code or the last message's wParam.
  int BucleMensajes();
  void RegistrarClase();
  int CrearVentana();
  // Fits the picture to a client area of that size, and has the next frame
  // drawn in full.
  void AjustarVista(int anchoCliente, int altoCliente);
  void CrearContexto();
  // One frame: the world's Fotograma between BeginPaint and EndPaint, shown
  // by a buffer swap when the world drew a new picture; paced in every case.
  void Pintar();
  // Escape ends the program; every other key goes to the world.
  void EnrutarTecla(WPARAM teclaVirtual, bool pulsada);
  // A press of the left button (or a touch) at x, y of the client area goes
  // to the world at its point of the picture.
  void EnrutarToque(int x, int y);

  // The picture's place in the client area, as AjustarVista set it: left
  // and top edges, width and height, in client pixels.
  int vista[4] = {0, 0, 1, 1};

  // Whether the paint to come is the one the main loop asked for, and only
  // that. Any other paint is the system's: the window was uncovered, shown
  // or resized (its damage asks for the background to be erased, which
  // clears this), and its picture is drawn again in full.
  bool pinturaPedida = false;
};

// The entry routine of the application object; null when the program
// defines none.
extern int(WINAPI* rutinaEntrada)(HINSTANCE, HINSTANCE, LPSTR, int);
// The module instance and show-window value that WinMain was given.
extern HINSTANCE instanciaModulo;
extern int modoMostrar;
