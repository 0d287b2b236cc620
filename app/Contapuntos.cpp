#include "app/Contapuntos.h"

#include <cstdio>
#include <string>
#include <vector>

#include "lesson/Guion.h"
#include "lesson/VistaPrevia.h"
#include "world/BigBang.h"
#include "world/Observador.h"
#include "world/Universo.h"

namespace {

constexpr const char* kUso =
    "usage: contapuntos                            runs the next lesson of ./CPControl.ini\n"
    "       contapuntos --show [--all] [FILE|FOLDER]\n"
    "                                              tells what the next run of a lesson file\n"
    "                                              shows (--all: every lesson of it), without\n"
    "                                              running it or changing the file\n"
    "       contapuntos --help                     tells this\n";

// The arguments of a command line as Windows' programs split it: blanks
// separate them, outside double quotes; the quotes themselves are dropped.
std::vector<std::string> Argumentos(const char* linea) {
  std::vector<std::string> argumentos;
  std::string actual;
  bool entreComillas = false;
  bool hay = false;
  for (const char* c = linea;; ++c) {
    if (*c == '\0' || ((*c == ' ' || *c == '\t') && !entreComillas)) {
      if (hay) argumentos.push_back(actual);
      actual.clear();
      hay = false;
      if (*c == '\0') return argumentos;
    } else if (*c == '"') {
      entreComillas = !entreComillas;
      hay = true;
    } else {
      actual += *c;
      hay = true;
    }
  }
}

// A Windows program has no console of its own: what it prints goes to the
// console of the command prompt that started it, unless it is sent
// elsewhere. Returns whether it goes anywhere: not for a program started
// from a shortcut.
bool SalidaALaConsola() {
  const HANDLE salida = GetStdHandle(STD_OUTPUT_HANDLE);
  if (salida != nullptr && salida != INVALID_HANDLE_VALUE) return true;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return false;
  std::freopen("CONOUT$", "w", stdout);
  std::freopen("CONOUT$", "w", stderr);
  SetConsoleOutputCP(CP_UTF8);
  return true;
}

}  // namespace

Contapuntos::Contapuntos() : observador(nullptr), guion(nullptr) {}

Contapuntos::~Contapuntos() = default;

bool Contapuntos::Preparar(const char* lineaOrdenes, int* codigo) {
  const std::vector<std::string> argumentos = Argumentos(lineaOrdenes);
  if (argumentos.empty()) return true;
  const bool conConsola = SalidaALaConsola();
  bool mostrar = false;
  bool todas = false;
  const char* donde = nullptr;
  std::string fallo;
  for (const std::string& argumento : argumentos) {
    if (argumento == "--help" || argumento == "-h" || argumento == "/?") {
      std::fputs(kUso, stdout);
      *codigo = 0;
      return false;
    }
    if (argumento == "--show") {
      mostrar = true;
    } else if (argumento == "--all") {
      todas = true;
    } else if (argumento.rfind("-", 0) == 0) {
      if (fallo.empty()) fallo = "\"" + argumento + "\" is not an option of contapuntos";
    } else if (donde == nullptr) {
      donde = argumento.c_str();
    } else if (fallo.empty()) {
      fallo = "one lesson file or folder at a time, not \"" + argumento + "\" too";
    }
  }
  if (fallo.empty() && !mostrar) fallo = "a lesson file or folder, and --all, go with --show";
  if (!fallo.empty()) {
    std::fprintf(stderr, "contapuntos: %s\n%s", fallo.c_str(), kUso);
    // A shortcut given a wrong argument would otherwise end without a word.
    if (!conConsola) MessageBoxA(nullptr, fallo.c_str(), "Contapuntos", MB_OK | MB_ICONERROR);
    *codigo = 2;
    return false;
  }
  *codigo = VistaPrevia::Mostrar(donde, todas);
  return false;
}

void Contapuntos::Crear() {
  Universo* mundo = CrearUniverso();
  {
    // The template of the world's first beings; it never lives a frame.
    BigBang bigBang(mundo);
    const double blanco[4] = {1.0, 1.0, 1.0, 0.0};
    bigBang.FijarFondo(blanco);
    const double rojo[4] = {0.8, 0.0, 0.0, 0.0};
    bigBang.FijarColor(rojo);

    observador = new Observador(&bigBang);
    observador->FijarVista(40, 30);
    // The origin at the centre of the screen: x from -20 to 20, y from -15 to 15.
    observador->posicion = observador->posicion + Vector(20.0, 15.0, 0.0);

    ShowCursor(FALSE);
    guion = new Guion(&bigBang, this);
    guion->Ensayar();
  }
}

void Contapuntos::Acabar() {
  if (guion != nullptr) guion->diario.Escribir(Diario::Final::kParada);
}

// The program's one application object.
Contapuntos contapuntos;
