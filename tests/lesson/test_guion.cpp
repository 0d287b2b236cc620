// The lesson script in a real world: the settings it reads, the tick
// schedule of its bits, its dots and recordings, and the progress it writes
// back. Each test runs in a temporary working folder with its own lesson
// file, on the application's own set-up.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/Contapuntos.h"
#include "base/ClaseDinamica.h"
#include "lesson/Eleccion.h"
#include "lesson/Guion.h"
#include "lesson/VistaPrevia.h"
#include "tests/support/contexto_gl.h"
#include "tests/support/carpeta.h"
#include "tests/support/imagen_wave.h"
#include "world/Observador.h"
#include "world/Universo.h"

extern Contapuntos contapuntos;

namespace {

// Every recording looked up, and how many beings the world held then.
struct Busqueda {
  std::string nombre;
  uint32_t seres;
};
std::vector<Busqueda> busquedas;

// Every WAVE image played from memory, as it was given.
std::vector<std::string> imagenes;
// The last sound given, when it was an image in memory; and whether every
// such image was still whole when the next sound was given.
const char* imagenSonando = nullptr;
bool imagenesEnteras = true;

}  // namespace

// The lookup and the player, watched through linker wrappers. Calls into a
// DLL go through its import pointer, such as __imp_FindResourceA, on
// Windows, so there the pointer is what is wrapped.
#ifdef _WIN32
using FindResourceATipo = HRSRC(WINAPI*)(HMODULE, LPCSTR, LPCSTR);
using PlaySoundATipo = BOOL(WINAPI*)(LPCSTR, HMODULE, DWORD);
extern "C" FindResourceATipo __real___imp_FindResourceA;
extern "C" PlaySoundATipo __real___imp_PlaySoundA;
#define FindResourceAReal __real___imp_FindResourceA
#define PlaySoundAReal __real___imp_PlaySoundA
#else
extern "C" HRSRC WINAPI __real_FindResourceA(HMODULE, LPCSTR, LPCSTR);
extern "C" BOOL WINAPI __real_PlaySoundA(LPCSTR, HMODULE, DWORD);
#define FindResourceAReal __real_FindResourceA
#define PlaySoundAReal __real_PlaySoundA
#endif

namespace {

HRSRC WINAPI FindResourceAObservado(HMODULE modulo, LPCSTR nombre, LPCSTR tipo) {
  Universo* mundo = contapuntos.universo;
  busquedas.push_back({nombre, mundo ? mundo->contenido.cantidad : 0u});
  return FindResourceAReal(modulo, nombre, tipo);
}

// The length of the WAVE image at imagen: its RIFF length and 8.
size_t Largo(const char* imagen) {
  const auto* p = reinterpret_cast<const unsigned char*>(imagen);
  return 8 + (p[4] | p[5] << 8 | p[6] << 16 | size_t{p[7]} << 24);
}

BOOL WINAPI PlaySoundAObservado(LPCSTR sonido, HMODULE modulo, DWORD opciones) {
  // Windows reads an image while it plays: it must stay whole until this
  // call has started another sound.
  if (imagenSonando != nullptr && !imagenes.empty() &&
      std::string(imagenSonando, imagenes.back().size()) != imagenes.back()) {
    imagenesEnteras = false;
  }
  imagenSonando = nullptr;
  if (sonido != nullptr && (opciones & SND_MEMORY)) {
    imagenSonando = sonido;
    imagenes.emplace_back(sonido, Largo(sonido));
  }
  return PlaySoundAReal(sonido, modulo, opciones);
}

}  // namespace

#ifdef _WIN32
extern "C" {
FindResourceATipo __wrap___imp_FindResourceA = &FindResourceAObservado;
PlaySoundATipo __wrap___imp_PlaySoundA = &PlaySoundAObservado;
}
#else
extern "C" HRSRC WINAPI __wrap_FindResourceA(HMODULE modulo, LPCSTR nombre, LPCSTR tipo) {
  return FindResourceAObservado(modulo, nombre, tipo);
}
extern "C" BOOL WINAPI __wrap_PlaySoundA(LPCSTR sonido, HMODULE modulo, DWORD opciones) {
  return PlaySoundAObservado(sonido, modulo, opciones);
}
#endif

namespace {

std::string LeerArchivo(const std::string& ruta) {
  std::ifstream f(ruta, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

class GuionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(contexto.activo()) << contexto.fallo();
    anterior = std::filesystem::current_path();
    std::filesystem::current_path(carpeta.ruta());
    busquedas.clear();
    imagenes.clear();
    imagenSonando = nullptr;
    imagenesEnteras = true;
    instanciasAntes = ClaseDinamica::instancias;
  }
  void TearDown() override {
    delete contapuntos.universo;
    contapuntos.universo = nullptr;
    contapuntos.enMarcha = true;
    EXPECT_EQ(ClaseDinamica::instancias, instanciasAntes) << "objects left alive";
    std::filesystem::current_path(anterior);
  }
  void Archivo(const std::string& contenido) {
    std::ofstream(carpeta.ruta() + "/CPControl.ini", std::ios::binary) << contenido;
  }
  std::string Archivo() { return LeerArchivo(carpeta.ruta() + "/CPControl.ini"); }

  // Builds the application's world; returns its script.
  Guion* Crear() {
    contapuntos.Crear();
    Espacio* mundo = contapuntos.universo;
    EXPECT_EQ(mundo->contenido.cantidad, 2u);
    return dynamic_cast<Guion*>(mundo->contenido.elementos[1]);
  }
  // One frame; returns how many dots the world holds after it.
  uint32_t Fotograma() {
    contapuntos.universo->Fotograma();
    return contapuntos.universo->contenido.cantidad - 2;
  }

  ContextoGL contexto;
  CarpetaTemporal carpeta;
  std::filesystem::path anterior;
  int32_t instanciasAntes = 0;
};

TEST_F(GuionTest, TheSetUpLeavesTheCameraThenTheScriptInAWhiteWorld) {
  Archivo("[Lecciones]\r\nLeccion1=4\r\n");
  // What a save killed half way left behind.
  std::ofstream(carpeta.ruta() + "/CPControl.ini.tmp") << "[General]\r\nPase";
  Guion* guion = Crear();
  Universo* mundo = contapuntos.universo;
  ASSERT_NE(guion, nullptr);
  EXPECT_EQ(carpeta.Contenido(), std::vector<std::string>{"CPControl.ini"});
  EXPECT_EQ(mundo->contenido.elementos[0], contapuntos.observador);
  EXPECT_EQ(mundo->observador, contapuntos.observador);
  EXPECT_EQ(contapuntos.observador->posicion, Vector(20.0, 15.0, 0.0));
  EXPECT_EQ(guion->posicion, Vector(0.0, 0.0, 0.0));
  EXPECT_EQ(guion->aplicacion, &contapuntos);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(mundo->colorFondo[i], i < 3 ? 1.0 : 0.0);
  const double rojo[4] = {0.8, 0.0, 0.0, 0.0};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(guion->color[i], rojo[i]);
    EXPECT_EQ(contapuntos.observador->color[i], rojo[i]);
  }
  EXPECT_EQ(ShowCursor(TRUE), 0) << "the set-up hides the cursor";
  ShowCursor(FALSE);
  Fotograma();
  Fotograma();
  ASSERT_EQ(mundo->contenido.cantidad, 6u);
  for (uint32_t i = 2; i < 6; ++i) {
    const Apariencia* punto = static_cast<Apariencia*>(mundo->contenido.elementos[i]);
    for (int c = 0; c < 4; ++c) EXPECT_EQ(punto->color[c], rojo[c]);
  }
}

TEST_F(GuionTest, WithoutAFileTheLessonIsZeroForDefaultTimeAndTheFileIsMade) {
  testing::internal::CaptureStderr();
  Guion* guion = Crear();
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "contapuntos: warning: there is no lesson file CPControl.ini in " +
                std::filesystem::current_path().string() +
                ": the run shows one empty card, 0, and writes a new one\n");
  EXPECT_EQ(guion->leccion.instantesPorBit, 240);
  ASSERT_EQ(guion->leccion.tarjetas.cantidad, 1u);
  EXPECT_EQ(guion->leccion.tarjetas.elementos[0].numero, 0);
  for (int tick = 0; tick <= 240; ++tick) {
    ASSERT_TRUE(contapuntos.enMarcha) << "ended early, at tick " << tick;
    EXPECT_EQ(Fotograma(), 0u);
  }
  Fotograma();
  EXPECT_FALSE(contapuntos.enMarcha);
  ASSERT_EQ(busquedas.size(), 1u);
  EXPECT_EQ(busquedas[0].nombre, "0.WAV") << "a bit of no dots still says zero";
  EXPECT_EQ(Archivo(), "[General]\r\nLeccionActual=1\r\nPaseActual=1\r\n");
}

TEST_F(GuionTest, BitsFollowTheTickSchedule) {
  Archivo("[General]\nTiempoBit=40\n[Lecciones]\nLeccion1=3,5\n");
  Crear();
  std::vector<uint32_t> puntos;
  std::vector<bool> enMarcha;
  for (int tick = 0; tick <= 482 && contapuntos.enMarcha; ++tick) {
    puntos.push_back(Fotograma());
  }
  ASSERT_EQ(puntos.size(), 482u) << "the pass ends on tick 481";
  EXPECT_EQ(puntos[0], 3u);
  EXPECT_EQ(puntos[238], 3u);
  EXPECT_EQ(puntos[239], 0u) << "the dots are gone before the last tick's drawing";
  EXPECT_EQ(puntos[240], 5u);
  EXPECT_EQ(puntos[478], 5u);
  EXPECT_EQ(puntos[479], 0u);
  EXPECT_EQ(puntos[480], 0u);
  EXPECT_EQ(puntos[481], 0u);
  ASSERT_EQ(busquedas.size(), 2u);
  EXPECT_EQ(busquedas[0].nombre, "3.WAV");
  EXPECT_EQ(busquedas[0].seres, 5u) << "the recording starts after all the dots exist";
  EXPECT_EQ(busquedas[1].nombre, "5.WAV");
  EXPECT_EQ(busquedas[1].seres, 7u);
}

TEST_F(GuionTest, TheSameNumberTwiceGetsNewDots) {
  Archivo("[General]\nTiempoBit=1\n[Lecciones]\nLeccion1=6,6\n");
  Crear();
  auto Posiciones = [] {
    std::vector<double> p;
    const TColeccion<Materia*>& c = contapuntos.universo->contenido;
    for (uint32_t i = 2; i < c.cantidad; ++i) {
      p.push_back(c.elementos[i]->posicion.x);
      p.push_back(c.elementos[i]->posicion.y);
    }
    return p;
  };
  ASSERT_EQ(Fotograma(), 6u);
  const std::vector<double> primera = Posiciones();
  for (int tick = 1; tick < 6; ++tick) Fotograma();
  ASSERT_EQ(Fotograma(), 6u);
  EXPECT_NE(Posiciones(), primera);
}

TEST_F(GuionTest, ALessonOfOnlyEmptyRangesEndsAtTickOne) {
  Archivo("[Lecciones]\nLeccion1=8-5,9-2\n");
  Crear();
  Fotograma();
  EXPECT_TRUE(contapuntos.enMarcha);
  Fotograma();
  EXPECT_FALSE(contapuntos.enMarcha);
  EXPECT_TRUE(busquedas.empty());
}

// Settings as the reader reads them, and the warning of each guess and of
// each card time under 0.3 s or over 10 s, on standard error; the lessons'
// section is misspelt.
TEST_F(GuionTest, SettingsWithoutANumberTakeTheirDefaults) {
  struct Caso {
    const char* tiempoBit;
    int32_t instantes;
    std::string aviso;
  };
  for (const Caso& caso : {
           Caso{"1", 6, "TiempoBit=1 is 0.1 s a card, under 0.3 s"},
           Caso{"1O", 6, "TiempoBit=1O is read as 1 (0.1 s a card, under 0.3 s)"},
           Caso{"3", 18, ""},
           Caso{"40", 240, ""},
           Caso{"100", 600, ""},
           Caso{"101", 606, "TiempoBit=101 is 10.1 s a card, over 10 s"},
           Caso{" 10 frames", 60, "TiempoBit=10 frames is read as 10 (1 s a card)"},
           Caso{"abc", 240, "TiempoBit=abc is read as 40 (4 s a card)"},
           Caso{"", 240, ""},
           Caso{"0", 240, "TiempoBit=0 is read as 40 (4 s a card)"},
           Caso{"-3", 240, "TiempoBit=-3 is read as 40 (4 s a card)"},
           Caso{"99999999999", 2147483646,
                "TiempoBit=99999999999 is 214748364.7 s a card, over 10 s"},
       }) {
    Archivo(std::string("[General]\nTiempoBit=") + caso.tiempoBit +
            "\nLeccionActual=dos\nPaseActual=\n[Leciones]\nLeccion1=5\n");
    testing::internal::CaptureStderr();
    Guion* guion = Crear();
    const std::string avisos = testing::internal::GetCapturedStderr();
    EXPECT_EQ(guion->leccion.instantesPorBit, caso.instantes) << "TiempoBit=" << caso.tiempoBit;
    EXPECT_EQ(guion->leccion.leccionActual, 1);
    EXPECT_EQ(guion->leccion.paseActual, 1);
    const std::string aviso =
        caso.aviso.empty() ? "" : "contapuntos: warning: " + caso.aviso + "\n";
    EXPECT_EQ(avisos, "contapuntos: warning: LeccionActual=dos is read as 1\n" + aviso +
                          "contapuntos: warning: there is no [Lecciones] section, or it is "
                          "empty: the run shows one empty card, 0\n");
    delete contapuntos.universo;
    contapuntos.universo = nullptr;
  }
}

TEST_F(GuionTest, TheLanguageSuffixNamesTheRecordingAndALongOneIsCut) {
  Archivo("[General]\nTiempoBit=1\nIdioma=INGLES\n[Lecciones]\nLeccion1=100\n");
  Crear();
  Fotograma();
  ASSERT_EQ(busquedas.size(), 1u);
  EXPECT_EQ(busquedas[0].nombre, "100INGLES.WAV");
  delete contapuntos.universo;
  contapuntos.universo = nullptr;

  Archivo("[General]\nIdioma=" + std::string(300, 'X') + "\n[Lecciones]\nLeccion1=7\n");
  Crear();
  Fotograma();
  ASSERT_EQ(busquedas.size(), 2u);
  EXPECT_EQ(busquedas[1].nombre, "7" + std::string(254, 'X'));
}

TEST_F(GuionTest, ANumberBeyondWhatACardHoldsShowsTheMostAndSaysSo) {
  Archivo("[General]\nTiempoBit=1\n[Lecciones]\nLeccion1=5000\n");
  Crear();
  testing::internal::CaptureStderr();
  const uint32_t puntos = Fotograma();
  const std::string errores = testing::internal::GetCapturedStderr();
  EXPECT_EQ(puntos, 1000u);
  EXPECT_EQ(errores, "contapuntos: the card of 5000 shows 1000 dots, the most a card holds\n");
  EXPECT_EQ(busquedas.back().nombre, "5000.WAV");
}

// A WAVE image of 16-bit mono samples, 44,100 a second: the bytes datos.
std::string Wave(const std::string& datos) { return ::Wave(Fmt(1, 44100, 16), datos); }

// In a parent's own voice (files of the lesson folder), each card of an
// equation after its first plays its word's samples, then its number's, as
// one image in memory.
TEST_F(GuionTest, AnEquationsCardsSayTheirWordThenTheirNumberAsOneSound) {
  // A second of sound: 44,100 samples of two bytes.
  const std::string cinco(88200, '5');
  for (const auto& [nombre, datos] :
       {std::pair<const char*, std::string>{"2MAMA.WAV", "dos."}, {"MASMAMA.WAV", "mas."},
        {"3mama.wav", "tres"}, {"IGUALMAMA.WAV", "igual."}, {"5MAMA.WAV", cinco},
        {"1MAMA.WAV", cinco}}) {
    std::ofstream(carpeta.ruta() + "/" + nombre, std::ios::binary) << Wave(datos);
  }
  Archivo("[General]\nTiempoBit=1\nIdioma=MAMA\n[Lecciones]\nLeccion1=2+3=,1\n");
  Crear();
  while (contapuntos.enMarcha) Fotograma();
  std::vector<std::string> nombres;
  for (const Busqueda& b : busquedas) nombres.push_back(b.nombre);
  // An equation's sounds are read for their length when the lesson is read,
  // then again when they play.
  const std::vector<std::string> igualdad = {"2MAMA.WAV", "3MAMA.WAV", "MASMAMA.WAV", "5MAMA.WAV",
                                             "IGUALMAMA.WAV"};
  std::vector<std::string> esperados = igualdad;
  esperados.insert(esperados.end(), igualdad.begin(), igualdad.end());
  esperados.push_back("1MAMA.WAV");
  EXPECT_EQ(nombres, esperados);
  EXPECT_EQ(imagenes, (std::vector<std::string>{Wave("mas.tres"), Wave("igual." + cinco)}));
  EXPECT_TRUE(imagenesEnteras) << "an image was changed or freed before the next sound started";
}

// What --show tells of lesson files, against runs of the same files: the
// cards in order (a range's in any order within it), each for the time
// --show gives it (a choice, 7 and 0 as 7 dots, for its whole wait without
// a pick), and the items left out and the warnings, told with the very
// line the run writes. A built-in voice, and a parent's own recordings of every length:
// an equation's card stays until its words are said, where a card of no
// equation keeps its time, unless every card does so (PalabraEntera).
TEST_F(GuionTest, ShowTellsWhatTheRunShows) {
  for (const auto& [nombre, segundos] : {std::pair<const char*, double>{"3MAMA.WAV", 1.0},
                                         {"MASMAMA.WAV", 0.5}, {"4mama.wav", 0.25},
                                         {"7MAMA.WAV", 1.0}}) {
    std::ofstream(carpeta.ruta() + "/" + nombre, std::ios::binary)
        << Wave(std::string(static_cast<size_t>(segundos * 88200), '\0'));
  }
  struct Caso {
    const char* archivo;
    const char* vista;
  };
  for (const Caso& caso : {
           Caso{"[General]\nTiempoBit=10\n[Lecciones]\nLeccion1=7, 5-8,,1 2, 8-5, 3+4=, 8:3=, 2x3=7, [2,3+4=]\n",
                "Next run: lesson 1 of 1, session 1 of 1, in the Spanish voice.\n"
                "Each card stays 1 s; a card of an equation, until its words have been said.\n"
                "    card  for      says\n"
                "       7  1 s      siete\n"
                "  5 to 8, 4 cards in an order drawn anew at each run:\n"
                "       5  1 s      cinco\n"
                "       6  1 s      seis\n"
                "       7  1 s      siete\n"
                "       8  1 s      ocho\n"
                "contapuntos: warning: Leccion1: an empty item is read as 0\n"
                "       0  1 s      cero\n"
                "contapuntos: warning: Leccion1: \"1 2\" is read as 12\n"
                "      12  1 s      doce\n"
                "contapuntos: warning: Leccion1: \"8-5\" shows nothing: its end is below its "
                "start\n"
                "  3 + 4 = 7, 3 cards:\n"
                "       3  1 s      tres\n"
                "       4  1.38 s   m\xC3\xA1s cuatro\n"
                "       7  1.63 s   igual a siete\n"
                "contapuntos: Leccion1: the equation \"8:3=\" is left out: 8 divided by 3 does not "
                "come out exact\n"
                "contapuntos: Leccion1: the equation \"2x3=7\" is left out: its answer is 6, not 7\n"
                "contapuntos: Leccion1: the equation \"3+4=\" is left out: an equation keeps its "
                "order, so it cannot be in a group in brackets\n"
                "  [2,3+4=], 1 card in an order drawn anew at each run:\n"
                "       2  1 s      dos\n"
                "  11 cards, 12.02 s in all.\n"
                "After it: lesson 1, session 1.\n"},
           Caso{"[General]\nTiempoBit=5s\nIdioma=MAMA\nLeccionActual=2nd\nLecciones=3\n"
                "PasesPorLeccion=2\nPaseActual=2\n[Lecciones]\nLeccion2=3+4=,9,7\n",
                "Next run: lesson 2 of 3, session 2 of 2, in your own recordings (files such as "
                "7MAMA.WAV).\n"
                "contapuntos: warning: LeccionActual=2nd is read as 2\n"
                "Each card stays 0.5 s; a card of an equation, until its words have been said.\n"
                "contapuntos: warning: TiempoBit=5s is read as 5 (0.5 s a card)\n"
                "    card  for      says\n"
                "  3 + 4 = 7, 3 cards:\n"
                "       3  1.05 s   3MAMA.WAV\n"
                "       4  0.8 s    MASMAMA.WAV + 4MAMA.WAV\n"
                "       7  1.05 s   7MAMA.WAV\n"
                "       9  0.5 s    a chime (no 9MAMA.WAV)\n"
                "       7  0.5 s    7MAMA.WAV\n"
                "  5 cards, 3.9 s in all.\n"
                "After it: lesson 3, session 1.\n"},
           Caso{"[General]\nTiempoBit=5\nIdioma=MAMA\nPalabraEntera=1\nTiempoEleccion=2\n"
                "[Lecciones]\nLeccion1=7,[9,3],3+4=,7?0\n",
                "Next run: lesson 1 of 1, session 1 of 1, in your own recordings (files such as "
                "7MAMA.WAV).\n"
                "Each card stays 0.5 s, or until its word has been said (PalabraEntera=1).\n"
                "    card  for      says\n"
                "       7  1.05 s   7MAMA.WAV\n"
                "  [9,3], 2 cards in an order drawn anew at each run:\n"
                "       3  1.05 s   3MAMA.WAV\n"
                "       9  0.5 s    a chime (no 9MAMA.WAV)\n"
                "  3 + 4 = 7, 3 cards:\n"
                "       3  1.05 s   3MAMA.WAV\n"
                "       4  0.8 s    MASMAMA.WAV + 4MAMA.WAV\n"
                "       7  1.05 s   7MAMA.WAV\n"
                "  7 ? 0, a choice: waits up to 0.2 s for a pick, then stays 1.5 s:\n"
                "       7  1.7 s    7MAMA.WAV; then 7MAMA.WAV\n"
                "  7 cards, 7.2 s in all.\n"
                "After it: lesson 1, session 1.\n"},
       }) {
    SCOPED_TRACE(caso.archivo);
    Archivo(caso.archivo);
    testing::internal::CaptureStdout();
    EXPECT_EQ(VistaPrevia::Mostrar(nullptr, false), 0);
    std::string vista = testing::internal::GetCapturedStdout();
    // After the lines that name the lesson file and the diary.
    EXPECT_EQ(vista.substr(vista.find('\n', vista.find('\n') + 1) + 1), caso.vista);

    // The run: each card begins on the tick that looks up its recording.
    testing::internal::CaptureStderr();
    Crear();
    std::vector<std::pair<int, int>> tarjetas;
    std::vector<int> inicios;
    bool pregunta = false;
    for (int instante = 0; contapuntos.enMarcha; ++instante) {
      const size_t antes = busquedas.size();
      const uint32_t puntos = Fotograma();
      // A choice's number, said again after its wait, is the same card's.
      const bool otraVez = pregunta && busquedas.size() > antes;
      if (busquedas.size() > antes) {
        pregunta = std::any_of(busquedas.begin() + antes, busquedas.end(),
                               [](const Busqueda& b) { return b.nombre.rfind("DONDE", 0) == 0; });
      }
      if (busquedas.size() > antes && !otraVez) {
        tarjetas.push_back({static_cast<int>(puntos), 0});
        inicios.push_back(instante);
      }
      // The pass ends on the second tick after the last card's last.
      if (!contapuntos.enMarcha) inicios.push_back(instante - 1);
    }
    for (size_t i = 0; i < tarjetas.size(); ++i) tarjetas[i].second = inicios[i + 1] - inicios[i];
    const std::string errores = testing::internal::GetCapturedStderr();
    delete contapuntos.universo;
    contapuntos.universo = nullptr;
    contapuntos.enMarcha = true;

    // What --show said of them: a card per line of dots and seconds; a
    // range's cards in any order; the run's own lines as they are.
    std::vector<std::pair<int, int>> dichas;
    std::string omitidas;
    std::istringstream lineas(caso.vista);
    for (std::string l; std::getline(lineas, l);) {
      int n = 0;
      double segundos = 0;
      const size_t alAzar = l.find(" in an order drawn anew");
      if (alAzar != std::string::npos) {
        const size_t cuantas = std::stoul(l.substr(l.rfind(", ", alAzar) + 2));
        const size_t fin = std::min(tarjetas.size(), dichas.size() + cuantas);
        std::sort(tarjetas.begin() + std::min(dichas.size(), fin), tarjetas.begin() + fin);
      } else if (std::sscanf(l.c_str(), " %d %lf s", &n, &segundos) == 2) {
        dichas.push_back({n, static_cast<int>(std::lround(segundos * 60))});
      } else if (l.rfind("contapuntos: ", 0) == 0) {
        omitidas += l + "\n";
      }
    }
    EXPECT_EQ(tarjetas, dichas);
    EXPECT_EQ(errores, omitidas);
  }
}

// The end of a pass, from a lesson file with the given "General" keys.
class PaseTest : public GuionTest {
 protected:
  // Runs the pass; returns the file afterwards. The file is written with
  // LF line ends, which the Linux layer keeps; Windows writes the whole file
  // anew with CRLF, which is turned back into LF here, so that both must
  // give the same lines.
  std::string Cerrar(const std::string& general) {
    Archivo("[General]\nTiempoBit=1\n" + general + "[Lecciones]\nLeccion1=1\nLeccion2=2\n");
    Crear();
    while (contapuntos.enMarcha) Fotograma();
    std::string archivo = Archivo();
#ifdef _WIN32
    for (size_t i; (i = archivo.find("\r\n")) != std::string::npos;) archivo.erase(i, 1);
#endif
    return archivo;
  }
};

TEST_F(PaseTest, APassAdvancesOnlyThePass) {
  EXPECT_EQ(Cerrar("PasesPorLeccion=3\nPaseActual=1\n"),
            "[General]\nTiempoBit=1\nPasesPorLeccion=3\nPaseActual=2\n"
            "[Lecciones]\nLeccion1=1\nLeccion2=2\n");
}

TEST_F(PaseTest, TheLastPassOfALessonAdvancesTheLesson) {
  EXPECT_EQ(Cerrar("PasesPorLeccion=3\nLecciones=4\nPaseActual=3\nLeccionActual=2\n"),
            "[General]\nTiempoBit=1\nPasesPorLeccion=3\nLecciones=4\nPaseActual=1\n"
            "LeccionActual=3\n[Lecciones]\nLeccion1=1\nLeccion2=2\n");
  EXPECT_EQ(busquedas.back().nombre, "2.WAV") << "lesson 2 was shown";
}

TEST_F(PaseTest, NewCountersAreAddedLessonFirst) {
  EXPECT_EQ(Cerrar("PasesPorLeccion=1\nLecciones=2\n"),
            "[General]\nTiempoBit=1\nPasesPorLeccion=1\nLecciones=2\nLeccionActual=2\n"
            "PaseActual=1\n[Lecciones]\nLeccion1=1\nLeccion2=2\n");
}

TEST_F(PaseTest, TheLastLessonWrapsToTheFirst) {
  EXPECT_EQ(Cerrar("PasesPorLeccion=1\nLecciones=2\nLeccionActual=2\nPaseActual=1\n"),
            "[General]\nTiempoBit=1\nPasesPorLeccion=1\nLecciones=2\nLeccionActual=1\n"
            "PaseActual=1\n[Lecciones]\nLeccion1=1\nLeccion2=2\n");
}

TEST_F(PaseTest, AHandEditedPassBeyondTheLimitWraps) {
  EXPECT_EQ(Cerrar("PasesPorLeccion=3\nLecciones=4\nLeccionActual=1\nPaseActual=9\n"),
            "[General]\nTiempoBit=1\nPasesPorLeccion=3\nLecciones=4\nLeccionActual=2\n"
            "PaseActual=1\n[Lecciones]\nLeccion1=1\nLeccion2=2\n");
}

TEST_F(PaseTest, CountersAtTheTopOfTheRangeWrapWithoutOverflow) {
  EXPECT_EQ(Cerrar("PasesPorLeccion=2147483647\nLecciones=2147483647\n"
                   "LeccionActual=2147483647\nPaseActual=2147483647\n"),
            "[General]\nTiempoBit=1\nPasesPorLeccion=2147483647\nLecciones=2147483647\n"
            "LeccionActual=1\nPaseActual=1\n[Lecciones]\nLeccion1=1\nLeccion2=2\n");
}

TEST_F(GuionTest, ALongRunLeavesNothingBehind) {
  std::string lista = "0-9";
  for (int i = 1; i < 100; ++i) lista += ",0-9";
  Archivo("[General]\nTiempoBit=1\n[Lecciones]\nLeccion1=" + lista + "\n");
  Guion* guion = Crear();
  EXPECT_EQ(guion->leccion.tarjetas.cantidad, 1000u);
  int fotogramas = 0;
  while (contapuntos.enMarcha) {
    Fotograma();
    ++fotogramas;
  }
  EXPECT_EQ(fotogramas, 1000 * 6 + 2);
  EXPECT_EQ(contapuntos.universo->contenido.cantidad, 2u) << "every dot was deleted";
  EXPECT_EQ(busquedas.size(), 1000u);
}

// A run's line in the diary: when it started, its lesson and session, its
// warnings (the first two), its choices, and how it ended; warnings and
// choices that do not fit give way to the ending.
TEST(DiarioTest, ALineTellsTheRunItsChoicesAndHowItEnded) {
  const std::string a = "TiempoBit=1O is read as 1 (0.1 s a card, under 0.3 s)";
  const std::string b = "Leccion11: \"1 2\" is read as 12";
  SYSTEMTIME hora{};
  hora.wYear = 2026;
  hora.wMonth = 12;
  hora.wDay = 9;
  hora.wHour = 8;
  hora.wMinute = 5;
  const struct {
    Diario::Final final;
    const char* razon;
    std::vector<std::pair<int32_t, int32_t>> elecciones;
    size_t capacidad;
    std::string linea;
    std::vector<std::string> avisos;
  } casos[] = {
      {Diario::Final::kEntera, "", {}, 200, "whole, counted", {}},
      {Diario::Final::kParada, "", {}, 200, "stopped early, not counted", {}},
      {Diario::Final::kFallo, "out of memory (operator new)", {{7, 3}}, 200,
       "asked 7, picked 3; failed, not counted: out of memory (operator new)", {}},
      {Diario::Final::kEntera, "", {{7, 3}, {5, -1}}, 200,
       "asked 7, picked 3; asked 5, picked none; whole, counted", {}},
      {Diario::Final::kEntera, "", {{7, 3}, {5, -1}}, 90, "asked 7, picked 3; ...; whole, counted",
       {}},
      {Diario::Final::kEntera, "", {}, 200, "1 warning: " + a + "; whole, counted", {a}},
      {Diario::Final::kEntera, "", {{7, 3}}, 200,
       "3 warnings: " + a + "; " + b + "; ...; asked 7, picked 3; whole, counted", {a, b, b}},
      {Diario::Final::kEntera, "", {{7, 3}}, 100,
       "2 warnings: ...; asked 7, picked 3; whole, counted", {a, b}},
  };
  for (const auto& caso : casos) {
    SCOPED_TRACE(caso.linea);
    Diario diario;
    diario.Empezar(hora, 11, 1, 3);
    for (const auto& [pedido, elegido] : caso.elecciones) diario.Anotar(pedido, elegido);
    for (const std::string& aviso : caso.avisos) diario.Avisar(aviso);
    std::vector<char> linea(caso.capacidad);
    diario.Linea(caso.final, caso.razon, linea.data(), linea.size());
    EXPECT_EQ(std::string(linea.data()),
              "2026-12-09 08:05 lesson 11, session 1 of 3: " + caso.linea);
  }
}

// A choice's answer on its own clock: on screen from tick 100, waiting 10
// ticks; picks by key (its character) or by touch (the picture's x).
TEST(EleccionTest, APickRightOrOtherOrNoneEndsTheChoice) {
  using R = Eleccion::Resultado;
  struct Pulsacion {
    int32_t instante;
    int tecla;  // 0 for a touch at x
    double x;
  };
  struct Caso {
    const char* que;
    int grupos;
    int pedido;
    std::vector<Pulsacion> pulsaciones;
    R resultado;
    int elegido;
    int32_t final;
  };
  for (const Caso& caso : {
           Caso{"right, by touch", 2, 1, {{104, 0, 3.0}}, R::kAcierto, 1, 104},
           Caso{"other, during the question", 3, 2, {{100, 0, -19.9}}, R::kOtra, 0, 100},
           Caso{"a touch in the gap, nearest part", 3, 0, {{101, 0, -7.0}}, R::kAcierto, 0, 101},
           Caso{"a touch past the card", 3, 1, {{101, 0, 19.9}}, R::kOtra, 2, 101},
           Caso{"keys, left to right", 3, 1, {{102, '2', 0}}, R::kAcierto, 1, 102},
           Caso{"a key past the groups, then one", 2, 0, {{101, '3', 0}, {102, '2', 0}}, R::kOtra,
                1, 102},
           Caso{"the first pick counts", 2, 0, {{101, '2', 0}, {102, '1', 0}}, R::kOtra, 1, 101},
           Caso{"a pick before the groups, then none", 2, 0, {{99, '1', 0}}, R::kNinguna, -1, 109},
           Caso{"a pick at the wait's last tick", 2, 0, {{109, '1', 0}}, R::kAcierto, 0, 109},
           Caso{"too late", 2, 0, {{110, '1', 0}}, R::kNinguna, -1, 109},
       }) {
    Eleccion eleccion(caso.grupos, caso.pedido, 100, 10);
    int32_t final = -1;
    for (int32_t instante = 95; instante < 120 && final < 0; ++instante) {
      for (const Pulsacion& p : caso.pulsaciones) {
        if (p.instante != instante) continue;
        eleccion.Elegir(p.tecla != 0 ? Eleccion::GrupoDeTecla(p.tecla, caso.grupos)
                                     : Eleccion::GrupoEn(p.x, caso.grupos),
                        instante);
      }
      eleccion.Esperar(instante);
      if (eleccion.resultado != R::kEsperando) final = instante;
    }
    EXPECT_EQ(eleccion.resultado, caso.resultado) << caso.que;
    EXPECT_EQ(eleccion.elegido, caso.elegido) << caso.que;
    EXPECT_EQ(final, caso.final) << caso.que;
  }
}

}  // namespace
