// The WAVE reader: which images it reads, where it finds their samples, and
// why it refuses the others. Each image is read from a block of exactly its
// size, so that a read past its end is caught by the sanitizer.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/common/wave.h"
#include "tests/support/imagen_wave.h"

namespace {

TEST(WaveTest, ReadsIntegerPcmWhoseChunksLieWithinAndSaysWhyNot) {
  const std::string mono = Fmt(1, 44100, 16);
  const std::string fmt = Chunk("fmt ", mono);
  const std::string data = Chunk("data", "abcd");
  const char* const kNoWave = "it is not a RIFF WAVE";
  const char* const kPast = "a chunk runs past its end";
  const char* const kNoPcm = "it is not plain PCM";
  const char* const kRate = "its rate is not 1 to 384,000 frames a second";
  struct Caso {
    const char* nombre;
    std::string imagen;
    const char* razon;
    std::string muestras;
  };
  const Caso casos[] = {
      {"mono, 16 bits", Wave(mono, "abcd"), nullptr, "abcd"},
      {"a chunk of odd length, padded, before 'fmt '", Riff(Chunk("LIST", "odd") + fmt + data),
       nullptr, "abcd"},
      {"an 18-byte 'fmt ' with cbSize 0", Wave(mono + Little(0, 2), "abcd"), nullptr, "abcd"},
      {"extensible PCM, six channels of 24 bits",
       Wave(FmtExtensible(6, 48000, 24, 1), std::string(18, 'a')), nullptr, std::string(18, 'a')},
      {"nine channels", Wave(Fmt(9, 44100, 8), "abcdefghi"), nullptr, "abcdefghi"},
      {"the highest rate", Wave(Fmt(1, kWaveHighestRate, 16), "abcd"), nullptr, "abcd"},
      {"a partial frame at the end of 'data'", Wave(Fmt(2, 44100, 16), "abcdefg"), nullptr, "abcd"},
      {"an empty 'data'", Wave(mono, ""), nullptr, ""},
      {"a broken chunk after 'data'", Riff(fmt + data + Chunk("junk", "", 1000000)), nullptr,
       "abcd"},
      {"bytes after the RIFF", Wave(mono, "abcd") + "trailing bytes", nullptr, "abcd"},
      {"a RIFF length beyond the bytes, its chunks whole", Riff(fmt + data, 1000000), nullptr,
       "abcd"},
      {"garbage", "MZ\x90 this is not a sound at all", kNoWave, ""},
      {"a RIFF header alone", "RIFF", kNoWave, ""},
      {"RIFX", "RIFX" + Wave(mono, "ab").substr(4), kNoWave, ""},
      {"a RIFF of another form", "RIFF" + Little(12, 4) + "AVI " + Chunk("avih", ""), kNoWave, ""},
      {"a RIFF too short for its form", "RIFF" + Little(2, 4) + "WA", kNoWave, ""},
      {"a RIFF without chunks", Riff(""), "it has no format chunk", ""},
      {"no 'fmt ' chunk", Riff(data), "it has no format chunk", ""},
      {"no 'data' chunk", Riff(fmt), "it has no data chunk", ""},
      {"a chunk header cut by the RIFF's end", Riff(fmt + "data\x10"), "it has no data chunk", ""},
      {"'fmt ' longer than the RIFF", Riff(Chunk("fmt ", mono, 1000) + data), kPast, ""},
      {"'data' longer than the RIFF", Riff(fmt + Chunk("data", "abcd", 1000)), kPast, ""},
      {"a RIFF that ends inside 'data'", Riff(fmt + data, 38), kPast, ""},
      {"a chunk length of 4 GiB - 1", Riff(Chunk("LIST", "", 0xFFFFFFFF) + fmt + data), kPast, ""},
      {"the bytes end inside 'data'", Wave(mono, "abcd").substr(0, 45), kPast, ""},
      {"'fmt ' of 14 bytes", Wave(mono.substr(0, 14), "ab"), "its format chunk is too short", ""},
      {"ADPCM", Wave(Fmt(1, 44100, 4, 2), "ab"), kNoPcm, ""},
      {"floating point", Wave(Fmt(1, 44100, 32, 3), "abcd"), kNoPcm, ""},
      {"extensible floating point", Wave(FmtExtensible(1, 44100, 32, 3), "abcd"), kNoPcm, ""},
      {"extensible cut short", Wave(FmtExtensible(1, 44100, 16, 1).substr(0, 30), "ab"), kNoPcm,
       ""},
      {"12 bits", Wave(Fmt(1, 44100, 12, 1, 2), "ab"),
       "its samples are not of 8, 16, 24 or 32 bits", ""},
      {"no channels", Wave(Fmt(0, 44100, 16, 1, 2), "ab"), "it has no channels", ""},
      {"no frames a second", Wave(Fmt(1, 0, 16), "ab"), kRate, ""},
      {"above the highest rate", Wave(Fmt(1, kWaveHighestRate + 1, 16), "ab"), kRate, ""},
      {"a block of two samples", Wave(Fmt(1, 44100, 16, 1, 4), "abcd"),
       "its frames are not whole samples", ""},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.nombre);
    const std::vector<std::uint8_t> bytes(caso.imagen.begin(), caso.imagen.end());
    const WaveImage wave = ReadWaveImage(bytes.data(), bytes.size());
    EXPECT_STREQ(wave.problem, caso.razon);
    if (wave.problem == nullptr) {
      EXPECT_EQ(std::string(wave.samples, wave.samples + wave.sampleBytes), caso.muestras);
    }
  }
}

}  // namespace
