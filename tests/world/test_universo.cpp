// The world's frame cycle (living pass, deletion of the dead, motion,
// contact tests, drawing order), key routing, the lighting shared by worlds,
// the world's own end, and its creation for the application.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/Dios.h"
#include "base/ClaseDinamica.h"
#include "base/Frase.h"
#include "tests/world/MundoDePrueba.h"
#include "world/Iluminacion.h"

namespace {

using Universos = PruebaDeMundo;
using Lista = std::vector<std::string>;

std::vector<Materia*> Contenido(const Universo* mundo) {
  return std::vector<Materia*>(mundo->contenido.elementos,
                               mundo->contenido.elementos + mundo->contenido.cantidad);
}

TEST_F(Universos, ABeingBornDuringTheLivingPassLivesMovesAndIsDrawnInThatFrame) {
  SerDePrueba* madre = new SerDePrueba(mundo, "madre");
  madre->FijarPrimitiva(new APrueba(false));
  SerDePrueba* hija = nullptr;
  madre->alVivir = [&] {
    if (hija != nullptr) return;
    hija = new SerDePrueba(madre, Vector(5, 0, 0), "hija");
    hija->velocidad = Vector(1, 0, 0);
  };
  SerDePrueba* ultima = new SerDePrueba(mundo, "ultima");
  mundo->Fotograma();
  ASSERT_NE(hija, nullptr);
  EXPECT_EQ(sucesos, (Lista{"vive madre", "vive ultima", "vive hija", "dibuja madre",
                            "dibuja ultima", "dibuja hija"}));
  ASSERT_EQ(hija->xAlDibujar.size(), 1u);
  EXPECT_EQ(hija->xAlDibujar[0], 6.0) << "the newborn was not moved before its drawing";
  EXPECT_EQ(APrueba::dibujos, 2) << "expected the mother's and the daughter's shapes drawn";
  EXPECT_EQ(Contenido(mundo), (std::vector<Materia*>{madre, ultima, hija}));
}

TEST_F(Universos, AdjacentBeingsKilledDuringTheLivingPassGoTogetherBeforeDrawing) {
  SerDePrueba* a = new SerDePrueba(mundo, "A");
  SerDePrueba* b = new SerDePrueba(mundo, "B");
  SerDePrueba* c = new SerDePrueba(mundo, "C");
  SerDePrueba* d = new SerDePrueba(mundo, "D");
  SerDePrueba* e = new SerDePrueba(mundo, "E");
  a->alVivir = [&] {
    b->muerto = true;
    c->muerto = true;
  };
  mundo->Fotograma();
  EXPECT_EQ(sucesos, (Lista{"vive A", "vive B", "vive C", "vive D", "vive E", "fin B", "fin C",
                            "dibuja A", "dibuja D", "dibuja E"}));
  EXPECT_EQ(Contenido(mundo), (std::vector<Materia*>{a, d, e}));

  sucesos.clear();
  a->alVivir = nullptr;
  e->muerto = true;
  a->muerto = true;
  mundo->Fotograma();
  EXPECT_EQ(sucesos, (Lista{"vive A", "vive D", "vive E", "fin A", "fin E", "dibuja D"}));
  EXPECT_EQ(Contenido(mundo), (std::vector<Materia*>{d}));
}

TEST_F(Universos, EveryBeingMovesByItsVelocityOncePerFrame) {
  Identidad* uno = new Identidad(mundo);
  uno->posicion = Vector(0.5, 0, 0);
  uno->velocidad = Vector(1, 0, 0);
  Identidad* otro = new Identidad(mundo);
  otro->velocidad = Vector(0.25, -0.5, 2);
  for (int i = 0; i < 3; ++i) mundo->Fotograma();
  EXPECT_EQ(uno->posicion.x, 3.5);
  EXPECT_EQ(uno->posicion.y, 0.0);
  EXPECT_EQ(uno->posicion.z, 0.0);
  EXPECT_EQ(otro->posicion.x, 0.75);
  EXPECT_EQ(otro->posicion.y, -1.5);
  EXPECT_EQ(otro->posicion.z, 6.0);
}

TEST_F(Universos, SolidPairsAreTestedInOrderByTheEarlierBeingAndBothAreTold) {
  SerDePrueba* a = new SerDePrueba(mundo, "A");
  SerDePrueba* b = new SerDePrueba(mundo, "B");
  SerDePrueba* c = new SerDePrueba(mundo, "C");
  for (SerDePrueba* ser : {a, b, c}) {
    ser->solidez = 1.0;
    ser->primitivaMateria = new MPrueba;
  }
  a->posicion = Vector(1, 2, 3);
  a->escala = Vector(2, 4, 8);
  b->posicion = Vector(5, 6, 7);
  b->escala = Vector(1, 2, 4);
  c->posicion = Vector(-3, 2, 0);
  c->velocidad = Vector(1, 0, 0);
  mundo->Fotograma();

  ASSERT_EQ(MPrueba::preguntas.size(), 3u);
  const MPrueba::Pregunta& ab = MPrueba::preguntas[0];
  const MPrueba::Pregunta& ac = MPrueba::preguntas[1];
  const MPrueba::Pregunta& bc = MPrueba::preguntas[2];
  EXPECT_EQ(ab.propia, a->primitivaMateria);
  EXPECT_EQ(ab.otra, b->primitivaMateria);
  EXPECT_EQ(ac.propia, a->primitivaMateria);
  EXPECT_EQ(ac.otra, c->primitivaMateria);
  EXPECT_EQ(bc.propia, b->primitivaMateria);
  EXPECT_EQ(bc.otra, c->primitivaMateria);
  // (b - a) / a's scale, and b's scale / a's scale.
  EXPECT_TRUE(ab.posicionRelativa == Vector(2, 1, 0.5));
  EXPECT_TRUE(ab.escalaRelativa == Vector(0.5, 0.5, 0.5));
  // c has moved to (-2, 2, 0) before the tests.
  EXPECT_TRUE(ac.posicionRelativa == Vector(-1.5, 0, -0.375));
  EXPECT_TRUE(ac.escalaRelativa == Vector(0.5, 0.25, 0.125));
  EXPECT_TRUE(bc.posicionRelativa == Vector(-7, -2, -1.75));
  EXPECT_TRUE(bc.escalaRelativa == Vector(1, 0.5, 0.25));

  const Lista esperados = {"choque A B", "choque B A", "choque A C",
                           "choque C A", "choque B C", "choque C B"};
  Lista choques;
  for (const std::string& suceso : sucesos) {
    if (suceso.rfind("choque", 0) == 0) choques.push_back(suceso);
  }
  EXPECT_EQ(choques, esperados);
}

TEST_F(Universos, OnlySolidBeingsWithMatterAreTestedAndOnlyATouchIsTold) {
  SerDePrueba* solido = new SerDePrueba(mundo, "solido");
  solido->solidez = 0.5;
  solido->primitivaMateria = new MPrueba(false);
  SerDePrueba* blando = new SerDePrueba(mundo, "blando");
  blando->primitivaMateria = new MPrueba(true);
  SerDePrueba* inmaterial = new SerDePrueba(mundo, "inmaterial");
  inmaterial->solidez = 1.0;
  SerDePrueba* raro = new SerDePrueba(mundo, "raro");
  raro->solidez = NAN;
  raro->primitivaMateria = new MPrueba(false);
  mundo->Fotograma();
  ASSERT_EQ(MPrueba::preguntas.size(), 1u) << "expected only the pair (solido, raro)";
  EXPECT_EQ(MPrueba::preguntas[0].propia, solido->primitivaMateria);
  EXPECT_EQ(MPrueba::preguntas[0].otra, raro->primitivaMateria);
  for (const std::string& suceso : sucesos) {
    EXPECT_NE(suceso.rfind("choque", 0), 0u) << "told of a contact that was denied: " << suceso;
  }
}

TEST_F(Universos, AKeyWithoutAFocusCreatesNothing) {
  new Identidad(mundo);
  const int32_t objetosAntes = ClaseDinamica::instancias;
  mundo->Tecla(65, true);
  mundo->Tecla(65, false);
  EXPECT_EQ(ClaseDinamica::instancias, objetosAntes);
}

TEST_F(Universos, AKeyLeavesAPhraseHeldOnlyByTheFocusInbox) {
  Identidad* otro = new Identidad(mundo);
  Identidad* foco = new Identidad(mundo);
  foco->TomarFoco();
  mundo->Tecla(65, true);
  mundo->Tecla(38, false);
  ASSERT_EQ(foco->buzon.cantidad, 2u);
  const Frase* pulsada = foco->buzon.elementos[0];
  const Frase* soltada = foco->buzon.elementos[1];
  EXPECT_EQ(pulsada->tipo, 0);
  EXPECT_EQ(pulsada->codigo, 65);
  EXPECT_EQ(pulsada->soltada, 0);
  EXPECT_EQ(pulsada->referencias, 1);
  EXPECT_EQ(soltada->codigo, 38);
  EXPECT_EQ(soltada->soltada, 1);
  EXPECT_EQ(soltada->referencias, 1);
  EXPECT_EQ(otro->buzon.cantidad, 0u);
}

TEST_F(Universos, TheLightIsSetUpByTheFirstWorldAndSwitchedOffWithTheLast) {
  EXPECT_EQ(Iluminacion::usuarios, 1);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
  GLfloat luz[4];
  glGetLightfv(GL_LIGHT0, GL_POSITION, luz);
  EXPECT_EQ(luz[0], 1.0f);
  EXPECT_EQ(luz[1], 1.0f);
  EXPECT_EQ(luz[2], -3.0f);
  EXPECT_EQ(luz[3], 0.0f);
  GLfloat especular[4];
  glGetMaterialfv(GL_FRONT, GL_SPECULAR, especular);
  for (GLfloat componente : especular) EXPECT_EQ(componente, 0.1f);
  GLfloat brillo = 0.0f;
  glGetMaterialfv(GL_FRONT, GL_SHININESS, &brillo);
  EXPECT_EQ(brillo, 50.0f);

  // With lighting turned off by hand, only a repeated set-up would turn it on.
  glDisable(GL_LIGHTING);
  Universo* segundo = new Universo;
  EXPECT_EQ(Iluminacion::usuarios, 2);
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING)) << "the second world set the lighting up again";
  glEnable(GL_LIGHTING);
  delete mundo;
  mundo = nullptr;
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING)) << "lighting went off while a world lives";
  delete segundo;
  EXPECT_EQ(Iluminacion::usuarios, 0);
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(glIsEnabled(GL_LIGHT0)) << "GL_LIGHT0 must stay enabled";
}

TEST_F(Universos, EndingTheWorldEndsItsBeingsInOrderAndLeavesNoObjectBehind) {
  const int32_t objetosAntes = ClaseDinamica::instancias;
  Universo* otro = new Universo;
  SerDePrueba* a = new SerDePrueba(otro, "A");
  new SerDePrueba(a, Vector(1, 0, 0), "B");
  SerDePrueba* c = new SerDePrueba(otro, "C");
  c->FijarPrimitiva(new APrueba(true));
  c->TomarFoco();
  otro->Tecla(2, true);
  delete otro;
  EXPECT_EQ(sucesos, (Lista{"fin A", "fin B", "fin C"}));
  EXPECT_EQ(ClaseDinamica::instancias, objetosAntes) << "a world, inbox or phrase outlived it";
  EXPECT_EQ(APrueba::vivas, 0);
  EXPECT_EQ(MPrueba::vivas, 0);
}

class DiosDePrueba : public Dios {
 public:
  void Crear() override {}
};

TEST_F(Universos, CrearUniversoHandsAnEmptyWorldToTheApplication) {
  DiosDePrueba dios;
  Universo* anterior = mundo;
  dios.universo = anterior;
  Universo* nuevo = CrearUniverso();
  ASSERT_NE(nuevo, nullptr);
  EXPECT_EQ(dios.universo, nuevo);
  EXPECT_NE(nuevo, anterior);
  EXPECT_EQ(nuevo->contenido.cantidad, 0u);
  for (double componente : nuevo->colorFondo) EXPECT_EQ(componente, 0.0);
  EXPECT_EQ(nuevo->observador, nullptr);
  EXPECT_EQ(nuevo->foco, nullptr);
  EXPECT_NE(nuevo->iluminacion, nullptr);
  EXPECT_EQ(Iluminacion::usuarios, 2);
  delete nuevo;
}

}  // namespace
