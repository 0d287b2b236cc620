// Owned strings.
#include "base/Texto.h"

#include <cassert>
#include <cstring>
#include <limits>

#include "base/Memoria.h"

Texto::Texto() : tamano(0), cadena(nullptr) { *this = ""; }

Texto::Texto(const char* s) : tamano(0), cadena(nullptr) {
  if (s != nullptr) {
    *this = s;
  }
}

Texto::Texto(const Texto& otro) : tamano(0), cadena(nullptr) { *this = otro; }

Texto::~Texto() { Ajustar(0); }

Texto& Texto::operator=(const char* s) {
  assert(s != nullptr && "Texto: assignment from a null text");
  const std::size_t bytes = std::strlen(s) + 1;
  // A text that fits in the current buffer may lie inside it: move it down
  // before the buffer shrinks. A longer one cannot, so grow first.
  if (bytes <= tamano) {
    std::memmove(cadena, s, bytes);
    Ajustar(bytes);
  } else {
    Ajustar(bytes);
    std::memcpy(cadena, s, bytes);
  }
  return *this;
}

Texto& Texto::operator=(const Texto& otro) {
  if (this != &otro) {
    Ajustar(otro.tamano);
    if (otro.cadena != nullptr) {
      std::memcpy(cadena, otro.cadena, otro.tamano);
    }
  }
  return *this;
}

Texto::operator const char*() const { return cadena != nullptr ? cadena : ""; }

void Texto::Ajustar(std::size_t bytes) {
  assert(bytes <= std::numeric_limits<uint32_t>::max() && "Texto longer than 4 GiB");
  cadena = static_cast<char*>(Reasignar(cadena, bytes));
  tamano = static_cast<uint32_t>(bytes);
}
