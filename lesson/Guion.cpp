#include "lesson/Guion.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "app/Dios.h"
#include "base/Vector.h"
#include "base/Fallo.h"
#include "lesson/Azar.h"
#include "lesson/CambioDeArchivo.h"
#include "lesson/Colocacion.h"
#include "lesson/ListaNumeros.h"
#include "lesson/ReproducirSonido.h"
#include "platform/platform.h"
#include "world/APEsfera.h"
#include "world/Universo.h"

namespace {

// A bit lasts the "TiempoBit" setting times this many ticks.
constexpr int32_t kTicksPorUnidad = 6;
constexpr int32_t kTiempoBitPorOmision = 40;
// Ticks an equation's bit lasts after its sound, at the least.
constexpr int32_t kInstantesDeMargen = 3;

// The value of key in section, or defecto when the file, the section or the
// key is missing; at most capacidad - 1 characters.
void Leer(const char* seccion, const char* clave, const char* defecto, char* valor,
          DWORD capacidad) {
  GetPrivateProfileStringA(seccion, clave, defecto, valor, capacidad, Guion::kArchivo);
}

// The whole number that texto begins with (blanks first, an optional sign),
// held within 32 bits; defecto when it begins with no number.
int32_t Numero(const char* texto, int32_t defecto) {
  char* fin = nullptr;
  errno = 0;
  const long valor = std::strtol(texto, &fin, 10);
  if (fin == texto) return defecto;
  if (valor > INT32_MAX) return INT32_MAX;
  if (valor < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(valor);
}

int32_t Leer(const char* clave, const char* defecto, DWORD capacidad) {
  char valor[1024];
  Leer("General", clave, defecto, valor, capacidad);
  return Numero(valor, std::atoi(defecto));
}

bool Escribir(CambioDeArchivo* cambio, const char* clave, int32_t valor) {
  char texto[16];
  std::snprintf(texto, sizeof texto, "%d", valor);
  return cambio->Escribir("General", clave, texto);
}

// What a parent reads when the progress could not be saved, in Windows-1252.
constexpr const char* kAvisoSinGuardar =
    "No se ha podido guardar el avance de la lecci\xF3n: la carpeta donde est\xE1 CPControl.ini "
    "no deja guardar cambios. Mueva la carpeta del programa a Documentos y \xE1" "bralo desde "
    "all\xED. Mientras tanto, cada vez se repetir\xE1 la misma lecci\xF3n.\n\n"
    "The lesson's progress could not be saved: the folder that holds CPControl.ini cannot be "
    "written to. Move the program's folder to Documents and start it from there. Until then, "
    "the same lesson will come again every time.";

}  // namespace

Guion::Guion(const Identidad* modelo, Dios* aplicacion)
    : Identidad(modelo, Vector(0.0, 0.0, 0.0)),
      instante(0),
      numeroActual(0),
      aplicacion(nullptr),
      puntos(nullptr),
      leccionActual(1),
      paseActual(1),
      instantesPorBit(kTiempoBitPorOmision * kTicksPorUnidad) {
  Azar::Sembrar(static_cast<uint32_t>(std::time(nullptr)));
  this->aplicacion = aplicacion;
  instante = 0;
  LeerArchivo();
}

Guion::~Guion() { delete[] puntos; }

void Guion::LeerArchivo() {
  CambioDeArchivo::QuitarRestos(kArchivo);
  int32_t tiempoBit = Leer("TiempoBit", "40", 1024);
  // A bit shorter than a unit would end before it began.
  if (tiempoBit <= 0) tiempoBit = kTiempoBitPorOmision;
  instantesPorBit = tiempoBit > INT32_MAX / kTicksPorUnidad
                        ? INT32_MAX / kTicksPorUnidad * kTicksPorUnidad
                        : tiempoBit * kTicksPorUnidad;
  leccionActual = Leer("LeccionActual", "1", 1024);

  char clave[32];
  std::snprintf(clave, sizeof clave, "Leccion%d", leccionActual);
  char lista[1024];
  Leer("Lecciones", clave, "", lista, sizeof lista);
  ListaNumeros::Leer(lista, clave, &numeros, &palabras);
  for (uint32_t i = 0; i < numeros.cantidad; ++i) instantesDeBit.Agregar(instantesPorBit);

  paseActual = Leer("PaseActual", "1", 1024);
  char sufijo[1024];
  Leer("General", "Idioma", "", sufijo, sizeof sufijo);
  idioma = sufijo;
}

void Guion::Vivir() {
  int32_t a = instante;
  for (uint32_t i = 0; i < numeros.cantidad; ++i) {
    numeroActual = numeros.elementos[i];
    palabraActual = palabras.elementos[i];
    bitActual = i;
    a = EjecutarBit(a);
  }
  if (a > 0) {
    CerrarPase();
    aplicacion->enMarcha = false;
  }
  ++instante;
}

int32_t Guion::EjecutarBit(int32_t relativo) {
  if (relativo < 0) return -1;
  if (relativo == 0) {
    ColocarPuntos();
  } else if (relativo == instantesDeBit.elementos[bitActual] - 1) {
    for (uint32_t j = 0; j < cantidadPuntos; ++j) puntos[j]->muerto = true;
    delete[] puntos;
    puntos = nullptr;
    cantidadPuntos = 0;
  }
  return relativo - instantesDeBit.elementos[bitActual];
}

void Guion::ColocarPuntos() {
  if (numeroActual > Colocacion::kPuntosMaximos) {
    std::fprintf(stderr, "contapuntos: the card of %d shows %d dots, the most a card holds\n",
                 numeroActual, Colocacion::kPuntosMaximos);
  }
  TColeccion<Vector> aceptados;
  Colocacion::Colocar(numeroActual, &aceptados);
  delete[] puntos;
  puntos = new Identidad*[aceptados.cantidad > 0 ? aceptados.cantidad : 1];
  cantidadPuntos = aceptados.cantidad;
  for (uint32_t j = 0; j < aceptados.cantidad; ++j) {
    puntos[j] = new Identidad(this, aceptados.elementos[j]);
    puntos[j]->FijarPrimitiva(new APEsfera);
  }
  char nombre[256];
  std::snprintf(nombre, sizeof nombre, "%d%s.WAV", numeroActual, static_cast<const char*>(idioma));
  if (palabraActual == nullptr) {
    ReproducirSonido(Texto(nombre));
    return;
  }
  char palabra[256] = "";
  if (*palabraActual != '\0') {
    std::snprintf(palabra, sizeof palabra, "%s%s.WAV", palabraActual,
                  static_cast<const char*>(idioma));
  }
  const double segundos = ReproducirSonido(Texto(palabra), Texto(nombre));
  // The device takes a sound within a buffer or two of the call: the bit
  // outlasts its sound by that much, so that the next bit's never cuts it.
  const int32_t instantes =
      static_cast<int32_t>(std::ceil(segundos * kFramesPerSecond)) + kInstantesDeMargen;
  int32_t& estos = instantesDeBit.elementos[bitActual];
  estos = std::max(estos, instantes);
}

void Guion::Ensayar() {
  int32_t mayor = 0;
  for (uint32_t i = 0; i < numeros.cantidad; ++i) mayor = std::max(mayor, numeros.elementos[i]);
  mayor = std::min<int32_t>(mayor, Colocacion::kPuntosMaximos);
  // On a regular grid over the view, spread as a card's dots are: where a
  // card's dots fall decides how much the renderer sorts into each tile.
  const int columnas = static_cast<int>(std::ceil(std::sqrt(mayor * 4.0 / 3.0)));
  const int filas = columnas > 0 ? (mayor + columnas - 1) / columnas : 0;
  TColeccion<Identidad*> tarjeta;
  for (int32_t j = 0; j < mayor; ++j) {
    const double ancho = 2 * Colocacion::kMedioAncho;
    const double alto = 2 * Colocacion::kMedioAlto;
    const Vector sitio(-Colocacion::kMedioAncho + ancho * (j % columnas + 0.5) / columnas,
                       -Colocacion::kMedioAlto + alto * (j / columnas + 0.5) / filas, 0.0);
    Identidad* punto = new Identidad(this, sitio);
    punto->FijarPrimitiva(new APEsfera);
    tarjeta.Agregar(punto);
  }
  // Twice: a software renderer may work on two frames in turn, each with
  // memory of its own (llvmpipe does).
  for (int vez = 0; vez < 2; ++vez) {
    universo->Representar();
    glFinish();
  }
  for (uint32_t j = 0; j < tarjeta.cantidad; ++j) delete tarjeta.elementos[j];
  // Stopping the sound (there is none yet) starts the sound player, whose
  // device can take several frames to open.
  PlaySoundA(nullptr, nullptr, 0);
}

void Guion::CerrarPase() {
  const int32_t pasesPorLeccion = Leer("PasesPorLeccion", "1", 16);
  // Counted in 64 bits: a hand-edited counter at the top of the range wraps
  // like any other rather than overflowing.
  int64_t pase = int64_t(paseActual) + 1;
  const bool otraLeccion = pase > pasesPorLeccion;
  if (otraLeccion) {
    pase = 1;
    const int32_t lecciones = Leer("Lecciones", "1", 16);
    int64_t leccion = int64_t(leccionActual) + 1;
    if (leccion > lecciones) leccion = 1;
    leccionActual = static_cast<int32_t>(leccion);
  }
  paseActual = static_cast<int32_t>(pase);
  // Both counters land together or not at all: a lesson advanced without
  // its pass going back to 1 would skip that lesson's first pass for good.
  CambioDeArchivo cambio(kArchivo);
  bool guardado = true;
  if (otraLeccion) guardado = Escribir(&cambio, "LeccionActual", leccionActual);
  guardado = guardado && Escribir(&cambio, "PaseActual", paseActual) && cambio.Confirmar();
  if (!guardado) {
    char linea[2048];
    std::snprintf(linea, sizeof linea, "cannot save the progress in %s: %s", kArchivo,
                  cambio.Razon());
    Terminar(linea, kAvisoSinGuardar);
  }
}
