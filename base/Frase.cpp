// Key message.
#include "base/Frase.h"

Frase::Frase(int32_t codigo, bool pulsada) : tipo(0), codigo(codigo), soltada(pulsada ? 0 : 1) {}
