// What the screen shows, for the tests: a PNG read into RGB pixels (through
// ImageMagick's convert), the connected patches of pixels that are not
// background, the check of a card's dots, and the failure's message box.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Imagen {
  int ancho = 0;
  int alto = 0;
  // Red, green and blue bytes, row by row from the top.
  std::vector<uint8_t> rgb;

  bool Blanco(int x, int y) const;
};

// The picture in archivo; empty (ancho 0) when it cannot be read.
Imagen LeerImagen(const std::string& archivo);

// A patch of 4-connected pixels that are not white.
struct Mancha {
  int area = 0;
  int izquierda = 0;
  int derecha = 0;
  int arriba = 0;
  int abajo = 0;
  // Mean colour.
  double rojo = 0;
  double verde = 0;
  double azul = 0;
};

std::vector<Mancha> Manchas(const Imagen& imagen);

// Checks, with GoogleTest assertions, that the screenshot in archivo is a
// 1024 x 768 card of exactly `puntos` red dots on white: each patch red and
// a whole number of discs of 25.6 px radius (dots may touch, never overlap),
// a lone disc 51.2 px across, and the discs adding up to `puntos`.
void ComprobarTarjeta(const std::string& archivo, int puntos);

// Checks that a card on pantalla is drawn again after another window covered
// it: a screenshot once the card is up (within 10 s), a card of `puntos`
// dots; the screen covered for 1 s and uncovered; then, within 3 s, a
// screenshot pixel for pixel the first. The card must stay on screen for
// that long.
class PantallaVirtual;
void ComprobarRepintado(const PantallaVirtual& pantalla, int puntos);

// Checks that the program on pantalla tells the parent of a failure in a box
// captioned "Contapuntos", shown within segundos with the lesson's window
// ("Orvalo") hidden, so that nothing covers it; then presses the box's OK
// (Return), which lets the program end.
void ComprobarCajaDeFallo(const PantallaVirtual& pantalla, double segundos);
