// The appearance side of a being's shape: draws the unit shape in the current
// OpenGL transform, which the owning Apariencia has set to the being's place,
// scale and turn. A primitive never changes once made; each belongs to
// exactly one Apariencia, which deletes it through this base.
#pragma once

class Escena;
class MPrimitiva;

class APrimitiva {
 public:
  // A new primitive of the same class, owned by the caller.
  virtual APrimitiva* Duplicar() const = 0;
  // Issues the OpenGL drawing of the unit shape. datos is the owner's opaque
  // pointer, passed along untouched.
  virtual void Dibujar(void* datos) const = 0;
  // Adds to escena the primitive's own values that its drawing depends on,
  // beyond its class: nothing by default (a sphere is all alike).
  virtual void Describir(Escena*) const {}
  // A new matter primitive that goes with this shape, owned by the caller, or
  // null when there is none (the default).
  virtual MPrimitiva* CrearMateria() const { return nullptr; }
  // Owners delete any primitive through this base.
  virtual ~APrimitiva() = default;
};
