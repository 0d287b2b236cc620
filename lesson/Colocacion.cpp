#include "lesson/Colocacion.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "lesson/Azar.h"

namespace {

// Draws for one dot before it goes where the most room was found; fewer once
// the card has proved full, so that a crowded card is still placed at once.
constexpr int kIntentos = 2000;
constexpr int kIntentosLleno = 24;

// The card's area in cells as wide as the least distance, so that any dot
// closer than that to a point lies in the point's cell or one next to it.
constexpr int kColumnas = static_cast<int>(2 * Colocacion::kMedioAncho / Colocacion::kSeparacion);
constexpr int kFilas = static_cast<int>(2 * Colocacion::kMedioAlto / Colocacion::kSeparacion);
// The positions across and down the area.
constexpr int kPasosX = static_cast<int>(2 * Colocacion::kMedioAncho) * Colocacion::kPasosPorUnidad;
constexpr int kPasosY = static_cast<int>(2 * Colocacion::kMedioAlto) * Colocacion::kPasosPorUnidad;

class Rejilla {
 public:
  explicit Rejilla(const TColeccion<Vector>& puntos) : puntos_(puntos), celdas_(kColumnas * kFilas) {}

  void Agregar(uint32_t indice) { celdas_[Celda(puntos_.elementos[indice])].push_back(indice); }

  // The distance from p to the nearest dot, when one is closer than the
  // least distance; otherwise the least distance itself.
  double Holgura(const Vector& p) const {
    const int columna = Columna(p.x);
    const int fila = Fila(p.y);
    double menor = Colocacion::kSeparacion;
    for (int f = std::max(fila - 1, 0); f <= std::min(fila + 1, kFilas - 1); ++f) {
      for (int c = std::max(columna - 1, 0); c <= std::min(columna + 1, kColumnas - 1); ++c) {
        for (uint32_t i : celdas_[f * kColumnas + c]) {
          const Vector d = p - puntos_.elementos[i];
          menor = std::min(menor, std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z));
        }
      }
    }
    return menor;
  }

 private:
  static int Columna(double x) {
    const double celda = (x + Colocacion::kMedioAncho) / Colocacion::kSeparacion;
    return std::clamp(static_cast<int>(std::floor(celda)), 0, kColumnas - 1);
  }
  static int Fila(double y) {
    const double celda = (y + Colocacion::kMedioAlto) / Colocacion::kSeparacion;
    return std::clamp(static_cast<int>(std::floor(celda)), 0, kFilas - 1);
  }
  static int Celda(const Vector& p) { return Fila(p.y) * kColumnas + Columna(p.x); }

  const TColeccion<Vector>& puntos_;
  std::vector<std::vector<uint32_t>> celdas_;
};

}  // namespace

Vector Colocacion::Candidato(int r1, int r2) {
  // Whole steps, divided once, so that every offset is the nearest double
  // to its tenth.
  return Vector(((r1 % kPasosX) - kPasosX / 2) / double(kPasosPorUnidad),
                ((r2 % kPasosY) - kPasosY / 2) / double(kPasosPorUnidad), 0.0);
}

int Colocacion::Colocar(int n, TColeccion<Vector>* aceptados) {
  Rejilla rejilla(*aceptados);
  bool lleno = false;
  int apretados = 0;
  const int total = std::min(n, kPuntosMaximos);
  for (int j = 0; j < total; ++j) {
    Vector mejor;
    double holguraMejor = -1.0;
    const int intentos = lleno ? kIntentosLleno : kIntentos;
    for (int intento = 0; intento < intentos; ++intento) {
      const int r1 = Azar::Sacar();
      const int r2 = Azar::Sacar();
      const Vector candidato = Candidato(r1, r2);
      const double holgura = rejilla.Holgura(candidato);
      if (holgura >= kSeparacion) {
        holguraMejor = holgura;
        mejor = candidato;
        break;
      }
      if (holgura > holguraMejor) {
        holguraMejor = holgura;
        mejor = candidato;
      }
    }
    if (holguraMejor < kSeparacion) {
      lleno = true;
      ++apretados;
    }
    aceptados->Agregar(mejor);
    rejilla.Agregar(aceptados->cantidad - 1);
  }
  return apretados;
}
