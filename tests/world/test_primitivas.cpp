// The sphere primitive: which points its matter holds, that it never touches
// anything, the classes it duplicates into, and a drawing that leaves no GLU
// quadric behind. GLU calls are watched through linker wrappers.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "tests/support/contexto_gl.h"
#include "world/APEsfera.h"
#include "world/MPEsfera.h"

namespace {

struct Esfera {
  const GLUquadric* cuadrica;
  GLdouble radio;
  GLint meridianos;
  GLint paralelos;
};

int cuadricasCreadas = 0;
int cuadricasBorradas = 0;
const GLUquadric* ultimaCreada = nullptr;
std::vector<Esfera> esferas;

}  // namespace

extern "C" {
GLUquadric* __real_gluNewQuadric();
void __real_gluDeleteQuadric(GLUquadric* cuadrica);
void __real_gluSphere(GLUquadric* cuadrica, GLdouble radio, GLint meridianos, GLint paralelos);

GLUquadric* __wrap_gluNewQuadric() {
  ++cuadricasCreadas;
  ultimaCreada = __real_gluNewQuadric();
  return const_cast<GLUquadric*>(ultimaCreada);
}
void __wrap_gluDeleteQuadric(GLUquadric* cuadrica) {
  ++cuadricasBorradas;
  __real_gluDeleteQuadric(cuadrica);
}
void __wrap_gluSphere(GLUquadric* cuadrica, GLdouble radio, GLint meridianos, GLint paralelos) {
  esferas.push_back({cuadrica, radio, meridianos, paralelos});
  __real_gluSphere(cuadrica, radio, meridianos, paralelos);
}
}

namespace {

TEST(EsferaMateria, HoldsOnlyThePointsStrictlyInsideTheUnitSphere) {
  const MPEsfera esfera;
  const Vector dentro[] = {{0, 0, 0}, {0.5, 0.5, 0.5}, {0, 0, -0.999}, {0.57, 0.57, 0.57}};
  const Vector fuera[] = {{1, 0, 0}, {0, -1, 0}, {0.6, 0.6, 0.6}, {NAN, 0, 0}, {0, 0, INFINITY}};
  for (const Vector& p : dentro) {
    EXPECT_TRUE(esfera.Contiene(&p)) << "expected (" << p.x << ", " << p.y << ", " << p.z
                                     << ") inside";
  }
  for (const Vector& p : fuera) {
    EXPECT_FALSE(esfera.Contiene(&p)) << "expected (" << p.x << ", " << p.y << ", " << p.z
                                      << ") outside";
  }
}

TEST(EsferaMateria, NeverTouchesEvenACoincidentSphereAndIsOfLevelOne) {
  const MPEsfera esfera;
  const MPEsfera otra;
  const Vector mismoSitio(0, 0, 0);
  const Vector mismaEscala(1, 1, 1);
  const Vector dentro(0.1, 0, 0);
  EXPECT_FALSE(esfera.Colisiona(&mismoSitio, &mismaEscala, &otra));
  EXPECT_FALSE(esfera.Colisiona(&dentro, &mismaEscala, &esfera));
  EXPECT_EQ(esfera.Nivel(), 1);
}

TEST(EsferaPrimitivas, DuplicateIntoNewSpheresAndTheShapeBringsSphereMatter) {
  const APEsfera apariencia;
  const MPEsfera materia;
  std::unique_ptr<APrimitiva> otraApariencia(apariencia.Duplicar());
  std::unique_ptr<MPrimitiva> otraMateria(materia.Duplicar());
  std::unique_ptr<MPrimitiva> suMateria(apariencia.CrearMateria());
  EXPECT_NE(otraApariencia.get(), &apariencia);
  EXPECT_NE(dynamic_cast<APEsfera*>(otraApariencia.get()), nullptr) << "expected an APEsfera";
  EXPECT_NE(otraMateria.get(), &materia);
  EXPECT_NE(dynamic_cast<MPEsfera*>(otraMateria.get()), nullptr) << "expected an MPEsfera";
  EXPECT_NE(dynamic_cast<MPEsfera*>(suMateria.get()), nullptr) << "expected an MPEsfera";
}

TEST(EsferaDibujo, EveryDrawMakesAUnitSphereOnAFreshQuadricAndDeletesIt) {
  const ContextoGL contexto;
  ASSERT_TRUE(contexto.activo()) << contexto.fallo();
  const int creadasAntes = cuadricasCreadas;
  const int borradasAntes = cuadricasBorradas;
  esferas.clear();
  const APEsfera esfera;
  for (int i = 1; i <= 3; ++i) {
    esfera.Dibujar(nullptr);
    EXPECT_EQ(cuadricasCreadas - creadasAntes, i) << "expected one new quadric per draw";
    EXPECT_EQ(cuadricasBorradas - borradasAntes, i) << "a quadric is left alive after the draw";
    ASSERT_EQ(esferas.size(), static_cast<size_t>(i));
    EXPECT_EQ(esferas.back().cuadrica, ultimaCreada) << "drawn on another quadric";
    EXPECT_EQ(esferas.back().radio, 1.0);
    EXPECT_EQ(esferas.back().meridianos, 25);
    EXPECT_EQ(esferas.back().paralelos, 25);
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
