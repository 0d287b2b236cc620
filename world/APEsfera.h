// The unit sphere as appearance: a GLU sphere of radius 1, 25 slices around
// the z axis and 25 stacks along it, with GLU's default quadric settings. Its
// matter is an MPEsfera.
#pragma once

#include "world/APrimitiva.h"

class APEsfera : public APrimitiva {
 public:
  APrimitiva* Duplicar() const override;
  // Ignores datos. Tessellates afresh on every call through a quadric made
  // and deleted inside it: nothing is kept between frames.
  void Dibujar(void* datos) const override;
  // A new MPEsfera.
  MPrimitiva* CrearMateria() const override;
  ~APEsfera() override;
};
