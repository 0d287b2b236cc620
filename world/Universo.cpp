#include "world/Universo.h"

#include "app/Dios.h"

Universo::~Universo() = default;

void Universo::Fotograma() {
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void Universo::Tecla(int, bool) {}

Universo* CrearUniverso() {
  Universo* universo = new Universo;
  Dios::instancia->universo = universo;
  return universo;
}
