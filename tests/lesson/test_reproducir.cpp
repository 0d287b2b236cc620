// Tests of ReproducirSonido: which recording, file or alert sound reaches
// the device for a name. Each runs the player program (or, once, the whole
// program) on SDL's disk audio driver, in a working folder of its own, and
// looks for the samples of each candidate in what the device got.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "platform/linux/sound_probe.h"
#include "tests/support/proceso.h"
#include "tests/support/sonido.h"

namespace {

class ReproducirSonidoTest : public ::testing::Test {
 protected:
  // Writes a WAVE file of tone under the working folder.
  void Write(const std::string& name, const Muestras& tone) {
    EscribirArchivo(trabajo + "/" + name, ImagenWave({}, Bytes16(tone)));
  }
  static void ExpectCleanEnd(const Escucha& e) {
    EXPECT_EQ(e.proceso.codigo, 0) << e.proceso.errores;
    EXPECT_FALSE(e.proceso.agotado);
  }
  static bool Heard(const Escucha& e, const Muestras& sound) {
    return Buscar(e.salida, sound) != std::string::npos;
  }

  CarpetaTemporal carpeta;
  const std::string trabajo = carpeta.ruta();
  const Muestras chime = ChimeSamples(kFrecuenciaDelDispositivo);
  const Muestras toneA = Tono(523.25, 0.3);
  const Muestras toneB = Tono(659.25, 0.3);
};

TEST_F(ReproducirSonidoTest, PlaysTheRecordingOfThatNameBeforeAFileOfThatName) {
  Write("0.WAV", toneA);
  const Escucha e =
      Escuchar(trabajo, {"reproducir", "0.WAV", "oir", "reproducir", "100INGLES.WAV", "oir"});
  ExpectCleanEnd(e);
  EXPECT_TRUE(Heard(e, MuestrasDeRecurso("0.WAV"))) << "expected the recording 0.WAV";
  EXPECT_TRUE(Heard(e, MuestrasDeRecurso("100INGLES.WAV")))
      << "expected the recording 100INGLES.WAV";
  EXPECT_FALSE(Heard(e, toneA)) << "the file 0.WAV played instead of the recording";
  EXPECT_FALSE(Heard(e, chime));
}

// Named as on Windows, where capitals do not matter: a folder copied from
// Windows may hold "101.wav" for the name "101.WAV".
TEST_F(ReproducirSonidoTest, WithoutARecordingPlaysTheFileOfThatNameWhateverItsCapitals) {
  Write("101.WAV", toneA);
  Write("7mama.wav", toneB);
  const Escucha e =
      Escuchar(trabajo, {"reproducir", "101.WAV", "oir", "reproducir", "7MAMA.WAV", "oir"});
  ExpectCleanEnd(e);
  const std::size_t atA = Buscar(e.salida, toneA);
  ASSERT_NE(atA, std::string::npos) << "expected the file 101.WAV";
  EXPECT_NE(Buscar(e.salida, toneB, atA), std::string::npos)
      << "expected then the file 7mama.wav for 7MAMA.WAV";
  EXPECT_FALSE(Heard(e, chime));
}

// A parent's own voice, end to end: with "Idioma=MAMA" the program's cards
// of 7 play the lesson folder's 7mama.wav, whatever its capitals; a word
// longer than its one-second card is heard whole with "PalabraEntera=1", the
// first time before the next card and the last before the program ends.
TEST_F(ReproducirSonidoTest, TheProgramSpeaksInTheParentsRecordedVoiceEveryWordWhole) {
  const Muestras largo = Tono(523.25, 1.5);
  Write("7mama.wav", largo);
  EscribirArchivo(trabajo + "/CPControl.ini",
                  "[General]\r\nTiempoBit=10\r\nIdioma=MAMA\r\nPalabraEntera=1\r\n"
                  "[Lecciones]\r\nLeccion1=7,7\r\n");
  Orden orden;
  orden.argumentos = {CONTAPUNTOS_PROGRAMA};
  orden.entorno = {{"SDL_VIDEODRIVER", "offscreen"}};
  orden.quitar = {"DISPLAY", "WAYLAND_DISPLAY"};
  orden.carpeta = trabajo;
  const Escucha e = EscucharPrograma(orden);
  ExpectCleanEnd(e);
  EXPECT_EQ(Contar(e.salida, largo), 2u) << "expected the file 7mama.wav twice, whole";
  EXPECT_FALSE(Heard(e, chime));
}

// An equation's card: its word's recording and at once its number's, as one
// sound; without the word, the number alone.
TEST_F(ReproducirSonidoTest, AWordThenANumberPlayAsOneSoundWithNothingBetween) {
  Write("MASMAMA.WAV", toneA);
  Write("4mama.wav", toneB);
  const Escucha e = Escuchar(trabajo, {"decir", "MASMAMA.WAV", "4MAMA.WAV", "oir", "decir",
                                       "MENOSMAMA.WAV", "4MAMA.WAV", "oir"});
  ExpectCleanEnd(e);
  Muestras juntas = toneA;
  juntas.insert(juntas.end(), toneB.begin(), toneB.end());
  const std::size_t at = Buscar(e.salida, juntas);
  EXPECT_NE(at, std::string::npos) << "expected the word's samples, then at once the number's";
  EXPECT_NE(Buscar(e.salida, toneB, at + juntas.size()), std::string::npos)
      << "expected the number alone after it";
  EXPECT_FALSE(Heard(e, chime));
}

TEST_F(ReproducirSonidoTest, WithoutARecordingOrAFileGivesTheAlertSound) {
  const Escucha e = Escuchar(
      trabajo, {"reproducir", "101.WAV", "oir", "reproducir", "", "oir", "reproducir-nulo", "oir"});
  ExpectCleanEnd(e);
  EXPECT_EQ(Contar(e.salida, chime), 3u)
      << "expected the chime for 101.WAV, the empty name and the Texto without buffer";
}

TEST_F(ReproducirSonidoTest, ANameWithAFolderOrDriveOpensNoFileAndGivesTheAlertSound) {
  const std::string inner = carpeta.ruta() + "/trabajo";
  ASSERT_EQ(mkdir(inner.c_str(), 0755), 0);
  ASSERT_EQ(mkdir((inner + "/sub").c_str(), 0755), 0);
  EscribirArchivo(carpeta.ruta() + "/7.WAV", ImagenWave({}, Bytes16(toneA)));
  EscribirArchivo(inner + "/sub/7.WAV", ImagenWave({}, Bytes16(toneB)));
  // On Linux these are plain names of files in the working folder.
  const Muestras toneC = Tono(783.99, 0.3);
  const Muestras toneD = Tono(987.77, 0.3);
  EscribirArchivo(inner + "/sub\\7.WAV", ImagenWave({}, Bytes16(toneC)));
  EscribirArchivo(inner + "/C:7.WAV", ImagenWave({}, Bytes16(toneD)));
  const Escucha e = Escuchar(inner, {"reproducir", "../7.WAV", "oir", "reproducir", "sub/7.WAV",
                                     "oir", "reproducir", "sub\\7.WAV", "oir", "reproducir",
                                     "C:7.WAV", "oir", "reproducir", inner + "/sub/7.WAV", "oir"});
  ExpectCleanEnd(e);
  EXPECT_EQ(Contar(e.salida, chime), 5u) << "expected the chime for every name";
  EXPECT_FALSE(Heard(e, toneA)) << "../7.WAV was played";
  EXPECT_FALSE(Heard(e, toneB)) << "sub/7.WAV was played";
  EXPECT_FALSE(Heard(e, toneC)) << "sub\\7.WAV was played";
  EXPECT_FALSE(Heard(e, toneD)) << "C:7.WAV was played";
}

}  // namespace
