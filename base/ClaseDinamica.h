// Base of the engine's shared objects: an intrusive reference count, a count
// of live instances, and the two ways an object writes itself to a Flujo.
//
// An object starts with one reference, its creator's. Every further holder
// calls Referenciar; every holder lets go with Liberar, and the last Liberar
// deletes the object, so objects that are released must come from new. An
// object embedded in another or living on the stack is destroyed by its owner
// or its scope and is never released. Single-threaded: plain integers.
#pragma once

#include <cstdint>

class Flujo;

class ClaseDinamica {
 public:
  // Live objects of every derived class, wherever they live.
  static int32_t instancias;

  // Holders of this object; 1 right after construction.
  int32_t referencias;

  ClaseDinamica();
  ClaseDinamica(const ClaseDinamica&) = delete;
  ClaseDinamica& operator=(const ClaseDinamica&) = delete;

  virtual ~ClaseDinamica();
  // Writes "Refs:" and then the reference count, as an integer, to the stream
  // that writing the text returns.
  virtual void Volcar(Flujo* flujo);
  // Stores or loads the object; the base class cannot, and writes
  // "No implementado" in both directions, reading nothing.
  virtual void Persistir(Flujo* flujo);
  // Drops one reference and returns how many remain; at 0 the object has been
  // deleted and must not be touched. Releasing past 0 is a caller error.
  virtual int32_t Liberar();

  // Takes one more reference for a new holder.
  void Referenciar();
};
