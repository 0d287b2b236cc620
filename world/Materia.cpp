// Matter of a being: placement, motion, solidity and membership of a world.
#include "world/Materia.h"

#include "world/MPrimitiva.h"
#include "world/Universo.h"

Materia::Materia(Universo* universo)
    : universo(universo),
      posicion(0.0, 0.0, 0.0),
      velocidad(0.0, 0.0, 0.0),
      escala(1.0, 1.0, 1.0),
      rotacion(0.0, 0.0, 0.0),
      solidez(0.0),
      primitivaMateria(nullptr),
      muerto(false) {
  universo->Agregar(this);
}

Materia::Materia(const Materia* modelo, const Vector& desplazamiento)
    : universo(modelo->universo),
      posicion(modelo->posicion + desplazamiento),
      velocidad(modelo->velocidad),
      escala(modelo->escala),
      rotacion(modelo->rotacion),
      solidez(modelo->solidez),
      primitivaMateria(modelo->primitivaMateria ? modelo->primitivaMateria->Duplicar() : nullptr),
      muerto(false) {
  universo->Agregar(this);
}

Materia::~Materia() {
  delete primitivaMateria;
  if (universo != nullptr) universo->Eliminar(this);
}

void Materia::Choque(Materia*) {}
