// The fixed lighting shared by every world: one directional light and a
// faint specular material. The first live guard sets it up; when the last
// guard goes, lighting is switched off. Needs a current OpenGL context.
#pragma once

class Iluminacion {
 public:
  // Live guards; 0 at program start.
  static int usuarios;

  // Sets the lighting up when this is the only live guard.
  Iluminacion();
  // Switches GL_LIGHTING off when this was the last live guard; GL_LIGHT0
  // stays enabled.
  ~Iluminacion();
  Iluminacion(const Iluminacion&) = delete;
  Iluminacion& operator=(const Iluminacion&) = delete;
};
