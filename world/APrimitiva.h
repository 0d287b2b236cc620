// The appearance side of a being's shape: draws the unit shape in the current
// OpenGL transform, which the owning Apariencia has set to the being's place,
// scale and turn. Primitives are stateless; each belongs to exactly one
// Apariencia, which deletes it through this base.
#pragma once

class MPrimitiva;

class APrimitiva {
 public:
  // A new primitive of the same class, owned by the caller.
  virtual APrimitiva* Duplicar() const = 0;
  // Issues the OpenGL drawing of the unit shape. datos is the owner's opaque
  // pointer, passed along untouched.
  virtual void Dibujar(void* datos) const = 0;
  // A new matter primitive that goes with this shape, owned by the caller, or
  // null when there is none (the default).
  virtual MPrimitiva* CrearMateria() const { return nullptr; }
  // Owners delete any primitive through this base.
  virtual ~APrimitiva() = default;
};
