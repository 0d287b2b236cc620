// A collection of reference-counted objects that holds one reference on every
// non-null element and releases it when the element leaves (removal, shrink,
// Vaciar or destruction).
//
// Slots may be null: Redimensionar fills the slots it adds with CrearElemento,
// which gives null unless a derived collection makes real objects. Null slots
// hold no reference, and Volcar and Persistir pass over them.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "base/ClaseDinamica.h"
#include "base/Flujo.h"
#include "base/Memoria.h"
#include "base/TColeccion.h"

template <typename T>
class TColeccionClaseDinamica : public TColeccion<T*> {
  static_assert(std::is_base_of<ClaseDinamica, T>::value,
                "TColeccionClaseDinamica holds reference-counted objects");

 public:
  // Releases every element, last first, then frees the block.
  ~TColeccionClaseDinamica() override { TColeccionClaseDinamica::Redimensionar(0); }

  // For each element in order, its own report and a tab; then a newline.
  void Volcar(Flujo* flujo) override {
    for (uint32_t i = 0; i < this->cantidad; ++i) {
      if (this->elementos[i] != nullptr) {
        this->elementos[i]->Volcar(flujo);
      }
      flujo->EscribirTexto("\t");
    }
    flujo->EscribirTexto("\n");
  }

  // Storing writes the count, then each element stores itself in order.
  // Loading reads the count, empties the collection, grows it to that count
  // with CrearElemento, and lets each new element load itself.
  void Persistir(Flujo* flujo) override {
    if (flujo->Cargando()) {
      uint32_t n = 0;
      flujo->LeerCantidad(&n);
      this->Vaciar();
      this->Redimensionar(n);
      for (uint32_t i = 0; i < n; ++i) {
        if (this->elementos[i] != nullptr) {
          this->elementos[i]->Persistir(flujo);
        }
      }
    } else {
      flujo->EscribirCantidad(this->cantidad);
      for (uint32_t i = 0; i < this->cantidad; ++i) {
        if (this->elementos[i] != nullptr) {
          this->elementos[i]->Persistir(flujo);
        }
      }
    }
  }

  // Releases the elements past n, from the last down; resizes the block to
  // exactly n; fills each added slot with CrearElemento.
  void Redimensionar(uint32_t n) override {
    const uint32_t anterior = this->cantidad;
    for (uint32_t k = anterior; k > n; --k) {
      if (this->elementos[k - 1] != nullptr) {
        this->elementos[k - 1]->Liberar();
      }
    }
    this->elementos =
        static_cast<T**>(Reasignar(this->elementos, static_cast<std::size_t>(n) * sizeof(T*)));
    this->cantidad = n;
    for (uint32_t i = anterior; i < n; ++i) {
      this->elementos[i] = CrearElemento();
    }
  }

  // Appends objeto without calling Redimensionar (so without CrearElemento).
  // With referenciar true the collection takes a reference of its own;
  // otherwise it takes over the caller's.
  virtual void AgregarObjeto(T* objeto, bool referenciar) {
    const uint32_t n = this->cantidad + 1;
    this->elementos =
        static_cast<T**>(Reasignar(this->elementos, static_cast<std::size_t>(n) * sizeof(T*)));
    this->cantidad = n;
    this->elementos[n - 1] = objeto;
    if (referenciar && objeto != nullptr) {
      objeto->Referenciar();
    }
  }

  // The element at indice (below cantidad); the collection keeps its reference.
  virtual T* Obtener(uint32_t indice) {
    assert(indice < this->cantidad && "TColeccionClaseDinamica::Obtener index past the end");
    return this->elementos[indice];
  }

  // The object put into each slot that Redimensionar adds; null here. A
  // collection that loads through Persistir overrides it with new objects.
  virtual T* CrearElemento() { return nullptr; }
};
