// The unit sphere as matter.
#include "world/MPEsfera.h"

MPrimitiva* MPEsfera::Duplicar() const { return new MPEsfera; }

bool MPEsfera::Contiene(const Vector* punto) const {
  return punto->x * punto->x + punto->y * punto->y + punto->z * punto->z < 1.0;
}

bool MPEsfera::Colisiona(const Vector*, const Vector*, const MPrimitiva*) const { return false; }

int32_t MPEsfera::Nivel() const { return 1; }
