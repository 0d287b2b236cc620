// Key and touch messages.
#include "base/Frase.h"

Frase::Frase(int32_t codigo, bool pulsada)
    : tipo(kTecla), codigo(codigo), soltada(pulsada ? 0 : 1) {}

Frase::Frase(double x, double y) : tipo(kToque), codigo(0), soltada(0), x(x), y(y) {}
