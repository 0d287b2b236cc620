#include "base/Fallo.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

HWND ventanaPrograma = nullptr;
void (*anotarFinal)(void*, const char*) = nullptr;
void* datoDelFinal = nullptr;

}  // namespace

void VentanaQueOcultarAlFallar(HWND ventana) { ventanaPrograma = ventana; }

void AlTerminar(void (*anotar)(void* dato, const char* linea), void* dato) {
  anotarFinal = anotar;
  datoDelFinal = dato;
}

void RazonDelSistema(char* razon, std::size_t capacidad) {
  razon[0] = '\0';
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 GetLastError(), 0, razon, static_cast<DWORD>(capacidad), nullptr);
  // System messages may end in a line break; the report is one line.
  for (char* c = razon; *c; ++c) {
    if (*c == '\r' || *c == '\n') *c = ' ';
  }
  for (std::size_t n = std::strlen(razon); n > 0 && razon[n - 1] == ' '; --n) razon[n - 1] = '\0';
}

void Terminar(const char* linea, const char* aviso) {
  std::fprintf(stderr, "contapuntos: %s\n", linea);
  std::fflush(stderr);
  // Forgotten before the call: a failure within it ends the program with
  // its own line alone.
  const auto anotar = anotarFinal;
  anotarFinal = nullptr;
  if (anotar != nullptr) anotar(datoDelFinal, linea);
  // Showing the box can itself fail the same way (memory runs out again):
  // a second failure ends the program with its line alone.
  static bool avisando = false;
  if (!avisando && GetSystemMetrics(SM_CMONITORS) > 0) {
    avisando = true;
    if (ventanaPrograma) ShowWindow(ventanaPrograma, SW_HIDE);
    MessageBoxA(nullptr, aviso, "Contapuntos", MB_OK | MB_ICONERROR);
  }
  std::exit(1);
}

void TerminarPorFallo(const char* que, const char* aviso) {
  char razon[512];
  RazonDelSistema(razon, sizeof razon);
  char linea[1024];
  std::snprintf(linea, sizeof linea, "%s: %s", que, razon);
  Terminar(linea, aviso);
}
