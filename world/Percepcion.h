// The perception of a world: its rendering through OpenGL (background, depth
// state, the camera's projection, then every being) and its lighting.
#pragma once

#include "world/Espacio.h"

class Apariencia;
class Iluminacion;

class Percepcion : public Espacio {
 public:
  // Red, green, blue and alpha of the clear; 0, 0, 0, 0 at construction.
  double colorFondo[4];
  // The camera: drawn first in every frame, which loads the projection, and
  // never among the beings. Not owned; null when there is none. Cleared when
  // that being is destroyed.
  Apariencia* observador;
  // This world's share of the lighting; owned.
  Iluminacion* iluminacion;

  // Needs a current OpenGL context: the first world sets the lighting up.
  Percepcion();
  // Lets go of the lighting (switched off with the last world), then deletes
  // the beings.
  ~Percepcion() override;
  // The update, then the render: clear to colorFondo, depth test with
  // GL_LEQUAL, the camera's projection, then each other being from an
  // identity model-view matrix, in order of construction.
  void Fotograma() override;
};
