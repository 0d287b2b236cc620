#include "lesson/ListaNumeros.h"

#include <climits>
#include <vector>

#include "lesson/Azar.h"

namespace {

// A number being read, which stops counting once it is too big to keep.
struct Numero {
  int64_t valor = 0;
  bool desbordado = false;

  void Sumar(int digito) {
    if (desbordado) return;
    valor = valor * 10 + digito;
    if (valor > INT_MAX) desbordado = true;
  }
};

}  // namespace

void ListaNumeros::Leer(const char* lista, TColeccion<int>* numeros) {
  Numero actual;
  Numero inicio;
  bool rango = false;
  for (const char* c = lista;; ++c) {
    if (*c >= '0' && *c <= '9') {
      actual.Sumar(*c - '0');
    } else if (*c == '-') {
      inicio = actual;
      rango = true;
      actual = Numero();
    } else if (*c == ',' || *c == '\0') {
      if (!rango) {
        if (!actual.desbordado) numeros->Agregar(static_cast<int>(actual.valor));
      } else {
        if (!inicio.desbordado && !actual.desbordado) {
          Expandir(inicio.valor, actual.valor, numeros);
        }
        rango = false;
      }
      actual = Numero();
      if (*c == '\0') return;
    }
  }
}

void ListaNumeros::Expandir(int64_t desde, int64_t hasta, TColeccion<int>* numeros) {
  if (desde > hasta) return;
  const int64_t cuantos = hasta - desde + 1;
  if (cuantos > kRangoMaximo) return;
  // A random order found by rejection: a draw already picked is drawn again.
  // The picks are marked in a table rather than searched, so that even the
  // widest range is ordered in a moment.
  std::vector<bool> elegido(static_cast<size_t>(cuantos), false);
  for (int64_t faltan = cuantos; faltan > 0;) {
    const int64_t posicion = Azar::Sacar() % cuantos;
    if (elegido[static_cast<size_t>(posicion)]) continue;
    elegido[static_cast<size_t>(posicion)] = true;
    numeros->Agregar(static_cast<int>(desde + posicion));
    --faltan;
  }
}
