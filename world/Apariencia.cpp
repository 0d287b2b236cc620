// Appearance of a being: colour, shape and drawing.
#include "world/Apariencia.h"

#include <typeinfo>

#include "platform/platform.h"
#include "world/APrimitiva.h"
#include "world/Escena.h"
#include "world/MPrimitiva.h"
#include "world/Universo.h"

Apariencia::Apariencia(Universo* universo)
    : Materia(universo), primitivaApariencia(nullptr), color{1.0, 1.0, 1.0, 0.0} {}

Apariencia::Apariencia(const Apariencia* modelo, const Vector& desplazamiento)
    : Materia(modelo, desplazamiento),
      primitivaApariencia(nullptr),
      color{modelo->color[0], modelo->color[1], modelo->color[2], modelo->color[3]} {
  if (modelo->primitivaApariencia != nullptr) {
    FijarPrimitiva(modelo->primitivaApariencia->Duplicar());
  }
}

Apariencia::~Apariencia() {
  if (universo != nullptr && universo->observador == this) universo->observador = nullptr;
  delete primitivaApariencia;
}

void Apariencia::Dibujar() {
  if (primitivaApariencia == nullptr) return;
  glColor4dv(color);
  glEnable(GL_COLOR_MATERIAL);
  const GLfloat material[4] = {static_cast<GLfloat>(color[0]), static_cast<GLfloat>(color[1]),
                               static_cast<GLfloat>(color[2]), static_cast<GLfloat>(color[3])};
  glMaterialfv(GL_FRONT, GL_AMBIENT, material);
  glMaterialfv(GL_FRONT, GL_DIFFUSE, material);
  // Points are turned about z, then y, then x, then scaled along the world's
  // axes, then moved: the scale acts after the turn.
  glTranslated(posicion.x, posicion.y, posicion.z);
  glScalef(static_cast<GLfloat>(escala.x), static_cast<GLfloat>(escala.y),
           static_cast<GLfloat>(escala.z));
  glRotated(rotacion.x, 1.0, 0.0, 0.0);
  glRotated(rotacion.y, 0.0, 1.0, 0.0);
  glRotated(rotacion.z, 0.0, 0.0, 1.0);
  primitivaApariencia->Dibujar(nullptr);
}

void Apariencia::Describir(Escena* escena) const {
  if (primitivaApariencia == nullptr) return;
  escena->Anotar(&typeid(*primitivaApariencia));
  primitivaApariencia->Describir(escena);
  escena->Anotar(posicion);
  escena->Anotar(escala);
  escena->Anotar(rotacion);
  for (double componente : color) escena->Anotar(componente);
}

void Apariencia::FijarColor(const double rgba[4]) {
  for (int i = 0; i < 4; ++i) color[i] = rgba[i];
}

void Apariencia::FijarPrimitiva(APrimitiva* nueva) {
  delete primitivaApariencia;
  primitivaApariencia = nueva;
  if (nueva == nullptr) return;
  MPrimitiva* materia = nueva->CrearMateria();
  if (materia != nullptr) {
    delete primitivaMateria;
    primitivaMateria = materia;
  }
}
