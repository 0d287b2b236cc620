#include "app/Contapuntos.h"

#include "world/Universo.h"

Contapuntos::~Contapuntos() = default;

void Contapuntos::Crear() { CrearUniverso(); }

// The program's one application object.
Contapuntos contapuntos;
