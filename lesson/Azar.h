// The lesson's one random generator: integers from 0 to 32767 from the
// multiply-add rule of the Windows C runtime's rand, so that one seed gives
// the same lesson order and the same dots on every system.
#pragma once

#include <cstdint>

class Azar {
 public:
  // The largest number Sacar gives.
  static constexpr int kMaximo = 32767;

  // Starts the sequence from semilla.
  static void Sembrar(uint32_t semilla);
  // The next number of the sequence, 0 to kMaximo.
  static int Sacar();

 private:
  static uint32_t estado;
};
