// The template being: made fresh in a new world, it sets the world's
// background and its own settings, and the world's first beings are copied
// from it, so that they all share those settings.
#pragma once

#include "world/Identidad.h"

class BigBang : public Identidad {
 public:
  // A fresh template in universo.
  explicit BigBang(Universo* universo);
  // A copy of modelo moved by desplazamiento.
  BigBang(const Identidad* modelo, const Vector& desplazamiento);

  // Copies the four components into the world's background colour, used
  // from the next frame's clear on.
  virtual void FijarFondo(const double rgba[4]);
};
