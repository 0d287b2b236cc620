// The space of a world: its beings, in order of construction, and the update
// of every frame (the dead are deleted, the others moved by their velocity
// and tested for contact).
#pragma once

#include "base/TColeccion.h"

class Materia;

class Espacio {
 public:
  // The beings, in order of construction; each held once, never null, and
  // owned: only deleting a being takes it out.
  TColeccion<Materia*> contenido;

  Espacio() = default;
  Espacio(const Espacio&) = delete;
  Espacio& operator=(const Espacio&) = delete;

  // Deletes the beings in order of construction, then the collection.
  virtual ~Espacio();
  // The update of one frame: deletes every dead being, moves the others by
  // their velocity, then notifies each touching pair of solid beings.
  virtual void Fotograma();
  // Appends ser. Every being's construction calls it.
  virtual void Agregar(Materia* ser);
  // Removes ser, keeping the order of the others; nothing when absent. Every
  // being's destruction calls it.
  virtual void Eliminar(Materia* ser);

 private:
  void EliminarMuertos();
  void Mover();
  // Pairs of beings with a non-zero solidez and a matter primitive, earlier
  // being first, in the order of contenido; the earlier being's primitive
  // decides, and on contact the earlier being is told first.
  void Colisiones();
};
