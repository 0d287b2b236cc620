#include "lesson/Diario.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/Fallo.h"

namespace {

// The longest line written, its line end included: a failure's reason
// takes up to 2 KB.
constexpr std::size_t kLargo = 4096;

// Appends texto at linea + *largo when it fits in capacidad with room for
// reserva more characters; returns whether it did.
bool Agregar(const char* texto, std::size_t reserva, char* linea, std::size_t capacidad,
             std::size_t* largo) {
  const std::size_t suyo = std::strlen(texto);
  if (*largo + suyo + reserva >= capacidad) return false;
  std::memcpy(linea + *largo, texto, suyo + 1);
  *largo += suyo;
  return true;
}

}  // namespace

void Diario::Empezar(const SYSTEMTIME& cuando, int32_t leccion, int32_t pase, int32_t pases) {
  inicio = cuando;
  this->leccion = leccion;
  this->pase = pase;
  this->pases = pases;
}

void Diario::Anotar(int32_t pedido, int32_t elegido) { elecciones.Agregar({pedido, elegido}); }

void Diario::Avisar(const std::string& aviso) { avisos.push_back(aviso); }

void Diario::Linea(Final final, const char* razon, char* linea, std::size_t capacidad) const {
  char fin[kLargo];
  switch (final) {
    case Final::kEntera:
      std::snprintf(fin, sizeof fin, "whole, counted");
      break;
    case Final::kParada:
      std::snprintf(fin, sizeof fin, "stopped early, not counted");
      break;
    case Final::kFallo:
      std::snprintf(fin, sizeof fin, "failed, not counted: %s", razon);
      break;
  }
  const int cabeza =
      std::snprintf(linea, capacidad, "%04u-%02u-%02u %02u:%02u lesson %d, session %d of %d: ",
                    inicio.wYear, inicio.wMonth, inicio.wDay, inicio.wHour, inicio.wMinute,
                    leccion, pase, pases);
  std::size_t largo = cabeza < 0 ? 0 : std::min<std::size_t>(cabeza, capacidad - 1);
  // The choices that do not fit give way to the ending, which says whether
  // the pass counted.
  const std::size_t reserva = std::min(std::strlen(fin), capacidad / 2) + 5;
  if (!avisos.empty()) {
    char cuantos[32];
    std::snprintf(cuantos, sizeof cuantos, "%zu warning%s: ", avisos.size(),
                  avisos.size() == 1 ? "" : "s");
    bool cabe = Agregar(cuantos, reserva, linea, capacidad, &largo);
    for (std::size_t i = 0; cabe && i < std::min(avisos.size(), kAvisosDichos); ++i) {
      cabe = Agregar(avisos[i].c_str(), reserva + 2, linea, capacidad, &largo) &&
             Agregar("; ", reserva, linea, capacidad, &largo);
    }
    if (!cabe || avisos.size() > kAvisosDichos) Agregar("...; ", 0, linea, capacidad, &largo);
  }
  for (uint32_t i = 0; i < elecciones.cantidad; ++i) {
    const Eleccion& eleccion = elecciones.elementos[i];
    char una[64];
    if (eleccion.elegido < 0) {
      std::snprintf(una, sizeof una, "asked %d, picked none; ", eleccion.pedido);
    } else {
      std::snprintf(una, sizeof una, "asked %d, picked %d; ", eleccion.pedido, eleccion.elegido);
    }
    if (!Agregar(una, reserva, linea, capacidad, &largo)) {
      Agregar("...; ", 0, linea, capacidad, &largo);
      break;
    }
  }
  std::snprintf(linea + largo, capacidad - largo, "%s", fin);
}

void Diario::Escribir(Final final, const char* razon) {
  if (escrito) return;
  escrito = true;
  char linea[kLargo];
  Linea(final, razon, linea, sizeof linea - 2);
  std::strcat(linea, "\r\n");
  const DWORD largo = static_cast<DWORD>(std::strlen(linea));
  // Appended, never rewritten: a diary that cannot be written costs its
  // line and nothing more.
  const HANDLE diario = CreateFileA(kArchivo, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD escritos = 0;
  const bool bien = diario != INVALID_HANDLE_VALUE &&
                    WriteFile(diario, linea, largo, &escritos, nullptr) && escritos == largo;
  char razonDelSistema[512] = "";
  if (!bien) RazonDelSistema(razonDelSistema, sizeof razonDelSistema);
  if (diario != INVALID_HANDLE_VALUE) CloseHandle(diario);
  if (!bien) {
    std::fprintf(stderr, "contapuntos: cannot note the run in %s: %s\n", kArchivo,
                 razonDelSistema);
  }
}
