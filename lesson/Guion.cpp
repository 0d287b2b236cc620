#include "lesson/Guion.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <string>

#include "app/Dios.h"
#include "base/Avisos.h"
#include "base/Fallo.h"
#include "base/Vector.h"
#include "lesson/Azar.h"
#include "lesson/CambioDeArchivo.h"
#include "lesson/Colocacion.h"
#include "lesson/ReproducirSonido.h"
#include "lesson/Voz.h"
#include "platform/platform.h"
#include "world/APEsfera.h"
#include "world/APNumeral.h"
#include "world/Universo.h"

namespace {

// A run tells of the items it leaves out on standard error.
class AvisosDeLista : public ListaNumeros::Oyente {
 public:
  void AlAzar(const std::string&, int) override {}
  void Igualdad(const std::string&, int) override {}
  void Omitido(const std::string& linea) override { std::fprintf(stderr, "%s\n", linea.c_str()); }
};

void AnotarFallo(void* diario, const char* linea) {
  static_cast<Diario*>(diario)->Escribir(Diario::Final::kFallo, linea);
}

bool Escribir(CambioDeArchivo* cambio, const char* clave, int32_t valor) {
  char texto[16];
  std::snprintf(texto, sizeof texto, "%d", valor);
  return cambio->Escribir("General", clave, texto);
}

}  // namespace

Guion::Guion(const Identidad* modelo, Dios* aplicacion)
    : Identidad(modelo, Vector(0.0, 0.0, 0.0)),
      instante(0),
      numeroActual(0),
      aplicacion(aplicacion),
      puntos(nullptr) {
  Azar::Sembrar(static_cast<uint32_t>(std::time(nullptr)));
  CambioDeArchivo::QuitarRestos(Leccion::kArchivo);
  AvisosDeLista avisos;
  leccion.Leer(Leccion::kArchivo, &avisos);
  SYSTEMTIME ahora;
  GetLocalTime(&ahora);
  diario.Empezar(ahora, leccion.leccionActual, leccion.paseActual, leccion.PasesPorLeccion());
  AlTerminar(&AnotarFallo, &diario);
}

Guion::~Guion() {
  AlTerminar(nullptr, nullptr);
  delete[] puntos;
}

void Guion::Vivir() {
  int32_t a = instante;
  for (uint32_t i = 0; i < leccion.tarjetas.cantidad; ++i) {
    numeroActual = leccion.tarjetas.elementos[i].numero;
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
  const int32_t instantes = leccion.tarjetas.elementos[bitActual].instantes;
  if (relativo == 0) {
    ColocarPuntos();
    Decir();
  } else if (relativo == instantes - 1) {
    for (uint32_t j = 0; j < cantidadPuntos; ++j) puntos[j]->muerto = true;
    delete[] puntos;
    puntos = nullptr;
    cantidadPuntos = 0;
  }
  return relativo - instantes;
}

void Guion::ColocarPuntos() {
  delete[] puntos;
  if (leccion.tarjetas.elementos[bitActual].cifra) {
    // The numeral stands alone, in the middle of the card.
    puntos = new Identidad*[1];
    cantidadPuntos = 1;
    puntos[0] = new Identidad(this, Vector(0.0, 0.0, 0.0));
    puntos[0]->FijarPrimitiva(new APNumeral(numeroActual));
    return;
  }
  if (numeroActual > Colocacion::kPuntosMaximos) {
    std::fprintf(stderr, "contapuntos: the card of %d shows %d dots, the most a card holds\n",
                 numeroActual, Colocacion::kPuntosMaximos);
  }
  TColeccion<Vector> aceptados;
  Colocacion::Colocar(numeroActual, &aceptados);
  puntos = new Identidad*[aceptados.cantidad > 0 ? aceptados.cantidad : 1];
  cantidadPuntos = aceptados.cantidad;
  for (uint32_t j = 0; j < aceptados.cantidad; ++j) {
    puntos[j] = new Identidad(this, aceptados.elementos[j]);
    puntos[j]->FijarPrimitiva(new APEsfera);
  }
}

void Guion::Decir() {
  const char* palabra = leccion.tarjetas.elementos[bitActual].palabra;
  const Texto nombre = Voz::Nombre(numeroActual, leccion.idioma);
  if (palabra == nullptr) {
    ReproducirSonido(nombre);
  } else {
    ReproducirSonido(Voz::Nombre(palabra, leccion.idioma), nombre);
  }
}

void Guion::Ensayar() {
  int32_t mayor = 0;
  for (uint32_t i = 0; i < leccion.tarjetas.cantidad; ++i) {
    mayor = std::max(mayor, leccion.tarjetas.elementos[i].numero);
  }
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
  const bool otraLeccion = leccion.Avanzar();
  // Both counters land together or not at all: a lesson advanced without
  // its pass going back to 1 would skip that lesson's first pass for good.
  CambioDeArchivo cambio(Leccion::kArchivo);
  bool guardado = true;
  if (otraLeccion) guardado = Escribir(&cambio, "LeccionActual", leccion.leccionActual);
  guardado = guardado && Escribir(&cambio, "PaseActual", leccion.paseActual) && cambio.Confirmar();
  if (!guardado) {
    char linea[2048];
    std::snprintf(linea, sizeof linea, "cannot save the progress in %s: %s", Leccion::kArchivo,
                  cambio.Razon());
    Terminar(linea, Avisos::kSinGuardar);
  }
  diario.Escribir(Diario::Final::kEntera);
}
