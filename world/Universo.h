// The world: its beings, ticked, updated and drawn once per frame by the
// application, and told of every key other than Escape. The concrete class of
// the layers Espacio, Percepcion and Tiempo; it adds nothing of its own.
#pragma once

#include "world/Tiempo.h"

class Universo : public Tiempo {};

// Makes a new world (the first live world sets the lighting up), stores it in
// the application object's universo, replacing what was there, and returns
// it. Needs the application object and a current OpenGL context.
Universo* CrearUniverso();
