// The camera: a being of the world that draws nothing but loads the
// projection through which every other being is seen, an orthographic view
// of a chosen width and height shifted by the camera's own posicion. The
// world draws it first in every frame and never among the beings.
#pragma once

#include <cstdint>

#include "world/Identidad.h"

class Observador : public Identidad {
 public:
  // Column-major 4 x 4 (row r, column c at r + 4c): the orthographic
  // projection of the box x from 0 to the width, y from 0 to the height,
  // depth from planoCercano to planoLejano.
  double proyeccion[16];
  // Far distance of the box; 1000.
  double planoLejano;
  // Near distance of the box; 0.
  double planoCercano;

  // A copy of modelo in place (offset zero) that becomes its world's camera,
  // with a view of 1024 x 768 units. Sets the depth range to 0..0 (asked as
  // 0 and -1000, which OpenGL clamps), so every fragment gets depth 0; needs
  // a current OpenGL context.
  explicit Observador(const Identidad* modelo);

  // Loads proyeccion times a translation by plus posicion into the
  // projection matrix, and leaves the matrix mode at GL_PROJECTION. A world
  // point v is seen where the projection puts v + posicion.
  void Dibujar() override;
  // The values of its projection: proyeccion and posicion.
  void Describir(Escena* escena) const override;

  // The world's point, on the plane z = 0, seen at x, y of the view (each
  // -1 to 1 across it, y upwards).
  Vector Visto(double x, double y) const;

  // Shows an area ancho units wide and alto high from now on; posicion and
  // the planes stay as they are. Both must be non-zero.
  void FijarVista(int32_t ancho, int32_t alto);
};
