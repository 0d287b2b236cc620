// The Windows program, built by the windows preset, run under Wine on a
// private virtual display: --show tells what the Linux program's does, it
// runs a lesson, its choice answered by a click, and leaves the counters
// advanced exactly as the Linux program does with the same file, a card
// fills a screen of any size with its dots as red discs on white and is
// drawn again when another window uncovers it, and a progress that cannot
// be saved is told in a box that the full-screen lesson does not hide. The
// installer, silently, in a Wine prefix and a home folder of its own, gives
// each child a folder and shortcuts that start the program in it (and then
// no plain shortcut, even one an earlier install made), keeps every lesson
// file when run again, and its uninstaller leaves them. Every
// Windows program starts through tools/wine-run. Needs build-windows/ and
// Wine; tools/test provides both.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/support/imagen.h"
#include "tests/support/pantalla.h"
#include "tests/support/proceso.h"

namespace {

const std::string kProgramaWindows = PROGRAMA_WINDOWS;
const std::string kProgramaLinux = PROGRAMA_LINUX;
const std::string kPrefijo = PREFIJO_WINE;
const std::string kWineRun = WINE_RUN;
const std::string kInstalador = INSTALADOR_WINDOWS;
// The folder of the zip, which the installer carries too.
const std::string kDescarga = DESCARGA_WINDOWS;

bool Existe(const std::string& ruta) { return access(ruta.c_str(), F_OK) == 0; }

// wine-run's exit code when it finds no Wine.
constexpr int kSinWine = 127;

// Runs a Windows program, or with --server the prefix's Wine server, through
// tools/wine-run.
Orden EnWine(const std::string& prefijo, const std::vector<std::string>& argumentos) {
  Orden orden;
  orden.argumentos = {kWineRun, prefijo};
  orden.argumentos.insert(orden.argumentos.end(), argumentos.begin(), argumentos.end());
  return orden;
}

// Ends the prefix's Wine server and its background programs, and waits
// until the server is gone: a program started while it is still ending can
// wait on it for good. The code of the ending.
int DetenerWine(const std::string& prefijo) {
  const int codigo = Ejecutar(EnWine(prefijo, {"--server", "-k"})).codigo;
  Ejecutar(EnWine(prefijo, {"--server", "-w"}));
  return codigo;
}

std::string Leer(const std::string& ruta) {
  std::ifstream archivo(ruta, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(archivo), {});
}

// UTF-16 code units of the Basic Multilingual Plane, as UTF-8.
std::string Utf8(const std::u16string& texto) {
  std::string utf8;
  for (const char16_t c : texto) {
    if (c < 0x80) {
      utf8 += static_cast<char>(c);
    } else if (c < 0x800) {
      utf8 += static_cast<char>(0xC0 | c >> 6);
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      utf8 += static_cast<char>(0xE0 | c >> 12);
      utf8 += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return utf8;
}

struct Acceso {
  std::string destino;
  std::string carpeta;
};

// A shell link (.lnk) read as Windows reads it: the local path of its
// target, from its link information, and its working folder, from its
// strings (name, relative path, working folder, in that order).
Acceso LeerAcceso(const std::string& archivo) {
  const std::string datos = Leer(archivo);
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(datos.at(i)); };
  const auto u16 = [&](std::size_t i) {
    return static_cast<std::uint32_t>(byte(i) | byte(i + 1) << 8);
  };
  const auto u32 = [&](std::size_t i) { return u16(i) | u16(i + 2) << 16; };
  const auto ansi = [&](std::size_t i) { return std::string(datos.c_str() + i); };
  Acceso acceso;
  if (datos.size() < 0x4C || u32(0) != 0x4C) return acceso;
  const std::uint32_t banderas = u32(0x14);
  std::size_t p = 0x4C;
  if (banderas & 0x1) p += 2 + u16(p);
  if (banderas & 0x2) {
    acceso.destino = ansi(p + u32(p + 16)) + ansi(p + u32(p + 24));
    p += u32(p);
  }
  const bool unicode = banderas & 0x80;
  for (const std::uint32_t cadena : {0x4u, 0x8u, 0x10u}) {
    if (!(banderas & cadena)) continue;
    const std::size_t letras = u16(p);
    p += 2;
    std::u16string texto;
    for (std::size_t i = 0; i < letras; ++i) {
      texto += static_cast<char16_t>(unicode ? u16(p + 2 * i) : byte(p + i));
    }
    p += unicode ? 2 * letras : letras;
    // Wine counts the closing NUL.
    while (!texto.empty() && texto.back() == 0) texto.pop_back();
    if (cadena == 0x10) acceso.carpeta = Utf8(texto);
  }
  return acceso;
}

std::string Valor(const std::string& archivo, const char* clave) {
  char valor[64];
  GetPrivateProfileStringA("General", clave, "(none)", valor, sizeof valor, archivo.c_str());
  return valor;
}

class WineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Wine's server keeps the display it started on, which an earlier test's
    // was.
    const bool sinWine = DetenerWine(kPrefijo) == kSinWine;
    if (!Existe(kProgramaWindows) || !Existe(kInstalador) || sinWine) {
      const std::string falta =
          "the Windows program, its installer or Wine is missing (build the windows preset)";
      // Continuous integration builds both: missing there is a failure.
      if (std::getenv("CI")) FAIL() << falta;
      GTEST_SKIP() << falta;
    }
    if (!pantalla.activa()) GTEST_SKIP() << "Xvfb could not be started";
  }
  void TearDown() override { DetenerWine(kPrefijo); }
  Orden ProgramaEnWine(const std::string& carpeta) {
    Orden orden = EnWine(kPrefijo, {kProgramaWindows});
    orden.entorno = {{"DISPLAY", pantalla.nombre()}};
    orden.carpeta = carpeta;
    // The first start makes Wine's prefix.
    orden.limite = std::chrono::seconds(180);
    return orden;
  }
  void Escribir(const std::string& carpeta, const std::string& contenido) {
    std::ofstream(carpeta + "/CPControl.ini", std::ios::binary) << contenido;
  }

  PantallaVirtual pantalla;
};

TEST_F(WineTest, RunsALessonAndAdvancesTheCountersAsTheLinuxProgramDoes) {
  const std::string leccion =
      "[General]\r\nTiempoBit=1\r\nTiempoEleccion=300\r\nPasesPorLeccion=2\r\nPaseActual=2\r\n"
      "Lecciones=3\r\nLeccionActual=3\r\n[Lecciones]\r\nLeccion3=3,0-2,7?3\r\n";
  CarpetaTemporal enWindows;
  CarpetaTemporal enLinux;
  Escribir(enWindows.ruta(), leccion);
  Escribir(enLinux.ruta(), leccion);
  // --show tells the same of it on both systems, but for the names of the
  // lesson file and the diary, and Windows' line ends.
  Orden mostrar = ProgramaEnWine(enWindows.ruta());
  mostrar.argumentos.push_back("--show");
  std::string windows = Ejecutar(mostrar).salida;
  for (size_t i; (i = windows.find("\r\n")) != std::string::npos;) windows.erase(i, 1);
  mostrar.argumentos = {kProgramaLinux, "--show"};
  const std::string linux = Ejecutar(mostrar).salida;
  EXPECT_NE(linux.find("  5 cards, 31.58 s in all."), std::string::npos) << linux;
  auto TrasLosNombres = [](const std::string& vista) {
    return vista.substr(vista.find('\n', vista.find('\n') + 1));
  };
  EXPECT_EQ(TrasLosNombres(windows), TrasLosNombres(linux));
  // Wine closes its desktop a second after its last program ends, and a
  // program that starts while it closes may get no window: the lesson
  // starts on a Wine of its own.
  DetenerWine(kPrefijo);
  // Each run's choice is answered by a click, on a laptop's wide screen:
  // the Windows program gets it from Wine as WM_LBUTTONDOWN.
  PantallaVirtual ancha(1366, 768);
  const auto Elegir = [&ancha](Orden orden) {
    orden.entorno["DISPLAY"] = ancha.nombre();
    Proceso programa(orden);
    EXPECT_TRUE(ElegirConUnClic(ancha, 7, 3, 120)) << "no choice of 7 and 3 dots came";
    return programa.Esperar();
  };
  const Resultado enWine = Elegir(ProgramaEnWine(enWindows.ruta()));
  EXPECT_EQ(enWine.codigo, 0) << enWine.errores << enWine.salida;

  Orden orden;
  orden.argumentos = {kProgramaLinux};
  orden.entorno = {{"SDL_VIDEODRIVER", "x11"}, {"SDL_AUDIODRIVER", "dummy"}};
  orden.carpeta = enLinux.ruta();
  const Resultado r = Elegir(orden);
  EXPECT_EQ(r.codigo, 0) << r.errores;

  const std::string archivoWindows = enWindows.ruta() + "/CPControl.ini";
  const std::string archivoLinux = enLinux.ruta() + "/CPControl.ini";
  EXPECT_EQ(Valor(archivoWindows, "LeccionActual"), "1");
  EXPECT_EQ(Valor(archivoWindows, "PaseActual"), "1");
  EXPECT_EQ(Valor(archivoWindows, "LeccionActual"), Valor(archivoLinux, "LeccionActual"));
  EXPECT_EQ(Valor(archivoWindows, "PaseActual"), Valor(archivoLinux, "PaseActual"));
  // Both note the run in the same words, after its time.
  const std::string diario = Leer(enLinux.ruta() + "/Diario.txt");
  EXPECT_EQ(Leer(enWindows.ruta() + "/Diario.txt").substr(16), diario.substr(16)) << diario;
  EXPECT_EQ(diario.substr(16),
            " lesson 3, session 2 of 2: 1 warning: TiempoBit=1 is 0.1 s a card, under 0.3 s; "
            "asked 7, picked 7; whole, counted\r\n");
}

// On any screen, in the mode it has, the card fills it, centred on white,
// a numeral red and as tall as its figures, and is drawn again when another
// window uncovers it.
TEST_F(WineTest, ACardFillsTheScreenAndIsDrawnAgainWhenUncovered) {
  std::vector<Imagen> numerales;
  for (const PantallaDePrueba& prueba : kPantallasDePrueba) {
    const std::string tarjeta = prueba.numeral < 0 ? "6" : "#" + std::to_string(prueba.numeral);
    SCOPED_TRACE(std::to_string(prueba.ancho) + " x " + std::to_string(prueba.alto) + ", " +
                 tarjeta);
    PantallaVirtual otra(prueba.ancho, prueba.alto);
    ASSERT_TRUE(otra.activa()) << "Xvfb could not be started";
    DetenerWine(kPrefijo);
    CarpetaTemporal carpeta;
    Escribir(carpeta.ruta(),
             "[General]\r\nTiempoBit=80\r\n[Lecciones]\r\nLeccion1=" + tarjeta + "\r\n");
    Orden orden = ProgramaEnWine(carpeta.ruta());
    orden.entorno["DISPLAY"] = otra.nombre();
    Proceso programa(orden);
    ASSERT_FALSE(otra.EsperarVentana("Orvalo", 120).empty()) << "no window under Wine";
    const Imagen imagen = ComprobarRepintado(otra, 6, prueba.numeral);
    if (prueba.numeral >= 0) numerales.push_back(imagen);
    EXPECT_EQ(programa.Esperar().codigo, 0);
  }
  EXPECT_TRUE(numerales[0].rgb != numerales[1].rgb) << "the numerals 7 and 42 look alike";
}

// The line tells a folder that refused the change from a read-only file.
TEST_F(WineTest, AProgressThatCannotBeSavedIsToldInABoxAboveTheLesson) {
  CarpetaTemporal carpeta;
  const std::string antes = "[General]\r\nTiempoBit=1\r\nPaseActual=1\r\n";
  Escribir(carpeta.ruta(), antes);
  // The name of the save's copy is taken by a folder: the save fails, the
  // file read-only or not.
  ASSERT_EQ(mkdir((carpeta.ruta() + "/CPControl.ini.tmp").c_str(), 0755), 0);
  const std::string archivo = carpeta.ruta() + "/CPControl.ini";
  for (const bool soloLectura : {false, true}) {
    SCOPED_TRACE(soloLectura ? "read-only" : "writable");
    if (soloLectura) {
      ASSERT_EQ(chmod(archivo.c_str(), 0444), 0);
    }
    DetenerWine(kPrefijo);
    Proceso programa(ProgramaEnWine(carpeta.ruta()));
    ComprobarCajaDeFallo(pantalla, &programa, 120);
    const Resultado r = programa.Esperar();
    EXPECT_EQ(r.codigo, 1);
    const std::string causa = soloLectura ? "\\CPControl.ini, which is read-only: copy to "
                                          : "\\CPControl.ini, whose folder cannot be written: ";
    EXPECT_NE(r.errores.find(causa), std::string::npos) << r.errores;
    EXPECT_EQ(Leer(archivo), antes);
  }
}

// Ends a Wine prefix's programs and server, on every way out of a test.
struct FinDeWine {
  std::string prefijo;
  ~FinDeWine() { Ejecutar(EnWine(prefijo, {"--server", "-k"})); }
};

TEST_F(WineTest, TheInstallerGivesEachChildAFolderAndShortcutsAndTheUninstallerKeepsTheLessons) {
  // Wine links Documents and the Desktop into the home folder: both are
  // the test's own, as the prefix is.
  CarpetaTemporal raiz;
  const std::string casa = raiz.ruta() + "/casa";
  for (const char* carpeta : {"", "/Documents", "/Desktop"}) {
    ASSERT_EQ(mkdir((casa + carpeta).c_str(), 0755), 0);
  }
  const std::string prefijo = raiz.ruta() + "/prefijo";
  const FinDeWine fin{prefijo};
  // wine-run keeps the prefix's Wine running from one step to the next
  // instead of starting it anew for each.
  const auto enWine = [&](const std::vector<std::string>& argumentos) {
    Orden orden = EnWine(prefijo, argumentos);
    // A UTF-8 locale, so that Wine reads the accented name as written.
    orden.entorno = {{"DISPLAY", pantalla.nombre()}, {"HOME", casa}, {"LC_ALL", "C.UTF-8"}};
    orden.carpeta = raiz.ruta();
    // The first start makes Wine's prefix.
    orden.limite = std::chrono::seconds(240);
    return orden;
  };
  const auto instalar = [&](const std::string& ninos, const std::string& idioma) {
    const Resultado r =
        Ejecutar(enWine({kInstalador, "/S", "/CHILDREN=" + ninos, "/LANG=" + idioma}));
    EXPECT_EQ(r.codigo, 0) << r.errores;
  };
  // Without a child named, the plain shortcuts run the lesson folder.
  instalar("", "es");

  std::string usuario;
  for (const auto& entrada : std::filesystem::directory_iterator(prefijo + "/drive_c/users")) {
    if (entrada.path().filename() != "Public") usuario = entrada.path().filename();
  }
  ASSERT_FALSE(usuario.empty()) << "no user folder in the Wine prefix";
  const auto enUnix = [&](std::string ruta) {
    EXPECT_EQ(ruta.substr(0, 3), "C:\\") << ruta;
    for (char& c : ruta) {
      if (c == '\\') c = '/';
    }
    return prefijo + "/drive_c" + ruta.substr(2);
  };
  const std::string perfil = "C:\\users\\" + usuario;
  const std::string instalado = perfil + "\\AppData\\Local\\Programs\\Contapuntos";
  const std::string programa = instalado + "\\contapuntos.exe";
  const std::string lecciones = perfil + "\\Documents\\Contapuntos";
  const std::string lugares[] = {
      perfil + "\\Desktop",
      perfil + "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Contapuntos"};
  for (const std::string& lugar : lugares) {
    const std::string llano = enUnix(lugar + "\\Contapuntos.lnk");
    EXPECT_EQ(LeerAcceso(llano).carpeta, lecciones) << llano;
  }
  // Wine quotes an argument with a blank, as other programs may; the blank
  // and the unsafe ? are left out of the child's folder and shortcuts.
  instalar("Ana, José?", "es");

  // Whole files are compared, and only named when they differ.
  const auto igual = [](const std::string& archivo, const std::string& contenido) {
    return Existe(archivo) && Leer(archivo) == contenido;
  };
  EXPECT_TRUE(igual(enUnix(programa), Leer(kDescarga + "/contapuntos.exe"))) << programa;
  for (const char* nombre :
       {"CPControl.ini", "curso-100-es.ini", "course-100-en.ini", "README.txt", "LEEME.txt"}) {
    EXPECT_TRUE(igual(enUnix(lecciones + "\\" + nombre), Leer(kDescarga + "/" + nombre)))
        << "expected the lesson folder to hold the download's " << nombre;
  }
  const std::string ana = enUnix(lecciones + "\\Ana\\CPControl.ini");
  const std::string jose = enUnix(lecciones + "\\José\\CPControl.ini");
  const std::string curso = Leer(kDescarga + "/curso-100-es.ini");
  EXPECT_TRUE(igual(ana, curso)) << "expected the Spanish course as Ana's CPControl.ini";
  EXPECT_TRUE(igual(jose, curso)) << "expected the Spanish course as José's CPControl.ini";

  // With a child named, every shortcut names one: the plain one is gone.
  const struct {
    const char* nombre;
    std::string carpeta;
  } accesos[] = {{"Contapuntos", ""},
                 {"Contapuntos Ana", lecciones + "\\Ana"},
                 {"Contapuntos José", lecciones + "\\José"}};
  std::vector<std::string> enlaces;
  for (const std::string& lugar : lugares) {
    for (const auto& fila : accesos) {
      const std::string enlace = enUnix(lugar + "\\" + fila.nombre + ".lnk");
      if (fila.carpeta.empty()) {
        EXPECT_FALSE(Existe(enlace)) << "expected no plain shortcut with a child named: " << enlace;
        continue;
      }
      enlaces.push_back(enlace);
      const Acceso acceso = LeerAcceso(enlaces.back());
      EXPECT_EQ(acceso.destino, programa) << enlaces.back();
      EXPECT_EQ(acceso.carpeta, fila.carpeta) << enlaces.back();
    }
  }
  const std::string desinstalar = instalado + "\\uninstall.exe";
  const std::string clave =
      "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Contapuntos";
  Resultado r = Ejecutar(enWine({"reg", "query", clave, "/v", "QuietUninstallString"}));
  EXPECT_NE(r.salida.find("\"" + desinstalar + "\" /S"), std::string::npos)
      << "expected the installed apps to list the uninstaller, got: " << r.salida << r.errores;

  // Ana's shortcut runs Ana's lesson: her file moves on, José's stays.
  Escribir(enUnix(lecciones + "\\Ana"),
           "[General]\r\nTiempoBit=1\r\nPasesPorLeccion=2\r\nPaseActual=1\r\n"
           "[Lecciones]\r\nLeccion1=1\r\n");
  Orden leccion = enWine({enUnix(programa)});
  leccion.carpeta = enUnix(LeerAcceso(enlaces[0]).carpeta);
  r = Ejecutar(leccion);
  EXPECT_EQ(r.codigo, 0) << r.errores;
  EXPECT_EQ(Valor(ana, "PaseActual"), "2");
  EXPECT_TRUE(igual(jose, curso)) << "José's CPControl.ini changed";

  // Installing again, even with the other language, replaces no lesson file.
  const std::string general = enUnix(lecciones + "\\CPControl.ini");
  std::ofstream(general, std::ios::app) << "; the parent's note\r\n";
  const std::string antes[] = {Leer(general), Leer(ana), Leer(jose)};
  instalar("Ana,José", "en");
  EXPECT_TRUE(igual(general, antes[0]))
      << "reinstalling replaced the lesson folder's CPControl.ini";
  EXPECT_TRUE(igual(ana, antes[1])) << "reinstalling replaced Ana's CPControl.ini";
  EXPECT_TRUE(igual(jose, antes[2])) << "reinstalling replaced José's CPControl.ini";

  // The uninstaller goes on as a copy of itself in the temporary folder:
  // the test waits for the prefix's Wine to end, which it does seconds
  // after its last program.
  r = Ejecutar(enWine({enUnix(desinstalar), "/S"}));
  EXPECT_EQ(r.codigo, 0) << r.errores;
  Orden esperar = EnWine(prefijo, {"--server", "-w"});
  esperar.limite = std::chrono::seconds(240);
  EXPECT_FALSE(Ejecutar(esperar).agotado) << "the uninstaller did not end";
  EXPECT_FALSE(Existe(enUnix(instalado))) << "the program's folder is still there";
  for (const std::string& enlace : enlaces) EXPECT_FALSE(Existe(enlace)) << enlace;
  EXPECT_TRUE(igual(general, antes[0])) << "uninstalling changed the lesson folder's CPControl.ini";
  EXPECT_TRUE(igual(ana, antes[1])) << "uninstalling changed Ana's CPControl.ini";
  EXPECT_TRUE(igual(jose, antes[2])) << "uninstalling changed José's CPControl.ini";
  r = Ejecutar(enWine({"reg", "query", clave}));
  EXPECT_NE(r.codigo, 0) << "the installed apps still list Contapuntos: " << r.salida;
}

}  // namespace
