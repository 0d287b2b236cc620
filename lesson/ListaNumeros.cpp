#include "lesson/ListaNumeros.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "lesson/Azar.h"
#include "lesson/Colocacion.h"
#include "lesson/Eleccion.h"
#include "lesson/Numero.h"
#include "lesson/Voz.h"

namespace {

// Where a list's cards go, and who hears of its items.
struct Destino {
  TColeccion<Tarjeta>* tarjetas;
  int32_t instantes;
  ListaNumeros::Oyente* oyente;
  const char* leccion;
  // Whether the cards show numerals.
  bool cifra;

  void Agregar(int numero, const char* palabra) const {
    tarjetas->Agregar(Tarjeta{numero, palabra, instantes, cifra});
  }
};

// Past the blanks at c, and a numeral's '#' with the blanks after it, which
// sets *cifra.
const char* Marca(const char* c, const char* fin, bool* cifra) {
  while (c < fin && (*c == ' ' || *c == '\t')) ++c;
  if (c == fin || *c != '#') return c;
  *cifra = true;
  for (++c; c < fin && (*c == ' ' || *c == '\t');) ++c;
  return c;
}

// Appends cartas in a random order, found by rejection: a draw already
// picked is drawn again. The picks are marked in a table rather than
// searched, so that even the widest range is ordered in a moment. At most
// kRangoMaximo cards: the draws give 0 to 32767.
void Mezclar(const std::vector<Tarjeta>& cartas, const Destino& destino) {
  const size_t cuantas = cartas.size();
  std::vector<bool> elegida(cuantas, false);
  for (size_t faltan = cuantas; faltan > 0;) {
    const size_t posicion = static_cast<size_t>(Azar::Sacar()) % cuantas;
    if (elegida[posicion]) continue;
    elegida[posicion] = true;
    destino.tarjetas->Agregar(cartas[posicion]);
    --faltan;
  }
}

// The text from item to fin without the blanks around it.
std::string Recortado(const char* item, const char* fin) {
  while (item < fin && (*item == ' ' || *item == '\t')) ++item;
  while (fin > item && (fin[-1] == ' ' || fin[-1] == '\t')) --fin;
  return std::string(item, fin);
}

// Tells of a guess about an item of the list.
void Avisar(const std::string& texto, const Destino& destino) {
  destino.oyente->Aviso("", std::string(destino.leccion) + ": " + texto);
}

// A range of at most kRangoMaximo numbers, desde not past hasta.
void Expandir(int64_t desde, int64_t hasta, const Destino& destino) {
  const int64_t cuantos = hasta - desde + 1;
  destino.oyente->AlAzar(std::to_string(desde) + " to " + std::to_string(hasta),
                         static_cast<int>(cuantos));
  std::vector<Tarjeta> cartas;
  for (int64_t numero = desde; numero <= hasta; ++numero) {
    cartas.push_back(
        Tarjeta{static_cast<int32_t>(numero), nullptr, destino.instantes, destino.cifra});
  }
  Mezclar(cartas, destino);
}

// An item without '=': a number or a range, with a warning when it is read
// by a guess or adds nothing.
void LeerNumeros(const char* item, const char* fin, const Destino& destino) {
  Numero actual;
  Numero inicio;
  bool rango = false;
  // Whether the item is more than its number or range: a character skipped,
  // a blank within a number, a hyphen without a number on each side, a
  // second hyphen. cifras: the running number has digits; hueco: a blank
  // has come after them.
  bool raro = false;
  bool cifras = false;
  bool hueco = false;
  for (const char* c = item; c < fin; ++c) {
    if (*c >= '0' && *c <= '9') {
      raro = raro || hueco;
      actual.Sumar(*c);
      cifras = true;
    } else if (*c == '-') {
      raro = raro || rango || !cifras;
      inicio = actual;
      rango = true;
      actual = Numero();
      cifras = hueco = false;
    } else if (*c == ' ' || *c == '\t') {
      hueco = cifras;
    } else {
      raro = true;
    }
  }
  const std::string escrito = "\"" + Recortado(item, fin) + "\"";
  if (!rango) {
    if (actual.desbordado) return Avisar(escrito + " is left out: past 2147483647", destino);
    if (raro) {
      Avisar(escrito + " is read as " + std::to_string(actual.valor), destino);
    } else if (!cifras) {
      Avisar("an empty item is read as 0", destino);
    }
    return destino.Agregar(static_cast<int>(actual.valor), nullptr);
  }
  if (inicio.desbordado || actual.desbordado) {
    return Avisar(escrito + " is left out: past 2147483647", destino);
  }
  raro = raro || !cifras;
  std::string leido = escrito;
  if (raro) {
    leido += " is read as " + std::to_string(inicio.valor) + "-" + std::to_string(actual.valor);
  }
  std::string nada;
  if (inicio.valor > actual.valor) {
    nada = "its end is below its start";
  } else if (actual.valor - inicio.valor >= ListaNumeros::kRangoMaximo) {
    nada = "it holds more than " + std::to_string(ListaNumeros::kRangoMaximo) + " numbers";
  }
  if (!nada.empty())
    return Avisar(leido + (raro ? ", which" : "") + " shows nothing: " + nada, destino);
  if (raro) Avisar(leido, destino);
  Expandir(inicio.valor, actual.valor, destino);
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

// The value of a number's digits; past INT32_MAX, some value past it.
int64_t Valor(const std::string& cifras) {
  Numero numero;
  for (const char c : cifras) numero.Sumar(c);
  return numero.valor;
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
      igualdad->operaciones += Voz::DeOperacion(*c).operacion;
    }
  }
  return igualdad->numeros.size() < 2 ? "a number is missing" : "";
}

// Works out numeros joined by operaciones (+ - x :), x and : before + and
// -; returns why the equation is refused, or "" with its result in
// *resultado.
std::string Resolver(const std::vector<int64_t>& numeros, const std::string& operaciones,
                     int64_t* resultado) {
  // Numbers of at most kMaximo, at most four of them: every value fits.
  int64_t suma = 0;
  int64_t termino = numeros[0];
  int64_t signo = 1;
  for (size_t i = 1; i < numeros.size(); ++i) {
    const char operacion = operaciones[i - 1];
    const int64_t numero = numeros[i];
    if (operacion == 'x') {
      termino *= numero;
    } else if (operacion == ':') {
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

// Tells that the item from item to fin is left out (quoted without the
// blanks around it): "the equation" or "the choice" que, and why.
void Omitir(const char* que, const char* item, const char* fin, const std::string& razon,
            const Destino& destino) {
  destino.oyente->Omitido(std::string("contapuntos: ") + destino.leccion + ": " + que + " \"" +
                          Recortado(item, fin) + "\" is left out: " + razon);
}

// Works out the equation from desde to fin; returns why it is refused, or ""
// with its numbers in *valores and its result in *resultado.
std::string Calcular(const char* desde, const char* fin, Igualdad* igualdad,
                     std::vector<int64_t>* valores, int64_t* resultado) {
  std::string razon = Analizar(desde, fin, igualdad);
  for (const std::string& cifras : igualdad->numeros) {
    valores->push_back(Valor(cifras));
    if (razon.empty() && valores->back() > kMaximo) {
      razon =
          "the number " + cifras + " is more than a card holds (" + std::to_string(kMaximo) + ")";
    }
  }
  if (razon.empty()) razon = Resolver(*valores, igualdad->operaciones, resultado);
  if (razon.empty() && !igualdad->respuesta.empty() && Valor(igualdad->respuesta) != *resultado) {
    razon = "its answer is " + std::to_string(*resultado) + ", not " + igualdad->respuesta;
  }
  return razon;
}

void AgregarIgualdad(const Igualdad& igualdad, const std::vector<int64_t>& valores,
                     int64_t resultado, const Destino& destino) {
  std::string escrita = std::to_string(valores[0]);
  for (size_t i = 1; i < valores.size(); ++i) {
    escrita += std::string(" ") + igualdad.operaciones[i - 1] + " " + std::to_string(valores[i]);
  }
  destino.oyente->Igualdad(escrita + " = " + std::to_string(resultado),
                           static_cast<int>(valores.size()) + 1);
  destino.Agregar(static_cast<int>(valores[0]), "");
  for (size_t i = 1; i < valores.size(); ++i) {
    destino.Agregar(static_cast<int>(valores[i]),
                    Voz::DeOperacion(igualdad.operaciones[i - 1]).grabacion);
  }
  destino.Agregar(static_cast<int>(resultado), Voz::DeOperacion('=').grabacion);
}

// An item with '=', read from desde to fin: the cards of an equation, or the
// line that tells why it is left out, which quotes the item from item on.
void LeerIgualdad(const char* item, const char* desde, const char* fin, const Destino& destino) {
  Igualdad igualdad;
  std::vector<int64_t> valores;
  int64_t resultado = 0;
  const std::string razon = Calcular(desde, fin, &igualdad, &valores, &resultado);
  if (!razon.empty()) return Omitir("the equation", item, fin, razon, destino);
  AgregarIgualdad(igualdad, valores, resultado, destino);
}

// One group of a choice, from c to fin: its number into *numero, whether a
// '#' marks it into *cifra; returns why it cannot be a group, or "".
std::string LeerGrupoDeEleccion(const char* c, const char* fin, int64_t* numero, bool* cifra) {
  c = Marca(c, fin, cifra);
  std::string cifras;
  for (; c < fin; ++c) {
    if (*c >= '0' && *c <= '9') {
      cifras += *c;
    } else if (*c == '-') {
      return "a range cannot be a group of a choice";
    } else if (*c == '[' || *c == ']') {
      return "a group in brackets cannot be a group of a choice";
    } else if (*c != ' ' && *c != '\t') {
      return "\"" + Caracter(c, fin) + "\" is not a number";
    }
  }
  if (cifras.empty()) return "a number is missing";
  *numero = Valor(cifras);
  if (*numero > ListaNumeros::kMayorDeEleccion) {
    return "the number " + cifras + " is more than a group shows (" +
           std::to_string(ListaNumeros::kMayorDeEleccion) + ")";
  }
  return "";
}

// An item with '?', read from desde to fin: a choice, after the cards of its
// equation when it has one; or the line that tells why it is left out.
void LeerEleccion(const char* item, const char* desde, const char* fin, const Destino& destino) {
  const char* pregunta = std::find(desde, fin, '?');
  const bool conIgualdad = std::find(desde, pregunta, '=') != pregunta;
  Igualdad igualdad;
  std::vector<int64_t> valores;
  int64_t grupos[Eleccion::kMaximoGrupos] = {};
  std::string razon;
  if (conIgualdad) {
    razon = Calcular(desde, pregunta, &igualdad, &valores, &grupos[0]);
    if (!razon.empty()) return Omitir("the equation", item, fin, razon, destino);
    if (grupos[0] > ListaNumeros::kMayorDeEleccion) {
      razon = "its answer, " + std::to_string(grupos[0]) + ", is more than a group shows (" +
              std::to_string(ListaNumeros::kMayorDeEleccion) + ")";
    }
  } else {
    bool cifra = false;
    razon = LeerGrupoDeEleccion(desde, pregunta, &grupos[0], &cifra);
  }
  int cuantos = 1;
  for (const char* parte = pregunta; razon.empty() && parte < fin;) {
    const char* siguiente = std::find(parte + 1, fin, '?');
    bool cifra = destino.cifra;
    int64_t numero = 0;
    razon = LeerGrupoDeEleccion(parte + 1, siguiente, &numero, &cifra);
    if (!razon.empty()) break;
    if (cifra != destino.cifra) {
      razon =
          "its groups would be dots and numerals both: a '#' before the choice makes them "
          "all numerals";
    } else if (cuantos == Eleccion::kMaximoGrupos) {
      razon = "it has more than " + std::to_string(Eleccion::kMaximoGrupos) + " groups";
    } else if (numero == grupos[0]) {
      razon = "the number asked, " + std::to_string(numero) + ", is another group too";
    } else if (cuantos == 2 && numero == grupos[1]) {
      razon = "two groups are both " + std::to_string(numero);
    } else {
      grupos[cuantos++] = numero;
    }
    parte = siguiente;
  }
  if (!razon.empty()) return Omitir("the choice", item, fin, razon, destino);
  if (conIgualdad) AgregarIgualdad(igualdad, valores, grupos[0], destino);
  Tarjeta eleccion{static_cast<int32_t>(grupos[0]), Voz::DeOperacion('?').grabacion,
                   destino.instantes, destino.cifra};
  for (int i = 1; i < cuantos; ++i) eleccion.otros[i - 1] = static_cast<int32_t>(grupos[i]);
  destino.tarjetas->Agregar(eleccion);
}

// Hears a group's items: their cards are told as one, their warnings are
// passed on to the list's own listener.
class DeGrupo : public ListaNumeros::Oyente {
 public:
  explicit DeGrupo(ListaNumeros::Oyente* lista) : lista(lista) {}
  void AlAzar(const std::string&, int) override {}
  void Igualdad(const std::string&, int) override {}
  void Omitido(const std::string&) override {}
  void Aviso(const std::string& ajuste, const std::string& texto) override {
    lista->Aviso(ajuste, texto);
  }

 private:
  ListaNumeros::Oyente* lista;
};

// A group, the items between its brackets (from item to fin): their cards,
// each read as a list's (a '#' before one makes its cards numerals), in an
// order drawn anew at each run. An equation keeps its order, so it cannot be
// in a group.
void LeerGrupo(const char* item, const char* fin, const Destino& destino) {
  TColeccion<Tarjeta> grupo;
  DeGrupo oyente(destino.oyente);
  for (const char* elemento = item;;) {
    const char* hasta = std::find(elemento, fin, ',');
    Destino interno{&grupo, destino.instantes, &oyente, destino.leccion, destino.cifra};
    const char* numeros = Marca(elemento, hasta, &interno.cifra);
    if (std::find(elemento, hasta, '?') != hasta) {
      Omitir("the choice", elemento, hasta,
             "a choice keeps its place, so it cannot be in a group "
             "in brackets",
             destino);
    } else if (std::find(elemento, hasta, '=') != hasta) {
      destino.oyente->Omitido(std::string("contapuntos: ") + destino.leccion + ": the equation \"" +
                              std::string(elemento, hasta) +
                              "\" is left out: an equation keeps its order, so it cannot be in "
                              "a group in brackets");
    } else {
      LeerNumeros(numeros, hasta, interno);
    }
    if (hasta == fin) break;
    elemento = hasta + 1;
  }
  if (grupo.cantidad > ListaNumeros::kRangoMaximo) {
    return Avisar("the group \"[" + std::string(item, fin) +
                      "]\" shows nothing: it holds more than " +
                      std::to_string(ListaNumeros::kRangoMaximo) + " cards",
                  destino);
  }
  if (grupo.cantidad == 0) return;
  destino.oyente->AlAzar("[" + std::string(item, fin) + "]", static_cast<int>(grupo.cantidad));
  Mezclar(std::vector<Tarjeta>(grupo.elementos, grupo.elementos + grupo.cantidad), destino);
}

}  // namespace

void ListaNumeros::Leer(const char* lista, const char* leccion, int32_t instantes,
                        TColeccion<Tarjeta>* tarjetas, Oyente* oyente) {
  for (const char* item = lista;;) {
    const char* fin = item + std::strcspn(item, ",");
    Destino destino{tarjetas, instantes, oyente, leccion, false};
    const char* abre = Marca(item, fin, &destino.cifra);
    if (*abre == '[') {
      // The group runs to its closing bracket, or to the end of the list;
      // what follows the bracket up to the next comma is skipped.
      const char* cierra = abre + 1 + std::strcspn(abre + 1, "]");
      fin = cierra + std::strcspn(cierra, ",");
      if (*cierra != ']') {
        Avisar("the group \"" + Recortado(abre, cierra) +
                   "\" has no ]: it runs to the end of the list",
               destino);
      } else if (!Recortado(cierra + 1, fin).empty()) {
        Avisar("\"" + Recortado(cierra + 1, fin) + "\" after the group's ] is skipped", destino);
      }
      LeerGrupo(abre + 1, cierra, destino);
    } else if (std::find(item, fin, '?') != fin) {
      // A group in brackets in a choice is refused whole, to its bracket.
      if (std::find(item, fin, '[') != fin) fin += std::strcspn(fin, "]");
      fin += std::strcspn(fin, ",");
      LeerEleccion(item, abre, fin, destino);
    } else if (std::find(item, fin, '=') != fin) {
      LeerIgualdad(item, abre, fin, destino);
    } else {
      LeerNumeros(abre, fin, destino);
    }
    if (*fin == '\0') return;
    item = fin + 1;
  }
}
