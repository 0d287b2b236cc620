// The stream on which objects report themselves (Volcar) and are stored or
// loaded (Persistir). The engine declares only the interface; text and number
// formats belong to whoever implements it.
#pragma once

#include <cstdint>

class Flujo {
 public:
  virtual ~Flujo() = default;

  // Writes an unsigned count.
  virtual void EscribirCantidad(uint32_t n) = 0;
  // Writes a signed integer.
  virtual void EscribirEntero(int32_t n) = 0;
  // Writes the NUL-terminated text s; returns the stream to go on writing to.
  virtual Flujo* EscribirTexto(const char* s) = 0;
  // True while the stream is being read (loading), false while written.
  virtual bool Cargando() = 0;
  // Reads an unsigned count into *n.
  virtual void LeerCantidad(uint32_t* n) = 0;
};
