// The engine's one container: a growable array of plain values whose block
// always holds exactly cantidad elements, no spare room.
//
// Callers read cantidad and elementos[i] directly, for i below cantidad.
// Elements are plain bytes: no constructor or destructor runs for them, and
// slots that Redimensionar adds hold undefined values until written. Every
// size change goes through the virtual Redimensionar, so a derived collection
// sees each element that leaves. For pointer elements the collection owns only
// its block, never what the pointers point to.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "base/ClaseDinamica.h"
#include "base/Memoria.h"

template <typename T>
class TColeccion : public ClaseDinamica {
  static_assert(std::is_trivially_copyable<T>::value,
                "TColeccion moves its elements as plain bytes");

 public:
  // The elements; null exactly when cantidad is 0.
  T* elementos;
  // Number of elements, and of slots in the block.
  uint32_t cantidad;

  TColeccion() : elementos(nullptr), cantidad(0) {}

  // Frees the block without calling Redimensionar.
  ~TColeccion() override {
    Reasignar(elementos, 0);
    elementos = nullptr;
    cantidad = 0;
  }

  // Appends valor at the end, growing the block by one element.
  virtual void Agregar(T valor) {
    Redimensionar(cantidad + 1);
    elementos[cantidad - 1] = valor;
  }

  // Removes the element at indice (below cantidad); the ones after it move
  // down in order. The removed element is parked in the last slot, the one
  // Redimensionar then drops, so a derived collection can let go of it.
  virtual void EliminarEn(uint32_t indice) {
    assert(indice < cantidad && "TColeccion::EliminarEn index past the end");
    const T quitado = elementos[indice];
    for (uint32_t i = indice; i + 1 < cantidad; ++i) {
      elementos[i] = elementos[i + 1];
    }
    elementos[cantidad - 1] = quitado;
    Redimensionar(cantidad - 1);
  }

  // Removes the first element equal to valor, if any.
  virtual void Eliminar(T valor) {
    uint32_t indice;
    if (Buscar(valor, &indice)) {
      EliminarEn(indice);
    }
  }

  // Removes every element and frees the block.
  virtual void Vaciar() { Redimensionar(0); }

  // True when some element equals valor; then the index of the first one goes
  // to *indice unless indice is null. *indice is left alone when absent.
  virtual bool Buscar(T valor, uint32_t* indice) {
    for (uint32_t i = 0; i < cantidad; ++i) {
      if (elementos[i] == valor) {
        if (indice != nullptr) {
          *indice = i;
        }
        return true;
      }
    }
    return false;
  }

  // Makes the block hold exactly n elements, keeping those below the smaller
  // count; 0 frees it and leaves elementos null.
  virtual void Redimensionar(uint32_t n) {
    elementos = static_cast<T*>(Reasignar(elementos, static_cast<std::size_t>(n) * sizeof(T)));
    cantidad = n;
  }
};
