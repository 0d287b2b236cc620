// The lesson application: builds the world in which the lesson runs.
#pragma once

#include "app/Dios.h"

class Observador;

class Contapuntos : public Dios {
 public:
  Contapuntos();
  virtual ~Contapuntos();

  // Builds the world: a white background, the camera showing 40 by 30 units
  // around the origin, the cursor hidden, and the lesson script, whose dots
  // are red and whose drawing and sound are made ready before the first
  // frame.
  void Crear() override;

  // The camera; it belongs to the world like every being.
  Observador* observador;
};
