// Collections: order after removals, exact-size storage, search equality,
// dispatch through the virtual table, and the references held by
// TColeccionClaseDinamica.
#include <gtest/gtest.h>
#include <malloc.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/ClaseDinamica.h"
#include "base/Frase.h"
#include "base/TColeccion.h"
#include "base/TColeccionClaseDinamica.h"
#include "base/Vector.h"
#include "tests/base/FlujoDePrueba.h"

// Every instantiation the engine uses compiles in full, also over a pointee
// that is only declared (as the world's beings are to some of their users).
class SerDeclarado;
template class TColeccion<int>;
template class TColeccion<Vector>;
template class TColeccion<SerDeclarado*>;
template class TColeccion<Frase*>;
template class TColeccionClaseDinamica<Frase>;

namespace {

using Registro = std::vector<std::string>;

std::vector<int> Contenido(const TColeccion<int>& coleccion) {
  return std::vector<int>(coleccion.elementos, coleccion.elementos + coleccion.cantidad);
}

// Records each size asked of Redimensionar.
class NumerosEspia : public TColeccion<int> {
 public:
  std::vector<uint32_t> pedidos;
  void Redimensionar(uint32_t n) override {
    pedidos.push_back(n);
    TColeccion<int>::Redimensionar(n);
  }
};

// Counts the calls of CrearElemento.
class FrasesContadas : public TColeccionClaseDinamica<Frase> {
 public:
  int creadas = 0;
  Frase* CrearElemento() override {
    ++creadas;
    return nullptr;
  }
};

// A reference-counted value that stores and loads itself as one count and,
// when given a list, notes its number there on destruction.
class Ficha : public ClaseDinamica {
 public:
  explicit Ficha(uint32_t valor, std::vector<uint32_t>* destruidas = nullptr)
      : valor(valor), destruidas_(destruidas) {}
  ~Ficha() override {
    if (destruidas_ != nullptr) {
      destruidas_->push_back(valor);
    }
  }
  void Persistir(Flujo* flujo) override {
    if (flujo->Cargando()) {
      flujo->LeerCantidad(&valor);
    } else {
      flujo->EscribirCantidad(valor);
    }
  }
  uint32_t valor;

 private:
  std::vector<uint32_t>* destruidas_;
};

// A collection that can load: each slot Redimensionar adds gets a new Ficha.
class Fichas : public TColeccionClaseDinamica<Ficha> {
 public:
  Ficha* CrearElemento() override { return new Ficha(0); }
};

// --- Plain collections ---------------------------------------------------

TEST(ColeccionOrder, RemovalsKeepTheOthersInOrder) {
  TColeccion<int> numeros;
  numeros.Agregar(7);
  numeros.Agregar(8);
  numeros.Agregar(9);
  numeros.EliminarEn(0);
  EXPECT_EQ(Contenido(numeros), (std::vector<int>{8, 9}));
  numeros.Eliminar(9);
  EXPECT_EQ(Contenido(numeros), (std::vector<int>{8}));
  numeros.Eliminar(5);
  EXPECT_EQ(Contenido(numeros), (std::vector<int>{8})) << "removing an absent value changed it";

  TColeccion<int> centro;
  for (const int valor : {1, 2, 3, 4}) {
    centro.Agregar(valor);
  }
  centro.EliminarEn(1);
  EXPECT_EQ(Contenido(centro), (std::vector<int>{1, 3, 4}));
  centro.EliminarEn(2);
  EXPECT_EQ(Contenido(centro), (std::vector<int>{1, 3}));
}

TEST(ColeccionSearch, FindsTheFirstMatchAndRemovesOnlyIt) {
  TColeccion<int> numeros;
  for (const int valor : {4, 5, 4}) {
    numeros.Agregar(valor);
  }
  uint32_t indice = 99;
  EXPECT_TRUE(numeros.Buscar(4, &indice));
  EXPECT_EQ(indice, 0u);
  EXPECT_TRUE(numeros.Buscar(5, nullptr)) << "a null index pointer must still find";
  EXPECT_FALSE(numeros.Buscar(6, nullptr));

  indice = 99;
  EXPECT_FALSE(numeros.Buscar(6, &indice));
  EXPECT_EQ(indice, 99u) << "a failed search wrote the index";

  numeros.Eliminar(4);
  EXPECT_EQ(Contenido(numeros), (std::vector<int>{5, 4}));

  TColeccion<int> vacia;
  EXPECT_FALSE(vacia.Buscar(0, &indice));
}

TEST(ColeccionSearch, VectorsMatchOnlyWhenAllThreeComponentsAreEqual) {
  TColeccion<Vector> puntos;
  puntos.Agregar(Vector(0, 0, 0));
  puntos.Agregar(Vector(1, 2, 3));
  puntos.Agregar(Vector(1, 2, NAN));

  uint32_t indice = 99;
  EXPECT_TRUE(puntos.Buscar(Vector(1, 2, 3), &indice));
  EXPECT_EQ(indice, 1u);
  EXPECT_FALSE(puntos.Buscar(Vector(1, 2, 3.0000001), nullptr));
  EXPECT_FALSE(puntos.Buscar(Vector(1, 2.0000001, 3), nullptr));
  EXPECT_FALSE(puntos.Buscar(Vector(0.0000001, 0, 0), nullptr));
  EXPECT_FALSE(puntos.Buscar(Vector(1, 2, NAN), nullptr)) << "a NaN component matched";
  EXPECT_TRUE(puntos.Buscar(Vector(-0.0, 0, 0), &indice)) << "-0.0 equals 0.0 as a double";
  EXPECT_EQ(indice, 0u);
}

TEST(ColeccionStorage, BlockIsNullExactlyWhenEmpty) {
  TColeccion<int> numeros;
  auto comprobar = [&numeros](const char* tras) {
    EXPECT_EQ(numeros.elementos == nullptr, numeros.cantidad == 0)
        << "after " << tras << ": cantidad " << numeros.cantidad << ", elementos "
        << static_cast<const void*>(numeros.elementos);
  };
  comprobar("construction");
  EXPECT_EQ(numeros.cantidad, 0u);
  numeros.Vaciar();
  comprobar("Vaciar on an empty collection");
  numeros.Agregar(1);
  comprobar("Agregar");
  numeros.EliminarEn(0);
  comprobar("EliminarEn of the only element");
  numeros.Agregar(1);
  numeros.Agregar(2);
  numeros.Redimensionar(0);
  comprobar("Redimensionar(0)");
  numeros.Redimensionar(3);
  comprobar("Redimensionar(3)");
  EXPECT_EQ(numeros.cantidad, 3u);
  numeros.Vaciar();
  comprobar("Vaciar");

  TColeccionClaseDinamica<Frase> frases;
  frases.AgregarObjeto(new Frase(1, true), false);
  EXPECT_NE(frases.elementos, nullptr);
  frases.EliminarEn(0);
  EXPECT_EQ(frases.elementos, nullptr) << "the phrase collection kept a block when empty";
}

// The size the allocator gave a block, at least what was asked for.
std::size_t Usable(const void* bloque) {
#ifdef _WIN32
  return _msize(const_cast<void*>(bloque));
#else
  return malloc_usable_size(const_cast<void*>(bloque));
#endif
}

TEST(ColeccionStorage, BlockIsSizedToTheElementsAfterEveryChange) {
  // What the allocator may add to a request: its rounding and a split-off
  // remainder too small to free. A block with spare elements exceeds it.
  constexpr std::size_t kHolgura = 64;
  auto comprobar = [](const void* bloque, std::size_t pedido, const char* tras, uint32_t cantidad) {
    const std::size_t usable = Usable(bloque);
    EXPECT_GE(usable, pedido) << "after " << tras << " to " << cantidad;
    EXPECT_LE(usable, pedido + kHolgura) << "after " << tras << " to " << cantidad << ": block of "
                                         << usable << " bytes for " << pedido;
  };

  TColeccion<int> numeros;
  TColeccionClaseDinamica<Frase> frases;
  for (int i = 0; i < 100; ++i) {
    numeros.Agregar(i);
    comprobar(numeros.elementos, numeros.cantidad * sizeof(int), "Agregar", numeros.cantidad);
    frases.AgregarObjeto(new Frase(i, true), false);
    comprobar(frases.elementos, frases.cantidad * sizeof(Frase*), "AgregarObjeto", frases.cantidad);
  }
  while (numeros.cantidad > 1) {
    numeros.EliminarEn(0);
    comprobar(numeros.elementos, numeros.cantidad * sizeof(int), "EliminarEn", numeros.cantidad);
  }
  EXPECT_EQ(Contenido(numeros), (std::vector<int>{99}));
}

TEST(ColeccionStorage, RedimensionarKeepsTheElementsBelowTheSmallerCount) {
  TColeccion<int> numeros;
  for (const int valor : {1, 2, 3}) {
    numeros.Agregar(valor);
  }
  numeros.Redimensionar(5);
  ASSERT_EQ(numeros.cantidad, 5u);
  numeros.elementos[3] = 4;
  numeros.elementos[4] = 5;
  EXPECT_EQ(Contenido(numeros), (std::vector<int>{1, 2, 3, 4, 5}));
  numeros.Redimensionar(2);
  EXPECT_EQ(Contenido(numeros), (std::vector<int>{1, 2}));
}

TEST(ColeccionDispatch, EverySizeChangeGoesThroughRedimensionar) {
  NumerosEspia numeros;
  numeros.Agregar(7);
  numeros.Agregar(8);
  numeros.Agregar(9);
  numeros.EliminarEn(1);
  numeros.Eliminar(9);
  numeros.Vaciar();
  EXPECT_EQ(numeros.pedidos, (std::vector<uint32_t>{1, 2, 3, 2, 1, 0}));
}

TEST(ColeccionPointers, RemovingAPointerNeverReleasesOrDeletesItsTarget) {
  const int32_t antes = ClaseDinamica::instancias;
  Frase* frase = new Frase(1, true);
  {
    TColeccion<Frase*> punteros;
    punteros.Agregar(frase);
    punteros.Agregar(frase);
    punteros.Eliminar(frase);
    punteros.EliminarEn(0);
    punteros.Agregar(frase);
    punteros.Vaciar();
    punteros.Agregar(frase);
    EXPECT_EQ(frase->referencias, 1);
  }
  EXPECT_EQ(frase->referencias, 1) << "destroying a plain pointer collection touched its target";
  EXPECT_EQ(ClaseDinamica::instancias, antes + 1);
  frase->Liberar();
  EXPECT_EQ(ClaseDinamica::instancias, antes);
}

// --- Collections of reference-counted objects ----------------------------

TEST(PhraseCollection, AgregarObjetoWithReferenceKeepsThePhraseUntilVaciar) {
  const int32_t antes = ClaseDinamica::instancias;
  TColeccionClaseDinamica<Frase> buzon;
  Frase* frase = new Frase(65, true);
  buzon.AgregarObjeto(frase, true);
  EXPECT_EQ(frase->referencias, 2);
  EXPECT_EQ(frase->Liberar(), 1) << "the inbox did not take its own reference";
  EXPECT_EQ(buzon.Obtener(0), frase);
  EXPECT_EQ(ClaseDinamica::instancias, antes + 2);
  buzon.Vaciar();
  EXPECT_EQ(ClaseDinamica::instancias, antes + 1) << "Vaciar did not destroy the phrase";
}

TEST(PhraseCollection, AgregarObjetoWithoutReferenceAndAgregarTakeOverTheCallersOne) {
  const int32_t antes = ClaseDinamica::instancias;
  {
    TColeccionClaseDinamica<Frase> buzon;
    Frase* primera = new Frase(1, true);
    Frase* segunda = new Frase(2, false);
    buzon.AgregarObjeto(primera, false);
    buzon.Agregar(segunda);
    EXPECT_EQ(primera->referencias, 1);
    EXPECT_EQ(segunda->referencias, 1);
    EXPECT_EQ(buzon.Obtener(1), segunda);
    EXPECT_EQ(ClaseDinamica::instancias, antes + 3);
  }
  EXPECT_EQ(ClaseDinamica::instancias, antes) << "destroying the collection left phrases alive";
}

TEST(PhraseCollection, AgregarFillsTheNewSlotThroughCrearElementoAndAgregarObjetoDoesNot) {
  FrasesContadas frases;
  frases.AgregarObjeto(new Frase(1, true), false);
  EXPECT_EQ(frases.creadas, 0) << "AgregarObjeto called CrearElemento";
  Frase* agregada = new Frase(2, true);
  frases.Agregar(agregada);
  EXPECT_EQ(frases.creadas, 1) << "Agregar did not go through the overriding Redimensionar";
  EXPECT_EQ(frases.Obtener(1), agregada);
}

TEST(PhraseCollection, RemovalsReleaseOnlyTheRemovedElement) {
  const int32_t antes = ClaseDinamica::instancias;
  Frase* a = new Frase(1, true);
  Frase* b = new Frase(2, true);
  Frase* c = new Frase(3, true);
  {
    TColeccionClaseDinamica<Frase> frases;
    for (Frase* frase : {a, b, c}) {
      frases.AgregarObjeto(frase, true);
    }
    frases.EliminarEn(1);
    EXPECT_EQ(b->referencias, 1) << "EliminarEn(1) did not release the element it removed";
    EXPECT_EQ(a->referencias, 2);
    EXPECT_EQ(c->referencias, 2);
    ASSERT_EQ(frases.cantidad, 2u);
    EXPECT_EQ(frases.Obtener(0), a);
    EXPECT_EQ(frases.Obtener(1), c);

    frases.Eliminar(a);
    EXPECT_EQ(a->referencias, 1);
    EXPECT_EQ(c->referencias, 2);
    ASSERT_EQ(frases.cantidad, 1u);
    EXPECT_EQ(frases.Obtener(0), c);
  }
  EXPECT_EQ(c->referencias, 1);
  for (Frase* frase : {a, b, c}) {
    EXPECT_EQ(frase->Liberar(), 0);
  }
  EXPECT_EQ(ClaseDinamica::instancias, antes);
}

TEST(PhraseCollection, ShrinkingReleasesFromTheLastDownAndDestructionReleasesTheRest) {
  std::vector<uint32_t> destruidas;
  {
    TColeccionClaseDinamica<Ficha> fichas;
    for (uint32_t valor = 1; valor <= 4; ++valor) {
      fichas.AgregarObjeto(new Ficha(valor, &destruidas), false);
    }
    fichas.Redimensionar(2);
    EXPECT_EQ(destruidas, (std::vector<uint32_t>{4, 3}));
  }
  EXPECT_EQ(destruidas, (std::vector<uint32_t>{4, 3, 2, 1}));
}

TEST(PhraseCollection, GrowingFillsNullsAndShrinkingSkipsThem) {
  const int32_t antes = ClaseDinamica::instancias;
  TColeccionClaseDinamica<Frase> frases;
  Frase* frase = new Frase(1, true);
  frases.AgregarObjeto(frase, false);
  frases.Redimensionar(4);
  ASSERT_EQ(frases.cantidad, 4u);
  EXPECT_EQ(frases.Obtener(0), frase);
  for (uint32_t i = 1; i < 4; ++i) {
    EXPECT_EQ(frases.Obtener(i), nullptr) << "slot " << i;
  }
  frases.Redimensionar(1);
  EXPECT_EQ(frase->referencias, 1);
  EXPECT_EQ(ClaseDinamica::instancias, antes + 2);
  frases.Redimensionar(0);
  EXPECT_EQ(frases.elementos, nullptr);
  EXPECT_EQ(ClaseDinamica::instancias, antes + 1);
}

TEST(PhraseCollectionVolcar, WritesEachElementAndATabThenANewline) {
  TColeccionClaseDinamica<Frase> frases;
  FlujoDePrueba vacio;
  frases.Volcar(&vacio);
  EXPECT_EQ(vacio.registro, (Registro{"texto \n"}));

  frases.AgregarObjeto(new Frase(1, true), false);
  frases.AgregarObjeto(new Frase(2, false), false);
  FlujoDePrueba flujo;
  frases.Volcar(&flujo);
  EXPECT_EQ(flujo.registro, (Registro{"texto Refs:", "entero 1", "texto \t",
                                      "texto Refs:", "entero 1", "texto \t", "texto \n"}));
}

TEST(PhraseCollectionPersistir, StoringWritesTheCountThenEachElement) {
  TColeccionClaseDinamica<Frase> frases;
  frases.AgregarObjeto(new Frase(1, true), false);
  frases.AgregarObjeto(new Frase(2, true), false);
  FlujoDePrueba flujo;
  frases.Persistir(&flujo);
  EXPECT_EQ(flujo.registro,
            (Registro{"cantidad 2", "texto No implementado", "texto No implementado"}));
}

TEST(PhraseCollectionPersistir, LoadingReplacesTheElementsWithTheCountReadInNullSlots) {
  const int32_t antes = ClaseDinamica::instancias;
  TColeccionClaseDinamica<Frase> frases;
  frases.AgregarObjeto(new Frase(1, true), false);
  FlujoDePrueba flujo(true);
  flujo.porLeer = {3};
  frases.Persistir(&flujo);
  EXPECT_EQ(flujo.registro, (Registro{"leer"}));
  EXPECT_EQ(ClaseDinamica::instancias, antes + 1) << "the old phrase was not released";
  ASSERT_EQ(frases.cantidad, 3u);
  for (uint32_t i = 0; i < 3; ++i) {
    EXPECT_EQ(frases.Obtener(i), nullptr) << "slot " << i;
  }
}

TEST(PhraseCollectionPersistir, StoredElementsLoadBackInOrder) {
  const int32_t antes = ClaseDinamica::instancias;
  {
    Fichas origen;
    origen.AgregarObjeto(new Ficha(5), false);
    origen.AgregarObjeto(new Ficha(6), false);
    FlujoDePrueba guardado;
    origen.Persistir(&guardado);
    EXPECT_EQ(guardado.registro, (Registro{"cantidad 2", "cantidad 5", "cantidad 6"}));

    Fichas destino;
    destino.AgregarObjeto(new Ficha(9), false);
    FlujoDePrueba carga(true);
    carga.porLeer = {2, 5, 6};
    destino.Persistir(&carga);
    EXPECT_TRUE(carga.porLeer.empty()) << carga.porLeer.size() << " counts left unread";
    ASSERT_EQ(destino.cantidad, 2u);
    EXPECT_EQ(destino.Obtener(0)->valor, 5u);
    EXPECT_EQ(destino.Obtener(1)->valor, 6u);
    EXPECT_EQ(destino.Obtener(0)->referencias, 1);
  }
  EXPECT_EQ(ClaseDinamica::instancias, antes);
}

}  // namespace
