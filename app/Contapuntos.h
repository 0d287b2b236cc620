// The lesson application: builds the world in which the lesson runs.
#pragma once

#include "app/Dios.h"

class Guion;
class Observador;

class Contapuntos : public Dios {
 public:
  Contapuntos();
  virtual ~Contapuntos();

  // Builds the world: a white background, the camera showing 40 by 30 units
  // around the origin, the cursor hidden, and the lesson script, whose dots
  // are red and whose drawing and sound are made ready before the first
  // frame.
  void Crear() override;

  // "--show [--all] [FILE|FOLDER]" tells what the next run of a lesson file
  // shows (with --all, every lesson of it) instead of running one; "--help"
  // tells the options. An argument the program does not know ends it with
  // one line on standard error. With no arguments, the lesson runs.
  bool Preparar(const char* lineaOrdenes, int* codigo) override;

  // A lesson that has not noted itself as whole by the end of the main
  // loop was stopped early: so says its diary.
  void Acabar() override;

  // The camera; it belongs to the world like every being.
  Observador* observador;
  // The lesson script, once Crear has made it; it belongs to the world.
  Guion* guion;
};
