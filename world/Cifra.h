// One figure, 0 to 9, of DejaVu Sans Bold, the one font the program draws
// with: its outline flattened into closed polygons, in the font's units (2048
// to the em, y up, the baseline at y = 0). The data are made from the font by
// tools/make-figures into Cifra.cpp; the font's licence is LICENSE-font.
#pragma once

#include <cstdint>

struct Cifra {
  // The figures, indexed by their value.
  static const Cifra kTodas[10];
  // How far each figure moves the next one on: the same for all ten.
  static const float kAvance;
  // The height of the flat-topped figures over the baseline; round ones
  // overshoot it a little above and below.
  static const float kAltura;

  // x, y of every point of every contour, contour after contour; each
  // contour's last point joins its first. Contours wind as TrueType's do:
  // the ink is where the winding number is not 0.
  const float* puntos;
  // How many points each contour has.
  const uint16_t* contornos;
  uint16_t cantidadContornos;
  // The ink's left and right edges, measured from the figure's own origin.
  float izquierda;
  float derecha;
};
