#include "lesson/VistaPrevia.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "base/Fallo.h"
#include "lesson/Colocacion.h"
#include "lesson/Diario.h"
#include "lesson/Leccion.h"
#include "lesson/ReproducirSonido.h"
#include "lesson/Voz.h"
#include "platform/platform.h"

namespace {

// --all tells at most this many lessons: a hand-edited count of millions
// would otherwise print for hours.
constexpr int32_t kLeccionesMostradas = 10000;

// What the reader told of the list, before which card: cards in an order
// drawn at each run or an equation, as written (texto) and how many cards
// they are; or an item left out or a warning, with the run's line (texto).
struct Suceso {
  enum Tipo { kAlAzar, kIgualdad, kLinea };
  uint32_t tarjeta;
  Tipo tipo;
  int tarjetas;
  std::string texto;
};

class Registro : public ListaNumeros::Oyente {
 public:
  explicit Registro(const TColeccion<Tarjeta>& tarjetas) : tarjetas(tarjetas) {}

  void AlAzar(const std::string& escrito, int cuantas) override {
    sucesos.push_back({tarjetas.cantidad, Suceso::kAlAzar, cuantas, escrito});
  }
  void Igualdad(const std::string& escrita, int cuantas) override {
    sucesos.push_back({tarjetas.cantidad, Suceso::kIgualdad, cuantas, escrita});
  }
  void Omitido(const std::string& linea) override {
    sucesos.push_back({tarjetas.cantidad, Suceso::kLinea, 0, linea});
  }
  void Aviso(const std::string& ajuste, const std::string& texto) override {
    const std::string linea = ListaNumeros::kAviso + texto;
    if (ajuste.empty()) {
      sucesos.push_back({tarjetas.cantidad, Suceso::kLinea, 0, linea});
    } else {
      (EsDeTiempo(ajuste) ? deTiempo : deCuentas) += linea + "\n";
    }
  }

  // Whether a setting is of a card's time, told beside the card time's line
  // rather than beside the counters'.
  static bool EsDeTiempo(const std::string& ajuste) {
    return ajuste == "TiempoBit" || ajuste == "PalabraEntera" || ajuste == "TiempoEleccion";
  }

  const TColeccion<Tarjeta>& tarjetas;
  std::vector<Suceso> sucesos;
  // The settings' warnings, each a line: the counters', and the card times'.
  std::string deCuentas;
  std::string deTiempo;
};

// "1 card", "3 cards".
std::string Tarjetas(int64_t cuantas) {
  return std::to_string(cuantas) + (cuantas == 1 ? " card" : " cards");
}

// A time in ticks as a parent reads it: "1 s", "1.5 s", "2.37 s".
std::string Segundos(int64_t instantes) {
  char texto[32];
  constexpr int kPorDecima = kFramesPerSecond / 10;
  if (instantes % kPorDecima == 0) {
    const int64_t decimas = instantes / kPorDecima;
    if (decimas % 10 == 0) {
      std::snprintf(texto, sizeof texto, "%lld s", static_cast<long long>(decimas / 10));
    } else {
      std::snprintf(texto, sizeof texto, "%lld.%lld s", static_cast<long long>(decimas / 10),
                    static_cast<long long>(decimas % 10));
    }
  } else {
    std::snprintf(texto, sizeof texto, "%.2f s", double(instantes) / kFramesPerSecond);
  }
  return texto;
}

// What a card plays, as a parent reads it: the built-in voice's words, the
// names of the parent's own recordings, or the chime of a missing one.
std::string Dicho(const Tarjeta& tarjeta, const char* idioma) {
  const Texto nombre = Voz::Nombre(tarjeta.numero, idioma);
  const Texto palabra = Voz::Nombre(tarjeta.palabra != nullptr ? tarjeta.palabra : "", idioma);
  const Sonido sonido = QueSuena(palabra, nombre);
  std::string dicho;
  if (sonido.palabra == Grabacion::Origen::kRecurso) {
    const Voz::Palabra* escrita = Voz::DeGrabacion(tarjeta.palabra);
    dicho = std::string(*idioma == '\0' ? escrita->espanol : escrita->ingles) + " ";
  } else if (sonido.palabra == Grabacion::Origen::kArchivo) {
    dicho = std::string(palabra) + " + ";
  }
  if (sonido.numero == Grabacion::Origen::kRecurso) {
    dicho += Voz::Dice(tarjeta.numero, idioma);
  } else if (sonido.numero == Grabacion::Origen::kArchivo) {
    dicho += nombre;
  } else {
    dicho += std::string("a chime (no ") + static_cast<const char*>(nombre) + ")";
  }
  if (!sonido.fallo.empty()) dicho += " (" + sonido.fallo + ")";
  if (!tarjeta.cifra && tarjeta.numero > Colocacion::kPuntosMaximos) {
    dicho += " (" + std::to_string(Colocacion::kPuntosMaximos) + " dots, the most a card holds)";
  }
  return dicho;
}

// The most ticks a card stays: a choice's, its whole wait and then its
// own ticks.
int64_t Instantes(const Tarjeta& tarjeta, const Leccion& leccion) {
  return tarjeta.instantes + (tarjeta.EsEleccion() ? leccion.instantesEleccion : 0);
}

void Linea(const Tarjeta& tarjeta, const Leccion& leccion) {
  // A numeral's card shows the written number: "#7".
  const std::string marca = tarjeta.cifra ? "#" : "";
  const std::string muestra = marca + std::to_string(tarjeta.numero);
  std::string dicho = Dicho(tarjeta, leccion.idioma);
  if (tarjeta.EsEleccion()) {
    std::string escrita = muestra;
    for (const int32_t otro : tarjeta.otros) {
      if (otro >= 0) escrita += " ? " + marca + std::to_string(otro);
    }
    std::printf("  %s, a choice: waits up to %s for a pick, then stays %s:\n", escrita.c_str(),
                Segundos(leccion.instantesEleccion).c_str(), Segundos(tarjeta.instantes).c_str());
    Tarjeta numero = tarjeta;
    numero.palabra = nullptr;
    dicho += "; then " + Dicho(numero, leccion.idioma);
  }
  std::printf("  %6s  %-8s %s\n", muestra.c_str(), Segundos(Instantes(tarjeta, leccion)).c_str(),
              dicho.c_str());
}

// The cards of a lesson in order, with what the reader told of its items.
void Contar(const Leccion& leccion, const Registro& registro) {
  const TColeccion<Tarjeta>& tarjetas = leccion.tarjetas;
  int64_t total = 0;
  for (uint32_t i = 0; i < tarjetas.cantidad; ++i)
    total += Instantes(tarjetas.elementos[i], leccion);
  std::printf("    card  for      says\n");
  uint32_t i = 0;
  for (size_t s = 0;;) {
    if (s < registro.sucesos.size() && registro.sucesos[s].tarjeta == i) {
      const Suceso& suceso = registro.sucesos[s++];
      if (suceso.tipo == Suceso::kLinea) {
        std::printf("%s\n", suceso.texto.c_str());
      } else if (suceso.tipo == Suceso::kIgualdad) {
        std::printf("  %s, %s:\n", suceso.texto.c_str(), Tarjetas(suceso.tarjetas).c_str());
      } else {
        std::printf("  %s, %s in an order drawn anew at each run:\n", suceso.texto.c_str(),
                    Tarjetas(suceso.tarjetas).c_str());
        std::vector<Tarjeta> rango(tarjetas.elementos + i,
                                   tarjetas.elementos + i + suceso.tarjetas);
        std::sort(rango.begin(), rango.end(),
                  [](const Tarjeta& a, const Tarjeta& b) { return a.numero < b.numero; });
        for (const Tarjeta& tarjeta : rango) Linea(tarjeta, leccion);
        i += static_cast<uint32_t>(rango.size());
      }
      continue;
    }
    if (i >= tarjetas.cantidad) break;
    Linea(tarjetas.elementos[i++], leccion);
  }
  std::printf("  %s, %s in all.\n", Tarjetas(tarjetas.cantidad).c_str(), Segundos(total).c_str());
}

// Who says the numbers: a built-in voice, or the parent's own recordings.
std::string Hablante(const char* idioma) {
  if (*idioma == '\0') return "the Spanish voice";
  Grabacion uno;
  if (uno.Buscar(Voz::Nombre(1, idioma)) == Grabacion::Origen::kRecurso) return "the English voice";
  return std::string("your own recordings (files such as ") +
         static_cast<const char*>(Voz::Nombre(7, idioma)) + ")";
}

}  // namespace

int VistaPrevia::Mostrar(const char* donde, bool todas) {
  std::string archivo = donde != nullptr ? donde : Leccion::kArchivo;
  const DWORD atributos = GetFileAttributesA(archivo.c_str());
  if (atributos != INVALID_FILE_ATTRIBUTES && (atributos & FILE_ATTRIBUTE_DIRECTORY)) {
    // A folder's lesson file, named with the separator the folder is
    // written with.
    const bool barra =
        archivo.find('/') != std::string::npos && archivo.find('\\') == std::string::npos;
    if (archivo.back() != '/' && archivo.back() != '\\') archivo += barra ? '/' : '\\';
    archivo += "CPControl.ini";
  }
  char completo[4096];
  char* nombre = nullptr;
  const DWORD largo = GetFullPathNameA(archivo.c_str(), sizeof completo, completo, &nombre);
  const HANDLE abierto = largo == 0 || largo >= sizeof completo || nombre == nullptr
                             ? INVALID_HANDLE_VALUE
                             : CreateFileA(completo, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (abierto == INVALID_HANDLE_VALUE) {
    char razon[512];
    RazonDelSistema(razon, sizeof razon);
    // Named in full, so that a parent sees which folder was looked in.
    const bool entero = largo != 0 && largo < sizeof completo;
    std::fprintf(stderr, "contapuntos: cannot read %s: %s\n", entero ? completo : archivo.c_str(),
                 razon);
    return 1;
  }
  CloseHandle(abierto);
  // A run looks for its recordings' files in the lesson file's folder, and
  // notes itself in the diary there.
  const std::string carpeta(completo, nombre);
  SetCurrentDirectoryA(carpeta.c_str());

  Leccion leccion;
  Registro registro(leccion.tarjetas);
  leccion.Leer(completo, &registro);
  const int32_t lecciones = leccion.Lecciones();
  std::printf("Lesson file: %s\n", completo);
  std::printf("Each run is noted in %s%s.\n", carpeta.c_str(), Diario::kNombre);
  std::printf("Next run: lesson %d of %d, session %d of %d, in %s.\n", leccion.leccionActual,
              lecciones, leccion.paseActual, leccion.PasesPorLeccion(),
              Hablante(leccion.idioma).c_str());
  std::printf("%s", registro.deCuentas.c_str());
  if (leccion.palabraEntera) {
    std::printf("Each card stays %s, or until its word has been said (PalabraEntera=1).\n",
                Segundos(leccion.instantesPorBit).c_str());
  } else {
    std::printf("Each card stays %s; a card of an equation, until its words have been said.\n",
                Segundos(leccion.instantesPorBit).c_str());
  }
  std::printf("%s", registro.deTiempo.c_str());
  if (!todas) {
    Contar(leccion, registro);
    leccion.Avanzar();
    std::printf("After it: lesson %d, session %d.\n", leccion.leccionActual, leccion.paseActual);
    return 0;
  }
  for (int32_t numero = 1; numero <= std::min(lecciones, kLeccionesMostradas); ++numero) {
    Leccion otra;
    Registro suyo(otra.tarjetas);
    otra.Leer(completo, &suyo, numero);
    std::printf("\nLesson %d:\n", numero);
    Contar(otra, suyo);
  }
  if (lecciones > kLeccionesMostradas) {
    std::printf("\nThe file counts %d lessons; --all tells the first %d.\n", lecciones,
                kLeccionesMostradas);
  }
  return 0;
}
