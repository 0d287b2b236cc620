#include "lesson/Azar.h"

uint32_t Azar::estado = 1;

void Azar::Sembrar(uint32_t semilla) { estado = semilla; }

int Azar::Sacar() {
  // Unsigned arithmetic wraps at 32 bits, as the runtime's does.
  estado = estado * 214013u + 2531011u;
  return static_cast<int>((estado >> 16) & 0x7FFF);
}
