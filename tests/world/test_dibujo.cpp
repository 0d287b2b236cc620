// Drawing, read back as pixels: the application's view (40 x 30 units around
// the origin on a 1024 x 768 frame, white background, red beings), where and
// how large a sphere lands, where and how large a numeral lands and in what
// red, what covers what, the order of the turn and the scale, and the frames
// left undrawn because their picture is on screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "tests/world/MundoDePrueba.h"
#include "world/APEsfera.h"
#include "world/APNumeral.h"
#include "world/BigBang.h"
#include "world/Iluminacion.h"
#include "world/Observador.h"

namespace {

constexpr double kPixelesPorUnidad = 25.6;
// A disc of 25.6 px radius; M_PI is not standard C++.
const double kAreaDisco = std::acos(-1.0) * 25.6 * 25.6;
const double kBlanco[4] = {1.0, 1.0, 1.0, 0.0};
const double kRojo[4] = {0.8, 0.0, 0.0, 0.0};
const double kAzul[4] = {0.0, 0.0, 0.8, 0.0};
// kRojo itself, unshaded by any light.
bool EsRojoLiso(Color c) { return c.r == 204 && c.g == 0 && c.b == 0; }

bool NoEsBlanco(Color c) { return !EsBlanco(c); }

// The pixel column or row whose centre is nearest to world x or y.
int Columna(double x) { return static_cast<int>(std::floor(512.0 + x * kPixelesPorUnidad)); }
int Fila(double y) { return static_cast<int>(std::floor(384.0 + y * kPixelesPorUnidad)); }

// The world as the application sets it up: a template being gives the white
// background and the red colour, the camera is copied from it and shows 40
// by 30 units centred on the origin, and a model being copied from the
// template stays in the world when the template goes.
class Dibujo : public PruebaDeMundo {
 protected:
  void SetUp() override {
    PruebaDeMundo::SetUp();
    BigBang bigbang(mundo);
    bigbang.FijarFondo(kBlanco);
    bigbang.FijarColor(kRojo);
    camara = new Observador(&bigbang);
    camara->FijarVista(40, 30);
    camara->posicion = camara->posicion + Vector(20.0, 15.0, 0.0);
    modelo = new Identidad(&bigbang, Vector(0, 0, 0));
  }

  // A red sphere at donde.
  Identidad* Esfera(const Vector& donde) {
    Identidad* esfera = new Identidad(modelo, donde);
    esfera->FijarPrimitiva(new APEsfera);
    return esfera;
  }

  Observador* camara = nullptr;
  Identidad* modelo = nullptr;
};

TEST_F(Dibujo, ASphereAtTheOriginIsARedDiscOfRadius25Point6PixelsAtTheCentre) {
  Esfera(Vector(0, 0, 0));
  mundo->Fotograma();
  const Fotografia foto;
  const Color centro = foto.En(512, 384);
  EXPECT_TRUE(EsRojo(centro)) << "centre pixel: expected red, got (" << centro.r << ", " << centro.g
                              << ", " << centro.b << ")";
  // The outline is the 25-gon of the tessellation, inscribed in the circle of
  // 25.6 px: between 2 x 25.6 x cos(pi / 25) and 2 x 25.6 px across, counted
  // by pixel centres.
  const int ancho = foto.Tramo(512, 384, true, NoEsBlanco);
  const int alto = foto.Tramo(512, 384, false, NoEsBlanco);
  EXPECT_TRUE(ancho >= 50 && ancho <= 52) << "expected a disc 50 to 52 px wide, got " << ancho;
  EXPECT_TRUE(alto >= 50 && alto <= 52) << "expected a disc 50 to 52 px high, got " << alto;
  // The whole disc, and nothing else: about pi x 25.6² pixels.
  const int pintados = foto.Contar(NoEsBlanco);
  EXPECT_NEAR(pintados, kAreaDisco, 60.0) << "pixels drawn";
  EXPECT_EQ(foto.Contar(EsRojo), pintados) << "some drawn pixels are not red";
}

TEST_F(Dibujo, ASphereAtTheViewsTopRightIsCentredOnTheFramesCorner) {
  Esfera(Vector(20, 15, 0));
  mundo->Fotograma();
  const Fotografia foto;
  EXPECT_TRUE(EsRojo(foto.En(1023, 767)));
  const int enFila = foto.Tramo(1023, 767, true, NoEsBlanco);
  const int enColumna = foto.Tramo(1023, 767, false, NoEsBlanco);
  EXPECT_TRUE(enFila == 25 || enFila == 26)
      << "expected a quarter disc 25.6 px wide, got " << enFila;
  EXPECT_TRUE(enColumna == 25 || enColumna == 26)
      << "expected a quarter disc 25.6 px high, got " << enColumna;
  EXPECT_NEAR(foto.Contar(NoEsBlanco), kAreaDisco / 4.0, 30.0) << "pixels drawn";
  EXPECT_TRUE(EsBlanco(foto.En(0, 0)));
  EXPECT_TRUE(EsBlanco(foto.En(512, 384)));
}

// The smallest box of pixels holding every pixel that is not white.
struct Caja {
  int izquierda = ContextoGL::kAncho, derecha = -1, abajo = ContextoGL::kAlto, arriba = -1;
};
Caja Tinta(const Fotografia& foto) {
  Caja caja;
  for (int y = 0; y < ContextoGL::kAlto; ++y) {
    for (int x = 0; x < ContextoGL::kAncho; ++x) {
      if (EsBlanco(foto.En(x, y))) continue;
      caja = {std::min(caja.izquierda, x), std::max(caja.derecha, x), std::min(caja.abajo, y),
              std::max(caja.arriba, y)};
    }
  }
  return caja;
}

TEST_F(Dibujo, ANumeralIsFlatRedCentredAndAsTallAsItsFiguresUnlessFourOfThemAreTooWide) {
  struct Caso {
    int numero;
    // Whether its figures are all flat-topped and flat-bottomed (1, 4, 7),
    // so that its ink is exactly as tall as the figures.
    bool plano;
  };
  // 444 is the widest numeral of three figures; 1000 the only one of four.
  const Caso casos[] = {{7, true}, {42, false}, {444, true}, {1000, false}};
  std::vector<Fotografia> fotos;
  for (const Caso& caso : casos) {
    SCOPED_TRACE("numeral " + std::to_string(caso.numero));
    Identidad* ser = new Identidad(modelo, Vector(0, 0, 0));
    ser->FijarPrimitiva(new APNumeral(caso.numero));
    EXPECT_EQ(ser->primitivaMateria, nullptr) << "a numeral has no matter";
    mundo->Fotograma();
    fotos.emplace_back();
    const Fotografia& foto = fotos.back();
    const int pintados = foto.Contar(NoEsBlanco);
    EXPECT_GT(pintados, 1000);
    EXPECT_EQ(foto.Contar(EsRojoLiso), pintados) << "some drawn pixels are not (204, 0, 0)";
    const Caja caja = Tinta(foto);
    const int ancho = caja.derecha - caja.izquierda + 1;
    EXPECT_NEAR(caja.izquierda + caja.derecha + 1, 1024, 2) << "not centred across";
    EXPECT_LE(ancho, APNumeral::kAnchoMaximo * kPixelesPorUnidad + 1) << "too wide";
    if (caso.plano) {
      EXPECT_NEAR(caja.arriba - caja.abajo + 1, APNumeral::kAltura * kPixelesPorUnidad, 1.0);
      EXPECT_NEAR(caja.abajo + caja.arriba + 1, 768, 2) << "not centred from top to bottom";
    }
    if (caso.numero == 1000) {
      EXPECT_NEAR(ancho, APNumeral::kAnchoMaximo * kPixelesPorUnidad, 1.0) << "not made to fit";
    }
    ser->muerto = true;
  }
  EXPECT_GT(fotos[0].Diferencias(fotos[1]), 10000) << "7 and 42 look alike";
}

TEST_F(Dibujo, ABeingWithoutAShapeLeavesTheFrameWhite) {
  Identidad* sinForma = new Identidad(modelo, Vector(0, 0, 0));
  sinForma->escala = Vector(10, 10, 1);
  mundo->Fotograma();
  EXPECT_EQ(Fotografia().Contar(NoEsBlanco), 0);
}

TEST_F(Dibujo, TheNextFrameIsClearedToTheBackgroundJustSet) {
  mundo->Fotograma();
  EXPECT_EQ(Fotografia().Contar(EsBlanco), ContextoGL::kAncho * ContextoGL::kAlto);
  BigBang otro(mundo);
  const double azul[4] = {0.0, 0.0, 1.0, 0.0};
  otro.FijarFondo(azul);
  mundo->Fotograma();
  const Fotografia foto;
  EXPECT_EQ(foto.Contar([](Color c) { return c.r == 0 && c.g == 0 && c.b == 255; }),
            ContextoGL::kAncho * ContextoGL::kAlto);
}

TEST_F(Dibujo, TheBeingDrawnLaterCoversTheEarlierOneWhereTheyOverlap) {
  // At x = 0.3 the blue sphere's surface lies nearer the viewer than the red
  // one's, so only the equal depth of every fragment lets the red one win.
  Identidad* azul = Esfera(Vector(1, 0, 0));
  azul->FijarColor(kAzul);
  Esfera(Vector(0, 0, 0));
  mundo->Fotograma();
  const Fotografia foto;
  const Color solape = foto.En(Columna(0.3), Fila(0.0));
  EXPECT_TRUE(EsRojo(solape)) << "expected the later red sphere on top, got (" << solape.r << ", "
                              << solape.g << ", " << solape.b << ")";
  EXPECT_TRUE(EsAzul(foto.En(Columna(1.5), Fila(0.0))));
  EXPECT_TRUE(EsRojo(foto.En(Columna(-0.5), Fila(0.0))));
}

TEST_F(Dibujo, TheTurnComesBeforeTheScale) {
  Identidad* ser = Esfera(Vector(10, 0, 0));
  ser->escala = Vector(2, 1, 1);
  ser->rotacion = Vector(0, 0, 90);
  mundo->Fotograma();

  // The being's transform is what the model-view matrix holds after drawing
  // it: the unit frame's point (1, 0, 0) lands at (10, 1, 0).
  GLdouble m[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, m);
  EXPECT_NEAR(m[0] + m[12], 10.0, 1e-6);
  EXPECT_NEAR(m[1] + m[13], 1.0, 1e-6);
  EXPECT_NEAR(m[2] + m[14], 0.0, 1e-6);
  // And (0, 1, 0) at (10 - 2, 0, 0): the turned y axis is the doubled one.
  EXPECT_NEAR(m[4] + m[12], 8.0, 1e-6);
  EXPECT_NEAR(m[5] + m[13], 0.0, 1e-6);

  // A sphere turns into itself, so on screen it is the scaled ellipse: 4
  // units wide and 2 high, around (10, 0).
  const Fotografia foto;
  const int ancho = foto.Tramo(Columna(10), Fila(0), true, NoEsBlanco);
  const int alto = foto.Tramo(Columna(10), Fila(0), false, NoEsBlanco);
  EXPECT_NEAR(ancho, 4 * kPixelesPorUnidad, 2.0) << "width in pixels";
  EXPECT_NEAR(alto, 2 * kPixelesPorUnidad, 2.0) << "height in pixels";
}

TEST_F(Dibujo, ABeingsColourIsTheCurrentColourAndItsAmbientAndDiffuseMaterial) {
  Identidad* ser = Esfera(Vector(0, 0, 0));
  const double color[4] = {0.25, 0.5, 0.75, 0.125};
  ser->FijarColor(color);
  mundo->Fotograma();
  EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
  GLfloat actual[4];
  GLfloat ambiente[4];
  GLfloat difusa[4];
  glGetFloatv(GL_CURRENT_COLOR, actual);
  glGetMaterialfv(GL_FRONT, GL_AMBIENT, ambiente);
  glGetMaterialfv(GL_FRONT, GL_DIFFUSE, difusa);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(actual[i], static_cast<GLfloat>(color[i])) << "current colour, component " << i;
    EXPECT_EQ(ambiente[i], static_cast<GLfloat>(color[i])) << "ambient, component " << i;
    EXPECT_EQ(difusa[i], static_cast<GLfloat>(color[i])) << "diffuse, component " << i;
  }
}

TEST_F(Dibujo, AFrameLeftUndrawnShowsWhatDrawingTheWorldInFullWouldShow) {
  Identidad* a = Esfera(Vector(-5, 0, 0));
  Identidad* b = Esfera(Vector(5, 0, 0));
  struct Cambio {
    const char* nombre;
    std::function<void()> hacer;
  };
  const Cambio cambios[] = {
      {"nothing", [] {}},
      {"a being moves", [&] { a->posicion = a->posicion + Vector(0.5, 0, 0); }},
      {"a being is scaled", [&] { a->escala = Vector(2, 1, 1); }},
      {"a scaled being turns", [&] { a->rotacion = Vector(0, 0, 90); }},
      {"a being changes colour", [&] { a->FijarColor(kAzul); }},
      {"a being loses its shape", [&] { b->FijarPrimitiva(nullptr); }},
      {"a being gets a shape again", [&] { b->FijarPrimitiva(new APEsfera); }},
      {"a being is born", [&] { Esfera(Vector(0, 8, 0)); }},
      {"a being dies", [&] { a->muerto = true; }},
      {"a being becomes a numeral", [&] { b->FijarPrimitiva(new APNumeral(7)); }},
      {"the numeral's number changes", [&] { b->FijarPrimitiva(new APNumeral(42)); }},
      {"a being's shape becomes one that draws nothing",
       [&] { b->FijarPrimitiva(new APrueba(false)); }},
      {"the background changes", [&] { mundo->colorFondo[1] = 0.5; }},
      {"the lighting goes off",
       [&] {
         delete mundo->iluminacion;
         mundo->iluminacion = nullptr;
       }},
      {"the lighting comes back", [&] { mundo->iluminacion = new Iluminacion; }},
      {"the camera moves", [&] { camara->posicion = camara->posicion + Vector(1, 0, 0); }},
      {"the camera's view changes", [&] { camara->FijarVista(20, 15); }},
      {"nothing again", [] {}},
  };
  mundo->Fotograma();
  mundo->ConfirmarImagen();
  for (const Cambio& cambio : cambios) {
    cambio.hacer();
    mundo->Fotograma();
    // Never swapped here, the buffer holds the picture last drawn, as the
    // screen would.
    const Fotografia enPantalla;
    mundo->ConfirmarImagen();
    mundo->OlvidarImagen();
    mundo->Fotograma();
    EXPECT_EQ(enPantalla.Diferencias(Fotografia()), 0) << "after: " << cambio.nombre;
    mundo->ConfirmarImagen();
  }
  // The same picture is not drawn twice: what a frame of 100 dots costs.
  mundo->Fotograma();
  EXPECT_FALSE(mundo->imagenNueva) << "an unchanged frame was drawn again";
  mundo->OlvidarImagen();
  mundo->Fotograma();
  EXPECT_TRUE(mundo->imagenNueva) << "a lost picture was not drawn again";
}

using DibujoSinCamara = PruebaDeMundo;

// The depth at the centre of the frame.
GLfloat Profundidad() {
  GLfloat profundidad = -1.0f;
  glReadPixels(512, 384, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &profundidad);
  return profundidad;
}

TEST_F(DibujoSinCamara, AnEmptyWorldClearsToItsBackgroundAndSetsTheDepthState) {
  glClearDepth(0.25);
  glClear(GL_DEPTH_BUFFER_BIT);
  glClearDepth(0.5);
  mundo->Fotograma();
  EXPECT_NEAR(Profundidad(), 0.5f, 1e-6) << "expected the depth cleared with the value set before";
  const Fotografia foto;
  EXPECT_EQ(foto.Contar([](Color c) { return c.r == 0 && c.g == 0 && c.b == 0; }),
            ContextoGL::kAncho * ContextoGL::kAlto)
      << "expected the initial black background everywhere";
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  GLint funcion = 0;
  glGetIntegerv(GL_DEPTH_FUNC, &funcion);
  EXPECT_EQ(funcion, GL_LEQUAL);
  GLdouble profundidad = 0.0;
  glGetDoublev(GL_DEPTH_CLEAR_VALUE, &profundidad);
  EXPECT_EQ(profundidad, 1.0);
  mundo->Fotograma();
  EXPECT_NEAR(Profundidad(), 1.0f, 1e-6) << "expected the depth cleared with 1 from the next frame";
  GLint pista = 0;
  glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &pista);
  EXPECT_EQ(pista, GL_NICEST);
  GLint modo = 0;
  glGetIntegerv(GL_MATRIX_MODE, &modo);
  EXPECT_EQ(modo, GL_MODELVIEW);
}

}  // namespace
