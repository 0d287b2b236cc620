// What a frame of a world draws, value by value: the background, the
// lighting, the camera and each drawn being's shape, place, scale, turn and
// colour, in drawing order. Two frames with equal scenes draw the same
// picture, so the second need not be drawn at all.
#pragma once

#include <cstdint>
#include <vector>

#include "base/Vector.h"

class Escena {
 public:
  // Forgets every value, keeping the storage for the next frame.
  void Vaciar();
  // Values are compared by their bits: a NaN equals the same NaN, and 0.0
  // differs from -0.0 (such a frame is drawn again, which is never wrong).
  void Anotar(double valor);
  void Anotar(const Vector& valor);
  // An identity, such as the class of a shape.
  void Anotar(const void* identidad);

  bool operator==(const Escena& otra) const { return valores == otra.valores; }
  bool operator!=(const Escena& otra) const { return !(*this == otra); }

 private:
  std::vector<uint64_t> valores;
};
