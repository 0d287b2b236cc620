// The world: ticked and drawn once per frame by the application, and told of
// every key other than Escape.
#pragma once

class Universo {
 public:
  virtual ~Universo();

  // One frame of the world: every being's step, the world's update, then its
  // drawing. Called with the OpenGL context current.
  virtual void Fotograma();
  // One key event: codigo as the window procedure delivers it, pulsada true
  // for a press and false for a release.
  virtual void Tecla(int codigo, bool pulsada);
};

// Makes a new world and stores it in the application object's universo.
// Call with the OpenGL context current.
Universo* CrearUniverso();
