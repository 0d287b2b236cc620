// The program as a process: how it ends when it cannot start, what --show
// tells, how its save
// survives a kill at any point, how the Linux launcher runs it in each
// child's own folder, and how it runs in a real window on a virtual display
// with a real keyboard.

#include <gtest/gtest.h>

#include <csignal>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/pantalla.h"
#include "tests/support/proceso.h"

namespace {

// Paths of the programs under test, given by the build.
const std::string kPrograma = CONTAPUNTOS_PROGRAMA;
const std::string kSinAplicacion = PROGRAMA_SIN_APLICACION;
const std::string kDePrueba = PROGRAMA_DE_PRUEBA;
const std::string kLanzador = LANZADOR;

// An environment in which no display can be had, and no video driver is
// named: the program chooses for itself, as on a parent's machine.
Orden SinPantalla(const std::string& programa, const std::string& carpeta) {
  Orden orden;
  orden.argumentos = {programa};
  orden.quitar = {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"};
  orden.carpeta = carpeta;
  return orden;
}

std::string LeerArchivo(const std::string& ruta) {
  std::ifstream f(ruta, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// What a run and --show warn of that file: its short cards.
const std::string kAvisoDeTiempo =
    "contapuntos: warning: TiempoBit=1 is 0.1 s a card, under 0.3 s\n";

// A lesson file at the last pass of lesson 1, with the counters it holds.
std::string ArchivoDeLeccion(int leccion, int pase) {
  return "; progress\r\n[General]\r\nTiempoBit=1\r\nPasesPorLeccion=2\r\nLecciones=3\r\n"
         "LeccionActual=" + std::to_string(leccion) + "\r\nPaseActual=" + std::to_string(pase) +
         "\r\nIdioma=INGLES\r\n\r\n[Lecciones]\r\nLeccion1=1\r\nLeccion2=2\r\n";
}

TEST(ProgramaTest, WithoutAnApplicationObjectSaysSoAndExitsWithMinusOne) {
  CarpetaTemporal carpeta;
  Orden orden = SinPantalla(kSinAplicacion, carpeta.ruta());
  orden.entorno.clear();
  const Resultado r = Ejecutar(orden);
  EXPECT_EQ(r.codigo, 255) << "exit code -1 is 255 to the shell";
  EXPECT_EQ(r.errores, "Error de programaci\xC3\xB3n: Tienes que crear una instancia de Dios\n");
}

TEST(ProgramaTest, WithoutADisplayWritesOneLineAndTouchesNoFile) {
  CarpetaTemporal carpeta;
  const Resultado r = Ejecutar(SinPantalla(kPrograma, carpeta.ruta()));
  EXPECT_NE(r.codigo, 0);
  EXPECT_FALSE(r.agotado);
  EXPECT_EQ(r.errores,
            "contapuntos: cannot create the window: no display: neither DISPLAY nor "
            "WAYLAND_DISPLAY is set\n");
  EXPECT_TRUE(carpeta.Contenido().empty());
}

// --show tells what the next run shows, with no display and no sound, and
// changes nothing; the file is found from the working folder, a folder or
// its own name, and one that cannot be read, or an option the program does
// not know, is said on one line, with the lesson left alone.
TEST(ProgramaTest, ShowTellsTheNextRunWithoutADisplayAndChangesNothing) {
  CarpetaTemporal carpeta;
  const std::string archivo = carpeta.ruta() + "/CPControl.ini";
  std::ofstream(archivo, std::ios::binary) << ArchivoDeLeccion(2, 2);
  const std::string siguiente =
      "Lesson file: " + archivo + "\nEach run is noted in " + carpeta.ruta() +
      "/Diario.txt.\nNext run: lesson 2 of 3, session 2 of 2, in the English voice.\n"
      "Each card stays 0.1 s; a card of an equation, until its words have been said.\n" +
      kAvisoDeTiempo +
      "    card  for      says\n       2  0.1 s    two\n  1 card, 0.1 s in all.\n"
      "After it: lesson 3, session 1.\n";
  const struct {
    std::vector<std::string> argumentos;
    int codigo;
    std::string salida;
    std::string errores;
  } casos[] = {
      {{"--show"}, 0, siguiente, ""},
      {{"--show", carpeta.ruta()}, 0, siguiente, ""},
      {{carpeta.ruta() + "/./cpcontrol.ini", "--show"}, 0, siguiente, ""},
      {{"--show", "--all", archivo}, 0,
       siguiente.substr(0, siguiente.find("    card")) +
           "\nLesson 1:\n    card  for      says\n       1  0.1 s    one\n  1 card, 0.1 s in all.\n"
           "\nLesson 2:\n    card  for      says\n       2  0.1 s    two\n  1 card, 0.1 s in all.\n"
           "\nLesson 3:\n    card  for      says\ncontapuntos: warning: there is no Leccion3 in "
           "[Lecciones]: the run shows one empty card, 0\n       0  0.1 s    zero\n"
           "  1 card, 0.1 s in all.\n",
       ""},
      {{"--show", "ana"}, 1, "",
       "contapuntos: cannot read " + carpeta.ruta() + "/ana: cannot open " + carpeta.ruta() +
           "/ana: No such file or directory\n"},
      {{"--shwo"}, 2, "", "contapuntos: \"--shwo\" is not an option of contapuntos\n"},
      {{carpeta.ruta()}, 2, "", "contapuntos: a lesson file or folder, and --all, go with --show\n"},
  };
  for (const auto& caso : casos) {
    Orden orden = SinPantalla(kPrograma, carpeta.ruta());
    orden.argumentos.insert(orden.argumentos.end(), caso.argumentos.begin(), caso.argumentos.end());
    const Resultado r = Ejecutar(orden);
    SCOPED_TRACE(caso.argumentos.back());
    EXPECT_EQ(r.codigo, caso.codigo) << r.errores;
    EXPECT_EQ(r.salida, caso.salida);
    EXPECT_EQ(r.errores.substr(0, r.errores.find('\n') + 1), caso.errores);
  }
  EXPECT_EQ(LeerArchivo(archivo), ArchivoDeLeccion(2, 2));
  EXPECT_EQ(carpeta.Contenido(), std::vector<std::string>{"CPControl.ini"});
}

// The end of a pass that moves to the next lesson writes both counters. The
// process is killed at each call of the save that can leave a file behind,
// and the flush and the replacement fail (strace's fault injection, the
// program unchanged): every time the lesson file must be the old one or the
// new one, byte for byte, a failure must say so and leave nothing behind,
// and the next run must go on from the file and leave nothing else in the
// folder but the diary.
TEST(ProgramaTest, KilledOrFailingAnywhereInTheSaveTheFileIsOldOrNewAndTheNextRunGoesOn) {
  const std::vector<std::string> kConElDiario = {"CPControl.ini", "Diario.txt"};
  Orden version;
  version.argumentos = {"strace", "-V"};
  ASSERT_EQ(Ejecutar(version).codigo, 0) << "strace is needed";
  const std::string antes = ArchivoDeLeccion(1, 2);
  const std::string despues = ArchivoDeLeccion(2, 1);
  const struct {
    std::string llamada;
    std::string falla;
    // The failure's line between "cannot save the progress in <the file>" and
    // the copy's name: a folder that refused the change is named so.
    std::string paso;
  } casos[] = {
      {"unlink", "signal=KILL", ""},
      {"ftruncate", "signal=KILL", ""},
      {"fsync", "signal=KILL", ""},
      {"rename", "signal=KILL", ""},
      {"fsync", "error=EIO", ": flush of "},
      {"rename", "error=EACCES", ", whose folder cannot be written: replace with "},
  };
  for (const auto& caso : casos) {
    for (int vez = 1;; ++vez) {
      const std::string donde = caso.falla + " at " + caso.llamada + " #" + std::to_string(vez);
      ASSERT_LT(vez, 20) << caso.llamada << " is called more often than a save needs";
      CarpetaTemporal carpeta;
      const std::string archivo = carpeta.ruta() + "/CPControl.ini";
      std::ofstream(archivo, std::ios::binary) << antes;
      Orden orden;
      const std::string inyectar =
          caso.llamada + ":" + caso.falla + ":when=" + std::to_string(vez);
      orden.argumentos = {"strace", "-f", "-qq", "-o", "/dev/null", "-e", "trace=" + caso.llamada,
                          "-e", "inject=" + inyectar, kPrograma};
      orden.quitar = {"DISPLAY", "WAYLAND_DISPLAY"};
      // LeakSanitizer, in the sanitized build, cannot work under a tracer.
      orden.entorno = {{"SDL_VIDEODRIVER", "offscreen"},
                       {"SDL_AUDIODRIVER", "dummy"},
                       {"ASAN_OPTIONS", "detect_leaks=0"}};
      orden.carpeta = carpeta.ruta();
      const Resultado fallido = Ejecutar(orden);
      const std::string tras = LeerArchivo(archivo);
      ASSERT_TRUE(tras == antes || tras == despues) << donde << ":\n" << tras;
      if (fallido.codigo == 0) {
        EXPECT_EQ(tras, despues) << "a run that did not fail saves";
        EXPECT_EQ(carpeta.Contenido(), kConElDiario);
        break;
      }
      if (caso.paso.empty()) {
        ASSERT_EQ(fallido.codigo, 128 + SIGKILL) << donde << ": " << fallido.errores;
      } else {
        EXPECT_EQ(fallido.codigo, 1) << donde;
        EXPECT_EQ(tras, antes) << donde << ": a failed save changed the file";
        EXPECT_EQ(carpeta.Contenido(), kConElDiario) << donde;
        EXPECT_EQ(fallido.errores.rfind(kAvisoDeTiempo + "contapuntos: cannot save the progress in " +
                                            archivo + caso.paso + archivo + ".tmp failed: ",
                                        0),
                  0u)
            << donde << ": " << fallido.errores;
      }

      orden.argumentos = {kPrograma};
      const Resultado siguiente = Ejecutar(orden);
      ASSERT_EQ(siguiente.codigo, 0) << "after " << donde << ": " << siguiente.errores;
      EXPECT_EQ(LeerArchivo(archivo), tras == antes ? despues : ArchivoDeLeccion(2, 2)) << donde;
      EXPECT_EQ(carpeta.Contenido(), kConElDiario) << donde;
    }
  }
}

// One folder per child: the launcher, laid out as the package installs it,
// runs the program in the folder it is given, seeds a new folder with the
// example, keeps a lesson file of other capitals, and without a folder uses
// the learner's data folder. Each run moves on its own file alone.
TEST(LanzadorTest, EachChildsFolderKeepsItsOwnProgress) {
  namespace fs = std::filesystem;
  CarpetaTemporal raiz;
  const std::string r = raiz.ruta();
  fs::create_directories(r + "/usr/bin");
  fs::create_directories(r + "/usr/share/contapuntos");
  fs::copy_file(kLanzador, r + "/usr/bin/contapuntos-lesson");
  fs::create_symlink(kPrograma, r + "/usr/bin/contapuntos");
  const std::string ejemplo =
      "[General]\nTiempoBit=1\nPasesPorLeccion=1\nLecciones=3\nLeccionActual=1\n"
      "PaseActual=1\n[Lecciones]\nLeccion1=1\nLeccion2=2\nLeccion3=3\n";
  std::ofstream(r + "/usr/share/contapuntos/CPControl.ini") << ejemplo;
  auto Avance = [](int leccion, int pase) {
    return "LeccionActual=" + std::to_string(leccion) + "\nPaseActual=" + std::to_string(pase);
  };
  auto Curso = [&](int leccion, int pase) {
    return "[General]\nTiempoBit=1\nPasesPorLeccion=2\nLecciones=3\n" + Avance(leccion, pase) +
           "\n[Lecciones]\nLeccion1=4\nLeccion2=5\nLeccion3=6\n";
  };
  fs::create_directories(r + "/ana");
  std::ofstream(r + "/ana/cpcontrol.ini") << Curso(2, 1);

  auto Lanzar = [&](std::vector<std::string> carpeta) {
    Orden orden;
    orden.argumentos = {r + "/usr/bin/contapuntos-lesson"};
    orden.argumentos.insert(orden.argumentos.end(), carpeta.begin(), carpeta.end());
    orden.quitar = {"DISPLAY", "WAYLAND_DISPLAY"};
    orden.entorno = {{"SDL_VIDEODRIVER", "offscreen"},
                     {"SDL_AUDIODRIVER", "dummy"},
                     {"HOME", r + "/casa"},
                     {"XDG_DATA_HOME", r + "/datos"}};
    orden.carpeta = r;
    const Resultado resultado = Ejecutar(orden);
    EXPECT_EQ(resultado.codigo, 0) << resultado.errores;
  };
  Lanzar({"ana"});
  Lanzar({r + "/hijos/luis"});
  Lanzar({r + "/hijos/luis"});
  Lanzar({});

  EXPECT_EQ(LeerArchivo(r + "/ana/cpcontrol.ini"), Curso(2, 2));
  EXPECT_FALSE(fs::exists(r + "/ana/CPControl.ini")) << "a lesson file was there already";
  std::string luis = ejemplo;
  EXPECT_EQ(LeerArchivo(r + "/hijos/luis/CPControl.ini"),
            luis.replace(luis.find(Avance(1, 1)), Avance(1, 1).size(), Avance(3, 1)));
  std::string propio = ejemplo;
  EXPECT_EQ(LeerArchivo(r + "/datos/contapuntos/CPControl.ini"),
            propio.replace(propio.find(Avance(1, 1)), Avance(1, 1).size(), Avance(2, 1)));
  EXPECT_EQ(LeerArchivo(r + "/usr/share/contapuntos/CPControl.ini"), ejemplo);
  EXPECT_FALSE(fs::exists(r + "/casa"));
}

class VentanaRealTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!pantalla.activa()) GTEST_SKIP() << "Xvfb could not be started";
  }
  Orden EnPantalla(const std::string& programa) {
    Orden orden;
    orden.argumentos = {programa};
    orden.entorno = {{"DISPLAY", pantalla.nombre()}, {"SDL_VIDEODRIVER", "x11"}};
    orden.carpeta = carpeta.ruta();
    return orden;
  }

  PantallaVirtual pantalla;
  CarpetaTemporal carpeta;
};

TEST_F(VentanaRealTest, OpensAFullScreenWindowThatEscapeEndsWithZero) {
  Proceso programa(EnPantalla(kPrograma));
  const std::string ventana = pantalla.EsperarVentana("Orvalo", 10);
  ASSERT_FALSE(ventana.empty()) << "no window titled Orvalo appeared";
  const std::string geometria = pantalla.Xdotool("getwindowgeometry " + ventana);
  EXPECT_NE(geometria.find("Position: 0,0"), std::string::npos) << geometria;
  EXPECT_NE(geometria.find("Geometry: 1024x768"), std::string::npos) << geometria;
  EXPECT_TRUE(pantalla.TeclearHastaQueTermine(ventana, "Escape", &programa));
  const Resultado r = programa.Esperar();
  EXPECT_FALSE(r.agotado);
  EXPECT_EQ(r.codigo, 0) << r.errores;
  // No lesson file is made; the diary notes the run.
  EXPECT_EQ(carpeta.Contenido(), std::vector<std::string>{"Diario.txt"});
}

TEST_F(VentanaRealTest, KeysReachTheWorldAsTheWindowProcedureRoutesThem) {
  Proceso programa(EnPantalla(kDePrueba));
  const std::string ventana = pantalla.EsperarVentana("Orvalo", 10);
  ASSERT_FALSE(ventana.empty());
  // Keys typed while the new window is still taking the focus can be lost:
  // Left, until the world has it.
  const std::string izquierda = "tecla 37 1\ntecla 37 0\n";
  bool llega = false;
  for (int vez = 0; vez < 10 && !llega; ++vez) {
    pantalla.Xdotool("windowfocus " + ventana);
    pantalla.Xdotool("key Left");
    llega = programa.Escribe(izquierda, 2.0);
  }
  ASSERT_TRUE(llega) << "no key reached the world";
  pantalla.Xdotool("key a F1");
  // Held long enough for the display's auto-repeat to send more presses.
  pantalla.Xdotool("keydown z");
  std::this_thread::sleep_for(std::chrono::milliseconds(1200));
  pantalla.Xdotool("keyup z");
  EXPECT_TRUE(programa.Escribe("tecla 90 0\n", 10.0));
  EXPECT_TRUE(pantalla.TeclearHastaQueTermine(ventana, "alt+F4", &programa))
      << "Alt+F4 closes the window and ends the program";
  const Resultado r = programa.Esperar();
  EXPECT_EQ(r.codigo, 0);
  std::string salida = r.salida;
  while (salida.rfind(izquierda, 0) == 0) salida.erase(0, izquierda.size());
  const std::string esperado = "tecla 65 1\ntecla 65 0\ntecla 0 1\ntecla 0 0\ntecla 90 1\n";
  EXPECT_EQ(salida.rfind(esperado, 0), 0u) << "got:\n" << r.salida;
  size_t repeticiones = 0;
  for (size_t at = 0; (at = salida.find("tecla 90 1\n", at)) != std::string::npos; ++at) {
    ++repeticiones;
  }
  EXPECT_GT(repeticiones, 1u) << "a held key repeats its press";
  EXPECT_NE(salida.find("tecla 90 0\n"), std::string::npos);
}

TEST_F(VentanaRealTest, TheStartUpErrorIsARealMessageBox) {
  Proceso programa(EnPantalla(kSinAplicacion));
  const std::string caja = pantalla.EsperarVentana("Error de programaci\xC3\xB3n", 10);
  ASSERT_FALSE(caja.empty()) << "no message box appeared";
  EXPECT_EQ(pantalla.Xdotool("getwindowname " + caja), "Error de programaci\xC3\xB3n\n");
  EXPECT_TRUE(pantalla.TeclearHastaQueTermine(caja, "Return", &programa));
  const Resultado r = programa.Esperar();
  EXPECT_EQ(r.codigo, 255);
}

}  // namespace
