#include "tests/support/pantalla.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

std::string Comando(const std::string& orden, int* codigo) {
  std::string salida;
  if (FILE* tubo = popen(orden.c_str(), "r")) {
    char bloque[512];
    size_t n;
    while ((n = fread(bloque, 1, sizeof bloque, tubo)) > 0) salida.append(bloque, n);
    const int estado = pclose(tubo);
    if (codigo) *codigo = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
  } else if (codigo) {
    *codigo = -1;
  }
  return salida;
}

}  // namespace

PantallaVirtual::PantallaVirtual(int ancho, int alto) : ancho_(ancho), alto_(alto) {
  int tubo[2];
  if (pipe(tubo) != 0) return;
  pid_ = fork();
  if (pid_ == 0) {
    close(tubo[0]);
    const std::string fd = std::to_string(tubo[1]);
    const std::string pantalla = std::to_string(ancho) + "x" + std::to_string(alto) + "x24";
    freopen("/dev/null", "w", stderr);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", pantalla.c_str(), "-nolisten",
           "tcp", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(tubo[1]);
  // Xvfb writes the display number it took once it accepts connections.
  std::string numero;
  pollfd espera{tubo[0], POLLIN, 0};
  while (poll(&espera, 1, 10000) > 0) {
    char c;
    if (read(tubo[0], &c, 1) != 1 || c == '\n') break;
    numero += c;
  }
  close(tubo[0]);
  if (!numero.empty()) nombre_ = ":" + numero;
}

PantallaVirtual::~PantallaVirtual() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
}

std::string PantallaVirtual::Xdotool(const std::string& argumentos, int* codigo) const {
  return Comando("DISPLAY=" + nombre_ + " xdotool " + argumentos + " 2>/dev/null", codigo);
}

std::string PantallaVirtual::EsperarVentana(const std::string& titulo, double segundos) const {
  // xwininfo lists every top-level window as: 0x200002 "Title": ...; titles
  // are read as UTF-8, which xdotool's search cannot match in every locale.
  const std::string entorno = "DISPLAY=" + nombre_ + " ";
  const auto fin = std::chrono::steady_clock::now() + std::chrono::duration<double>(segundos);
  for (;;) {
    const std::string lista = Comando(entorno + "xwininfo -root -children 2>/dev/null", nullptr);
    for (size_t at = lista.find("\n"); at != std::string::npos; at = lista.find('\n', at + 1)) {
      const size_t linea = at + 1;
      const size_t comilla = lista.find('"', linea);
      const size_t fila = lista.find('\n', linea);
      if (comilla == std::string::npos || comilla > fila) continue;
      if (lista.compare(comilla + 1, titulo.size(), titulo) != 0) continue;
      const size_t inicio = lista.find("0x", linea);
      const std::string id = lista.substr(inicio, lista.find(' ', inicio) - inicio);
      const std::string estado = Comando(entorno + "xwininfo -id " + id + " 2>/dev/null", nullptr);
      if (estado.find("IsViewable") != std::string::npos) return id;
    }
    if (std::chrono::steady_clock::now() >= fin) return "";
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

bool PantallaVirtual::EsperarQueSeVaya(const std::string& titulo, double segundos) const {
  const auto fin = std::chrono::steady_clock::now() + std::chrono::duration<double>(segundos);
  do {
    if (EsperarVentana(titulo, 0.0).empty()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  } while (std::chrono::steady_clock::now() < fin);
  return false;
}

bool PantallaVirtual::TeclearHastaQueTermine(const std::string& ventana, const std::string& teclas,
                                             Proceso* programa, double segundos) const {
  const auto fin = std::chrono::steady_clock::now() + std::chrono::duration<double>(segundos);
  do {
    Xdotool("windowfocus " + ventana);
    Xdotool("key " + teclas);
    if (programa->Termina(2.0)) return true;
  } while (std::chrono::steady_clock::now() < fin);
  return false;
}

bool PantallaVirtual::Captura(const std::string& archivo) const {
  int codigo = -1;
  Comando("DISPLAY=" + nombre_ + " import -window root '" + archivo + "' 2>/dev/null", &codigo);
  return codigo == 0;
}

void PantallaVirtual::Cubrir(double segundos) const {
  // Without a window manager, a window is mapped on top of the others.
  Comando("DISPLAY=" + nombre_ + " timeout " + std::to_string(segundos) + " xmessage -geometry " +
              std::to_string(ancho_) + "x" + std::to_string(alto_) +
              "+0+0 -bg black -fg black cubierta 2>/dev/null",
          nullptr);
}
