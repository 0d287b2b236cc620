#include "lesson/Leccion.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "lesson/Numero.h"
#include "lesson/ReproducirSonido.h"
#include "lesson/Voz.h"
#include "platform/platform.h"

namespace {

constexpr int32_t kTiempoBitPorOmision = 40;
constexpr int32_t kTiempoEleccionPorOmision = 100;
// The most characters of a value read at the start; the end of a pass reads
// its counts with room for 15.
constexpr DWORD kCapacidad = 1024;
constexpr DWORD kCapacidadDeCuenta = 16;
// The card times, in tenths of a second, past which a card is told as too
// short to be seen or longer than a child keeps looking.
constexpr int32_t kTiempoBitCorto = 3;
constexpr int32_t kTiempoBitLargo = 100;

// Tenths of a second as a parent reads them: "0.1 s", "4 s".
std::string Decimas(int32_t decimas) {
  return std::to_string(decimas / 10) +
         (decimas % 10 != 0 ? "." + std::to_string(decimas % 10) : "") + " s";
}

// Tells oyente of the setting clave, written escrito, when it is read as
// leido by a guess ("TiempoBit=1O is read as 1 (0.1 s a card)"), or, when
// fuera, that it means detalle ("TiempoBit=1 is 0.1 s a card, under 0.3 s").
void Revisar(ListaNumeros::Oyente* oyente, const char* clave, const std::string& escrito,
             int32_t leido, const std::string& detalle = "", bool fuera = false) {
  const std::string escrita = std::string(clave) + "=" + escrito;
  if (!escrito.empty() &&
      !(Numero::Exacto(escrito.c_str()) && Numero::Leer(escrito.c_str(), 0) == leido)) {
    oyente->Aviso(clave, escrita + " is read as " + std::to_string(leido) +
                             (detalle.empty() ? "" : " (" + detalle + ")"));
  } else if (fuera) {
    oyente->Aviso(clave, escrita + " is " + detalle);
  }
}

// The warning when archivo has no key clave in [Lecciones], which names what
// a parent must look for: the file itself, in its folder in full, which the
// run then writes with its counters alone; the section, which a misspelt
// header hides (a missing section and an empty one list no key alike); or
// the key.
std::string SinLeccion(const char* archivo, const char* clave) {
  const std::string vacia = ": the run shows one empty card, 0";
  if (GetFileAttributesA(archivo) == INVALID_FILE_ATTRIBUTES) {
    char completo[kCapacidad];
    char* nombre = nullptr;
    const DWORD largo = GetFullPathNameA(archivo, sizeof completo, completo, &nombre);
    std::string donde = archivo;
    if (largo != 0 && largo < sizeof completo && nombre != nullptr) {
      // The folder without its last separator, but for a root's ("/", "C:\\").
      std::string carpeta(completo, nombre);
      if (carpeta.size() > 1 && carpeta[carpeta.size() - 2] != ':') carpeta.pop_back();
      donde = std::string(nombre) + " in " + carpeta;
    }
    return "there is no lesson file " + donde + vacia + ", and writes a new one";
  }
  char claves[kCapacidad];
  GetPrivateProfileStringA("Lecciones", nullptr, "", claves, sizeof claves, archivo);
  if (claves[0] == '\0') return "there is no [Lecciones] section, or it is empty" + vacia;
  return std::string("there is no ") + clave + " in [Lecciones]" + vacia;
}

}  // namespace

int32_t Leccion::LeerNumero(const char* clave, const char* defecto, uint32_t capacidad,
                            std::string* escrito) const {
  char valor[kCapacidad];
  GetPrivateProfileStringA("General", clave, defecto, valor, capacidad, archivo);
  if (escrito != nullptr) *escrito = valor;
  return Numero::Leer(valor, Numero::Leer(defecto, 0));
}

void Leccion::Leer(const char* archivo, ListaNumeros::Oyente* oyente, int32_t leccion) {
  std::snprintf(this->archivo, sizeof this->archivo, "%s", archivo);
  std::string escrito;
  leccionActual = leccion;
  paseActual = 1;
  if (leccion == 0) {
    leccionActual = LeerNumero("LeccionActual", "1", kCapacidad, &escrito);
    Revisar(oyente, "LeccionActual", escrito, leccionActual);
    paseActual = LeerNumero("PaseActual", "1", kCapacidad, &escrito);
    Revisar(oyente, "PaseActual", escrito, paseActual);
  }
  // The counts are read again, as the end of a pass reads them; told once,
  // here.
  for (const char* cuenta : {"PasesPorLeccion", "Lecciones"}) {
    const int32_t valor = LeerNumero(cuenta, "1", kCapacidadDeCuenta, &escrito);
    Revisar(oyente, cuenta, escrito, valor);
  }

  int32_t tiempoBit = LeerNumero("TiempoBit", "40", kCapacidad, &escrito);
  // A card shorter than a unit would end before it began.
  if (tiempoBit <= 0) tiempoBit = kTiempoBitPorOmision;
  const bool corta = tiempoBit < kTiempoBitCorto;
  const bool larga = tiempoBit > kTiempoBitLargo;
  Revisar(oyente, "TiempoBit", escrito, tiempoBit,
          Decimas(tiempoBit) + " a card" +
              (corta   ? ", under " + Decimas(kTiempoBitCorto)
               : larga ? ", over " + Decimas(kTiempoBitLargo)
                       : ""),
          corta || larga);
  instantesPorBit = tiempoBit > INT32_MAX / kInstantesPorUnidad
                        ? INT32_MAX / kInstantesPorUnidad * kInstantesPorUnidad
                        : tiempoBit * kInstantesPorUnidad;
  const int32_t palabra = LeerNumero("PalabraEntera", "0", kCapacidad, &escrito);
  Revisar(oyente, "PalabraEntera", escrito, palabra);
  palabraEntera = palabra != 0;
  int32_t tiempoEleccion = LeerNumero("TiempoEleccion", "100", kCapacidad, &escrito);
  if (tiempoEleccion <= 0) tiempoEleccion = kTiempoEleccionPorOmision;
  Revisar(oyente, "TiempoEleccion", escrito, tiempoEleccion);
  instantesEleccion =
      std::min(tiempoEleccion, INT32_MAX / 2 / kInstantesPorUnidad) * kInstantesPorUnidad;
  char sufijo[kCapacidad];
  GetPrivateProfileStringA("General", "Idioma", "", sufijo, sizeof sufijo, archivo);
  idioma = sufijo;

  char clave[32];
  std::snprintf(clave, sizeof clave, "Leccion%d", leccionActual);
  char lista[kCapacidad];
  // A list can never hold a lone \1: its default tells a missing key.
  GetPrivateProfileStringA("Lecciones", clave, "\1", lista, sizeof lista, archivo);
  tarjetas.Vaciar();
  if (lista[0] == '\1' && lista[1] == '\0') {
    oyente->Aviso("", SinLeccion(archivo, clave));
    tarjetas.Agregar(Tarjeta{0, nullptr, instantesPorBit, false});
  } else {
    ListaNumeros::Leer(lista, clave, instantesPorBit, &tarjetas, oyente);
    if (tarjetas.cantidad == 0) {
      oyente->Aviso("", std::string(clave) + " shows no card: the run ends at once and is counted");
    }
  }

  // An equation's card, and with PalabraEntera every card, stays until its
  // words are said, so that the next card never cuts them. A choice's card,
  // after the pick, while its number alone is said again, and a beat more.
  for (uint32_t i = 0; i < tarjetas.cantidad; ++i) {
    Tarjeta& tarjeta = tarjetas.elementos[i];
    const bool eleccion = tarjeta.EsEleccion();
    if (tarjeta.palabra == nullptr && !palabraEntera && !eleccion) continue;
    const char* palabra = tarjeta.palabra != nullptr && !eleccion ? tarjeta.palabra : "";
    const double segundos =
        QueSuena(Voz::Nombre(palabra, idioma), Voz::Nombre(tarjeta.numero, idioma)).segundos;
    const int32_t instantes = static_cast<int32_t>(std::ceil(segundos * kFramesPerSecond)) +
                              (eleccion ? kInstantesDeRespiro : kInstantesDeMargen);
    tarjeta.instantes = std::max(tarjeta.instantes, instantes);
  }
}

int32_t Leccion::PasesPorLeccion() const {
  return LeerNumero("PasesPorLeccion", "1", kCapacidadDeCuenta);
}

int32_t Leccion::Lecciones() const { return LeerNumero("Lecciones", "1", kCapacidadDeCuenta); }

bool Leccion::Avanzar() {
  // Counted in 64 bits: a hand-edited counter at the top of the range wraps
  // like any other rather than overflowing.
  int64_t pase = int64_t(paseActual) + 1;
  const bool otraLeccion = pase > PasesPorLeccion();
  if (otraLeccion) {
    pase = 1;
    int64_t leccion = int64_t(leccionActual) + 1;
    if (leccion > Lecciones()) leccion = 1;
    leccionActual = static_cast<int32_t>(leccion);
  }
  paseActual = static_cast<int32_t>(pase);
  return otraLeccion;
}
