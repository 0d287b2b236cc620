#include "lesson/ListaNumeros.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "lesson/Azar.h"
#include "lesson/Colocacion.h"

namespace {

// Where a list's cards go: each card's number and the word said before it.
struct Tarjetas {
  TColeccion<int>* numeros;
  TColeccion<const char*>* palabras;

  void Agregar(int numero, const char* palabra) const {
    numeros->Agregar(numero);
    palabras->Agregar(palabra);
  }
};

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

void Expandir(int64_t desde, int64_t hasta, const Tarjetas& tarjetas) {
  if (desde > hasta) return;
  const int64_t cuantos = hasta - desde + 1;
  if (cuantos > ListaNumeros::kRangoMaximo) return;
  // A random order found by rejection: a draw already picked is drawn again.
  // The picks are marked in a table rather than searched, so that even the
  // widest range is ordered in a moment.
  std::vector<bool> elegido(static_cast<size_t>(cuantos), false);
  for (int64_t faltan = cuantos; faltan > 0;) {
    const int64_t posicion = Azar::Sacar() % cuantos;
    if (elegido[static_cast<size_t>(posicion)]) continue;
    elegido[static_cast<size_t>(posicion)] = true;
    tarjetas.Agregar(static_cast<int>(desde + posicion), nullptr);
    --faltan;
  }
}

// An item without '=': a number or a range.
void LeerNumeros(const char* item, const char* fin, const Tarjetas& tarjetas) {
  Numero actual;
  Numero inicio;
  bool rango = false;
  for (const char* c = item; c < fin; ++c) {
    if (*c >= '0' && *c <= '9') {
      actual.Sumar(*c - '0');
    } else if (*c == '-') {
      inicio = actual;
      rango = true;
      actual = Numero();
    }
  }
  if (!rango) {
    if (!actual.desbordado) tarjetas.Agregar(static_cast<int>(actual.valor), nullptr);
  } else if (!inicio.desbordado && !actual.desbordado) {
    Expandir(inicio.valor, actual.valor, tarjetas);
  }
}

constexpr size_t kNumerosPorIgualdad = 4;
constexpr int64_t kMaximo = Colocacion::kPuntosMaximos;

// An equation as written: the digits of its numbers, the operation before
// each number after the first, and the digits of its answer (none when it
// has none).
struct Igualdad {
  std::vector<std::string> numeros;
  std::string operaciones;
  std::string respuesta;
};

bool EsOperacion(char c) { return c != '\0' && std::strchr("+-xX*:/", c) != nullptr; }
bool EsDivision(char operacion) { return operacion == ':' || operacion == '/'; }
bool EsProducto(char operacion) { return std::strchr("xX*", operacion) != nullptr; }

// The start of the name of the recording of the word said before a number
// that operacion applies to.
const char* Palabra(char operacion) {
  if (operacion == '+') return "MAS";
  if (operacion == '-') return "MENOS";
  return EsProducto(operacion) ? "POR" : "ENTRE";
}

// The value of a number's digits; past kMaximo, some value past it.
int64_t Valor(const std::string& cifras) {
  int64_t valor = 0;
  for (const char c : cifras) {
    valor = valor * 10 + (c - '0');
    if (valor > kMaximo) return valor;
  }
  return valor;
}

// The character at c, with the bytes that continue it in UTF-8.
std::string Caracter(const char* c, const char* fin) {
  const char* siguiente = c + 1;
  while (siguiente < fin && (static_cast<unsigned char>(*siguiente) & 0xC0) == 0x80) ++siguiente;
  return std::string(c, siguiente);
}

// Reads the equation from item to fin; returns why it cannot be read, or ""
// when it can.
std::string Analizar(const char* item, const char* fin, Igualdad* igualdad) {
  std::string cifras;
  bool igual = false;
  for (const char* c = item; c < fin; ++c) {
    if (*c == ' ' || *c == '\t') continue;
    if (*c >= '0' && *c <= '9') {
      (igual ? igualdad->respuesta : cifras) += *c;
      continue;
    }
    if (!EsOperacion(*c) && *c != '=') {
      return "\"" + Caracter(c, fin) + "\" is not a number, an operation (+ - x * : /) or =";
    }
    if (igual) return *c == '=' ? "it has more than one =" : "its answer is not a number";
    if (cifras.empty()) return "a number is missing";
    if (igualdad->numeros.size() == kNumerosPorIgualdad) return "it has more than four numbers";
    igualdad->numeros.push_back(cifras);
    cifras.clear();
    if (*c == '=') {
      igual = true;
    } else {
      igualdad->operaciones += *c;
    }
  }
  return igualdad->numeros.size() < 2 ? "a number is missing" : "";
}

// Works out numeros joined by operaciones, x and : before + and -; returns
// why the equation is refused, or "" with its result in *resultado.
std::string Resolver(const std::vector<int64_t>& numeros, const std::string& operaciones,
                     int64_t* resultado) {
  // Numbers of at most kMaximo, at most four of them: every value fits.
  int64_t suma = 0;
  int64_t termino = numeros[0];
  int64_t signo = 1;
  for (size_t i = 1; i < numeros.size(); ++i) {
    const char operacion = operaciones[i - 1];
    const int64_t numero = numeros[i];
    if (EsProducto(operacion)) {
      termino *= numero;
    } else if (EsDivision(operacion)) {
      if (numero == 0) return "it divides by zero";
      if (termino % numero != 0) {
        return std::to_string(termino) + " divided by " + std::to_string(numero) +
               " does not come out exact";
      }
      termino /= numero;
    } else {
      suma += signo * termino;
      termino = numero;
      signo = operacion == '-' ? -1 : 1;
    }
  }
  *resultado = suma + signo * termino;
  if (*resultado < 0) return "its result, " + std::to_string(*resultado) + ", is below zero";
  if (*resultado > kMaximo) {
    return "its result, " + std::to_string(*resultado) + ", is more than a card holds (" +
           std::to_string(kMaximo) + ")";
  }
  return "";
}

// An item with '=': the cards of an equation, or a line on standard error
// that tells why it is left out.
void LeerIgualdad(const char* item, const char* fin, const char* leccion,
                  const Tarjetas& tarjetas) {
  Igualdad igualdad;
  std::string razon = Analizar(item, fin, &igualdad);
  std::vector<int64_t> valores;
  for (const std::string& cifras : igualdad.numeros) {
    valores.push_back(Valor(cifras));
    if (razon.empty() && valores.back() > kMaximo) {
      razon =
          "the number " + cifras + " is more than a card holds (" + std::to_string(kMaximo) + ")";
    }
  }
  int64_t resultado = 0;
  if (razon.empty()) razon = Resolver(valores, igualdad.operaciones, &resultado);
  if (razon.empty() && !igualdad.respuesta.empty() && Valor(igualdad.respuesta) != resultado) {
    razon = "its answer is " + std::to_string(resultado) + ", not " + igualdad.respuesta;
  }
  if (!razon.empty()) {
    while (item < fin && (*item == ' ' || *item == '\t')) ++item;
    while (fin > item && (fin[-1] == ' ' || fin[-1] == '\t')) --fin;
    std::fprintf(stderr, "contapuntos: %s: the equation \"%.*s\" is left out: %s\n", leccion,
                 static_cast<int>(fin - item), item, razon.c_str());
    return;
  }
  tarjetas.Agregar(static_cast<int>(valores[0]), "");
  for (size_t i = 1; i < valores.size(); ++i) {
    tarjetas.Agregar(static_cast<int>(valores[i]), Palabra(igualdad.operaciones[i - 1]));
  }
  tarjetas.Agregar(static_cast<int>(resultado), "IGUAL");
}

}  // namespace

void ListaNumeros::Leer(const char* lista, const char* leccion, TColeccion<int>* numeros,
                        TColeccion<const char*>* palabras) {
  const Tarjetas tarjetas{numeros, palabras};
  for (const char* item = lista;;) {
    const char* fin = item + std::strcspn(item, ",");
    if (std::find(item, fin, '=') != fin) {
      LeerIgualdad(item, fin, leccion, tarjetas);
    } else {
      LeerNumeros(item, fin, tarjetas);
    }
    if (*fin == '\0') return;
    item = fin + 1;
  }
}
