// Recordings read from images a parent's files may hold, and two recordings
// joined into one image: the lengths that cannot be trusted, and the join of
// recordings of different formats.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "lesson/Grabacion.h"

namespace {

std::string Little(uint32_t valor, int bytes) {
  std::string texto;
  for (int i = 0; i < bytes; ++i) texto += static_cast<char>(valor >> (8 * i));
  return texto;
}

// The body of a "fmt " chunk.
std::string Formato(uint16_t etiqueta, uint16_t canales, uint32_t frecuencia, uint16_t bits) {
  const uint32_t bloque = canales * bits / 8;
  return Little(etiqueta, 2) + Little(canales, 2) + Little(frecuencia, 4) +
         Little(frecuencia * bloque, 4) + Little(bloque, 2) + Little(bits, 2);
}

// A chunk, padded to an even length.
std::string Trozo(const std::string& id, const std::string& cuerpo) {
  return id + Little(static_cast<uint32_t>(cuerpo.size()), 4) + cuerpo +
         std::string(cuerpo.size() % 2, '\0');
}

std::string Riff(const std::string& trozos) {
  return "RIFF" + Little(static_cast<uint32_t>(4 + trozos.size()), 4) + "WAVE" + trozos;
}

std::string Wave(const std::string& formato, const std::string& datos) {
  return Riff(Trozo("fmt ", formato) + Trozo("data", datos));
}

std::string Muestras16(const std::vector<int16_t>& muestras) {
  std::string bytes;
  for (const int16_t m : muestras) bytes += Little(static_cast<uint16_t>(m), 2);
  return bytes;
}

const char* Leer(Grabacion* g, const std::string& imagen) {
  return g->Leer(reinterpret_cast<const uint8_t*>(imagen.data()), imagen.size());
}

const std::string kMono16 = Formato(1, 1, 44100, 16);

TEST(GrabacionTest, AnImageIsReadOnlyWhenItsChunksLieWithinAndItIsPcm) {
  // WAVE_FORMAT_EXTENSIBLE of the PCM subtype, 24 bits in 32.
  const std::string extensible =
      Formato(0xFFFE, 2, 48000, 32) + Little(22, 2) + Little(24, 2) + Little(3, 4) +
      std::string("\x01\x00\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 16);
  struct Caso {
    std::string imagen;
    const char* razon;
    size_t bytesDatos;
  };
  for (const Caso& caso : {
           Caso{Wave(kMono16, "abcd"), nullptr, 4},
           Caso{Riff(Trozo("LIST", "xy") + Trozo("fmt ", kMono16) + Trozo("data", "abcde")),
                nullptr, 4},
           Caso{Wave(extensible, std::string(16, 'a')), nullptr, 16},
           Caso{"RIFF", "it is not a RIFF WAVE", 0},
           Caso{"RIFX" + Wave(kMono16, "ab").substr(4), "it is not a RIFF WAVE", 0},
           Caso{Wave(kMono16, "abcd").substr(0, 45), "a chunk runs past its end", 0},
           // The RIFF ends before its data chunk does.
           Caso{"RIFF" + Little(38, 4) + Wave(kMono16, "abcd").substr(8),
                "a chunk runs past its end", 0},
           Caso{Riff(Trozo("fmt ", kMono16)), "it has no data chunk", 0},
           Caso{Riff(Trozo("data", "ab")), "it has no format chunk", 0},
           Caso{Wave(kMono16.substr(0, 14), "ab"), "its format chunk is too short", 0},
           Caso{Wave(Formato(3, 1, 44100, 32), "abcd"), "it is not plain PCM", 0},
           Caso{Wave(Formato(1, 1, 44100, 12), "ab"), "its samples are not of 8, 16, 24 or 32 bits",
                0},
           Caso{Wave(Formato(1, 0, 44100, 16), "ab"), "it has no channels", 0},
           Caso{Wave(Formato(1, 1, 0, 16), "ab"), "its rate is not 1 to 384,000 frames a second",
                0},
           Caso{Wave(kMono16.substr(0, 12) + Little(4, 2) + Little(16, 2), "ab"),
                "its frames are not whole samples", 0},
       }) {
    Grabacion g;
    const char* razon = Leer(&g, caso.imagen);
    EXPECT_STREQ(razon, caso.razon) << testing::PrintToString(caso.imagen);
    if (razon == nullptr) {
      EXPECT_EQ(g.bytesDatos, caso.bytesDatos) << testing::PrintToString(caso.imagen);
    }
  }
}

TEST(GrabacionTest, RecordingsOfDifferentFormatsJoinInMono16BitsAtTheSecondsRate) {
  struct Caso {
    std::string primera;
    std::string segunda;
    std::string unidas;
  };
  const std::string aguda = Muestras16({1000, -1000});
  for (const Caso& caso : {
           // Copied as they are, an odd length padded.
           Caso{Wave(Formato(1, 1, 8000, 8), "a"), Wave(Formato(1, 1, 8000, 8), "bc"),
                Wave(Formato(1, 1, 8000, 8), "abc")},
           // Stereo 8 bits at half the rate: each frame the mean of its
           // channels, and a frame between two of them.
           Caso{Wave(Formato(1, 2, 22050, 8), "\xC0\x80\x40\x40"), Wave(kMono16, aguda),
                Wave(kMono16, Muestras16({8192, -4096, -16384, -16384}) + aguda)},
           // 24 bits: the top 16 of each sample.
           Caso{Wave(kMono16, Muestras16({7})), Wave(Formato(1, 1, 44100, 24), "\x56\x34\x12"),
                Wave(kMono16, Muestras16({7, 0x1234}))},
           // 200 frames at one a second would be 147 MiB at 384,000.
           Caso{Wave(Formato(1, 1, 1, 8), std::string(200, 'a')),
                Wave(Formato(1, 1, 384000, 16), aguda), ""},
       }) {
    Grabacion primera;
    Grabacion segunda;
    ASSERT_EQ(Leer(&primera, caso.primera), nullptr);
    ASSERT_EQ(Leer(&segunda, caso.segunda), nullptr);
    const std::vector<uint8_t> unidas = Grabacion::Unir(primera, segunda);
    EXPECT_EQ(std::string(unidas.begin(), unidas.end()), caso.unidas)
        << testing::PrintToString(caso.primera) << " then " << testing::PrintToString(caso.segunda);
  }
}

}  // namespace
