#include "lesson/Guion.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <string>

#include "app/Dios.h"
#include "base/Avisos.h"
#include "base/Fallo.h"
#include "base/Frase.h"
#include "base/Instalacion.h"
#include "base/Vector.h"
#include "lesson/Azar.h"
#include "lesson/CambioDeArchivo.h"
#include "lesson/Colocacion.h"
#include "lesson/ReproducirSonido.h"
#include "lesson/Voz.h"
#include "platform/platform.h"
#include "world/APAnillo.h"
#include "world/APEsfera.h"
#include "world/APNumeral.h"
#include "world/Universo.h"

namespace {

// A run tells of the items it leaves out on standard error, and of the
// lesson file's warnings there and in its diary line.
class AvisosDeLista : public ListaNumeros::Oyente {
 public:
  explicit AvisosDeLista(Diario* diario) : diario(diario) {}
  void AlAzar(const std::string&, int) override {}
  void Igualdad(const std::string&, int) override {}
  void Omitido(const std::string& linea) override { std::fprintf(stderr, "%s\n", linea.c_str()); }
  void Aviso(const std::string&, const std::string& texto) override {
    std::fprintf(stderr, "%s%s\n", ListaNumeros::kAviso, texto.c_str());
    diario->Avisar(texto);
  }

 private:
  Diario* diario;
};

void AnotarFallo(void* diario, const char* linea) {
  static_cast<Diario*>(diario)->Escribir(Diario::Final::kFallo, linea);
}

bool Escribir(CambioDeArchivo* cambio, const char* clave, int32_t valor) {
  char texto[16];
  std::snprintf(texto, sizeof texto, "%d", valor);
  return cambio->Escribir("General", clave, texto);
}

// Ends the program after a failed save of archivo: the line names the file
// and tells a read-only file from a folder that refused the change; the box
// gives the advice that fits that and how the program was installed.
[[noreturn]] void TerminarSinGuardar(const char* archivo, const CambioDeArchivo& cambio) {
  const DWORD atributos = GetFileAttributesA(archivo);
  const bool soloLectura =
      atributos != INVALID_FILE_ATTRIBUTES && (atributos & FILE_ATTRIBUTE_READONLY) != 0;
  const char* causa = soloLectura                                 ? ", which is read-only"
                      : cambio.Codigo() == ERROR_ACCESS_DENIED ? ", whose folder cannot be written"
                                                                  : "";
  char linea[3072];
  std::snprintf(linea, sizeof linea, "cannot save the progress in %s%s: %s", archivo, causa,
                cambio.Razon());
  const Avisos::Bilingue& consejo = (soloLectura ? Avisos::kSoloLectura
                                                 : Avisos::kCarpetaSinCambios)[static_cast<int>(
      EstaInstalacion())];
  char aviso[2048];
  std::snprintf(aviso, sizeof aviso, "%s %s %s\n\n%s %s %s", Avisos::kSinGuardar.es, consejo.es,
                Avisos::kMientrasTanto.es, Avisos::kSinGuardar.en, consejo.en,
                Avisos::kMientrasTanto.en);
  Terminar(linea, aviso);
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
  AvisosDeLista avisos(&diario);
  leccion.Leer(Leccion::kArchivo, &avisos);
  SYSTEMTIME ahora;
  GetLocalTime(&ahora);
  diario.Empezar(ahora, leccion.leccionActual, leccion.paseActual, leccion.PasesPorLeccion());
  AlTerminar(&AnotarFallo, &diario);
  TomarFoco();
}

Guion::~Guion() {
  AlTerminar(nullptr, nullptr);
  // Escape in the middle of a choice: the pointer goes as it came.
  if (eleccion) ShowCursor(FALSE);
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
  // A key or a touch counts only while a choice waits for it.
  buzon.Vaciar();
  ++instante;
}

int32_t Guion::EjecutarBit(int32_t relativo) {
  if (relativo < 0) return -1;
  if (leccion.tarjetas.elementos[bitActual].EsEleccion()) return EjecutarEleccion(relativo);
  const int32_t instantes = leccion.tarjetas.elementos[bitActual].instantes;
  if (relativo == 0) {
    ColocarPuntos();
    Decir();
  } else if (relativo == instantes - 1) {
    Quitar(0, cantidadPuntos);
  }
  return relativo - instantes;
}

void Guion::Quitar(uint32_t desde, uint32_t hasta) {
  for (uint32_t j = desde; j < hasta; ++j) puntos[j]->muerto = true;
  if (desde > 0 || hasta < cantidadPuntos) return;
  delete[] puntos;
  puntos = nullptr;
  cantidadPuntos = 0;
}

int32_t Guion::EjecutarEleccion(int32_t relativo) {
  Tarjeta& tarjeta = leccion.tarjetas.elementos[bitActual];
  if (bitActual >= decididas) {
    if (relativo == 0) Preguntar();
    if (!Atender()) return -1;
    Responder();
    // From now on the card lasts its ticks after this one.
    tarjeta.instantes += relativo + 1;
    decididas = bitActual + 1;
  }
  if (relativo == tarjeta.instantes - 1) Quitar(0, cantidadPuntos);
  return relativo - tarjeta.instantes;
}

void Guion::Preguntar() {
  const Tarjeta& tarjeta = leccion.tarjetas.elementos[bitActual];
  const int cuantos = tarjeta.Grupos();
  // The groups in a random order, from the lesson's generator.
  int32_t numeros[Eleccion::kMaximoGrupos] = {tarjeta.numero, tarjeta.otros[0], tarjeta.otros[1]};
  for (int i = cuantos - 1; i > 0; --i) std::swap(numeros[i], numeros[Azar::Sacar() % (i + 1)]);
  int pedido = 0;
  TColeccion<Identidad*> seres;
  const double medioAncho = Eleccion::MedioAncho(cuantos);
  for (int g = 0; g < cuantos; ++g) {
    grupos[g] = numeros[g];
    if (numeros[g] == tarjeta.numero) pedido = g;
    inicioGrupo[g] = seres.cantidad;
    const Vector centro(Eleccion::Centro(g, cuantos), 0.0, 0.0);
    if (tarjeta.cifra) {
      Identidad* numeral = new Identidad(this, centro);
      APNumeral* figuras = new APNumeral(numeros[g]);
      // A numeral keeps its height unless its part is too narrow for it.
      const double escala = std::min(1.0, 2 * medioAncho * 0.9 / figuras->ancho);
      numeral->escala = Vector(escala, escala, escala);
      numeral->FijarPrimitiva(figuras);
      seres.Agregar(numeral);
      continue;
    }
    // The dots keep clear of their part's sides, so that the room between
    // two groups is wider than the room within one.
    const double medioGrupo = 0.75 * medioAncho;
    const double escala = Colocacion::Escala(numeros[g], medioGrupo);
    TColeccion<Vector> aceptados;
    Colocacion::Colocar(numeros[g], medioGrupo, escala, &aceptados);
    for (uint32_t j = 0; j < aceptados.cantidad; ++j) {
      Identidad* punto = new Identidad(this, centro + aceptados.elementos[j]);
      punto->escala = Vector(escala, escala, escala);
      punto->FijarPrimitiva(new APEsfera);
      seres.Agregar(punto);
    }
  }
  inicioGrupo[cuantos] = seres.cantidad;
  delete[] puntos;
  puntos = new Identidad*[seres.cantidad > 0 ? seres.cantidad : 1];
  cantidadPuntos = seres.cantidad;
  for (uint32_t j = 0; j < seres.cantidad; ++j) puntos[j] = seres.elementos[j];
  Decir();
  // What came before the groups were shown is no pick.
  buzon.Vaciar();
  ShowCursor(TRUE);
  eleccion = std::make_unique<Eleccion>(cuantos, pedido, instante, leccion.instantesEleccion);
}

bool Guion::Atender() {
  const int cuantos = leccion.tarjetas.elementos[bitActual].Grupos();
  for (uint32_t i = 0; i < buzon.cantidad; ++i) {
    const Frase* frase = buzon.elementos[i];
    if (frase->tipo == Frase::kToque) {
      eleccion->Elegir(Eleccion::GrupoEn(frase->x, cuantos), instante);
    } else if (frase->soltada == 0) {
      eleccion->Elegir(Eleccion::GrupoDeTecla(frase->codigo, cuantos), instante);
    }
  }
  eleccion->Esperar(instante);
  return eleccion->resultado != Eleccion::Resultado::kEsperando;
}

void Guion::Responder() {
  const Tarjeta& tarjeta = leccion.tarjetas.elementos[bitActual];
  const int cuantos = tarjeta.Grupos();
  int pedido = 0;
  while (grupos[pedido] != tarjeta.numero) ++pedido;
  diario.Anotar(tarjeta.numero, eleccion->elegido >= 0 ? grupos[eleccion->elegido] : -1);
  const bool acierto = eleccion->resultado == Eleccion::Resultado::kAcierto;
  eleccion.reset();
  ShowCursor(FALSE);
  // Only the group asked for stays.
  Identidad** quedan = new Identidad*[inicioGrupo[pedido + 1] - inicioGrupo[pedido] + 1];
  uint32_t cuantosQuedan = 0;
  for (int g = 0; g < cuantos; ++g) {
    for (uint32_t j = inicioGrupo[g]; j < inicioGrupo[g + 1]; ++j) {
      if (g == pedido) {
        quedan[cuantosQuedan++] = puntos[j];
      } else {
        puntos[j]->muerto = true;
      }
    }
  }
  delete[] puntos;
  puntos = quedan;
  cantidadPuntos = cuantosQuedan;
  if (!acierto) {
    // A ring around the group, in a warm gold, just clear of its dots.
    const double centroX = Eleccion::Centro(pedido, cuantos);
    double medioAncho = 1.0;
    double medioAlto = 1.0;
    for (uint32_t j = 0; j < cantidadPuntos; ++j) {
      const Identidad* ser = puntos[j];
      const double radio = tarjeta.cifra ? 0.0 : ser->escala.x;
      medioAncho = std::max(medioAncho, std::abs(ser->posicion.x - centroX) + radio);
      medioAlto = std::max(medioAlto, std::abs(ser->posicion.y) + radio);
    }
    if (tarjeta.cifra) {
      const APNumeral* figuras = static_cast<const APNumeral*>(puntos[0]->primitivaApariencia);
      medioAncho = figuras->ancho * puntos[0]->escala.x / 2;
      medioAlto = APNumeral::kAltura * puntos[0]->escala.y / 2;
    }
    constexpr double kGrosor = 0.6;
    const double radio = std::max(medioAncho, medioAlto) + 1.0 + kGrosor;
    Identidad* anillo = new Identidad(this, Vector(centroX, 0.0, 0.0));
    anillo->FijarPrimitiva(
        new APAnillo(std::min(radio, Eleccion::MedioAncho(cuantos) + Eleccion::kHueco / 2),
                     std::min(radio, Colocacion::kMedioAlto + 1.5), kGrosor));
    const double oro[4] = {0.95, 0.65, 0.05, 0.0};
    anillo->FijarColor(oro);
    puntos[cantidadPuntos++] = anillo;
  }
  // Its number, said alone.
  ReproducirSonido(Voz::Nombre(tarjeta.numero, leccion.idioma));
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
  // The file by its full name, so that a failure names it wherever the
  // program was started, as the system writes names.
  char archivo[1024];
  const DWORD largo = GetFullPathNameA(Leccion::kArchivo, sizeof archivo, archivo, nullptr);
  if (largo == 0 || largo >= sizeof archivo) {
    std::snprintf(archivo, sizeof archivo, "%s", Leccion::kArchivo);
  }
  // Both counters land together or not at all: a lesson advanced without
  // its pass going back to 1 would skip that lesson's first pass for good.
  CambioDeArchivo cambio(archivo);
  bool guardado = true;
  if (otraLeccion) guardado = Escribir(&cambio, "LeccionActual", leccion.leccionActual);
  guardado = guardado && Escribir(&cambio, "PaseActual", leccion.paseActual) && cambio.Confirmar();
  if (!guardado) TerminarSinGuardar(archivo, cambio);
  diario.Escribir(Diario::Final::kEntera);
}
