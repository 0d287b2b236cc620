// The world and its creation for the application.
#include "world/Universo.h"

#include <cassert>

#include "app/Dios.h"

Universo* CrearUniverso() {
  assert(Dios::instancia != nullptr && "CrearUniverso needs the application object");
  Universo* universo = new Universo;
  Dios::instancia->universo = universo;
  return universo;
}
