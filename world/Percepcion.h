// The perception of a world: its rendering through OpenGL (background, depth
// state, the camera's projection, then every being) and its lighting.
//
// A frame whose picture is the same as the one its caller confirmed on
// screen is not drawn again: the caller leaves the screen as it is. A world
// whose frames are never confirmed draws every frame.
#pragma once

#include "world/Escena.h"
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
  // Whether the last Fotograma drew its frame, so that the caller must show
  // it; false when the picture confirmed on screen is already that frame's.
  bool imagenNueva;

  // Needs a current OpenGL context: the first world sets the lighting up.
  Percepcion();
  // Lets go of the lighting (switched off with the last world), then deletes
  // the beings.
  ~Percepcion() override;
  // The update, then the render, unless the picture confirmed on screen is
  // the one this frame would draw: the background, the lighting, the camera
  // and, for every other being in order, what it draws with.
  void Fotograma() override;
  // The render alone: clear to colorFondo, depth test with GL_LEQUAL, the
  // camera's projection, then each other being from an identity model-view
  // matrix, in order of construction.
  void Representar();
  // The frame last drawn is on screen now (its buffers were swapped).
  void ConfirmarImagen();
  // The picture on screen was lost or damaged (uncovered, shown, resized):
  // the next frame is drawn in full.
  void OlvidarImagen();

 private:
  void Describir(Escena* escena) const;

  // What the last frame would draw, and what the picture on screen shows.
  Escena escena;
  Escena escenaMostrada;
  bool imagenConfirmada;
};
