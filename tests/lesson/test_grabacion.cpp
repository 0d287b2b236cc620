// Two recordings joined into one image: copied as they are, or made mono
// 16-bit at the second's rate when their formats differ, and nothing made
// when it would be too long. Reading an image is the WAVE reader's, tested
// with it.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "lesson/Grabacion.h"
#include "platform/common/wave.h"
#include "tests/support/imagen_wave.h"

namespace {

std::string Muestras16(const std::vector<int16_t>& muestras) {
  std::string bytes;
  for (const int16_t m : muestras) bytes += Little(static_cast<uint16_t>(m), 2);
  return bytes;
}

const char* Leer(Grabacion* g, const std::string& imagen) {
  return g->Leer(reinterpret_cast<const uint8_t*>(imagen.data()), imagen.size());
}

TEST(GrabacionTest, RecordingsOfDifferentFormatsJoinInMono16BitsAtTheSecondsRate) {
  struct Caso {
    std::string primera;
    std::string segunda;
    std::string unidas;
  };
  const std::string mono16 = Fmt(1, 44100, 16);
  const std::string aguda = Muestras16({1000, -1000});
  for (const Caso& caso : {
           // Copied as they are, an odd length padded.
           Caso{Wave(Fmt(1, 8000, 8), "a"), Wave(Fmt(1, 8000, 8), "bc"),
                Wave(Fmt(1, 8000, 8), "abc")},
           // Stereo 8 bits at half the rate: each frame the mean of its
           // channels, and a frame between two of them.
           Caso{Wave(Fmt(2, 22050, 8), "\xC0\x80\x40\x40"), Wave(mono16, aguda),
                Wave(mono16, Muestras16({8192, -4096, -16384, -16384}) + aguda)},
           // 24 bits: the top 16 of each sample.
           Caso{Wave(mono16, Muestras16({7})), Wave(Fmt(1, 44100, 24), "\x56\x34\x12"),
                Wave(mono16, Muestras16({7, 0x1234}))},
           // 200 frames at one a second would be 147 MiB at the highest rate.
           Caso{Wave(Fmt(1, 1, 8), std::string(200, 'a')),
                Wave(Fmt(1, kWaveHighestRate, 16), aguda), ""},
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
