// Places the dots of a card: random offsets on the plane z = 0, x from -18.0
// to 17.9 and y from -13.0 to 12.9 in steps of 0.1, no two closer than the
// diameter of a dot.
//
// Each candidate takes two draws of the lesson's generator, x from the first
// and y from the second, and is refused when it lies closer than 2.0 to a dot
// already placed. A card holds far more than 100 dots that way. Past what
// fits, a dot whose draws keep being refused goes, after a bounded number of
// them, where the best of those draws found the most room, so that a card
// always shows all its dots and its placing never stalls.
#pragma once

#include <cstdint>

#include "base/TColeccion.h"
#include "base/Vector.h"

class Colocacion {
 public:
  // The most dots a card shows: more would not be drawn within a frame.
  static constexpr int kPuntosMaximos = 1000;
  // The least distance between the centres of two dots: their diameter.
  static constexpr double kSeparacion = 2.0;
  // The card's area: x from -kMedioAncho to below kMedioAncho, y from
  // -kMedioAlto to below kMedioAlto, in steps of 1 / kPasosPorUnidad.
  static constexpr double kMedioAncho = 18.0;
  static constexpr double kMedioAlto = 13.0;
  static constexpr int kPasosPorUnidad = 10;

  // Appends to aceptados (empty) the offsets of n dots, at most
  // kPuntosMaximos. Returns how many dots had to go where the most room was,
  // closer than kSeparacion to another.
  static int Colocar(int n, TColeccion<Vector>* aceptados);

  // The offset that a pair of draws gives.
  static Vector Candidato(int r1, int r2);

  // As Colocar, in a smaller area, a group of a choice: x from -medioAncho
  // to below medioAncho, y from -MedioAlto(medioAncho) to below it, the dots
  // drawn escala times their size and no two closer than kSeparacion times
  // escala.
  static int Colocar(int n, double medioAncho, double escala, TColeccion<Vector>* aceptados);
  // The half height of a group's area of half width medioAncho: a card
  // held upright, a little taller than wide, and no taller than a card.
  static double MedioAlto(double medioAncho);
  // The size, 1 or less, at which n dots fit that area at once: their usual
  // one while it holds them with room to spare, smaller only when it must.
  static double Escala(int n, double medioAncho);
};
