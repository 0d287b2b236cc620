// The camera.
#include "world/Observador.h"

#include <cassert>

#include "platform/platform.h"
#include "world/Escena.h"
#include "world/Universo.h"

Observador::Observador(const Identidad* modelo)
    : Identidad(modelo, Vector(0.0, 0.0, 0.0)),
      proyeccion{1.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 0.0, 1.0},
      planoLejano(1000.0),
      planoCercano(0.0) {
  universo->observador = this;
  FijarVista(1024, 768);
  glDepthRange(0.0, -1000.0);
}

void Observador::Dibujar() {
  glMatrixMode(GL_PROJECTION);
  double traslacion[16] = {1.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0,
                           0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 0.0, 1.0};
  traslacion[12] = posicion.x;
  traslacion[13] = posicion.y;
  traslacion[14] = posicion.z;
  double producto[16];
  for (int c = 0; c < 4; ++c) {
    for (int r = 0; r < 4; ++r) {
      double suma = 0.0;
      for (int k = 0; k < 4; ++k) suma += proyeccion[r + 4 * k] * traslacion[k + 4 * c];
      producto[r + 4 * c] = suma;
    }
  }
  glLoadMatrixd(producto);
}

void Observador::Describir(Escena* escena) const {
  for (double valor : proyeccion) escena->Anotar(valor);
  escena->Anotar(posicion);
}

Vector Observador::Visto(double x, double y) const {
  // The projection scales and shifts each axis alone; undone, then the
  // camera's shift.
  return Vector((x - proyeccion[12]) / proyeccion[0] - posicion.x,
                (y - proyeccion[13]) / proyeccion[5] - posicion.y, 0.0);
}

void Observador::FijarVista(int32_t ancho, int32_t alto) {
  assert(ancho != 0 && alto != 0 && "Observador::FijarVista needs a non-empty view");
  assert(planoLejano != planoCercano && "Observador::FijarVista needs a box of some depth");
  const double w = ancho;
  const double h = alto;
  const double f = planoLejano;
  const double n = planoCercano;
  const double columnas[16] = {2.0 / w, 0.0, 0.0, 0.0, 0.0, 2.0 / h, 0.0, 0.0, 0.0, 0.0,
                               -2.0 / (f - n), 0.0, -1.0, -1.0, -(f + n) / (f - n), 1.0};
  for (int i = 0; i < 16; ++i) proyeccion[i] = columnas[i];
}
