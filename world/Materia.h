// The matter of a being: where it is and how it moves, whether it takes part
// in collision tests, whether it is dead, and the world it belongs to.
//
// A being joins its world when it is constructed and leaves it when it is
// destroyed; the world owns it and deletes it through the virtual
// destructor. Only beings from Ser on are placed in a world, because the
// world calls Vivir and Dibujar on every member.
#pragma once

#include "base/Vector.h"

class MPrimitiva;
class Universo;

class Materia {
 public:
  // The world the being is registered in. Null only while that world is
  // itself being destroyed: the being then no longer reaches back into it.
  Universo* universo;
  // World units.
  Vector posicion;
  // Added to posicion once per frame, so in units per frame.
  Vector velocidad;
  // Factors along x, y and z.
  Vector escala;
  // Degrees about x, y and z; the drawing turns about z first, then y, then x.
  Vector rotacion;
  // The being takes part in collision tests only while this is not 0.0.
  double solidez;
  // The shape tested for contact, or null; owned.
  MPrimitiva* primitivaMateria;
  // Set by another being to end this one: the world deletes it in its next
  // update. Never cleared.
  bool muerto;

  // A fresh being in universo: at the origin, still, scale 1, not solid, no
  // shape, alive; appended to the world's beings.
  explicit Materia(Universo* universo);
  // A copy of modelo at modelo's posicion plus desplazamiento, with its
  // velocity, scale, rotation and solidity, its own duplicate of modelo's
  // matter primitive, and alive whatever modelo is; appended to modelo's
  // world, after modelo.
  Materia(const Materia* modelo, const Vector& desplazamiento);
  Materia(const Materia&) = delete;
  Materia& operator=(const Materia&) = delete;

  // Destroys the matter primitive, then leaves the world.
  virtual ~Materia();
  // The world found this being touching otra. Does nothing here.
  virtual void Choque(Materia* otra);
};
