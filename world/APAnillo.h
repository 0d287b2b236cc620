// A ring as appearance: the band between two ellipses centred on the
// being's position, in the plane z = 0 of its unit frame, filled flat in the
// being's colour. It marks a group on a card without hiding it. It has no
// matter.
#pragma once

#include <vector>

#include "world/APrimitiva.h"

class APAnillo : public APrimitiva {
 public:
  // The ring whose outer edge has half-axes radioX across and radioY down,
  // grosor wide; both half-axes more than grosor.
  APAnillo(double radioX, double radioY, double grosor);

  APrimitiva* Duplicar() const override;
  // Ignores datos. Fills the band in the current colour with lighting off,
  // and leaves the OpenGL state as it found it.
  void Dibujar(void* datos) const override;
  // Its half-axes and width.
  void Describir(Escena* escena) const override;

  const double radioX;
  const double radioY;
  const double grosor;

 private:
  // x, y of the band's strip: outer and inner points in turn, closed.
  std::vector<float> tira;
};
