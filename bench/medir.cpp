// Measures the program on this machine and prints a table: the time of a
// frame's own work with 0, 10, 50 and 100 dots at 1024 x 768 (without the
// 60 Hz pacing), the time to place 100 dots, the time from the start of the
// process to the end of its first frame, and the peak resident memory of a
// whole run. Run it from the build folder: bench/medir (see the README).

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/Dios.h"
#include "lesson/Azar.h"
#include "lesson/Colocacion.h"
#include "platform/platform.h"
#include "world/APEsfera.h"
#include "world/BigBang.h"
#include "world/Observador.h"
#include "world/Universo.h"

namespace {

using Reloj = std::chrono::steady_clock;

double Milisegundos(Reloj::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

class Banco : public Dios {
 public:
  void Crear() override {}
};
Banco banco;

LRESULT CALLBACK Procedimiento(HWND v, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(v, m, w, l); }

// A hidden 1024 x 768 window with the program's pixel format, its context
// current.
bool Contexto() {
  WNDCLASSEXA clase{};
  clase.cbSize = sizeof clase;
  clase.lpfnWndProc = Procedimiento;
  clase.lpszClassName = "Banco";
  RegisterClassExA(&clase);
  HWND ventana = CreateWindowExA(0, "Banco", "Banco", WS_POPUP, 0, 0, 1024, 768, nullptr, nullptr,
                                 nullptr, nullptr);
  if (!ventana) return false;
  HDC dc = GetDC(ventana);
  PIXELFORMATDESCRIPTOR formato{};
  formato.nSize = sizeof formato;
  formato.nVersion = 1;
  formato.dwFlags = PFD_DOUBLEBUFFER | PFD_SUPPORT_OPENGL;
  formato.cColorBits = 24;
  formato.cDepthBits = 32;
  if (!SetPixelFormat(dc, ChoosePixelFormat(dc, &formato), &formato)) return false;
  HGLRC contexto = wglCreateContext(dc);
  return contexto && wglMakeCurrent(dc, contexto);
}

// The mean time of a frame's work with n dots in the program's own world.
double Fotograma(int n) {
  Universo* mundo = CrearUniverso();
  {
    // The program's own set-up, with a card of n dots in place of the script.
    BigBang modelo(mundo);
    const double blanco[4] = {1.0, 1.0, 1.0, 0.0};
    const double rojo[4] = {0.8, 0.0, 0.0, 0.0};
    modelo.FijarFondo(blanco);
    modelo.FijarColor(rojo);
    Observador* camara = new Observador(&modelo);
    camara->FijarVista(40, 30);
    camara->posicion = camara->posicion + Vector(20.0, 15.0, 0.0);
    Azar::Sembrar(1);
    TColeccion<Vector> puntos;
    Colocacion::Colocar(n, &puntos);
    for (uint32_t i = 0; i < puntos.cantidad; ++i) {
      (new Identidad(&modelo, puntos.elementos[i]))->FijarPrimitiva(new APEsfera);
    }
  }
  const int kCalentar = 20;
  const int kMedidos = 200;
  Reloj::time_point inicio;
  for (int i = 0; i < kCalentar + kMedidos; ++i) {
    if (i == kCalentar) inicio = Reloj::now();
    mundo->Fotograma();
    glFinish();
  }
  const double ms = Milisegundos(Reloj::now() - inicio) / kMedidos;
  delete mundo;
  banco.universo = nullptr;
  return ms;
}

// The mean time to place the dots of a card of 100.
double Colocar100() {
  const int kVeces = 2000;
  const Reloj::time_point inicio = Reloj::now();
  for (int i = 0; i < kVeces; ++i) {
    Azar::Sembrar(static_cast<uint32_t>(i));
    TColeccion<Vector> puntos;
    Colocacion::Colocar(100, &puntos);
  }
  return Milisegundos(Reloj::now() - inicio) / kVeces;
}

// Runs a program to its end in carpeta; returns its peak resident memory in
// MiB, and its standard output through salida.
double Correr(const std::vector<std::string>& orden, const std::string& carpeta,
              std::string* salida) {
  int tubo[2];
  if (pipe(tubo) != 0) return -1;
  const pid_t hijo = fork();
  if (hijo == 0) {
    dup2(tubo[1], 1);
    close(tubo[0]);
    if (chdir(carpeta.c_str()) != 0) _exit(126);
    std::vector<char*> argv;
    for (const std::string& a : orden) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(tubo[1]);
  char bloque[256];
  ssize_t leido;
  while ((leido = read(tubo[0], bloque, sizeof bloque)) > 0) salida->append(bloque, size_t(leido));
  close(tubo[0]);
  int estado = 0;
  rusage uso{};
  wait4(hijo, &estado, 0, &uso);
  if (!WIFEXITED(estado) || WEXITSTATUS(estado) != 0) return -1;
  return uso.ru_maxrss / 1024.0;
}

}  // namespace

int main() {
  // The programs measured lie beside this one, found from its own path
  // because they run in a folder of their own.
  char propio[4096] = "";
  const ssize_t largo = readlink("/proc/self/exe", propio, sizeof propio - 1);
  const std::string programa(propio, largo > 0 ? size_t(largo) : 0);
  const std::string carpetaBinarios = programa.substr(0, programa.rfind('/') + 1);
  if (!Contexto()) {
    std::fprintf(stderr, "medir: no OpenGL context\n");
    return 1;
  }
  std::printf("Renderer: %s (%s)\n", glGetString(GL_RENDERER), glGetString(GL_VERSION));
  std::printf("| Measure | Result |\n|---|---|\n");
  for (int n : {0, 10, 50, 100}) std::printf("| Frame work, %d dots | %.2f ms |\n", n, Fotograma(n));
  std::printf("| Placing 100 dots | %.3f ms |\n", Colocar100());

  char plantilla[] = "/tmp/contapuntos-medir-XXXXXX";
  const std::string carpeta = mkdtemp(plantilla) ? plantilla : "/tmp";
  for (int puntos : {5, 100}) {
    std::ofstream(carpeta + "/CPControl.ini")
        << "[General]\nTiempoBit=10\n[Lecciones]\nLeccion1=" << puntos << "\n";
    std::vector<double> primeros;
    for (int i = 0; i < 7; ++i) {
      std::string salida;
      const Reloj::time_point antes = Reloj::now();
      Correr({carpetaBinarios + "primer_fotograma"}, carpeta, &salida);
      const long long fin = std::atoll(salida.c_str());
      const long long inicio =
          std::chrono::duration_cast<std::chrono::nanoseconds>(antes.time_since_epoch()).count();
      if (fin > inicio) primeros.push_back((fin - inicio) / 1e6);
    }
    std::sort(primeros.begin(), primeros.end());
    if (!primeros.empty()) {
      std::printf("| Start to end of first frame, a first card of %d (median of %zu) | %.0f ms |\n",
                  puntos, primeros.size(), primeros[primeros.size() / 2]);
    }
  }
  std::ofstream(carpeta + "/CPControl.ini")
      << "[General]\nTiempoBit=10\n[Lecciones]\nLeccion1=100,50\n";
  std::string nada;
  const double rss = Correr({carpetaBinarios + "../contapuntos"}, carpeta, &nada);
  std::printf("| Peak resident memory, whole run of cards 100 and 50 | %.1f MiB |\n", rss);
  std::remove((carpeta + "/CPControl.ini").c_str());
  rmdir(carpeta.c_str());
  return 0;
}
