// The time of a world: every being's step of the frame before the update and
// the render, and the routing of keys and touches to the being that holds
// the focus.
#pragma once

#include "world/Percepcion.h"

class Ser;

class Tiempo : public Percepcion {
 public:
  // The being that receives key messages; not owned, null when none. Cleared
  // when that being is destroyed.
  Ser* foco;

  Tiempo();
  // One frame: Vivir of every being in order of construction, including the
  // beings born during this pass, then the update and the render.
  void Fotograma() override;
  // One key event: codigo as the window procedure delivers it, pulsada true
  // for a press and false for a release. Leaves a key Frase in the focus
  // being's inbox, held there only; without a focus nothing is created.
  virtual void Tecla(int codigo, bool pulsada);
  // One touch (a click, a finger) at x, y of the camera's view, each from
  // -1 to 1 across it, y upwards. Leaves a touch Frase at the world's point
  // seen there in the focus being's inbox; without a focus or a camera
  // nothing is created.
  virtual void Tocar(double x, double y);
};
