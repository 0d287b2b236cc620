// A message handed to a being: in this program, one key going down or up,
// or a touch (a click, a finger) on the picture.
// It is reference-counted (the being's inbox holds it) and owns nothing.
#pragma once

#include <cstdint>

#include "base/ClaseDinamica.h"

class Frase : public ClaseDinamica {
 public:
  static constexpr int32_t kTecla = 0;
  static constexpr int32_t kToque = 1;

  // Kind of phrase: kTecla or kToque.
  int32_t tipo;
  // The key code as the window procedure passes it on.
  int32_t codigo;
  // 1 when the key was released, 0 when it was pressed.
  int32_t soltada;
  // Where a touch fell, in the world's units; 0 for a key.
  double x = 0.0;
  double y = 0.0;

  // A key phrase for codigo; pulsada is true when the key went down.
  Frase(int32_t codigo, bool pulsada);
  // A touch phrase at x, y.
  Frase(double x, double y);
};
