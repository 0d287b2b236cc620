// What the screen shows, for the tests: a PNG read into RGB pixels (through
// ImageMagick's convert), the connected patches of pixels that are not
// background, the check of a card's dots or numeral, and the failure's
// message box.
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

// How many dots the card on a 1024 x 768 screenshot shows: its pixels that
// are not white, counted in discs of 51.2 px across. 0 when the picture is
// white or not mostly white (no card is up).
int ContarPuntos(const Imagen& imagen);

// The screens a card is checked on, by the Linux program and by the Windows
// one: the picture's own size, a wide screen and a laptop's, each with a
// card of dots; then the wide screen with the numeral cards of 7 and 42,
// whose pictures must differ.
struct PantallaDePrueba {
  int ancho;
  int alto;
  // The numeral the card shows, or -1 for a card of dots.
  int numeral = -1;
};
inline constexpr PantallaDePrueba kPantallasDePrueba[] = {
    {1024, 768}, {1920, 1080}, {1366, 768}, {1920, 1080, 7}, {1920, 1080, 42}};

// Checks, with GoogleTest assertions, that the screenshot in archivo is a
// card of exactly `puntos` red dots on white on a screen of ancho x alto:
// the program's 1024 x 768 picture scaled by s = the smaller of ancho / 1024
// and alto / 768 (1 on its own screen), centred, white to every edge. Each
// patch is red, lies inside the centred picture, and is a whole number of
// discs of 25.6 s px radius (dots may touch, never overlap); a lone disc is
// round, 51.2 s px across, and the discs add up to `puntos`.
void ComprobarTarjeta(const std::string& archivo, int puntos, int ancho = 1024, int alto = 768);

// Checks that a card on pantalla is drawn again after another window covered
// it: a screenshot once the card is up (within 10 s), a card of `puntos`
// dots, or, with numeral 0 or more, a numeral's card, the picture scaled by
// s as for dots: every pixel that is not white the dots' red, (204, 0, 0),
// the ink centred across the screen and as tall as the figures (13 units of
// the picture's 30, 25.6 s px each) centred from top to bottom, give or
// take the overshoot of round figures; the screen covered for 1 s and
// uncovered; then, within 3 s, a screenshot pixel for pixel the first,
// which it returns. The card must stay on screen for that long.
class PantallaVirtual;
Imagen ComprobarRepintado(const PantallaVirtual& pantalla, int puntos, int numeral = -1);

// Answers a choice as a child does, with a click: waits up to segundos for
// pantalla to show, in one half of the picture, a group of `puntos` dots
// and, in the other, one of `otros` (dots of their usual size, the picture
// scaled as for a card), then clicks on the dot of the first group nearest
// the middle, where a point mapped wrongly into the picture lands soonest
// on the other group. Whether the groups came.
bool ElegirConUnClic(const PantallaVirtual& pantalla, int puntos, int otros, double segundos);

// Checks that programa, on pantalla, tells the parent of a failure in a box
// captioned "Contapuntos", shown within segundos with the lesson's window
// ("Orvalo") hidden, so that nothing covers it; then presses the box's OK
// (Return), which ends the program.
class Proceso;
void ComprobarCajaDeFallo(const PantallaVirtual& pantalla, Proceso* programa, double segundos);
