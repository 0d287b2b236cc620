#include "tests/support/proceso.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

extern char** environ;

namespace {

void Leer(int fd, std::string* destino) {
  char bloque[4096];
  ssize_t n;
  while ((n = read(fd, bloque, sizeof bloque)) > 0) destino->append(bloque, size_t(n));
}

}  // namespace

Proceso::Proceso(const Orden& orden) : limite_(orden.limite) {
  int tuboSalida[2];
  int tuboErrores[2];
  // Closed on exec: the child keeps only its standard output and error, so
  // that a program it leaves running (a server, a daemon) holds no other
  // copy of the pipes, nor does any other child started meanwhile.
  if (pipe2(tuboSalida, O_CLOEXEC) != 0 || pipe2(tuboErrores, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe");
  }
  inicio_ = std::chrono::steady_clock::now();
  pid_ = fork();
  if (pid_ == 0) {
    dup2(tuboSalida[1], 1);
    dup2(tuboErrores[1], 2);
    close(tuboSalida[0]);
    close(tuboErrores[0]);
    setpgid(0, 0);
    for (const auto& nombre : orden.quitar) unsetenv(nombre.c_str());
    for (const auto& [nombre, valor] : orden.entorno) setenv(nombre.c_str(), valor.c_str(), 1);
    if (!orden.carpeta.empty() && chdir(orden.carpeta.c_str()) != 0) _exit(126);
    std::vector<char*> argv;
    for (const auto& a : orden.argumentos) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(tuboSalida[1]);
  close(tuboErrores[1]);
  salida_ = tuboSalida[0];
  errores_ = tuboErrores[0];
  fcntl(salida_, F_SETFL, O_NONBLOCK);
  fcntl(errores_, F_SETFL, O_NONBLOCK);
}

Proceso::~Proceso() {
  if (!recogido_ && pid_ > 0) {
    kill(-pid_, SIGKILL);
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (salida_ >= 0) close(salida_);
  if (errores_ >= 0) close(errores_);
}

void Proceso::Leer() {
  pollfd fds[2] = {{salida_, POLLIN, 0}, {errores_, POLLIN, 0}};
  poll(fds, 2, 10);
  ::Leer(salida_, &leidaSalida_);
  ::Leer(errores_, &leidosErrores_);
}

bool Proceso::Termina(double segundos) {
  const auto fin = std::chrono::steady_clock::now() + std::chrono::duration<double>(segundos);
  do {
    Leer();
    siginfo_t info{};
    // WNOWAIT leaves the ended child for Esperar to collect.
    if (waitid(P_PID, id_t(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid_) {
      return true;
    }
  } while (std::chrono::steady_clock::now() < fin);
  return false;
}

bool Proceso::Escribe(const std::string& texto, double segundos) {
  const auto fin = std::chrono::steady_clock::now() + std::chrono::duration<double>(segundos);
  do {
    Leer();
    if (leidaSalida_.find(texto) != std::string::npos) return true;
  } while (std::chrono::steady_clock::now() < fin);
  return false;
}

Resultado Proceso::Esperar() {
  Resultado r;
  int estado = 0;
  for (;;) {
    Leer();
    if (waitpid(pid_, &estado, WNOHANG) == pid_) break;
    if (std::chrono::steady_clock::now() - inicio_ > limite_) {
      r.agotado = true;
      kill(-pid_, SIGKILL);
      kill(pid_, SIGKILL);
      waitpid(pid_, &estado, 0);
      break;
    }
  }
  recogido_ = true;
  r.segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio_).count();
  fcntl(salida_, F_SETFL, 0);
  fcntl(errores_, F_SETFL, 0);
  ::Leer(salida_, &leidaSalida_);
  ::Leer(errores_, &leidosErrores_);
  r.salida = leidaSalida_;
  r.errores = leidosErrores_;
  r.codigo = WIFEXITED(estado) ? WEXITSTATUS(estado) : 128 + WTERMSIG(estado);
  return r;
}

Resultado Ejecutar(const Orden& orden) { return Proceso(orden).Esperar(); }
