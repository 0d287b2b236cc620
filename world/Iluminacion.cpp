// The lighting guard.
#include "world/Iluminacion.h"

#include "platform/platform.h"

int Iluminacion::usuarios = 0;

Iluminacion::Iluminacion() {
  ++usuarios;
  if (usuarios != 1) return;
  const GLfloat especular[4] = {0.1f, 0.1f, 0.1f, 0.1f};
  const GLfloat brillo = 50.0f;
  // Directional (w = 0). Given while the fresh context's model-view matrix is
  // the identity, so the direction stays fixed in eye coordinates.
  const GLfloat luz[4] = {1.0f, 1.0f, -3.0f, 0.0f};
  glEnable(GL_LIGHTING);
  glMaterialfv(GL_FRONT, GL_SPECULAR, especular);
  glMaterialfv(GL_FRONT, GL_SHININESS, &brillo);
  glLightfv(GL_LIGHT0, GL_POSITION, luz);
  glEnable(GL_LIGHT0);
}

Iluminacion::~Iluminacion() {
  --usuarios;
  if (usuarios == 0) glDisable(GL_LIGHTING);
}
