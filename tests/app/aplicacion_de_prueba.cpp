// A small application for the tests that drive a real window: it writes
// every key that reaches its world, and every frame count asked for, on
// standard output, one line each, so that a test can read what the program
// saw.

#include <cstdio>

#include "app/Dios.h"
#include "world/Universo.h"

namespace {

class UniversoRegistrador : public Universo {
 public:
  void Fotograma() override {
    glClearColor(1.0f, 1.0f, 1.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }
  void Tecla(int codigo, bool pulsada) override {
    std::printf("tecla %d %d\n", codigo, pulsada ? 1 : 0);
    std::fflush(stdout);
  }
};

class AplicacionDePrueba : public Dios {
 public:
  void Crear() override {
    universo = new UniversoRegistrador;
    ShowCursor(FALSE);
  }
};

AplicacionDePrueba aplicacion;

}  // namespace
