// Runs programs for the tests: a child process with its own environment and
// working folder, its output captured, ended if it overruns its time.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <map>
#include <string>
#include <vector>

#include "tests/support/carpeta.h"

struct Resultado {
  // The exit code, or 128 + the signal that ended the process.
  int codigo = -1;
  bool agotado = false;
  std::string salida;
  std::string errores;
  double segundos = 0.0;
};

struct Orden {
  std::vector<std::string> argumentos;
  // Variables set (or, with an empty value and quitar, removed) over ours.
  std::map<std::string, std::string> entorno;
  std::vector<std::string> quitar;
  std::string carpeta;
  std::chrono::milliseconds limite{20000};
};

// A started child; Esperar collects it.
class Proceso {
 public:
  explicit Proceso(const Orden& orden);
  ~Proceso();
  Proceso(const Proceso&) = delete;
  Proceso& operator=(const Proceso&) = delete;

  pid_t pid() const { return pid_; }
  // Waits for the end (killing the child at the time limit) and returns it.
  Resultado Esperar();
  // Waits up to segundos for the child to end, leaving it to Esperar;
  // whether it ended.
  bool Termina(double segundos);
  // Waits up to segundos for the child's standard output to hold texto;
  // whether it does.
  bool Escribe(const std::string& texto, double segundos);

 private:
  // Takes what the child has written so far.
  void Leer();

  pid_t pid_ = -1;
  int salida_ = -1;
  int errores_ = -1;
  std::string leidaSalida_;
  std::string leidosErrores_;
  std::chrono::steady_clock::time_point inicio_;
  std::chrono::milliseconds limite_;
  bool recogido_ = false;
};

// Runs a program to its end.
Resultado Ejecutar(const Orden& orden);
