// One card of a lesson: the number it shows, as dots or as a numeral, the
// word said before its number, and how long it stays; or a choice, the
// group of that number beside one or two others, which waits for the
// child's pick.
#pragma once

#include <cstdint>

struct Tarjeta {
  int32_t numero;
  // The start of the word's recording's name ("MAS", "IGUAL", "DONDE" for a
  // choice's question), empty for an equation's first card, or null for a
  // card of no equation or choice.
  const char* palabra;
  // How many ticks the card stays: the lesson's time, or more for a card
  // whose words take longer to say (an equation's, or any with
  // "PalabraEntera"). A choice's card stays that long after the pick (or
  // after its wait without one).
  int32_t instantes;
  // Whether the card shows the numeral, the written number, instead of dots.
  bool cifra;
  // A choice's other groups, shown beside numero's, the one asked for; -1
  // where there is none. Both -1 on a card of no choice.
  int32_t otros[2] = {-1, -1};

  bool EsEleccion() const { return otros[0] >= 0; }
  // How many groups a choice shows: 2 or 3.
  int Grupos() const { return otros[1] >= 0 ? 3 : 2; }

  bool operator==(const Tarjeta& otra) const {
    return numero == otra.numero && palabra == otra.palabra && instantes == otra.instantes &&
           cifra == otra.cifra && otros[0] == otra.otros[0] && otros[1] == otra.otros[1];
  }
};
