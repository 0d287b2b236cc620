// Memory sizing for the engine's blocks, and the end of the program when the
// system has no memory left.
#include "base/Memoria.h"

#include <cstdio>
#include <cstdlib>
#include <new>

#include "base/Avisos.h"
#include "base/Fallo.h"

namespace {

[[noreturn]] void SinMemoria(const char* pedido) {
  char linea[64];
  std::snprintf(linea, sizeof linea, "out of memory (%s)", pedido);
  Terminar(linea, Avisos::kSinMemoria);
}

// operator new gives no size to its handler, so the message names the call.
void NewSinMemoria() { SinMemoria("operator new"); }

// A failing new ends the program the same way as a failing Reasignar instead
// of throwing an exception that nothing in the engine catches. Installed
// before main in every program that uses Reasignar (which links this file).
struct InstalarManejadorNew {
  InstalarManejadorNew() { std::set_new_handler(NewSinMemoria); }
} instalarManejadorNew;

}  // namespace

void* Reasignar(void* bloque, std::size_t bytes) {
  if (bytes == 0) {
    std::free(bloque);
    return nullptr;
  }
  void* nuevo = std::realloc(bloque, bytes);
  if (nuevo == nullptr) {
    char pedido[32];
    std::snprintf(pedido, sizeof pedido, "%zu bytes", bytes);
    SinMemoria(pedido);
  }
  return nuevo;
}
