// A ring as appearance, drawn flat as one triangle strip.
#include "world/APAnillo.h"

#include <cassert>
#include <cmath>

#include "platform/platform.h"
#include "world/Escena.h"

namespace {

// Enough sides that the largest ring a card shows looks round.
constexpr int kLados = 96;

}  // namespace

APAnillo::APAnillo(double radioX, double radioY, double grosor)
    : radioX(radioX), radioY(radioY), grosor(grosor) {
  assert(radioX > grosor && radioY > grosor && grosor > 0 && "APAnillo needs a band inside it");
  for (int lado = 0; lado <= kLados; ++lado) {
    const double angulo = 2 * 3.14159265358979 * (lado % kLados) / kLados;
    const double c = std::cos(angulo);
    const double s = std::sin(angulo);
    tira.push_back(static_cast<float>(radioX * c));
    tira.push_back(static_cast<float>(radioY * s));
    tira.push_back(static_cast<float>((radioX - grosor) * c));
    tira.push_back(static_cast<float>((radioY - grosor) * s));
  }
}

APrimitiva* APAnillo::Duplicar() const { return new APAnillo(*this); }

void APAnillo::Dibujar(void*) const {
  glPushAttrib(GL_ENABLE_BIT);
  // Unlit, as a numeral is: the whole band is the being's colour.
  glDisable(GL_LIGHTING);
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, tira.data());
  glDrawArrays(GL_TRIANGLE_STRIP, 0, static_cast<GLsizei>(tira.size() / 2));
  glPopClientAttrib();
  glPopAttrib();
}

void APAnillo::Describir(Escena* escena) const {
  escena->Anotar(radioX);
  escena->Anotar(radioY);
  escena->Anotar(grosor);
}
