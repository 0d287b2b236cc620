// The application core in this process, on a real (offscreen) window and
// OpenGL context: start-up, the main loop and its three ways of ending, key
// routing, the mouse, the viewport, and the frames that are shown.

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "app/Dios.h"
#include "world/Universo.h"

namespace {

// Messages that reached the default window procedure, and the frames whose
// buffers were swapped, seen through linker wrappers.
std::vector<UINT> mensajesPorDefecto;
std::vector<int> fotogramasMostrados;
// The number of the frame being painted.
int fotogramaEnCurso = 0;
// After this frame, the system damages the window in the very moment the
// main loop invalidates it for the next frame; 0 for never.
int danoDelSistemaTras = 0;

}  // namespace

// Calls into a DLL go through its import pointer on Windows, so there the
// pointers, __imp_DefWindowProcA and __imp_SwapBuffers, are what is wrapped.
#ifdef _WIN32
using DefWindowProcATipo = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);
using SwapBuffersTipo = BOOL(WINAPI*)(HDC);
using InvalidateRectTipo = BOOL(WINAPI*)(HWND, const RECT*, BOOL);
extern "C" DefWindowProcATipo __real___imp_DefWindowProcA;
extern "C" SwapBuffersTipo __real___imp_SwapBuffers;
extern "C" InvalidateRectTipo __real___imp_InvalidateRect;
#define DefWindowProcAReal __real___imp_DefWindowProcA
#define SwapBuffersReal __real___imp_SwapBuffers
#define InvalidateRectReal __real___imp_InvalidateRect
#else
extern "C" LRESULT WINAPI __real_DefWindowProcA(HWND, UINT, WPARAM, LPARAM);
extern "C" BOOL WINAPI __real_SwapBuffers(HDC);
extern "C" BOOL WINAPI __real_InvalidateRect(HWND, const RECT*, BOOL);
#define DefWindowProcAReal __real_DefWindowProcA
#define SwapBuffersReal __real_SwapBuffers
#define InvalidateRectReal __real_InvalidateRect
#endif

namespace {

LRESULT WINAPI DefWindowProcAObservado(HWND ventana, UINT mensaje, WPARAM w, LPARAM l) {
  mensajesPorDefecto.push_back(mensaje);
  return DefWindowProcAReal(ventana, mensaje, w, l);
}

BOOL WINAPI SwapBuffersObservado(HDC dc) {
  fotogramasMostrados.push_back(fotogramaEnCurso);
  return SwapBuffersReal(dc);
}

BOOL WINAPI InvalidateRectObservado(HWND ventana, const RECT* area, BOOL borrar) {
  const BOOL hecho = InvalidateRectReal(ventana, area, borrar);
  if (fotogramaEnCurso == danoDelSistemaTras && !borrar) {
    danoDelSistemaTras = 0;
    // As the system invalidates an uncovered window: to be erased.
    InvalidateRectReal(ventana, nullptr, TRUE);
  }
  return hecho;
}

}  // namespace

#ifdef _WIN32
extern "C" {
DefWindowProcATipo __wrap___imp_DefWindowProcA = &DefWindowProcAObservado;
SwapBuffersTipo __wrap___imp_SwapBuffers = &SwapBuffersObservado;
InvalidateRectTipo __wrap___imp_InvalidateRect = &InvalidateRectObservado;
}
#else
extern "C" LRESULT WINAPI __wrap_DefWindowProcA(HWND ventana, UINT mensaje, WPARAM w, LPARAM l) {
  return DefWindowProcAObservado(ventana, mensaje, w, l);
}
extern "C" BOOL WINAPI __wrap_SwapBuffers(HDC dc) { return SwapBuffersObservado(dc); }
extern "C" BOOL WINAPI __wrap_InvalidateRect(HWND ventana, const RECT* area, BOOL borrar) {
  return InvalidateRectObservado(ventana, area, borrar);
}
#endif

namespace {

// An empty world, drawn as any world is, that counts its frames.
class UniversoDePrueba : public Universo {
 public:
  void Fotograma() override {
    fotogramaEnCurso = ++fotogramas;
    Universo::Fotograma();
    if (alPintar) alPintar(fotogramas);
  }
  void Tecla(int codigo, bool pulsada) override { teclas.emplace_back(codigo, pulsada); }

  int fotogramas = 0;
  std::vector<std::pair<int, bool>> teclas;
  std::function<void(int)> alPintar;
};

class DiosDePrueba : public Dios {
 public:
  void Crear() override {
    mundo = new UniversoDePrueba;
    universo = mundo;
    versionAlCrear = glGetString(GL_VERSION) != nullptr;
    if (alCrear) alCrear();
  }
  bool PuedeSalir() override { return salidaPermitida; }

  UniversoDePrueba* mundo = nullptr;
  bool versionAlCrear = false;
  bool salidaPermitida = true;
  std::function<void()> alCrear;
};

// Whether a WM_QUIT waits in the queue; takes every waiting message.
bool QuedaSalida() {
  bool salida = false;
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) salida |= m.message == WM_QUIT;
  return salida;
}

class DiosTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QuedaSalida();
    mensajesPorDefecto.clear();
  }
  void TearDown() override {
    if (dios.contextoGL) {
      wglMakeCurrent(nullptr, nullptr);
      wglDeleteContext(dios.contextoGL);
    }
    DestroyWindow(dios.ventana);
    QuedaSalida();
    delete dios.mundo;
  }
  int Correr() { return WinMain(nullptr, nullptr, const_cast<char*>(""), SW_SHOWDEFAULT); }

  DiosDePrueba dios;
};

TEST_F(DiosTest, RegistersItselfAsTheApplication) {
  EXPECT_EQ(Dios::instancia, &dios);
  EXPECT_EQ(rutinaEntrada, &Dios::Ejecutar);
  EXPECT_TRUE(dios.enMarcha);
  EXPECT_TRUE(dios.pantallaCompleta);
  EXPECT_EQ(dios.universo, nullptr);
}

TEST_F(DiosTest, BuildsTheWorldWithACurrentContextAndDrawsTheFirstFrameBeforeTheLoop) {
  // A run flag cleared by the set-up leaves the loop at once: any frame seen
  // was drawn by window creation itself.
  dios.alCrear = [this] { dios.enMarcha = false; };
  EXPECT_EQ(Correr(), 0);
  EXPECT_TRUE(dios.versionAlCrear) << "Crear ran without a current OpenGL context";
  EXPECT_EQ(dios.ancho, 1024);
  EXPECT_EQ(dios.alto, 768);
  ASSERT_NE(dios.mundo, nullptr);
  EXPECT_EQ(dios.mundo->fotogramas, 1);
}

TEST_F(DiosTest, ClearingTheRunFlagEndsAfterThatFrameWithoutAQuitMessage) {
  dios.alCrear = [this] {
    dios.mundo->alPintar = [this](int n) {
      if (n == 5) dios.enMarcha = false;
    };
  };
  EXPECT_EQ(Correr(), 0);
  EXPECT_EQ(dios.mundo->fotogramas, 5);
  EXPECT_FALSE(QuedaSalida()) << "ending by the run flag must not post WM_QUIT";
}

TEST_F(DiosTest, EscapePressEndsTheProgramAndNeverReachesTheWorld) {
  dios.alCrear = [this] {
    dios.mundo->alPintar = [this](int n) {
      if (n == 3) PostMessageA(dios.ventana, WM_KEYDOWN, VK_ESCAPE, 1);
      if (n == 50) dios.enMarcha = false;
    };
  };
  EXPECT_EQ(Correr(), 0);
  EXPECT_EQ(dios.mundo->fotogramas, 3);
  EXPECT_TRUE(dios.mundo->teclas.empty());
}

TEST_F(DiosTest, ALoneEscapeReleaseAlsoEndsTheProgram) {
  dios.alCrear = [this] {
    dios.mundo->alPintar = [this](int n) {
      if (n == 3) PostMessageA(dios.ventana, WM_KEYUP, VK_ESCAPE, 0xC0000001);
      if (n == 50) dios.enMarcha = false;
    };
  };
  EXPECT_EQ(Correr(), 0);
  EXPECT_EQ(dios.mundo->fotogramas, 3);
  EXPECT_TRUE(dios.mundo->teclas.empty());
}

TEST_F(DiosTest, ClosingTheWindowEndsTheProgramWithZero) {
  dios.alCrear = [this] {
    dios.mundo->alPintar = [this](int n) {
      if (n == 4) PostMessageA(dios.ventana, WM_CLOSE, 0, 0);
      if (n == 50) dios.enMarcha = false;
    };
  };
  EXPECT_EQ(Correr(), 0);
  EXPECT_EQ(dios.mundo->fotogramas, 4);
}

TEST_F(DiosTest, AltF4ClosesTheWindowThroughTheDefaultHandling) {
  dios.alCrear = [this] {
    dios.mundo->alPintar = [this](int n) {
      if (n == 2) PostMessageA(dios.ventana, WM_SYSKEYDOWN, VK_F4, 1 << 29);
      if (n == 50) dios.enMarcha = false;
    };
  };
  EXPECT_EQ(Correr(), 0);
  EXPECT_EQ(dios.mundo->fotogramas, 2);
}

TEST_F(DiosTest, AFrameIsSwappedOnlyWhenItsPictureChangedOrTheSystemAskedForIt) {
  dios.alCrear = [this] {
    dios.mundo->alPintar = [this](int n) {
      if (n == 20) dios.mundo->colorFondo[2] = 1.0;
      // As the system does when the window is uncovered: the next paint is
      // not the main loop's.
      if (n == 30) InvalidateRect(dios.ventana, nullptr, FALSE);
      // The screen changed size: the picture moves, though the world did not.
      if (n == 35) SendMessageA(dios.ventana, WM_SIZE, SIZE_RESTORED, MAKELPARAM(1280, 1024));
      if (n == 40) dios.enMarcha = false;
    };
  };
  // The system's damage merges with the loop's own request for frame 34.
  danoDelSistemaTras = 33;
  fotogramasMostrados.clear();
  EXPECT_EQ(Correr(), 0);
  EXPECT_EQ(dios.mundo->fotogramas, 40) << "every frame is a tick, swapped or not";
  ASSERT_FALSE(fotogramasMostrados.empty());
  EXPECT_EQ(fotogramasMostrados.front(), 1) << "the first frame is shown";
  // Showing the window may bring the system's own paints at first.
  std::vector<int> despues;
  for (int n : fotogramasMostrados) {
    if (n > 10) despues.push_back(n);
  }
  EXPECT_EQ(despues, (std::vector<int>{21, 31, 34, 36}));
}

// Key routing, straight through the window procedure.
class TeclasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QuedaSalida();
    dios.mundo = new UniversoDePrueba;
    dios.universo = dios.mundo;
  }
  void TearDown() override { delete dios.mundo; }
  void Enviar(UINT mensaje, WPARAM tecla) {
    EXPECT_EQ(Dios::ProcedimientoVentana(nullptr, mensaje, tecla, 0), 0);
  }
  using Teclas = std::vector<std::pair<int, bool>>;

  DiosDePrueba dios;
};

TEST_F(TeclasTest, ArrowsPassUnchangedOnPressAndRelease) {
  for (WPARAM flecha : {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN}) {
    Enviar(WM_KEYDOWN, flecha);
    Enviar(WM_KEYUP, flecha);
  }
  EXPECT_EQ(dios.mundo->teclas, (Teclas{{37, true}, {37, false}, {38, true}, {38, false},
                                        {39, true}, {39, false}, {40, true}, {40, false}}));
}

TEST_F(TeclasTest, OtherKeysPassTheirUnshiftedCharacterOrZero) {
  Enviar(WM_KEYDOWN, 'A');
  Enviar(WM_KEYDOWN, '7');
  Enviar(WM_KEYDOWN, VK_SPACE);
  Enviar(WM_KEYDOWN, VK_F1);
  Enviar(WM_KEYUP, VK_F1);
  EXPECT_EQ(dios.mundo->teclas, (Teclas{{65, true}, {55, true}, {32, true}, {0, true}, {0, false}}));
}

TEST_F(TeclasTest, AHeldKeyRoutesAgainOnEveryRepeat) {
  Enviar(WM_KEYDOWN, 'B');
  Enviar(WM_KEYDOWN, 'B');
  Enviar(WM_KEYDOWN, 'B');
  Enviar(WM_KEYUP, 'B');
  EXPECT_EQ(dios.mundo->teclas, (Teclas{{66, true}, {66, true}, {66, true}, {66, false}}));
}

TEST_F(TeclasTest, EscapePostsTheQuitOnlyWhenTheApplicationAllowsIt) {
  Enviar(WM_KEYUP, VK_ESCAPE);
  EXPECT_TRUE(QuedaSalida());
  dios.salidaPermitida = false;
  Enviar(WM_KEYDOWN, VK_ESCAPE);
  EXPECT_FALSE(QuedaSalida());
  EXPECT_TRUE(dios.mundo->teclas.empty());
}

TEST_F(TeclasTest, LeftButtonIsConsumedWhileRightButtonAndMotionGoToTheDefault) {
  mensajesPorDefecto.clear();
  for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MOUSEMOVE}) {
    EXPECT_EQ(Dios::ProcedimientoVentana(nullptr, m, 0, MAKELPARAM(10, 10)), 0);
  }
  EXPECT_EQ(mensajesPorDefecto,
            (std::vector<UINT>{WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MOUSEMOVE}));
  EXPECT_TRUE(dios.mundo->teclas.empty());
}

TEST_F(TeclasTest, SystemKeysAndCharactersAreLeftToTheDefault) {
  mensajesPorDefecto.clear();
  Dios::ProcedimientoVentana(nullptr, WM_SYSKEYDOWN, 'X', 0);
  Dios::ProcedimientoVentana(nullptr, WM_CHAR, 'x', 0);
  EXPECT_EQ(mensajesPorDefecto, (std::vector<UINT>{WM_SYSKEYDOWN, WM_CHAR}));
  EXPECT_TRUE(dios.mundo->teclas.empty());
}

// Full screen, the window covers the screen and the picture is fitted into
// it; in a window, the viewport follows the client size.
class VistaTest : public DiosTest {
 protected:
  std::vector<GLint> Vista() {
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    return {v[0], v[1], v[2], v[3]};
  }
};

TEST_F(VistaTest, FullScreenCoversTheScreenAndFitsThePictureCentredInIt) {
  dios.alCrear = [this] { dios.enMarcha = false; };
  Correr();
  RECT cliente;
  ASSERT_TRUE(GetClientRect(dios.ventana, &cliente));
  EXPECT_EQ(cliente.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(cliente.bottom, GetSystemMetrics(SM_CYSCREEN));
  const struct {
    int ancho, alto;
    std::vector<GLint> vista;
  } casos[] = {
      {1024, 768, {0, 0, 1024, 768}},    {1920, 1080, {240, 0, 1440, 1080}},
      {1366, 768, {171, 0, 1024, 768}},  {1280, 1024, {0, 32, 1280, 960}},
      {800, 600, {0, 0, 800, 600}},      {768, 1024, {0, 224, 768, 576}},
  };
  for (const auto& c : casos) {
    SendMessageA(dios.ventana, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.ancho, c.alto));
    EXPECT_EQ(Vista(), c.vista) << c.ancho << " x " << c.alto;
  }
}

TEST_F(VistaTest, AWindowSetsTheViewportToEveryNewClientSize) {
  dios.pantallaCompleta = false;
  dios.alCrear = [this] { dios.enMarcha = false; };
  Correr();
  RECT cliente;
  ASSERT_TRUE(GetClientRect(dios.ventana, &cliente));
  EXPECT_LT(cliente.right, 1024) << "the frame is inside the outer size";
  EXPECT_LT(cliente.bottom, 768);
  EXPECT_EQ(Vista(), (std::vector<GLint>{0, 0, cliente.right, cliente.bottom}));
  Dios::ProcedimientoVentana(dios.ventana, WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
  EXPECT_EQ(Vista(), (std::vector<GLint>{0, 0, 300, 200}));
}

}  // namespace
