// A virtual X display (1024 x 768 unless told) for the tests that need a
// real window, a keyboard or a screenshot: an Xvfb server of the test's own,
// on a free display number, ended with the object.
#pragma once

#include <sys/types.h>

#include <string>

#include "tests/support/proceso.h"

class PantallaVirtual {
 public:
  explicit PantallaVirtual(int ancho = 1024, int alto = 768);
  ~PantallaVirtual();
  PantallaVirtual(const PantallaVirtual&) = delete;
  PantallaVirtual& operator=(const PantallaVirtual&) = delete;

  // Whether the server is up; false when Xvfb is missing or failed.
  bool activa() const { return !nombre_.empty(); }
  // The value for DISPLAY, such as ":3".
  const std::string& nombre() const { return nombre_; }
  int ancho() const { return ancho_; }
  int alto() const { return alto_; }
  // Runs xdotool on this display with the given arguments; returns its
  // standard output, and its exit code through codigo when given.
  std::string Xdotool(const std::string& argumentos, int* codigo = nullptr) const;
  // Waits up to segundos for a shown window whose title starts with titulo
  // (looks once at least); returns its id, or an empty text.
  std::string EsperarVentana(const std::string& titulo, double segundos) const;
  // Saves the whole screen as a PNG file; false on failure.
  bool Captura(const std::string& archivo) const;
  // Waits up to segundos until no shown window's title starts with titulo;
  // whether none does.
  bool EsperarQueSeVaya(const std::string& titulo, double segundos) const;
  // Gives ventana the keyboard and types teclas (xdotool's key names) until
  // programa ends, again every 2 s: keys sent while a new window is still
  // taking the focus can be lost. Whether it ended within segundos.
  bool TeclearHastaQueTermine(const std::string& ventana, const std::string& teclas,
                              Proceso* programa, double segundos = 20) const;
  // Covers the whole screen with another program's black window for
  // segundos, then takes the window away, uncovering what was below.
  void Cubrir(double segundos) const;

 private:
  pid_t pid_ = -1;
  std::string nombre_;
  int ancho_;
  int alto_;
};
