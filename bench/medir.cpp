// Measures the program on this machine and prints a table: the time of a
// frame's own work with 0, 10, 50 and 100 dots at 1024 x 768 (without the
// 60 Hz pacing), and of a frame of 100 dots left undrawn because nothing
// changed; the time to place 100 dots; the time from the start of the
// process to the end of its first frame; the peak resident memory of a
// whole run; and, in a real window on a private Xvfb display, the frames of
// 100-dot cards and of a numeral card of 100, and the length of six-card
// lessons, dots and numerals, on a 1024 x 768 screen and on a 1920 x 1080
// one. Run it from the build folder: bench/medir (see
// the README).

#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/Dios.h"
#include "lesson/Azar.h"
#include "lesson/Colocacion.h"
#include "platform/platform.h"
#include "tests/support/pantalla.h"
#include "world/APEsfera.h"
#include "world/BigBang.h"
#include "world/Observador.h"
#include "world/Universo.h"

namespace {

using Reloj = std::chrono::steady_clock;

double Milisegundos(Reloj::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

class Banco : public Dios {
 public:
  void Crear() override {}
};
Banco banco;

LRESULT CALLBACK Procedimiento(HWND v, UINT m, WPARAM w, LPARAM l) {
  return DefWindowProcA(v, m, w, l);
}

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

// The mean time of a frame's work with n dots in the program's own world:
// drawn every time, or, sinCambios, after its picture was confirmed on
// screen, as the program's frames of a card after its first.
double Fotograma(int n, bool sinCambios = false) {
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
    if (sinCambios) mundo->ConfirmarImagen();
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

// Runs a program to its end in carpeta, with the variables of entorno set;
// returns its peak resident memory in MiB, and its standard output through
// salida.
double Correr(const std::vector<std::string>& orden, const std::string& carpeta,
              std::string* salida, const std::vector<std::string>& entorno = {}) {
  int tubo[2];
  if (pipe(tubo) != 0) return -1;
  const pid_t hijo = fork();
  if (hijo == 0) {
    dup2(tubo[1], 1);
    close(tubo[0]);
    for (const std::string& variable : entorno) putenv(const_cast<char*>(variable.c_str()));
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

double Mediana(std::vector<double> valores) {
  if (valores.empty()) return 0.0;
  std::sort(valores.begin(), valores.end());
  return valores[valores.size() / 2];
}

void EscribirLeccion(const std::string& carpeta, int tiempoBit, const std::string& lista) {
  std::ofstream(carpeta + "/CPControl.ini")
      << "[General]\nTiempoBit=" << tiempoBit << "\n[Lecciones]\nLeccion1=" << lista << "\n";
}

// One frame of the program, as bench/fotogramas writes it.
struct Cuadro {
  int esferas;
  double trabajo;
  double mostrado;
  double inicio;
  int numerales;
};

std::vector<Cuadro> Cuadros(const std::string& salida) {
  std::vector<Cuadro> cuadros;
  std::istringstream lineas(salida);
  Cuadro c;
  while (lineas >> c.esferas >> c.trabajo >> c.mostrado >> c.inicio >> c.numerales) {
    cuadros.push_back(c);
  }
  return cuadros;
}

// The lesson 0,100,0,100 of one-tenth-second cards, in a real window: the
// first frame of the first 100-dot card (it follows an empty card), of the
// second, and the longest frame after the first, work and swap together.
void Tarjetas100(const std::string& fotogramas, const std::string& carpeta,
                 const std::vector<std::string>& entorno, const std::string& donde) {
  EscribirLeccion(carpeta, 1, "0,100,0,100");
  std::vector<Cuadro> primera;
  std::vector<Cuadro> segunda;
  std::vector<double> sinDibujar;
  double masLargo = 0.0;
  const int kVeces = 15;
  for (int i = 0; i < kVeces; ++i) {
    std::string salida;
    Correr({fotogramas}, carpeta, &salida, entorno);
    const std::vector<Cuadro> cuadros = Cuadros(salida);
    std::vector<Cuadro> tarjetas;
    for (size_t j = 0; j < cuadros.size(); ++j) {
      if (cuadros[j].esferas == 100) tarjetas.push_back(cuadros[j]);
      if (cuadros[j].mostrado == 0.0) sinDibujar.push_back(cuadros[j].trabajo);
      if (j > 0) masLargo = std::max(masLargo, std::max(cuadros[j].trabajo, cuadros[j].mostrado));
    }
    if (tarjetas.size() == 2) {
      primera.push_back(tarjetas[0]);
      segunda.push_back(tarjetas[1]);
    }
  }
  const char* nombres[] = {"a 100-dot card after an empty card", "the next 100-dot card"};
  const std::vector<Cuadro>* medidos[] = {&primera, &segunda};
  for (int k = 0; k < 2; ++k) {
    std::vector<double> trabajo;
    std::vector<double> mostrado;
    for (const Cuadro& c : *medidos[k]) {
      trabajo.push_back(c.trabajo);
      mostrado.push_back(c.mostrado);
    }
    std::printf(
        "| %s: first frame of %s: work; with its swap (medians of %zu) | %.1f ms; %.1f ms |\n",
        donde.c_str(), nombres[k], trabajo.size(), Mediana(trabajo), Mediana(mostrado));
  }
  std::printf(
      "| %s: longest frame after the first, lesson 0,100,0,100 (worst of %d runs) | %.1f ms |\n",
      donde.c_str(), kVeces, masLargo);
  std::printf("| %s: frame left undrawn, whole paint in the program (median of %zu) | %.3f ms |\n",
              donde.c_str(), sinDibujar.size(), Mediana(sinDibujar));
}

// The lesson 0,#100 of one-tenth-second cards, in a real window: the first
// frame of the numeral card, work and swap, which also makes its numeral.
void Numeral100(const std::string& fotogramas, const std::string& carpeta,
                const std::vector<std::string>& entorno, const std::string& donde) {
  EscribirLeccion(carpeta, 1, "0,#100");
  std::vector<double> trabajo;
  std::vector<double> mostrado;
  for (int i = 0; i < 15; ++i) {
    std::string salida;
    Correr({fotogramas}, carpeta, &salida, entorno);
    for (const Cuadro& c : Cuadros(salida)) {
      if (c.numerales == 0) continue;
      trabajo.push_back(c.trabajo);
      mostrado.push_back(c.mostrado);
      break;
    }
  }
  std::printf(
      "| %s: first frame of a numeral card #100 after an empty card: work; with its swap "
      "(medians of %zu) | %.1f ms; %.1f ms |\n",
      donde.c_str(), trabajo.size(), Mediana(trabajo), Mediana(mostrado));
}

// Six one-second cards of each lesson, in a real window, runs taken in
// turn: the whole run (start to exit) and the lesson (the first card shown
// to the last frame), each against six empty cards, and the lesson against
// its nominal six seconds.
void Lecciones(const std::string& fotogramas, const std::string& carpeta,
               const std::vector<std::string>& entorno, const std::string& donde) {
  const char* listas[] = {"0,0,0,0,0,0", "100,0,100,0,100,0", "100,100,100,100,100,100",
                          "#100,#7,#100,#42,#100,#1000"};
  const int kListas = 4;
  std::vector<double> entero[kListas];
  std::vector<double> leccion[kListas];
  for (int vez = 0; vez < 5; ++vez) {
    for (int k = 0; k < kListas; ++k) {
      EscribirLeccion(carpeta, 10, listas[k]);
      std::string salida;
      const Reloj::time_point antes = Reloj::now();
      Correr({fotogramas}, carpeta, &salida, entorno);
      entero[k].push_back(std::chrono::duration<double>(Reloj::now() - antes).count());
      const std::vector<Cuadro> cuadros = Cuadros(salida);
      // From the first card on screen (the first frame's swap) to the last
      // frame: the grid's own time, without the start-up and the ending.
      if (!cuadros.empty()) {
        leccion[k].push_back((cuadros.back().inicio - cuadros.front().mostrado) / 1000.0);
      }
    }
  }
  for (int k = 0; k < kListas; ++k) {
    std::printf(
        "| %s: six one-second cards %s: whole run; lesson (medians of 5) | %.2f s, %.3fx; "
        "%.3f s, %.4fx, %+.2f %% of nominal |\n",
        donde.c_str(), listas[k], Mediana(entero[k]), Mediana(entero[k]) / Mediana(entero[0]),
        Mediana(leccion[k]), Mediana(leccion[k]) / Mediana(leccion[0]),
        100.0 * (Mediana(leccion[k]) / 6.0 - 1.0));
  }
}

}  // namespace

int main() {
  // As the program's own entry does (platform/linux/main.cpp), so that the
  // frames measured here cost what the program's cost.
  mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
  mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
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
  for (int n : {0, 10, 50, 100})
    std::printf("| Frame work, %d dots | %.2f ms |\n", n, Fotograma(n));
  std::printf("| Frame work, 100 dots unchanged since the frame before | %.3f ms |\n",
              Fotograma(100, true));
  std::printf("| Placing 100 dots | %.3f ms |\n", Colocar100());

  char plantilla[] = "/tmp/contapuntos-medir-XXXXXX";
  const std::string carpeta = mkdtemp(plantilla) ? plantilla : "/tmp";
  for (int puntos : {5, 100}) {
    EscribirLeccion(carpeta, 10, std::to_string(puntos));
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
  EscribirLeccion(carpeta, 10, "100,50");
  std::string nada;
  const double rss = Correr({carpetaBinarios + "../contapuntos"}, carpeta, &nada);
  std::printf("| Peak resident memory, whole run of cards 100 and 50 | %.1f MiB |\n", rss);

  // A user's window: presenting a frame costs as much as drawing it there.
  // The window covers the screen, and a wider screen has more pixels to
  // clear and to present.
  for (const auto& [ancho, alto] : {std::pair{1024, 768}, std::pair{1920, 1080}}) {
    PantallaVirtual pantalla(ancho, alto);
    if (!pantalla.activa()) {
      std::printf("| (no Xvfb: the measures in a real window were left out) | |\n");
      break;
    }
    const std::vector<std::string> entorno = {"DISPLAY=" + pantalla.nombre(), "SDL_VIDEODRIVER=x11",
                                              "SDL_AUDIODRIVER=dummy"};
    const std::string donde = "In a " + std::to_string(ancho) + " x " + std::to_string(alto) +
                              " window";
    Tarjetas100(carpetaBinarios + "fotogramas", carpeta, entorno, donde);
    Numeral100(carpetaBinarios + "fotogramas", carpeta, entorno, donde);
    Lecciones(carpetaBinarios + "fotogramas", carpeta, entorno, donde);
  }
  std::remove((carpeta + "/CPControl.ini").c_str());
  rmdir(carpeta.c_str());
  return 0;
}
