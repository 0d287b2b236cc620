// A Flujo for tests: it records every write as one line ("texto Refs:",
// "entero 1", "cantidad 2", "leer") and, when loading, hands out counts from
// a queue that the test fills.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "base/Flujo.h"

class FlujoDePrueba : public Flujo {
 public:
  explicit FlujoDePrueba(bool cargando = false) : cargando_(cargando) {}

  // Every call, in order.
  std::vector<std::string> registro;
  // The counts LeerCantidad hands out, front first.
  std::deque<uint32_t> porLeer;
  // What EscribirTexto returns; this stream unless a test chains another.
  Flujo* siguiente = this;

  void EscribirCantidad(uint32_t n) override {
    registro.push_back("cantidad " + std::to_string(n));
  }
  void EscribirEntero(int32_t n) override { registro.push_back("entero " + std::to_string(n)); }
  Flujo* EscribirTexto(const char* s) override {
    registro.push_back(std::string("texto ") + s);
    return siguiente;
  }
  bool Cargando() override { return cargando_; }
  void LeerCantidad(uint32_t* n) override {
    registro.push_back("leer");
    if (porLeer.empty()) {
      ADD_FAILURE() << "LeerCantidad called with nothing left to read";
      *n = 0;
      return;
    }
    *n = porLeer.front();
    porLeer.pop_front();
  }

 private:
  bool cargando_;
};
