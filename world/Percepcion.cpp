// The rendering of a world.
#include "world/Percepcion.h"

#include <utility>

#include "platform/platform.h"
#include "world/Apariencia.h"
#include "world/Iluminacion.h"

Percepcion::Percepcion()
    : colorFondo{0.0, 0.0, 0.0, 0.0},
      observador(nullptr),
      iluminacion(new Iluminacion),
      imagenNueva(false),
      imagenConfirmada(false) {}

Percepcion::~Percepcion() { delete iluminacion; }

void Percepcion::Fotograma() {
  Espacio::Fotograma();
  Describir(&escena);
  imagenNueva = !imagenConfirmada || escena != escenaMostrada;
  if (imagenNueva) Representar();
}

void Percepcion::Representar() {
  glClearColor(static_cast<GLfloat>(colorFondo[0]), static_cast<GLfloat>(colorFondo[1]),
               static_cast<GLfloat>(colorFondo[2]), static_cast<GLfloat>(colorFondo[3]));
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  // After the clear, so it takes effect from the next frame; 1.0 is also
  // OpenGL's initial value.
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  // The camera's depth range gives every fragment the same depth, so with
  // GL_LEQUAL the being drawn later covers the earlier one.
  glDepthFunc(GL_LEQUAL);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  if (observador != nullptr) observador->Dibujar();
  glMatrixMode(GL_MODELVIEW);
  for (uint32_t i = 0; i < contenido.cantidad; ++i) {
    Apariencia* ser = static_cast<Apariencia*>(contenido.elementos[i]);
    if (ser == observador) continue;
    glLoadIdentity();
    ser->Dibujar();
  }
}

void Percepcion::ConfirmarImagen() {
  if (imagenNueva) std::swap(escena, escenaMostrada);
  imagenNueva = false;
  imagenConfirmada = true;
}

void Percepcion::OlvidarImagen() { imagenConfirmada = false; }

void Percepcion::Describir(Escena* destino) const {
  destino->Vaciar();
  for (double componente : colorFondo) destino->Anotar(componente);
  // The light itself is fixed; only whether it is on can change.
  destino->Anotar(Iluminacion::usuarios > 0 ? 1.0 : 0.0);
  if (observador != nullptr) observador->Describir(destino);
  for (uint32_t i = 0; i < contenido.cantidad; ++i) {
    const Apariencia* ser = static_cast<const Apariencia*>(contenido.elementos[i]);
    if (ser != observador) ser->Describir(destino);
  }
}
