// Beings: the defaults of a fresh one, what a template copy takes from its
// model and what it owns, installing shapes, destruction, the inbox and the
// focus, and the settings the template being passes on.
#include <gtest/gtest.h>

#include <vector>

#include "base/ClaseDinamica.h"
#include "base/Frase.h"
#include "tests/world/MundoDePrueba.h"
#include "world/APEsfera.h"
#include "world/BigBang.h"
#include "world/MPEsfera.h"
#include "world/Observador.h"

namespace {

using Seres = PruebaDeMundo;

std::vector<Materia*> Contenido(const Universo* mundo) {
  return std::vector<Materia*>(mundo->contenido.elementos,
                               mundo->contenido.elementos + mundo->contenido.cantidad);
}

void ExpectVector(const Vector& visto, double x, double y, double z, const char* que) {
  EXPECT_TRUE(visto.x == x && visto.y == y && visto.z == z)
      << que << ": expected (" << x << ", " << y << ", " << z << "), got (" << visto.x << ", "
      << visto.y << ", " << visto.z << ")";
}

TEST_F(Seres, AFreshBeingIsAWhiteShapelessStillBeingAtTheOriginAppendedToItsWorld) {
  SerDePrueba* primero = new SerDePrueba(mundo, "A");
  const int32_t objetosAntes = ClaseDinamica::instancias;
  Identidad* ser = new Identidad(mundo);
  EXPECT_EQ(ClaseDinamica::instancias, objetosAntes + 1) << "expected one inbox more";
  EXPECT_EQ(ser->universo, mundo);
  ExpectVector(ser->posicion, 0, 0, 0, "posicion");
  ExpectVector(ser->velocidad, 0, 0, 0, "velocidad");
  ExpectVector(ser->escala, 1, 1, 1, "escala");
  ExpectVector(ser->rotacion, 0, 0, 0, "rotacion");
  EXPECT_EQ(ser->solidez, 0.0);
  EXPECT_EQ(ser->primitivaMateria, nullptr);
  EXPECT_EQ(ser->primitivaApariencia, nullptr);
  EXPECT_FALSE(ser->muerto);
  EXPECT_EQ(ser->color[0], 1.0);
  EXPECT_EQ(ser->color[1], 1.0);
  EXPECT_EQ(ser->color[2], 1.0);
  EXPECT_EQ(ser->color[3], 0.0);
  EXPECT_EQ(ser->buzon.cantidad, 0u);
  EXPECT_EQ(Contenido(mundo), (std::vector<Materia*>{primero, ser}));
}

TEST_F(Seres, AShapelessBeingMakesNoOpenGLCallWhenDrawn) {
  Identidad* ser = new Identidad(mundo);
  ser->posicion = Vector(5, 5, 0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glColor4d(0.25, 0.5, 0.75, 1.0);
  ser->Dibujar();
  GLdouble matriz[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, matriz);
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(matriz[i], i % 5 == 0 ? 1.0 : 0.0) << "the model-view matrix moved, entry " << i;
  }
  GLfloat color[4];
  glGetFloatv(GL_CURRENT_COLOR, color);
  EXPECT_EQ(color[0], 0.25f);
  EXPECT_EQ(color[1], 0.5f);
  EXPECT_EQ(color[2], 0.75f);
  EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL)) << "GL_COLOR_MATERIAL was enabled";
}

TEST_F(Seres, ATemplateCopyIsItsModelMovedByTheOffsetAliveWithAnEmptyInboxAndLast) {
  SerDePrueba* modelo = new SerDePrueba(mundo, "modelo");
  modelo->posicion = Vector(1, 1, 1);
  modelo->velocidad = Vector(0.5, -1, 2);
  modelo->escala = Vector(2, 3, 4);
  modelo->rotacion = Vector(10, 20, 30);
  modelo->solidez = 0.75;
  const double rojo[4] = {0.8, 0.1, 0.2, 0.3};
  modelo->FijarColor(rojo);
  modelo->muerto = true;
  Frase* frase = new Frase(65, true);
  modelo->Recibir(frase);
  frase->Liberar();
  Identidad* otro = new Identidad(mundo);

  SerDePrueba* copia = new SerDePrueba(modelo, Vector(2, 3, 0), "copia");
  EXPECT_EQ(copia->universo, mundo);
  ExpectVector(copia->posicion, 3, 4, 1, "posicion");
  ExpectVector(copia->velocidad, 0.5, -1, 2, "velocidad");
  ExpectVector(copia->escala, 2, 3, 4, "escala");
  ExpectVector(copia->rotacion, 10, 20, 30, "rotacion");
  EXPECT_EQ(copia->solidez, 0.75);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(copia->color[i], rojo[i]) << "colour component " << i;
  EXPECT_FALSE(copia->muerto) << "a copy of a dead model must be alive";
  EXPECT_EQ(copia->buzon.cantidad, 0u) << "the model's messages were copied";
  EXPECT_EQ(modelo->buzon.cantidad, 1u);
  EXPECT_EQ(copia->primitivaMateria, nullptr);
  EXPECT_EQ(copia->primitivaApariencia, nullptr);
  ExpectVector(modelo->posicion, 1, 1, 1, "the model's posicion");
  EXPECT_EQ(Contenido(mundo), (std::vector<Materia*>{modelo, otro, copia}));
}

TEST_F(Seres, ACopyOwnsDuplicatesOfTheModelsPrimitivesThatOutliveTheModel) {
  Identidad* modelo = new Identidad(mundo);
  modelo->primitivaMateria = new MPrueba;
  modelo->FijarPrimitiva(new APrueba(false));
  ASSERT_EQ(MPrueba::vivas, 1);
  Identidad* copia = new Identidad(modelo, Vector(1, 0, 0));
  ASSERT_NE(copia->primitivaMateria, nullptr);
  ASSERT_NE(copia->primitivaApariencia, nullptr);
  EXPECT_NE(copia->primitivaMateria, modelo->primitivaMateria);
  EXPECT_NE(copia->primitivaApariencia, modelo->primitivaApariencia);
  EXPECT_NE(dynamic_cast<MPrueba*>(copia->primitivaMateria), nullptr);
  EXPECT_NE(dynamic_cast<APrueba*>(copia->primitivaApariencia), nullptr);
  EXPECT_EQ(MPrueba::vivas, 2);
  EXPECT_EQ(APrueba::vivas, 2);

  delete modelo;
  EXPECT_EQ(MPrueba::vivas, 1) << "expected the copy's matter primitive alone";
  EXPECT_EQ(APrueba::vivas, 1) << "expected the copy's shape alone";
  EXPECT_EQ(copia->primitivaMateria->Nivel(), 7);
  const APrueba* forma = static_cast<const APrueba*>(copia->primitivaApariencia);
  EXPECT_FALSE(forma->conMateria);
}

TEST_F(Seres, ACopyTakesItsMatterFromItsShapeWhenTheShapeBringsOne) {
  Identidad* modelo = new Identidad(mundo);
  modelo->primitivaMateria = new MPrueba;
  modelo->primitivaApariencia = new APEsfera;
  Identidad* copia = new Identidad(modelo, Vector(0, 0, 0));
  EXPECT_NE(dynamic_cast<MPEsfera*>(copia->primitivaMateria), nullptr)
      << "expected the MPEsfera of the copy's own APEsfera";
  EXPECT_NE(dynamic_cast<APEsfera*>(copia->primitivaApariencia), nullptr);
  EXPECT_NE(copia->primitivaApariencia, modelo->primitivaApariencia);
  EXPECT_EQ(MPrueba::vivas, 1) << "the duplicate of the model's matter was not deleted";
}

TEST_F(Seres, ACopyOfASphereHasItsOwnSphereShapeAndMatter) {
  Identidad* modelo = new Identidad(mundo);
  modelo->FijarPrimitiva(new APEsfera);
  Identidad* copia = new Identidad(modelo, Vector(0, 2, 0));
  ASSERT_NE(dynamic_cast<APEsfera*>(copia->primitivaApariencia), nullptr);
  ASSERT_NE(dynamic_cast<MPEsfera*>(copia->primitivaMateria), nullptr);
  EXPECT_NE(copia->primitivaApariencia, modelo->primitivaApariencia);
  EXPECT_NE(copia->primitivaMateria, modelo->primitivaMateria);
}

TEST_F(Seres, InstallingAShapeReplacesTheMatterOnlyWhenTheShapeBringsOne) {
  Identidad* ser = new Identidad(mundo);
  ser->FijarPrimitiva(new APrueba(true));
  MPrimitiva* primera = ser->primitivaMateria;
  ASSERT_NE(primera, nullptr) << "a shape that brings matter gave none";

  ser->FijarPrimitiva(new APrueba(true));
  EXPECT_NE(ser->primitivaMateria, primera);
  EXPECT_EQ(APrueba::vivas, 1) << "the earlier shape was not deleted";
  EXPECT_EQ(MPrueba::vivas, 1) << "the earlier matter was not deleted";

  MPrimitiva* materia = ser->primitivaMateria;
  ser->FijarPrimitiva(new APrueba(false));
  EXPECT_EQ(ser->primitivaMateria, materia) << "a shape without matter replaced the matter";
  EXPECT_EQ(APrueba::vivas, 1);

  ser->FijarPrimitiva(nullptr);
  EXPECT_EQ(ser->primitivaApariencia, nullptr);
  EXPECT_EQ(ser->primitivaMateria, materia) << "removing the shape removed the matter";
  EXPECT_EQ(APrueba::vivas, 0) << "the removed shape was not deleted";
}

TEST_F(Seres, ASphereGivesAShapelessBeingSphereMatter) {
  Identidad* ser = new Identidad(mundo);
  ser->FijarPrimitiva(new APEsfera);
  EXPECT_NE(dynamic_cast<MPEsfera*>(ser->primitivaMateria), nullptr);
}

TEST_F(Seres, DestroyingABeingTakesItOutAndReleasesItsMessagesAndPrimitives) {
  SerDePrueba* a = new SerDePrueba(mundo, "A");
  SerDePrueba* b = new SerDePrueba(mundo, "B");
  SerDePrueba* c = new SerDePrueba(mundo, "C");
  b->FijarPrimitiva(new APrueba(true));
  Frase* frase = new Frase(13, false);
  b->Recibir(frase);
  EXPECT_EQ(frase->referencias, 2) << "Recibir must take a reference of its own";
  ASSERT_EQ(b->buzon.cantidad, 1u);
  EXPECT_EQ(b->buzon.elementos[0], frase);

  delete b;
  EXPECT_EQ(Contenido(mundo), (std::vector<Materia*>{a, c}));
  EXPECT_EQ(frase->referencias, 1) << "the inbox kept its reference";
  EXPECT_EQ(APrueba::vivas, 0);
  EXPECT_EQ(MPrueba::vivas, 0);
  frase->Liberar();
}

TEST_F(Seres, TheFocusGoesToTheLastBeingThatTookIt) {
  Identidad* a = new Identidad(mundo);
  Identidad* b = new Identidad(mundo);
  a->TomarFoco();
  EXPECT_EQ(mundo->foco, a);
  b->TomarFoco();
  EXPECT_EQ(mundo->foco, b);
}

TEST_F(Seres, ADestroyedFocusOrCameraIsForgottenByItsWorld) {
  BigBang* bigbang = new BigBang(mundo);
  Observador* camara = new Observador(bigbang);
  Identidad* otro = new Identidad(mundo);
  Identidad* foco = new Identidad(mundo);
  foco->TomarFoco();

  delete otro;
  EXPECT_EQ(mundo->foco, foco) << "another being's end took the focus";
  EXPECT_EQ(mundo->observador, camara) << "another being's end took the camera";
  delete foco;
  EXPECT_EQ(mundo->foco, nullptr);
  delete camara;
  EXPECT_EQ(mundo->observador, nullptr);

  const int32_t objetosAntes = ClaseDinamica::instancias;
  mundo->Tecla(65, true);
  mundo->Fotograma();
  EXPECT_EQ(ClaseDinamica::instancias, objetosAntes);
}

TEST_F(Seres, TheTemplateBeingSetsTheBackgroundAndPassesItsColourOn) {
  BigBang bigbang(mundo);
  const double blanco[4] = {1.0, 1.0, 1.0, 0.0};
  const double rojo[4] = {0.8, 0.0, 0.0, 0.0};
  bigbang.FijarFondo(blanco);
  bigbang.FijarColor(rojo);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(mundo->colorFondo[i], blanco[i]) << "component " << i;
  Identidad* copia = new Identidad(&bigbang, Vector(0, 0, 0));
  Identidad* nieto = new Identidad(copia, Vector(1, 0, 0));
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(copia->color[i], rojo[i]) << "component " << i;
    EXPECT_EQ(nieto->color[i], rojo[i]) << "component " << i;
  }
}

}  // namespace
