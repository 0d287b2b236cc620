// One card of a lesson: the number it shows, as dots or as a numeral, the
// word said before its number, and how long it stays.
#pragma once

#include <cstdint>

struct Tarjeta {
  int32_t numero;
  // The start of the word's recording's name ("MAS", "IGUAL"), empty for an
  // equation's first card, or null for a card of no equation.
  const char* palabra;
  // How many ticks the card stays: the lesson's time, or more for a card
  // whose words take longer to say (an equation's, or any with
  // "PalabraEntera").
  int32_t instantes;
  // Whether the card shows the numeral, the written number, instead of dots.
  bool cifra;

  bool operator==(const Tarjeta& otra) const {
    return numero == otra.numero && palabra == otra.palabra && instantes == otra.instantes &&
           cifra == otra.cifra;
  }
};
