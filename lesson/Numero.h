// The one reader of decimal digits, for lesson lists and number settings
// alike: a number read a digit at a time, which stops counting once it
// passes what 32 signed bits hold.
#pragma once

#include <cstdint>

class Numero {
 public:
  // The digits so far; past INT32_MAX, some value past it.
  int64_t valor = 0;
  // Set once the digits have passed INT32_MAX.
  bool desbordado = false;

  // Appends the digit cifra, '0' to '9'.
  void Sumar(char cifra);

  // The whole number that texto begins with, read as the C runtime's "%d"
  // does (blanks, an optional sign, digits; what follows is ignored), held
  // within 32 bits; defecto when no digit comes where the number should.
  static int32_t Leer(const char* texto, int32_t defecto);
  // Whether texto is a whole number and nothing more: blanks, an optional
  // sign, digits, blanks. Any other text reads by Leer's guess.
  static bool Exacto(const char* texto);
};
