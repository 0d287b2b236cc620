// The concrete class of ordinary beings, such as the dots of a card, and the
// base of the template being, the camera and the lesson script.
#pragma once

#include "world/Ser.h"

class Identidad : public Ser {
 public:
  // A fresh being in universo.
  explicit Identidad(Universo* universo);
  // A copy of modelo moved by desplazamiento.
  Identidad(const Identidad* modelo, const Vector& desplazamiento);

  ~Identidad() override;
};
