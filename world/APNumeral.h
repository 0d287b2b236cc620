// A numeral as appearance: the decimal figures of a number in DejaVu Sans
// Bold (world/Cifra), filled flat in the being's colour and centred on the
// being's position, in the plane z = 0 of its unit frame. Its figures are
// polygons, not a picture, so they are sharp at any screen size. It has no
// matter.
#pragma once

#include <vector>

#include "world/APrimitiva.h"

class APNumeral : public APrimitiva {
 public:
  // The height of the figures in world units, one for every numeral, so
  // that a figure is the same size on every card: 13 of the lesson's view's
  // 30 (43 %), the most at which every numeral of three figures fits the
  // width the dots' cards use.
  static constexpr double kAltura = 13.0;
  // That width: x from -18 to 18. A wider numeral (1000, the only one of four
  // figures that a lesson gives) is drawn whole at this width, and so less
  // tall.
  static constexpr double kAnchoMaximo = 36.0;

  // The numeral of numero, 0 or more. Tessellates the figures' outlines into
  // triangles through GLU's tessellator here, once; needs no OpenGL context.
  explicit APNumeral(int numero);

  // A copy of the same numeral, triangles and all.
  APrimitiva* Duplicar() const override;
  // Ignores datos. Fills the triangles in the current colour with lighting
  // off, so the whole numeral is the being's colour exactly, and leaves the
  // OpenGL state as it found it.
  void Dibujar(void* datos) const override;
  // The number.
  void Describir(Escena* escena) const override;

  const int numero;
  // How wide the figures are drawn, in world units: kAnchoMaximo at most.
  double ancho = 0.0;

 private:
  // x, y of each triangle's three corners, in the being's unit frame.
  std::vector<float> triangulos;
};
