// Reference-counted base object.
#include "base/ClaseDinamica.h"

#include "base/Flujo.h"

int32_t ClaseDinamica::instancias = 0;

ClaseDinamica::ClaseDinamica() : referencias(1) { ++instancias; }

ClaseDinamica::~ClaseDinamica() { --instancias; }

void ClaseDinamica::Volcar(Flujo* flujo) {
  flujo->EscribirTexto("Refs:")->EscribirEntero(referencias);
}

void ClaseDinamica::Persistir(Flujo* flujo) { flujo->EscribirTexto("No implementado"); }

int32_t ClaseDinamica::Liberar() {
  const int32_t quedan = --referencias;
  if (quedan == 0) {
    delete this;
  }
  return quedan;
}

void ClaseDinamica::Referenciar() { ++referencias; }
