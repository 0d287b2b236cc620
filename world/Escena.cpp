// The values that make a frame's picture.
#include "world/Escena.h"

#include <cstring>

void Escena::Vaciar() { valores.clear(); }

void Escena::Anotar(double valor) {
  uint64_t bits;
  std::memcpy(&bits, &valor, sizeof bits);
  valores.push_back(bits);
}

void Escena::Anotar(const Vector& valor) {
  Anotar(valor.x);
  Anotar(valor.y);
  Anotar(valor.z);
}

void Escena::Anotar(const void* identidad) {
  valores.push_back(static_cast<uint64_t>(reinterpret_cast<uintptr_t>(identidad)));
}
