// The lesson application: builds the world in which the lesson runs.
#pragma once

#include "app/Dios.h"

class Contapuntos : public Dios {
 public:
  virtual ~Contapuntos();

  // Builds the world.
  void Crear() override;
};
