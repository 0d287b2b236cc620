// Reference-counted objects: reference counts, the live-object count, the
// stream reports, and the key message Frase.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/ClaseDinamica.h"
#include "base/Frase.h"
#include "base/TColeccion.h"
#include "tests/base/FlujoDePrueba.h"

namespace {

using Registro = std::vector<std::string>;

// Sets *destruido when its own destructor runs.
class Testigo : public ClaseDinamica {
 public:
  explicit Testigo(bool* destruido) : destruido_(destruido) {}
  ~Testigo() override { *destruido_ = true; }

 private:
  bool* destruido_;
};

struct ConColeccion {
  TColeccion<int> numeros;
};

TEST(ClaseDinamicaReferences, NewObjectHasOneReferenceAndCountsAsLive) {
  const int32_t antes = ClaseDinamica::instancias;
  ClaseDinamica* objeto = new ClaseDinamica;
  EXPECT_EQ(objeto->referencias, 1);
  EXPECT_EQ(ClaseDinamica::instancias, antes + 1);
  delete objeto;
  EXPECT_EQ(ClaseDinamica::instancias, antes);
}

TEST(ClaseDinamicaReferences, LastLiberarDestroysAndEarlierOnesDoNot) {
  const int32_t antes = ClaseDinamica::instancias;
  ClaseDinamica* objeto = new ClaseDinamica;
  objeto->Referenciar();
  EXPECT_EQ(objeto->referencias, 2);
  EXPECT_EQ(objeto->Liberar(), 1);
  EXPECT_EQ(objeto->referencias, 1);
  EXPECT_EQ(ClaseDinamica::instancias, antes + 1) << "one Liberar of two destroyed the object";
  EXPECT_EQ(objeto->Liberar(), 0);
  EXPECT_EQ(ClaseDinamica::instancias, antes);
}

TEST(ClaseDinamicaReferences, LiberarRunsTheDerivedDestructor) {
  bool destruido = false;
  ClaseDinamica* objeto = new Testigo(&destruido);
  EXPECT_EQ(objeto->Liberar(), 0);
  EXPECT_TRUE(destruido) << "Liberar did not destroy through the virtual destructor";
}

TEST(ClaseDinamicaLiveCount, LocalsAndMembersCountOnlyWhileTheyExist) {
  const int32_t antes = ClaseDinamica::instancias;
  {
    TColeccion<int> local;
    local.Agregar(1);
    EXPECT_EQ(ClaseDinamica::instancias, antes + 1);
    ConColeccion dueno;
    EXPECT_EQ(ClaseDinamica::instancias, antes + 2) << "a member collection does not count";
  }
  EXPECT_EQ(ClaseDinamica::instancias, antes) << "locals left the live count changed";
}

TEST(ClaseDinamicaVolcar, WritesRefsThenTheCountToTheStreamTheTextReturns) {
  FlujoDePrueba flujo;
  ClaseDinamica objeto;
  objeto.Volcar(&flujo);
  EXPECT_EQ(flujo.registro, (Registro{"texto Refs:", "entero 1"}));

  FlujoDePrueba principal;
  FlujoDePrueba encadenado;
  principal.siguiente = &encadenado;
  objeto.Referenciar();
  objeto.Volcar(&principal);
  EXPECT_EQ(principal.registro, (Registro{"texto Refs:"}));
  EXPECT_EQ(encadenado.registro, (Registro{"entero 2"}))
      << "the count must go to the stream EscribirTexto returned";
}

TEST(ClaseDinamicaPersistir, BaseAndFraseWriteNotImplementedAndReadNothing) {
  ClaseDinamica objeto;
  Frase frase(65, true);
  for (const bool cargando : {false, true}) {
    SCOPED_TRACE(cargando ? "loading stream" : "storing stream");
    FlujoDePrueba flujo(cargando);
    flujo.porLeer = {7};
    objeto.Persistir(&flujo);
    frase.Persistir(&flujo);
    EXPECT_EQ(flujo.registro, (Registro{"texto No implementado", "texto No implementado"}));
    EXPECT_EQ(flujo.porLeer.size(), 1u) << "Persistir read from the stream";
  }
}

TEST(FraseKeyEvent, SetsKindCodeAndReleasedFlag) {
  const int32_t antes = ClaseDinamica::instancias;
  Frase* soltada = new Frase(0x41, false);
  Frase* pulsada = new Frase(0x1B, true);
  EXPECT_EQ(ClaseDinamica::instancias, antes + 2);

  EXPECT_EQ(soltada->tipo, 0);
  EXPECT_EQ(soltada->codigo, 0x41);
  EXPECT_EQ(soltada->soltada, 1) << "a released key";
  EXPECT_EQ(soltada->referencias, 1);

  EXPECT_EQ(pulsada->tipo, 0);
  EXPECT_EQ(pulsada->codigo, 0x1B);
  EXPECT_EQ(pulsada->soltada, 0) << "a pressed key";

  EXPECT_EQ(soltada->Liberar(), 0);
  EXPECT_EQ(pulsada->Liberar(), 0);
  EXPECT_EQ(ClaseDinamica::instancias, antes);
}

}  // namespace
