// What the world tests share: a current OpenGL context with a world in it,
// primitives and beings that record what the world does to them, and the
// frame read back as pixels.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/Vector.h"
#include "tests/support/contexto_gl.h"
#include "world/APrimitiva.h"
#include "world/Identidad.h"
#include "world/MPrimitiva.h"
#include "world/Universo.h"

// What the test beings and primitives saw, in order ("vive A", "choque A B",
// "dibuja A", "fin A").
extern std::vector<std::string> sucesos;

// A matter primitive that answers every contact question with toca and
// records it.
class MPrueba : public MPrimitiva {
 public:
  struct Pregunta {
    const MPrimitiva* propia;
    const MPrimitiva* otra;
    Vector posicionRelativa;
    Vector escalaRelativa;
  };
  static std::vector<Pregunta> preguntas;
  static int vivas;

  explicit MPrueba(bool toca = true) : toca(toca) { ++vivas; }
  ~MPrueba() override { --vivas; }
  MPrimitiva* Duplicar() const override { return new MPrueba(toca); }
  bool Contiene(const Vector*) const override { return false; }
  bool Colisiona(const Vector* posicionRelativa, const Vector* escalaRelativa,
                 const MPrimitiva* otra) const override {
    preguntas.push_back({this, otra, *posicionRelativa, *escalaRelativa});
    return toca;
  }
  int32_t Nivel() const override { return 7; }

  const bool toca;
};

// An appearance primitive that counts its draws and, with conMateria, brings
// an MPrueba as its matter.
class APrueba : public APrimitiva {
 public:
  static int vivas;
  static int dibujos;

  explicit APrueba(bool conMateria) : conMateria(conMateria) { ++vivas; }
  ~APrueba() override { --vivas; }
  APrimitiva* Duplicar() const override { return new APrueba(conMateria); }
  void Dibujar(void*) const override { ++dibujos; }
  MPrimitiva* CrearMateria() const override { return conMateria ? new MPrueba : nullptr; }

  const bool conMateria;
};

// A being with a name that records its steps, contacts, draws (with its x
// at that moment) and destruction; alVivir runs inside its Vivir.
class SerDePrueba : public Identidad {
 public:
  SerDePrueba(Universo* universo, std::string nombre)
      : Identidad(universo), nombre(std::move(nombre)) {}
  SerDePrueba(const SerDePrueba* modelo, const Vector& desplazamiento, std::string nombre)
      : Identidad(modelo, desplazamiento), nombre(std::move(nombre)) {}
  ~SerDePrueba() override { sucesos.push_back("fin " + nombre); }

  void Vivir() override {
    sucesos.push_back("vive " + nombre);
    if (alVivir) alVivir();
  }
  void Choque(Materia* otra) override {
    sucesos.push_back("choque " + nombre + " " + static_cast<SerDePrueba*>(otra)->nombre);
  }
  void Dibujar() override {
    sucesos.push_back("dibuja " + nombre);
    xAlDibujar.push_back(posicion.x);
    Identidad::Dibujar();
  }

  const std::string nombre;
  std::function<void()> alVivir;
  std::vector<double> xAlDibujar;
};

// One pixel of the frame.
struct Color {
  int r, g, b;
};

// The drawn frame (the back buffer), ContextoGL::kAncho x kAlto.
class Fotografia {
 public:
  Fotografia();
  // x from the left, y from the bottom, as OpenGL counts them.
  Color En(int x, int y) const;
  // Pixels of the frame for which es holds.
  int Contar(const std::function<bool(Color)>& es) const;
  // Length of the run of pixels for which es holds through (x, y), along the
  // row (horizontal) or the column.
  int Tramo(int x, int y, bool horizontal, const std::function<bool(Color)>& es) const;
  // Pixels that differ from otra's.
  int Diferencias(const Fotografia& otra) const;

 private:
  std::vector<uint8_t> rgba_;
};

bool EsBlanco(Color c);
// Red (or blue) and nothing else, however dark: what a colour of (0.8, 0, 0)
// (or (0, 0, 0.8)) gives anywhere on a sphere under the world's light.
bool EsRojo(Color c);
bool EsAzul(Color c);

// A current OpenGL context with an empty world in it; the world goes before
// the context. Clears the records of the test beings and primitives.
class PruebaDeMundo : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  ContextoGL contexto;
  Universo* mundo = nullptr;
};
