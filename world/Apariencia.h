// The appearance of a being: its colour and the shape drawn for it.
#pragma once

#include "world/Materia.h"

class APrimitiva;
class Escena;

class Apariencia : public Materia {
 public:
  // The shape drawn, or null for an invisible being; owned.
  APrimitiva* primitivaApariencia;
  // Red, green, blue and alpha, each 0 to 1: the current colour and the
  // ambient and diffuse material of the drawing.
  double color[4];

  // A fresh being in universo: white (1, 1, 1, 0), with no shape.
  explicit Apariencia(Universo* universo);
  // A copy of modelo moved by desplazamiento, with its colour and its own
  // duplicate of modelo's shape, installed as by FijarPrimitiva: when the
  // duplicate brings its own matter, that matter replaces the duplicate of
  // modelo's matter primitive.
  Apariencia(const Apariencia* modelo, const Vector& desplazamiento);

  // Destroys the shape. A world whose camera this being is forgets it.
  ~Apariencia() override;
  // Draws the shape at the being's place, scale and turn, starting from the
  // model-view matrix the world has loaded. Without a shape it makes no
  // OpenGL call at all.
  virtual void Dibujar();
  // Adds to escena every value its Dibujar draws with: the class of the
  // shape and the shape's own values, posicion, escala, rotacion and color;
  // nothing without a shape. A class that draws with more adds that too.
  virtual void Describir(Escena* escena) const;
  // Copies the four components into color.
  virtual void FijarColor(const double rgba[4]);

  // Destroys the current shape and installs nueva (null makes the being
  // invisible). When nueva brings a matter primitive, that one replaces the
  // being's current matter primitive; otherwise the current one stays.
  void FijarPrimitiva(APrimitiva* nueva);
};
