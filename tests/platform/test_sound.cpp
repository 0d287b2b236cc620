// Tests of the sound player. In this process, on SDL's dummy audio driver:
// what PlaySoundA and MessageBeep return, what they choose to play, and how
// soon the device takes it. In the player program, on SDL's disk driver,
// whose output file holds every sample the device got: what is heard.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/linux/sound_probe.h"
#include "platform/platform.h"
#include "tests/support/proceso.h"
#include "tests/support/sonido.h"

namespace {

using Reloj = std::chrono::steady_clock;

constexpr DWORD kInvalidData = 13;

double Milisegundos(Reloj::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

double Mediana(std::vector<double> valores) {
  std::sort(valores.begin(), valores.end());
  return valores[valores.size() / 2];
}

const char* Recurso(const char* nombre) {
  return static_cast<const char*>(
      LockResource(LoadResource(nullptr, FindResourceA(nullptr, nombre, "WAVE"))));
}

// --- Images made to measure ---------------------------------------------

// A 441 Hz sine at about 0.8 of full scale, the same in every channel,
// encoded as integer PCM samples of `bits`.
std::string DatosDeTono(std::uint16_t canales, std::uint32_t frecuencia, std::uint16_t bits,
                        double segundos) {
  std::string datos;
  const int tramas = static_cast<int>(segundos * frecuencia);
  for (int i = 0; i < tramas; ++i) {
    const double v = 0.78 * std::sin(6.283185307179586 * 441.0 * i / frecuencia);
    for (int c = 0; c < canales; ++c) {
      if (bits == 8) {
        datos += static_cast<char>(128 + std::lround(128 * v));
      } else {
        const double escala = std::ldexp(1.0, bits - 1);
        datos += Little(static_cast<std::uint32_t>(std::lround(escala * v)), bits / 8);
      }
    }
  }
  return datos;
}

// --- In this process, on the dummy driver --------------------------------

class PlaySoundTest : public ::testing::Test {
 protected:
  // The tests' settings choose the dummy driver; so does this when the
  // program is run by hand.
  static void SetUpTestSuite() { setenv("SDL_AUDIODRIVER", "dummy", 0); }

  // Plays a copy of image held in a block of exactly its size, so that a
  // read past its end is caught by the sanitizer.
  static BOOL PlayImage(const std::string& image) {
    const std::unique_ptr<char[]> bytes(new char[image.size()]);
    std::memcpy(bytes.get(), image.data(), image.size());
    return PlaySoundA(bytes.get(), nullptr, SND_MEMORY | SND_ASYNC);
  }

  // Stops what plays, so that what the next call chooses shows.
  static void Stop() { ASSERT_TRUE(PlaySoundA(nullptr, nullptr, 0)); }

  static std::size_t ChimeFrames() { return ChimeSamples(kFrecuenciaDelDispositivo).size(); }

  std::string File(const std::string& name, const std::string& bytes) {
    const std::string path = folder.ruta() + "/" + name;
    EscribirArchivo(path, bytes);
    return path;
  }

  CarpetaTemporal folder;
};

TEST_F(PlaySoundTest, ReturnsAtOnceAndTheDeviceTakesTheSoundWithinOneBufferOrSo) {
  const char* recording = Recurso("100INGLES.WAV");
  ASSERT_NE(recording, nullptr);
  const Reloj::time_point opening = Reloj::now();
  ASSERT_TRUE(PlaySoundA(recording, nullptr, SND_MEMORY | SND_ASYNC));
  const double openingMs = Milisegundos(Reloj::now() - opening);
  const SoundProbe device = ProbeSound();
  ASSERT_TRUE(device.deviceOpen);
  EXPECT_EQ(device.rate, 44100);
  EXPECT_LE(device.bufferFrames, 1024) << "expected a buffer of at most 1024 frames";

  std::vector<double> calls;
  std::vector<double> delays;
  for (int i = 0; i < 40; ++i) {
    // Calls fall at every point of the device's cycle.
    std::this_thread::sleep_for(std::chrono::microseconds(2000 + 1700 * (i % 7)));
    const Reloj::time_point before = Reloj::now();
    ASSERT_TRUE(PlaySoundA(recording, nullptr, SND_MEMORY | SND_ASYNC));
    const Reloj::time_point returned = Reloj::now();
    // The last moment the device was seen to have taken nothing of it: it
    // took the first frames before the next look.
    Reloj::time_point first = returned;
    while (ProbeSound().taken == 0 && (first = Reloj::now()) - before < std::chrono::seconds(1)) {
      std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    ASSERT_GT(ProbeSound().taken, 0u) << "the device took nothing of the sound within a second";
    calls.push_back(Milisegundos(returned - before));
    delays.push_back(Milisegundos(first - before));
  }
  const double slowestCall = *std::max_element(calls.begin(), calls.end());
  const double slowestStart = *std::max_element(delays.begin(), delays.end());
  std::cout << "device: " << device.bufferFrames << " frames a buffer at " << device.rate << " Hz ("
            << 1000.0 * device.bufferFrames / device.rate
            << " ms); first call, opening it: " << openingMs << " ms\nPlaySoundA returned after "
            << Mediana(calls) << " ms (median), " << slowestCall
            << " ms (slowest)\nfirst frames at the device after " << Mediana(delays)
            << " ms (median), " << slowestStart << " ms (slowest)\n";
  RecordProperty("median_start_ms", std::to_string(Mediana(delays)));
  RecordProperty("slowest_start_ms", std::to_string(slowestStart));
  // The recording lasts 1.4 s: a call that waited for it would show.
  EXPECT_LT(slowestCall, 50.0) << "expected PlaySoundA to return at once";
  EXPECT_LE(Mediana(delays), 25.0) << "expected the device to take the sound within about 25 ms";
}

TEST_F(PlaySoundTest, PlaysEveryIntegerPcmLayoutConvertedToTheDeviceRate) {
  struct Layout {
    const char* name;
    std::string fmt;
    std::uint16_t channels, bits;
    std::uint32_t rate;
  };
  const Layout layouts[] = {
      {"8-bit mono 44100", Fmt(1, 44100, 8), 1, 8, 44100},
      {"8-bit stereo 22050", Fmt(2, 22050, 8), 2, 8, 22050},
      {"16-bit stereo 48000", Fmt(2, 48000, 16), 2, 16, 48000},
      {"16-bit mono 8000", Fmt(1, 8000, 16), 1, 16, 8000},
      {"24-bit mono 96000", Fmt(1, 96000, 24), 1, 24, 96000},
      {"32-bit four channels 32000", Fmt(4, 32000, 32), 4, 32, 32000},
      {"extensible 16-bit stereo 44100", FmtExtensible(2, 44100, 16, 1), 2, 16, 44100},
      {"extensible 24-bit six channels 48000", FmtExtensible(6, 48000, 24, 1), 6, 24, 48000},
  };
  const double expected = 0.25 * kFrecuenciaDelDispositivo;
  for (const Layout& layout : layouts) {
    SCOPED_TRACE(layout.name);
    Stop();
    const std::string image =
        Wave(layout.fmt, DatosDeTono(layout.channels, layout.rate, layout.bits, 0.25));
    EXPECT_TRUE(PlayImage(image)) << "last error " << GetLastError();
    const double frames = static_cast<double>(ProbeSound().frames);
    EXPECT_NEAR(frames, expected, expected * 0.005)
        << "expected a quarter of a second at the device rate";
  }
  EXPECT_TRUE(PlayImage(Wave(Fmt(1, 44100, 16), ""))) << "last error " << GetLastError();
  EXPECT_EQ(ProbeSound().frames, 0u) << "expected no samples to replace the sound with silence";
}

// An image is as long as its RIFF header says; what the reader refuses in
// it, and what the device's conversion cannot take, plays the chime.
TEST_F(PlaySoundTest, ImagesThatCannotBePlayedGiveTheChimeAndFalse) {
  const struct {
    const char* name;
    std::string image;
  } cases[] = {
      {"garbage", "MZ\x90 this is not a sound at all, only some text"},
      {"a RIFF too short for its form", "RIFF" + Little(2, 4) + "WA"},
      {"257 channels, which SDL's 8-bit count would take for one",
       Wave(Fmt(257, 44100, 16), DatosDeTono(257, 44100, 16, 0.01))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Stop();
    EXPECT_FALSE(PlayImage(c.image));
    EXPECT_EQ(GetLastError(), kInvalidData);
    EXPECT_EQ(ProbeSound().frames, ChimeFrames()) << "expected the chime";
  }
}

// A file is read to its own end, and its image ends there or where its RIFF
// says, whichever comes first.
TEST_F(PlaySoundTest, FilesPlayAsFarAsTheirRiffAndTheirOwnEndOrGiveTheChimeAndFalse) {
  const Muestras tone = Tono(441, 0.1);
  const std::string whole = ImagenWave({}, Bytes16(tone));
  ASSERT_EQ(mkdir((folder.ruta() + "/folder.wav").c_str(), 0755), 0);
  const struct {
    const char* name;
    std::string path;
    DWORD error;
  } cases[] = {
      {"bytes after the RIFF", File("after.wav", whole + "trailing bytes"), ERROR_SUCCESS},
      {"a RIFF length beyond the file, its chunks whole",
       File("beyond.wav", "RIFF" + Little(1000000, 4) + whole.substr(8)), ERROR_SUCCESS},
      {"a missing file", folder.ruta() + "/missing.wav", ERROR_FILE_NOT_FOUND},
      {"a folder", folder.ruta() + "/folder.wav", ERROR_FILE_NOT_FOUND},
      {"an empty file", File("empty.wav", ""), kInvalidData},
      {"a file cut in its samples", File("cut.wav", whole.substr(0, whole.size() / 2)),
       kInvalidData},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Stop();
    const BOOL played = PlaySoundA(c.path.c_str(), nullptr, SND_FILENAME | SND_ASYNC);
    if (c.error == ERROR_SUCCESS) {
      EXPECT_TRUE(played) << "last error " << GetLastError();
      EXPECT_EQ(ProbeSound().frames, tone.size());
    } else {
      EXPECT_FALSE(played);
      EXPECT_EQ(GetLastError(), c.error);
      EXPECT_EQ(ProbeSound().frames, ChimeFrames()) << "expected the chime";
    }
  }
}

TEST_F(PlaySoundTest, NoDefaultStopsWithoutTheChime) {
  ASSERT_TRUE(PlaySoundA(Recurso("7.WAV"), nullptr, SND_MEMORY | SND_ASYNC));
  EXPECT_FALSE(PlaySoundA((folder.ruta() + "/missing.wav").c_str(), nullptr,
                          SND_FILENAME | SND_ASYNC | SND_NODEFAULT));
  EXPECT_EQ(ProbeSound().frames, 0u) << "expected silence";
}

TEST_F(PlaySoundTest, NullStopsTheSoundAndMessageBeepPlaysTheChime) {
  ASSERT_TRUE(PlaySoundA(Recurso("7.WAV"), nullptr, SND_MEMORY | SND_ASYNC));
  EXPECT_GT(ProbeSound().frames, 0u);
  EXPECT_TRUE(PlaySoundA(nullptr, nullptr, 0));
  EXPECT_EQ(ProbeSound().frames, 0u);
  EXPECT_TRUE(MessageBeep(MB_OK));
  EXPECT_EQ(ProbeSound().frames, ChimeFrames());
}

TEST(Chime, IsAShortToneThatFadesInAndOutWellBelowFullScale) {
  const Muestras chime = ChimeSamples(44100);
  ASSERT_EQ(chime.size(), 13230u) << "expected 0.3 s";
  int peak = 0;
  for (const std::int16_t s : chime) peak = std::max(peak, std::abs(int{s}));
  EXPECT_GT(peak, 32767 / 10) << "expected it to be heard";
  EXPECT_LT(peak, 32767 / 2) << "expected no louder than half of full scale";
  EXPECT_LT(std::abs(int{chime.front()}), 100) << "expected no click at the start";
  EXPECT_LT(std::abs(int{chime.back()}), 100) << "expected no click at the end";
  const auto energy = [&](std::size_t from, std::size_t to) {
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) sum += double(chime[i]) * chime[i];
    return sum;
  };
  EXPECT_LT(energy(11025, 13230), energy(0, 2205) / 100) << "expected it to die away";
}

// --- In the player program, on the disk driver ---------------------------

class PlaySoundOutputTest : public ::testing::Test {
 protected:
  void Write(const std::string& name, const std::string& bytes) {
    EscribirArchivo(folder.ruta() + "/" + name, bytes);
  }
  static void ExpectCleanEnd(const Escucha& e) {
    EXPECT_EQ(e.proceso.codigo, 0) << e.proceso.errores;
    EXPECT_FALSE(e.proceso.agotado);
  }

  CarpetaTemporal folder;
  const Muestras chime = ChimeSamples(kFrecuenciaDelDispositivo);
};

TEST_F(PlaySoundOutputTest, TheDeviceGetsARecordingOrAnImageSampleForSample) {
  const Muestras recording = MuestrasDeRecurso("0.WAV");
  const Muestras tone = Tono(523.25, 0.3);
  Write("tone.wav", ImagenWave({}, Bytes16(tone)));
  const Escucha e =
      Escuchar(folder.ruta(), {"memoria", "0.WAV", "oir", "imagen", "tone.wav", "oir"});
  ExpectCleanEnd(e);
  EXPECT_EQ(e.respuestas, (std::vector<std::string>{"TRUE", "TRUE"}));
  const std::size_t atRecording = Buscar(e.salida, recording);
  ASSERT_NE(atRecording, std::string::npos)
      << "the recording is not in the output (" << e.salida.size() << " samples)";
  const std::size_t atTone = Buscar(e.salida, tone, atRecording + recording.size());
  EXPECT_NE(atTone, std::string::npos) << "the image, freed once played, is not in the output";
  EXPECT_EQ(Buscar(e.salida, chime), std::string::npos);
}

TEST_F(PlaySoundOutputTest, ASecondSoundCutsTheFirst) {
  const Muestras first = MuestrasDeRecurso("100INGLES.WAV");
  const Muestras second = MuestrasDeRecurso("1.WAV");
  const Escucha e = Escuchar(
      folder.ruta(), {"memoria", "100INGLES.WAV", "oir-ms", "300", "memoria", "1.WAV", "oir"});
  ExpectCleanEnd(e);
  EXPECT_EQ(Buscar(e.salida, first), std::string::npos) << "the first sound played to its end";
  const std::size_t atSecond = Buscar(e.salida, second);
  ASSERT_NE(atSecond, std::string::npos) << "the second sound is not in the output";
  // Right before the second sound lies the start of the first, and nothing
  // of the first comes after.
  const Muestras opening(first.begin(), first.begin() + 441);
  const std::size_t atFirst = Buscar(e.salida, opening);
  ASSERT_LT(atFirst, atSecond) << "the first sound did not start before the second";
  const std::size_t played = atSecond - atFirst;
  ASSERT_LT(played, first.size());
  EXPECT_TRUE(std::equal(first.begin(), first.begin() + static_cast<std::ptrdiff_t>(played),
                         e.salida.begin() + static_cast<std::ptrdiff_t>(atFirst)))
      << "expected the first sound, unbroken, up to the second";
  // The second came once the device had taken 300 ms of the first.
  EXPECT_GE(played, 300u * 44100u / 1000u) << "expected the first sound to play 300 ms or more";
}

TEST_F(PlaySoundOutputTest, PlaysAWaveFileNamedFromTheWorkingFolder) {
  const Muestras tone = Tono(659.25, 0.4);
  Write("tone.wav", ImagenWave({}, Bytes16(tone)));
  const Escucha e = Escuchar(folder.ruta(), {"archivo", "tone.wav", "oir"});
  ExpectCleanEnd(e);
  EXPECT_EQ(e.respuestas, std::vector<std::string>{"TRUE"});
  EXPECT_NE(Buscar(e.salida, tone), std::string::npos) << "the file is not in the output";
}

TEST_F(PlaySoundOutputTest, An8BitStereoFileAt22050HzPlaysAtItsPitchAndLength) {
  Write("tone.wav", ImagenWave({1, 2, 22050, 8}, DatosDeTono(2, 22050, 8, 0.5)));
  const Escucha e = Escuchar(folder.ruta(), {"archivo", "tone.wav", "oir"});
  ExpectCleanEnd(e);
  ASSERT_EQ(e.respuestas, std::vector<std::string>{"TRUE"});
  // The span of the tone: from the first to the last sample clearly off zero.
  const auto loud = [](std::int16_t s) { return std::abs(int{s}) > 2000; };
  const auto begin = std::find_if(e.salida.begin(), e.salida.end(), loud);
  ASSERT_NE(begin, e.salida.end()) << "the output is silent";
  const auto end = std::find_if(e.salida.rbegin(), e.salida.rend(), loud).base();
  EXPECT_NEAR(double(end - begin), 22050.0, 60.0) << "expected half a second at 44100 Hz";
  int crossings = 0;
  int peak = 0;
  for (auto s = begin; s + 1 < end; ++s) {
    if (*s < 0 && *(s + 1) >= 0) ++crossings;
    peak = std::max(peak, std::abs(int{*s}));
  }
  EXPECT_NEAR(crossings * 44100.0 / double(end - begin), 441.0, 4.0) << "expected 441 Hz";
  EXPECT_NEAR(peak, 0.78 * 32768, 0.05 * 32768) << "expected the 8-bit level scaled to 16 bits";
}

TEST(NoAudioDevice, PlaySoundReturnsTrueAndTheProgramCarriesOn) {
  CarpetaTemporal folder;
  const Escucha e = Escuchar(
      folder.ruta(), {"memoria", "0.WAV", "archivo", "missing.wav", "reproducir", "7.WAV", "oir"},
      "no-such-driver");
  EXPECT_EQ(e.proceso.codigo, 0) << e.proceso.errores;
  EXPECT_EQ(e.respuestas, (std::vector<std::string>{"TRUE", "TRUE"}));
  EXPECT_EQ(e.proceso.errores.rfind("PlaySoundA: no sound: ", 0), 0u) << e.proceso.errores;
  EXPECT_EQ(e.proceso.errores.find('\n'), e.proceso.errores.size() - 1)
      << "expected one line, got: " << e.proceso.errores;
}

}  // namespace
