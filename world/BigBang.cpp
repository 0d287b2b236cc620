// The template being.
#include "world/BigBang.h"

#include "world/Universo.h"

BigBang::BigBang(Universo* universo) : Identidad(universo) {}

BigBang::BigBang(const Identidad* modelo, const Vector& desplazamiento)
    : Identidad(modelo, desplazamiento) {}

void BigBang::FijarFondo(const double rgba[4]) {
  for (int i = 0; i < 4; ++i) universo->colorFondo[i] = rgba[i];
}
