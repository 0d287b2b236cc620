// Where the dots of a card go: the draw formulas, the spacing, the bounds,
// and a card of any size placed completely and at once.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "lesson/Azar.h"
#include "lesson/Colocacion.h"

namespace {

double Distancia(const Vector& a, const Vector& b) {
  const Vector d = a - b;
  return std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
}

// Whether v is a multiple of a tenth.
bool EnDecimas(double v) { return std::fabs(v * 10.0 - std::round(v * 10.0)) < 1e-9; }

TEST(ColocacionTest, DrawsMapOntoTheCardInTenths) {
  EXPECT_EQ(Colocacion::Candidato(0, 0), Vector(-18.0, -13.0, 0.0));
  EXPECT_EQ(Colocacion::Candidato(359, 259), Vector(17.9, 12.9, 0.0));
  EXPECT_EQ(Colocacion::Candidato(360, 260), Vector(-18.0, -13.0, 0.0));
  EXPECT_EQ(Colocacion::Candidato(32767, 32767), Vector((32767 % 360 - 180) / 10.0,
                                                          (32767 % 260 - 130) / 10.0, 0.0));
}

TEST(ColocacionTest, TakesTwoDrawsPerCandidateInOrder) {
  Azar::Sembrar(99);
  const int r1 = Azar::Sacar();
  const int r2 = Azar::Sacar();
  Azar::Sembrar(99);
  TColeccion<Vector> puntos;
  Colocacion::Colocar(1, &puntos);
  ASSERT_EQ(puntos.cantidad, 1u);
  EXPECT_EQ(puntos.elementos[0], Colocacion::Candidato(r1, r2));
}

TEST(ColocacionTest, CardsUpTo100DotsAreSpacedAndInBounds) {
  for (uint32_t semilla = 1; semilla <= 400; ++semilla) {
    Azar::Sembrar(semilla);
    const int n = semilla <= 300 ? 100 : static_cast<int>(semilla % 101);
    TColeccion<Vector> puntos;
    ASSERT_EQ(Colocacion::Colocar(n, &puntos), 0) << "seed " << semilla << " crowded a card";
    ASSERT_EQ(puntos.cantidad, static_cast<uint32_t>(n));
    for (uint32_t i = 0; i < puntos.cantidad; ++i) {
      const Vector& p = puntos.elementos[i];
      ASSERT_GE(p.x, -18.0);
      ASSERT_LE(p.x, 17.9);
      ASSERT_GE(p.y, -13.0);
      ASSERT_LE(p.y, 12.9);
      ASSERT_EQ(p.z, 0.0);
      ASSERT_TRUE(EnDecimas(p.x) && EnDecimas(p.y)) << p.x << ", " << p.y;
      for (uint32_t j = 0; j < i; ++j) {
        ASSERT_GE(Distancia(p, puntos.elementos[j]), 2.0)
            << "seed " << semilla << ": dots " << j << " and " << i << " overlap";
      }
    }
  }
}

TEST(ColocacionTest, ACardBeyondWhatFitsStillShowsEveryDot) {
  Azar::Sembrar(5);
  TColeccion<Vector> puntos;
  const int apretados = Colocacion::Colocar(600, &puntos);
  EXPECT_EQ(puntos.cantidad, 600u);
  EXPECT_GT(apretados, 0) << "600 dots cannot all keep their distance";
  EXPECT_LT(apretados, 600);
}

TEST(ColocacionTest, NumbersBeyondTheLimitShowTheLimit) {
  Azar::Sembrar(6);
  TColeccion<Vector> puntos;
  Colocacion::Colocar(1000000, &puntos);
  EXPECT_EQ(puntos.cantidad, static_cast<uint32_t>(Colocacion::kPuntosMaximos));
  TColeccion<Vector> ninguno;
  Colocacion::Colocar(-4, &ninguno);
  EXPECT_EQ(ninguno.cantidad, 0u);
}

// Timed only in optimised builds without the sanitizers, which slow every
// memory access.
#if defined(NDEBUG) && !defined(__SANITIZE_ADDRESS__)
TEST(ColocacionTest, AnyCardIsPlacedWithinAFrame) {
  for (int n : {100, Colocacion::kPuntosMaximos}) {
    Azar::Sembrar(11);
    TColeccion<Vector> puntos;
    const auto inicio = std::chrono::steady_clock::now();
    Colocacion::Colocar(n, &puntos);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - inicio)
            .count();
    EXPECT_LT(ms, 16.0) << n << " dots took " << ms << " ms, more than a frame";
  }
}
#endif

}  // namespace
