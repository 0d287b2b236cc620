// The unit sphere as matter: the collision side of APEsfera.
#pragma once

#include <cstdint>

#include "world/MPrimitiva.h"

class MPEsfera : public MPrimitiva {
 public:
  MPrimitiva* Duplicar() const override;
  // Strictly inside: x² + y² + z² < 1. The sphere itself, and a point with a
  // NaN component, are outside.
  bool Contiene(const Vector* punto) const override;
  // Never: a sphere touches nothing, so the world reports no contact for it.
  bool Colisiona(const Vector* posicionRelativa, const Vector* escalaRelativa,
                 const MPrimitiva* otra) const override;
  // 1.
  int32_t Nivel() const override;
};
