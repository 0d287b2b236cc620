// The whole program as its users run it: a process started in a temporary
// working folder with its own lesson file, in a real window on a virtual
// display. It runs the lesson, takes a click on a choice's group, advances
// the file and notes the run in the diary (or says why it could not), shows each card's dots
// filling a screen of any size and draws them again when another window
// uncovers them, keeps the file
// untouched when Escape ends it early, notes each ending, holds a card of "TiempoBit" 10 for
// one second, shows an equation's cards one after another, and tells the
// parent in a box when the progress cannot be saved.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <ctime>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tests/support/imagen.h"
#include "tests/support/pantalla.h"
#include "tests/support/proceso.h"

namespace {

const std::string kPrograma = CONTAPUNTOS_PROGRAMA;

class LeccionCompletaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!pantalla.activa()) GTEST_SKIP() << "Xvfb could not be started";
  }
  void Escribir(const std::string& contenido) {
    std::ofstream(carpeta.ruta() + "/CPControl.ini", std::ios::binary) << contenido;
  }
  std::string Leer(const std::string& nombre = "CPControl.ini") {
    std::ifstream f(carpeta.ruta() + "/" + nombre, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
  }
  Orden Programa() {
    Orden orden;
    orden.argumentos = {kPrograma};
    orden.entorno = {{"DISPLAY", pantalla.nombre()},
                     {"SDL_VIDEODRIVER", "x11"},
                     {"SDL_AUDIODRIVER", "dummy"}};
    orden.carpeta = carpeta.ruta();
    return orden;
  }

  PantallaVirtual pantalla;
  CarpetaTemporal carpeta;
};

// The local time to the minute, as the diary writes it.
std::string Minuto() {
  const std::time_t ahora = std::time(nullptr);
  char texto[32];
  std::strftime(texto, sizeof texto, "%Y-%m-%d %H:%M", std::localtime(&ahora));
  return texto;
}

// Its choice waits for a click on the group asked for, on a wide screen,
// where the picture stands between margins.
TEST_F(LeccionCompletaTest, RunsTheLessonAndAdvancesTheFile) {
  const std::string lecciones = "[Lecciones]\r\nLeccion1=3,5,0-4,7?3\r\n";
  Escribir("[General]\r\nTiempoBit=1\r\nTiempoEleccion=300\r\nPasesPorLeccion=2\r\n"
           "PaseActual=2\r\nLecciones=3\r\nLeccionActual=1\r\n\r\n" + lecciones);
  PantallaVirtual ancha(1920, 1080);
  Orden orden = Programa();
  orden.entorno["DISPLAY"] = ancha.nombre();
  const std::string antes = Minuto();
  Proceso programa(orden);
  EXPECT_TRUE(ElegirConUnClic(ancha, 7, 3, 15)) << "no choice of 7 and 3 dots came";
  const Resultado r = programa.Esperar();
  const std::string despues = Minuto();
  EXPECT_EQ(r.codigo, 0) << r.errores;
  EXPECT_EQ(Leer(), "[General]\r\nTiempoBit=1\r\nTiempoEleccion=300\r\nPasesPorLeccion=2\r\n"
                    "PaseActual=1\r\nLecciones=3\r\nLeccionActual=2\r\n\r\n" + lecciones);
  const std::string diario = Leer("Diario.txt");
  EXPECT_TRUE(diario.rfind(antes, 0) == 0 || diario.rfind(despues, 0) == 0) << diario;
  EXPECT_EQ(diario.substr(antes.size()),
            " lesson 1, session 2 of 2: 1 warning: TiempoBit=1 is 0.1 s a card, under 0.3 s; "
            "asked 7, picked 7; whole, counted\r\n");
}

// An equation's cards: its numbers, then its answer, each for its time. A
// diary that cannot be written (its name taken by a folder) is said on
// standard error and costs nothing else.
TEST_F(LeccionCompletaTest, AnEquationShowsItsNumbersThenItsAnswerAndAdvancesThePass) {
  Escribir("[General]\r\nTiempoBit=30\r\nPasesPorLeccion=2\r\n[Lecciones]\r\nLeccion1=3+4=\r\n");
  ASSERT_EQ(mkdir((carpeta.ruta() + "/Diario.txt").c_str(), 0755), 0);
  Orden orden = Programa();
  orden.limite = std::chrono::seconds(90);
  Proceso programa(orden);
  CarpetaTemporal fotos;
  // The dots of each card in the order they came, and a screenshot of each.
  std::vector<int> tarjetas;
  std::vector<std::string> capturas;
  const auto fin = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while ((tarjetas.empty() || tarjetas.back() != 7) && std::chrono::steady_clock::now() < fin) {
    const std::string archivo = fotos.ruta() + "/" + std::to_string(capturas.size()) + ".png";
    const int puntos = pantalla.Captura(archivo) ? ContarPuntos(LeerImagen(archivo)) : 0;
    if (puntos > 0 && (tarjetas.empty() || puntos != tarjetas.back())) {
      tarjetas.push_back(puntos);
      capturas.push_back(archivo);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_EQ(tarjetas, (std::vector<int>{3, 4, 7}));
  for (size_t i = 0; i < capturas.size(); ++i) ComprobarTarjeta(capturas[i], tarjetas[i]);
  const Resultado r = programa.Esperar();
  EXPECT_EQ(r.codigo, 0) << r.errores;
  EXPECT_EQ(r.errores,
            "contapuntos: cannot note the run in .\\Diario.txt: cannot open ./Diario.txt: Is a "
            "directory\n");
  EXPECT_EQ(Leer(),
            "[General]\r\nTiempoBit=30\r\nPasesPorLeccion=2\r\nPaseActual=2\r\n"
            "[Lecciones]\r\nLeccion1=3+4=\r\n");
}

// A folder the program cannot write in (here the name of the save's copy is
// taken by a folder, which stops root as well), then a read-only lesson
// file (in that folder: root would write it): the lesson runs, then the
// parent is told which of the two stopped the save and what to do about it
// where the program runs from its build, the file is as it was, and the
// diary says why the run did not count, before the box. A request to end
// the process (a logout, a shutdown) does not wait on the box.
TEST_F(LeccionCompletaTest, AProgressThatCannotBeSavedIsToldInABoxAboveTheLesson) {
  const std::string antes =
      "[General]\r\nTiempoBit=3\r\nPaseActual=1\r\n[Lecciones]\r\nLeccion1=0\r\n";
  Escribir(antes);
  ASSERT_EQ(mkdir((carpeta.ruta() + "/CPControl.ini.tmp").c_str(), 0755), 0);
  const std::string archivo = carpeta.ruta() + "/CPControl.ini";
  const struct {
    int senal;
    bool soloLectura;
    const char* causa;
    const char* consejo;
  } casos[] = {
      {0, false, ", whose folder cannot be written: ",
       "The folder the program was started in (build/run, with tools/run) takes no changes"},
      {SIGTERM, false, ", whose folder cannot be written: ", ""},
      {SIGINT, false, ", whose folder cannot be written: ", ""},
      {0, true, ", which is read-only: ",
       "The file CPControl.ini of the folder the program was started in (build/run, with "
       "tools/run) is read-only: make it writable with chmod u+w CPControl.ini"},
  };
  for (const auto& caso : casos) {
    SCOPED_TRACE(std::string(caso.senal == 0 ? "OK" : strsignal(caso.senal)) +
                 (caso.soloLectura ? ", read-only" : ""));
    if (caso.soloLectura) {
      ASSERT_EQ(chmod(archivo.c_str(), 0444), 0);
    }
    Proceso programa(Programa());
    if (caso.senal == 0) {
      ComprobarCajaDeFallo(pantalla, &programa, 10);
    } else {
      ASSERT_FALSE(pantalla.EsperarVentana("Contapuntos", 10).empty()) << "no message box appeared";
      kill(programa.pid(), caso.senal);
      EXPECT_TRUE(programa.Termina(5)) << "the box held the program up";
      EXPECT_TRUE(pantalla.EsperarQueSeVaya("Contapuntos", 5)) << "the box outlived the program";
    }
    const Resultado r = programa.Esperar();
    EXPECT_EQ(r.codigo, caso.senal == 0 ? 1 : 128 + caso.senal);
    EXPECT_EQ(r.errores.rfind("contapuntos: cannot save the progress in " + archivo + caso.causa +
                                  "copy to " + archivo + ".tmp failed: ",
                              0),
              0u)
        << r.errores;
    // The box's text is on standard error too.
    EXPECT_NE(r.errores.find(caso.consejo), std::string::npos) << r.errores;
    EXPECT_EQ(Leer(), antes);
  }
  std::istringstream diario(Leer("Diario.txt"));
  int lineas = 0;
  for (std::string linea; std::getline(diario, linea); ++lineas) {
    EXPECT_NE(linea.find(" lesson 1, session 1 of 1: failed, not counted: cannot save the progress "
                         "in " + archivo),
              std::string::npos)
        << linea;
  }
  EXPECT_EQ(lineas, 4);
}

// On any screen, in the mode it has, the card fills it: scaled to fit,
// centred, white to every edge, every dot round, a numeral red and as tall
// as its figures; and it is drawn again when another window uncovers it.
TEST(PantallaTest, ACardFillsTheScreenAndIsDrawnAgainWhenUncovered) {
  std::vector<Imagen> numerales;
  for (const PantallaDePrueba& prueba : kPantallasDePrueba) {
    const std::string tarjeta = prueba.numeral < 0 ? "7" : "#" + std::to_string(prueba.numeral);
    SCOPED_TRACE(std::to_string(prueba.ancho) + " x " + std::to_string(prueba.alto) + ", " +
                 tarjeta);
    PantallaVirtual pantalla(prueba.ancho, prueba.alto);
    if (!pantalla.activa()) GTEST_SKIP() << "Xvfb could not be started";
    CarpetaTemporal carpeta;
    std::ofstream(carpeta.ruta() + "/CPControl.ini", std::ios::binary)
        << "[General]\r\nTiempoBit=60\r\n[Lecciones]\r\nLeccion1=" << tarjeta << "\r\n";
    Orden orden;
    orden.argumentos = {kPrograma};
    orden.entorno = {{"DISPLAY", pantalla.nombre()}, {"SDL_AUDIODRIVER", "dummy"}};
    // The driver is the program's choice, for the display it is given.
    orden.quitar = {"SDL_VIDEODRIVER"};
    orden.carpeta = carpeta.ruta();
    Proceso programa(orden);
    const Imagen imagen = ComprobarRepintado(pantalla, 7, prueba.numeral);
    if (prueba.numeral >= 0) numerales.push_back(imagen);
    EXPECT_EQ(programa.Esperar().codigo, 0);
  }
  EXPECT_TRUE(numerales[0].rgb != numerales[1].rgb) << "the numerals 7 and 42 look alike";
}

// A display that goes away (its server ended, as at a logout) ends the
// program at once, without a save, instead of leaving it running unseen.
TEST(PantallaTest, WhenTheDisplayGoesAwayTheProgramEndsAndSavesNothing) {
  CarpetaTemporal carpeta;
  const std::string antes = "[General]\r\nTiempoBit=100\r\n[Lecciones]\r\nLeccion1=7\r\n";
  std::ofstream(carpeta.ruta() + "/CPControl.ini", std::ios::binary) << antes;
  auto pantalla = std::make_unique<PantallaVirtual>();
  if (!pantalla->activa()) GTEST_SKIP() << "Xvfb could not be started";
  Orden orden;
  orden.argumentos = {kPrograma};
  orden.entorno = {{"DISPLAY", pantalla->nombre()},
                   {"SDL_VIDEODRIVER", "x11"},
                   {"SDL_AUDIODRIVER", "dummy"}};
  orden.carpeta = carpeta.ruta();
  Proceso programa(orden);
  ASSERT_FALSE(pantalla->EsperarVentana("Orvalo", 10).empty());
  pantalla.reset();
  EXPECT_TRUE(programa.Termina(10)) << "the program outlived its display";
  EXPECT_NE(programa.Esperar().codigo, 0);
  std::ifstream archivo(carpeta.ruta() + "/CPControl.ini", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(archivo), {}), antes);
}

TEST_F(LeccionCompletaTest, EscapeInTheMiddleLeavesTheFileAsItWas) {
  const std::string antes =
      "; progress\n[General]\nTiempoBit=40\nPaseActual=1\n\n[Lecciones]\nLeccion1=1-3\n";
  Escribir(antes);
  Proceso programa(Programa());
  const std::string ventana = pantalla.EsperarVentana("Orvalo", 10);
  ASSERT_FALSE(ventana.empty());
  EXPECT_TRUE(pantalla.TeclearHastaQueTermine(ventana, "Escape", &programa));
  const Resultado r = programa.Esperar();
  EXPECT_EQ(r.codigo, 0) << r.errores;
  EXPECT_LT(r.segundos, 8.0) << "the lesson would take 12 s to the end";
  EXPECT_EQ(Leer(), antes);
  const std::string diario = Leer("Diario.txt");
  EXPECT_EQ(diario.substr(diario.find(" lesson")),
            " lesson 1, session 1 of 1: stopped early, not counted\r\n");
}

TEST_F(LeccionCompletaTest, ACardOfTiempoBit10LastsOneSecond) {
  auto Duracion = [this](const char* lista) {
    Escribir(std::string("[General]\nTiempoBit=10\n[Lecciones]\nLeccion1=") + lista + "\n");
    const Resultado r = Ejecutar(Programa());
    EXPECT_EQ(r.codigo, 0) << r.errores;
    return r.segundos;
  };
  // The difference of two runs leaves out the start-up: five cards more.
  // Cards of 100 dots cost the most to draw; the pacing makes it up.
  const double una = Duracion("100");
  const double seis = Duracion("100,1,100,2,100,3");
  EXPECT_NEAR((seis - una) / 5.0, 1.0, 0.1);
}

}  // namespace
