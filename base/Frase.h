// A message handed to a being: in this program, one key going down or up.
// It is reference-counted (the being's inbox holds it) and owns nothing.
#pragma once

#include <cstdint>

#include "base/ClaseDinamica.h"

class Frase : public ClaseDinamica {
 public:
  // Kind of phrase; 0 for a key phrase, the only kind the program creates.
  int32_t tipo;
  // The key code as the window procedure passes it on.
  int32_t codigo;
  // 1 when the key was released, 0 when it was pressed.
  int32_t soltada;

  // A key phrase for codigo; pulsada is true when the key went down.
  Frase(int32_t codigo, bool pulsada);
};
