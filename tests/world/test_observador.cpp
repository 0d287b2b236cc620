// The camera: the projection it loads (where world points land in normalised
// device coordinates), its view size, its depth range, and that the world
// draws it first and never among the beings.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/world/MundoDePrueba.h"
#include "world/BigBang.h"
#include "world/Observador.h"

namespace {

struct Punto {
  double x, y, z;
};

// Where the loaded projection matrix puts world point p.
Punto Proyectar(const Punto& p) {
  GLdouble m[16];
  glGetDoublev(GL_PROJECTION_MATRIX, m);
  const double x = m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12];
  const double y = m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13];
  const double z = m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14];
  const double w = m[3] * p.x + m[7] * p.y + m[11] * p.z + m[15];
  return {x / w, y / w, z / w};
}

void ExpectProyeccion(const Punto& mundo, double x, double y, double z) {
  const Punto visto = Proyectar(mundo);
  EXPECT_TRUE(std::abs(visto.x - x) < 1e-6 && std::abs(visto.y - y) < 1e-6 &&
              std::abs(visto.z - z) < 1e-6)
      << "world (" << mundo.x << ", " << mundo.y << ", " << mundo.z << "): expected (" << x
      << ", " << y << ", " << z << "), got (" << visto.x << ", " << visto.y << ", " << visto.z
      << ")";
}

// A camera that counts its drawings.
class ObservadorContado : public Observador {
 public:
  using Observador::Observador;
  void Dibujar() override {
    sucesos.push_back("camara");
    Observador::Dibujar();
  }
};

class Camara : public PruebaDeMundo {
 protected:
  void SetUp() override {
    PruebaDeMundo::SetUp();
    bigbang = new BigBang(mundo);
  }
  BigBang* bigbang = nullptr;
};

TEST_F(Camara, BecomesItsWorldsCameraInPlaceWithADepthRangeOfZero) {
  bigbang->posicion = Vector(3, 4, 5);
  const double gris[4] = {0.5, 0.5, 0.5, 1.0};
  bigbang->FijarColor(gris);
  glDepthRange(0.25, 0.75);
  Observador* camara = new Observador(bigbang);
  EXPECT_EQ(mundo->observador, camara);
  EXPECT_EQ(mundo->contenido.elementos[mundo->contenido.cantidad - 1], camara);
  EXPECT_TRUE(camara->posicion == Vector(3, 4, 5));
  EXPECT_EQ(camara->color[0], 0.5);
  EXPECT_EQ(camara->planoLejano, 1000.0);
  EXPECT_EQ(camara->planoCercano, 0.0);
  GLdouble rango[2] = {-1.0, -1.0};
  glGetDoublev(GL_DEPTH_RANGE, rango);
  EXPECT_EQ(rango[0], 0.0);
  EXPECT_EQ(rango[1], 0.0) << "the far value -1000 clamps to 0";
}

TEST_F(Camara, RightAfterConstructionShows1024By768UnitsFromTheOrigin) {
  Observador* camara = new Observador(bigbang);
  camara->Dibujar();
  GLint modo = 0;
  glGetIntegerv(GL_MATRIX_MODE, &modo);
  EXPECT_EQ(modo, GL_PROJECTION) << "Dibujar must leave the projection matrix selected";
  ExpectProyeccion({0, 0, 0}, -1, -1, -1);
  ExpectProyeccion({1024, 768, 0}, 1, 1, -1);
  ExpectProyeccion({512, 384, -500}, 0, 0, 0);
  ExpectProyeccion({0, 0, -1000}, -1, -1, 1);
}

TEST_F(Camara, TheApplicationsViewPutsTheOriginAtTheCentreAndReachesTheCorners) {
  Observador* camara = new Observador(bigbang);
  camara->FijarVista(40, 30);
  camara->posicion = camara->posicion + Vector(20, 15, 0);
  mundo->Fotograma();
  ExpectProyeccion({0, 0, 0}, 0, 0, -1);
  ExpectProyeccion({20, 15, 0}, 1, 1, -1);
  ExpectProyeccion({-20, -15, 0}, -1, -1, -1);
  ExpectProyeccion({10, -7.5, 0}, 0.5, -0.5, -1);
  // In front of the near plane, and on the far one.
  EXPECT_LT(Proyectar({0, 0, 1}).z, -1.0);
  ExpectProyeccion({0, 0, -1000}, 0, 0, 1);
}

TEST_F(Camara, MovingTheCameraToPlusXShiftsTheViewToMinusX) {
  Observador* camara = new Observador(bigbang);
  camara->FijarVista(40, 30);
  camara->posicion = Vector(20, 15, 0);
  camara->velocidad = Vector(1, 0, 0);
  mundo->Fotograma();
  EXPECT_EQ(camara->posicion.x, 21.0) << "the camera moves like any being";
  ExpectProyeccion({-21, -15, 0}, -1, -1, -1);
  ExpectProyeccion({19, 15, 0}, 1, 1, -1);
}

TEST_F(Camara, ASecondViewSizeReplacesTheFirstAndLeavesThePositionAlone) {
  Observador* camara = new Observador(bigbang);
  camara->posicion = Vector(1, 2, 3);
  camara->FijarVista(10, 10);
  camara->FijarVista(40, 30);
  const double esperada[16] = {2.0 / 40, 0, 0, 0, 0, 2.0 / 30, 0, 0,
                               0, 0, -0.002, 0, -1, -1, -1, 1};
  for (int i = 0; i < 16; ++i) {
    EXPECT_DOUBLE_EQ(camara->proyeccion[i], esperada[i]) << "entry " << i;
  }
  EXPECT_TRUE(camara->posicion == Vector(1, 2, 3));
  EXPECT_EQ(camara->planoLejano, 1000.0);
  EXPECT_EQ(camara->planoCercano, 0.0);
}

TEST_F(Camara, IsDrawnOnceFirstInEveryFrameAndNeverAsABeing) {
  new SerDePrueba(mundo, "antes");
  new ObservadorContado(bigbang);
  new SerDePrueba(mundo, "despues");
  mundo->Fotograma();
  mundo->Fotograma();
  const std::vector<std::string> esperados = {
      "vive antes", "vive despues", "camara", "dibuja antes", "dibuja despues",
      "vive antes", "vive despues", "camara", "dibuja antes", "dibuja despues"};
  EXPECT_EQ(sucesos, esperados);
}

}  // namespace
