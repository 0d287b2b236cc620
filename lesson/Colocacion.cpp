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

// An area to place dots in, and the least distance between them.
struct Area {
  double medioAncho;
  double medioAlto;
  double separacion;
  // The positions across and down the area.
  int PasosX() const { return static_cast<int>(2 * medioAncho * Colocacion::kPasosPorUnidad); }
  int PasosY() const { return static_cast<int>(2 * medioAlto * Colocacion::kPasosPorUnidad); }
};

// The area in cells as wide as the least distance, so that any dot closer
// than that to a point lies in the point's cell or one next to it.
class Rejilla {
 public:
  Rejilla(const TColeccion<Vector>& puntos, const Area& area)
      : puntos_(puntos),
        area_(area),
        columnas_(std::max(1, static_cast<int>(2 * area.medioAncho / area.separacion))),
        filas_(std::max(1, static_cast<int>(2 * area.medioAlto / area.separacion))),
        celdas_(columnas_ * filas_) {}

  void Agregar(uint32_t indice) { celdas_[Celda(puntos_.elementos[indice])].push_back(indice); }

  // The distance from p to the nearest dot, when one is closer than the
  // least distance; otherwise the least distance itself.
  double Holgura(const Vector& p) const {
    const int columna = Columna(p.x);
    const int fila = Fila(p.y);
    double menor = area_.separacion;
    for (int f = std::max(fila - 1, 0); f <= std::min(fila + 1, filas_ - 1); ++f) {
      for (int c = std::max(columna - 1, 0); c <= std::min(columna + 1, columnas_ - 1); ++c) {
        for (uint32_t i : celdas_[f * columnas_ + c]) {
          const Vector d = p - puntos_.elementos[i];
          menor = std::min(menor, std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z));
        }
      }
    }
    return menor;
  }

 private:
  int Columna(double x) const {
    const double celda = (x + area_.medioAncho) / area_.separacion;
    return std::clamp(static_cast<int>(std::floor(celda)), 0, columnas_ - 1);
  }
  int Fila(double y) const {
    const double celda = (y + area_.medioAlto) / area_.separacion;
    return std::clamp(static_cast<int>(std::floor(celda)), 0, filas_ - 1);
  }
  int Celda(const Vector& p) const { return Fila(p.y) * columnas_ + Columna(p.x); }

  const TColeccion<Vector>& puntos_;
  const Area area_;
  const int columnas_;
  const int filas_;
  std::vector<std::vector<uint32_t>> celdas_;
};

// The offset that a pair of draws gives in area.
Vector EnArea(int r1, int r2, const Area& area) {
  // Whole steps, divided once, so that every offset is the nearest double
  // to its tenth.
  const int pasosX = area.PasosX();
  const int pasosY = area.PasosY();
  return Vector(((r1 % pasosX) - pasosX / 2) / double(Colocacion::kPasosPorUnidad),
                ((r2 % pasosY) - pasosY / 2) / double(Colocacion::kPasosPorUnidad), 0.0);
}

int ColocarEn(int n, const Area& area, TColeccion<Vector>* aceptados) {
  Rejilla rejilla(*aceptados, area);
  bool lleno = false;
  int apretados = 0;
  const int total = std::min(n, Colocacion::kPuntosMaximos);
  for (int j = 0; j < total; ++j) {
    Vector mejor;
    double holguraMejor = -1.0;
    const int intentos = lleno ? kIntentosLleno : kIntentos;
    for (int intento = 0; intento < intentos; ++intento) {
      const int r1 = Azar::Sacar();
      const int r2 = Azar::Sacar();
      const Vector candidato = EnArea(r1, r2, area);
      const double holgura = rejilla.Holgura(candidato);
      if (holgura >= area.separacion) {
        holguraMejor = holgura;
        mejor = candidato;
        break;
      }
      if (holgura > holguraMejor) {
        holguraMejor = holgura;
        mejor = candidato;
      }
    }
    if (holguraMejor < area.separacion) {
      lleno = true;
      ++apretados;
    }
    aceptados->Agregar(mejor);
    rejilla.Agregar(aceptados->cantidad - 1);
  }
  return apretados;
}

constexpr Area kTarjeta{Colocacion::kMedioAncho, Colocacion::kMedioAlto, Colocacion::kSeparacion};

}  // namespace

Vector Colocacion::Candidato(int r1, int r2) { return EnArea(r1, r2, kTarjeta); }

int Colocacion::Colocar(int n, TColeccion<Vector>* aceptados) {
  return ColocarEn(n, kTarjeta, aceptados);
}

int Colocacion::Colocar(int n, double medioAncho, double escala, TColeccion<Vector>* aceptados) {
  return ColocarEn(n, Area{medioAncho, MedioAlto(medioAncho), kSeparacion * escala}, aceptados);
}

double Colocacion::MedioAlto(double medioAncho) {
  // Spread over a whole column, groups side by side read as one scatter.
  constexpr double kProporcion = 1.25;
  return std::min(kMedioAlto, medioAncho * kProporcion);
}

double Colocacion::Escala(int n, double medioAncho) {
  // Dots covering at most this share of their area are placed at once; a
  // crowded area is all but full at twice that.
  constexpr double kCubierto = 0.3;
  const double radio = kSeparacion / 2;
  const double area = 4 * medioAncho * MedioAlto(medioAncho);
  const double cabe = kCubierto * area / (3.14159265358979 * radio * radio);
  return n <= cabe ? 1.0 : std::sqrt(cabe / n);
}
