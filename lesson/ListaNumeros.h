// Reads a lesson's list of numbers: items separated by commas, each a number
// ("7") or a range of two numbers joined by a hyphen ("5-8"), whose numbers
// are added each once in a random order.
//
// The list is scanned a character at a time: digits build the running
// number, a hyphen makes it the start of a range, a comma or the end closes
// the item, and any other character is skipped without closing it ("1 2" is
// 12). An empty item is the number 0; a range whose start is past its end
// adds nothing; a second hyphen restarts the range ("2-4-6" is 4 to 6).
#pragma once

#include <cstdint>

#include "base/TColeccion.h"

class ListaNumeros {
 public:
  // Ranges of more numbers than this add nothing: their random order is
  // drawn from numbers 0 to 32767.
  static constexpr int64_t kRangoMaximo = 32768;

  // Appends the numbers of lista to numeros, drawing each range's order from
  // the lesson's generator. A number past 2,147,483,647 is not added, nor is
  // a range with such an end.
  static void Leer(const char* lista, TColeccion<int>* numeros);

 private:
  static void Expandir(int64_t desde, int64_t hasta, TColeccion<int>* numeros);
};
