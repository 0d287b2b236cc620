#include "lesson/Leccion.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

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

}  // namespace

int32_t Leccion::LeerNumero(const char* clave, const char* defecto, uint32_t capacidad) const {
  char valor[kCapacidad];
  GetPrivateProfileStringA("General", clave, defecto, valor, capacidad, archivo);
  return Numero::Leer(valor, Numero::Leer(defecto, 0));
}

void Leccion::Leer(const char* archivo, ListaNumeros::Oyente* oyente, int32_t leccion) {
  std::snprintf(this->archivo, sizeof this->archivo, "%s", archivo);
  int32_t tiempoBit = LeerNumero("TiempoBit", "40", kCapacidad);
  // A card shorter than a unit would end before it began.
  if (tiempoBit <= 0) tiempoBit = kTiempoBitPorOmision;
  instantesPorBit = tiempoBit > INT32_MAX / kInstantesPorUnidad
                        ? INT32_MAX / kInstantesPorUnidad * kInstantesPorUnidad
                        : tiempoBit * kInstantesPorUnidad;
  int32_t tiempoEleccion = LeerNumero("TiempoEleccion", "100", kCapacidad);
  if (tiempoEleccion <= 0) tiempoEleccion = kTiempoEleccionPorOmision;
  instantesEleccion =
      std::min(tiempoEleccion, INT32_MAX / 2 / kInstantesPorUnidad) * kInstantesPorUnidad;
  leccionActual = leccion != 0 ? leccion : LeerNumero("LeccionActual", "1", kCapacidad);

  char clave[32];
  std::snprintf(clave, sizeof clave, "Leccion%d", leccionActual);
  char lista[kCapacidad];
  // A list can never hold a lone \1: its default tells a missing key.
  GetPrivateProfileStringA("Lecciones", clave, "\1", lista, sizeof lista, archivo);
  conLista = !(lista[0] == '\1' && lista[1] == '\0');
  if (!conLista) lista[0] = '\0';
  tarjetas.Vaciar();
  ListaNumeros::Leer(lista, clave, instantesPorBit, &tarjetas, oyente);

  paseActual = leccion != 0 ? 1 : LeerNumero("PaseActual", "1", kCapacidad);
  char sufijo[kCapacidad];
  GetPrivateProfileStringA("General", "Idioma", "", sufijo, sizeof sufijo, archivo);
  idioma = sufijo;
  palabraEntera = LeerNumero("PalabraEntera", "0", kCapacidad) != 0;

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
