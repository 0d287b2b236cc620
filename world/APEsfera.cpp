// The unit sphere as appearance, drawn through GLU.
#include "world/APEsfera.h"

#include "platform/platform.h"
#include "world/MPEsfera.h"

namespace {

constexpr double kRadio = 1.0;
constexpr GLint kMeridianos = 25;
constexpr GLint kParalelos = 25;

}  // namespace

APrimitiva* APEsfera::Duplicar() const { return new APEsfera; }

void APEsfera::Dibujar(void*) const {
  GLUquadric* cuadrica = gluNewQuadric();
  // GLU has no quadric to give only when memory runs out; the sphere is then
  // left out of this frame rather than drawn through a null quadric.
  if (cuadrica == nullptr) return;
  gluSphere(cuadrica, kRadio, kMeridianos, kParalelos);
  gluDeleteQuadric(cuadrica);
}

MPrimitiva* APEsfera::CrearMateria() const { return new MPEsfera; }

APEsfera::~APEsfera() = default;
