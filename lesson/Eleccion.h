// The answer to a choice: the groups stand side by side, each in its own
// part of the card, and the child picks one by a touch or a click on its
// part, or by the key 1, 2 or 3 for the groups from left to right. Counted
// in the caller's ticks: a pick counts from the first tick the groups are
// on screen, and none within the wait ends the choice without one.
#pragma once

#include <cstdint>

class Eleccion {
 public:
  enum class Resultado { kEsperando, kAcierto, kOtra, kNinguna };

  // The most groups a choice shows.
  static constexpr int kMaximoGrupos = 3;
  // The gap between two parts of the card, in the picture's units.
  static constexpr double kHueco = 4.0;

  // The centre across of part grupo (0 from the left) of a card of
  // `grupos` parts, and the half width of each.
  static double Centro(int grupo, int grupos);
  static double MedioAncho(int grupos);
  // The group of the part nearest x, the picture's x of a touch: a touch
  // in a gap or a margin picks the part beside it.
  static int GrupoEn(double x, int grupos);
  // The group the key whose character is codigo picks ('1' the leftmost),
  // or -1 for any other key.
  static int GrupoDeTecla(int codigo, int grupos);

  // A choice of `grupos` groups whose group pedido is the one asked for,
  // on screen from tick inicio, waiting `espera` ticks at the most (at
  // least one).
  Eleccion(int grupos, int pedido, int32_t inicio, int32_t espera);

  // A pick of grupo at tick instante; -1 picks nothing. Ignored before
  // inicio and once the choice has ended.
  void Elegir(int grupo, int32_t instante);
  // Tick instante is over: at the last tick of the wait, a choice still
  // waiting ends without a pick.
  void Esperar(int32_t instante);

  Resultado resultado = Resultado::kEsperando;
  // The group picked, or -1.
  int elegido = -1;

 private:
  int grupos;
  int pedido;
  int32_t inicio;
  int32_t espera;
};
