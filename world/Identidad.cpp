// Ordinary beings.
#include "world/Identidad.h"

Identidad::Identidad(Universo* universo) : Ser(universo) {}

Identidad::Identidad(const Identidad* modelo, const Vector& desplazamiento)
    : Ser(modelo, desplazamiento) {}

Identidad::~Identidad() = default;
