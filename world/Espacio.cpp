// The space of a world: its beings and their update.
#include "world/Espacio.h"

#include "world/MPrimitiva.h"
#include "world/Materia.h"

Espacio::~Espacio() {
  // The layers above this one are gone by now, so each being is taken out
  // here and told so, instead of calling back into a half-destroyed world.
  while (contenido.cantidad > 0) {
    Materia* ser = contenido.elementos[0];
    contenido.EliminarEn(0);
    ser->universo = nullptr;
    delete ser;
  }
}

void Espacio::Fotograma() {
  EliminarMuertos();
  Mover();
  Colisiones();
}

void Espacio::Agregar(Materia* ser) { contenido.Agregar(ser); }

void Espacio::Eliminar(Materia* ser) { contenido.Eliminar(ser); }

void Espacio::EliminarMuertos() {
  // A deleted being removes itself, so the next one comes down to index i.
  uint32_t i = 0;
  while (i < contenido.cantidad) {
    if (contenido.elementos[i]->muerto) {
      delete contenido.elementos[i];
    } else {
      ++i;
    }
  }
}

void Espacio::Mover() {
  // One frame is the whole time step.
  for (uint32_t i = 0; i < contenido.cantidad; ++i) {
    Materia* ser = contenido.elementos[i];
    ser->posicion = ser->posicion + ser->velocidad * 1.0;
  }
}

void Espacio::Colisiones() {
  TColeccion<Materia*> solidos;
  for (uint32_t i = 0; i < contenido.cantidad; ++i) {
    Materia* ser = contenido.elementos[i];
    // A NaN solidez counts as solid.
    if (ser->solidez != 0.0 && ser->primitivaMateria != nullptr) solidos.Agregar(ser);
  }
  for (uint32_t i = 0; i < solidos.cantidad; ++i) {
    for (uint32_t j = i + 1; j < solidos.cantidad; ++j) {
      Materia* a = solidos.elementos[i];
      Materia* b = solidos.elementos[j];
      const Vector posicionRelativa = (b->posicion - a->posicion) / a->escala;
      const Vector escalaRelativa = b->escala / a->escala;
      if (a->primitivaMateria->Colisiona(&posicionRelativa, &escalaRelativa,
                                         b->primitivaMateria)) {
        a->Choque(b);
        b->Choque(a);
      }
    }
  }
}
