// The matter side of a being's shape: the unit shape, in the being's own
// frame, that the world tests for contact. Primitives are stateless; each
// belongs to exactly one Materia, which deletes it through this base.
#pragma once

#include <cstdint>

#include "base/Vector.h"

class MPrimitiva {
 public:
  // A new primitive of the same class, owned by the caller.
  virtual MPrimitiva* Duplicar() const = 0;
  // Whether punto, in the unit frame, lies inside the shape.
  virtual bool Contiene(const Vector* punto) const = 0;
  // Whether this shape touches otra when otra sits at posicionRelativa with
  // escalaRelativa, both measured in this shape's unit frame. Rotation plays
  // no part.
  virtual bool Colisiona(const Vector* posicionRelativa, const Vector* escalaRelativa,
                         const MPrimitiva* otra) const = 0;
  // The level of the primitive's kind.
  virtual int32_t Nivel() const = 0;
  // Owners delete any primitive through this base.
  virtual ~MPrimitiva() = default;
};
