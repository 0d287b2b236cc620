#include "lesson/Numero.h"

#include <climits>

namespace {

bool Blanco(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

void Numero::Sumar(char cifra) {
  if (desbordado) return;
  valor = valor * 10 + (cifra - '0');
  if (valor > INT32_MAX) desbordado = true;
}

int32_t Numero::Leer(const char* texto, int32_t defecto) {
  const char* c = texto;
  while (Blanco(*c)) ++c;
  const bool negativo = *c == '-';
  if (*c == '-' || *c == '+') ++c;
  if (*c < '0' || *c > '9') return defecto;
  Numero numero;
  for (; *c >= '0' && *c <= '9'; ++c) numero.Sumar(*c);
  if (numero.desbordado) return negativo ? INT32_MIN : INT32_MAX;
  return static_cast<int32_t>(negativo ? -numero.valor : numero.valor);
}

bool Numero::Exacto(const char* texto) {
  const char* c = texto;
  while (Blanco(*c)) ++c;
  if (*c == '-' || *c == '+') ++c;
  if (*c < '0' || *c > '9') return false;
  while (*c >= '0' && *c <= '9') ++c;
  while (Blanco(*c)) ++c;
  return *c == '\0';
}
