// The diary: one line of plain text per run, appended to Diario.txt beside
// the lesson file, for the parent to read in any text editor. The line
// tells when the run started, the lesson and session it showed, the
// warnings of its lesson file, each of its choices, and how it ended:
//
//   2026-12-09 18:05 lesson 11, session 1 of 3: asked 7, picked 3; whole, counted
//   2026-12-10 09:10 lesson 12, session 1 of 3: 1 warning: Leccion12: "1O" is read as 1; whole, counted
//
// A run notes itself once: the first ending told is the one written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/TColeccion.h"
#include "platform/platform.h"

class Diario {
 public:
  // The diary of a run, beside its lesson file.
  static constexpr const char* kArchivo = ".\\Diario.txt";
  static constexpr const char* kNombre = "Diario.txt";

  // How a run ended: its pass shown whole and counted; stopped before its
  // end (Escape, the window closed), nothing counted; or a failure that
  // ended the program, with its reason, nothing counted.
  enum class Final { kEntera, kParada, kFallo };

  // The run that starts at cuando, showing session pase of pases of lesson
  // leccion, as the lesson file had them.
  void Empezar(const SYSTEMTIME& cuando, int32_t leccion, int32_t pase, int32_t pases);
  // Keeps a choice of the run for its line: the number asked, and the one
  // picked, or -1 when none was.
  void Anotar(int32_t pedido, int32_t elegido);
  // Keeps a warning of the lesson file for the line ("TiempoBit=1O is read
  // as 1 (0.1 s a card, under 0.3 s)"): the line counts them all and tells
  // the first kAvisosDichos.
  void Avisar(const std::string& aviso);
  static constexpr std::size_t kAvisosDichos = 2;
  // The run's line, without its line end, for the ending final (razon is
  // a failure's reason); at most capacidad - 1 characters, the warnings and
  // choices that do not fit left out, the ending kept.
  void Linea(Final final, const char* razon, char* linea, std::size_t capacidad) const;
  // Appends the run's line with its CRLF to kArchivo in one write, the
  // first time it is called; later calls do nothing. Uses no memory but the
  // stack's (a failure may be memory running out). A failed append is told
  // on one line on standard error, and nothing else.
  void Escribir(Final final, const char* razon = "");

 private:
  struct Eleccion {
    int32_t pedido;
    int32_t elegido;
    bool operator==(const Eleccion& otra) const {
      return pedido == otra.pedido && elegido == otra.elegido;
    }
  };

  SYSTEMTIME inicio{};
  int32_t leccion = 0;
  int32_t pase = 0;
  int32_t pases = 0;
  TColeccion<Eleccion> elecciones;
  std::vector<std::string> avisos;
  bool escrito = false;
};
