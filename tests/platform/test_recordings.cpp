// Tests of the recordings built into the program, the 202 spoken numbers,
// the 10 words of equations and the question of a choice card ("¿Dónde está
// el" / "Which is"), read through the resource functions as the
// program reads them: each is a RIFF WAVE image of PCM samples, one channel,
// 44,100 samples per second, 16 bits, lasting from 0.28 (a word: 0.12) to
// 1.30 seconds in Spanish and 1.15 in English, trimmed of silence and at one
// loudness. They use only the Windows API and standard C++.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "lesson/Voz.h"
#include "platform/platform.h"

namespace {

constexpr int kHighestNumber = 100;
constexpr std::uint32_t kSampleRate = 44100;

// A card lasts a second, and a parent says "noventa y siete" in about that:
// the longest any recording of a language may last, and the longest that
// the middle one of its numbers may.
struct Language {
  const char* suffix;
  double longestSeconds;
  double medianNumberSeconds;
};
constexpr Language kLanguages[] = {{"", 1.30, 1.10}, {"INGLES", 1.15, 0.90}};

struct Recording {
  std::string name;
  const Language* language = nullptr;
  bool isNumber = false;
  double shortestSeconds = 0;
  const unsigned char* bytes = nullptr;
  std::size_t size = 0;
};

// Every recording by its name: "%d%s.WAV" from the number and the language
// suffix, and "%s%s.WAV" from the word and the suffix. A number lasts at
// least 0.28 s; a word, said as it is before a number, may be as short as a
// "por". A missing one is a failure and is left out.
std::vector<Recording> AllRecordings() {
  std::vector<Recording> wanted;
  for (const Language& language : kLanguages) {
    for (int n = 0; n <= kHighestNumber; ++n)
      wanted.push_back({std::to_string(n) + language.suffix, &language, true, 0.28});
    for (const Voz::Palabra& word : Voz::kPalabras)
      wanted.push_back({std::string(word.grabacion) + language.suffix, &language, false, 0.12});
  }
  std::vector<Recording> recordings;
  for (Recording recording : wanted) {
    const std::string name = recording.name + ".WAV";
    const HRSRC info = FindResourceA(nullptr, name.c_str(), "WAVE");
    if (info == nullptr) {
      ADD_FAILURE() << "expected a resource " << name << ", got none";
      continue;
    }
    const void* bytes = LockResource(LoadResource(nullptr, info));
    if (bytes == nullptr) {
      ADD_FAILURE() << "expected the bytes of " << name << ", got NULL";
      continue;
    }
    recording.name = name;
    recording.bytes = static_cast<const unsigned char*>(bytes);
    recording.size = SizeofResource(nullptr, info);
    recordings.push_back(recording);
  }
  return recordings;
}

const std::vector<Recording>& Recordings() {
  static const std::vector<Recording> recordings = AllRecordings();
  return recordings;
}

std::uint16_t Little16(const unsigned char* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t Little32(const unsigned char* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

struct Wave {
  std::uint16_t formatTag = 0;
  std::uint16_t channels = 0;
  std::uint32_t samplesPerSecond = 0;
  std::uint32_t bytesPerSecond = 0;
  std::uint16_t blockAlign = 0;
  std::uint16_t bitsPerSample = 0;
  const unsigned char* data = nullptr;
  std::uint32_t dataSize = 0;

  std::size_t SampleCount() const { return dataSize / 2; }
  std::int16_t Sample(std::size_t i) const {
    return static_cast<std::int16_t>(Little16(data + 2 * i));
  }
  double Seconds() const { return static_cast<double>(dataSize) / bytesPerSecond; }
};

// Walks the chunks of a RIFF WAVE image of `size` bytes. Every chunk must
// lie inside the image (each padded to an even length), "fmt " must come
// once and before "data", which must come once; returns an empty string or
// what is wrong.
std::string ParseWave(const unsigned char* bytes, std::size_t size, Wave* wave) {
  if (size < 12) return "image of " + std::to_string(size) + " bytes, too short for a RIFF header";
  if (std::string(reinterpret_cast<const char*>(bytes), 4) != "RIFF") return "no RIFF tag";
  if (std::string(reinterpret_cast<const char*>(bytes) + 8, 4) != "WAVE") return "no WAVE form";
  const std::uint64_t riffEnd = 8 + std::uint64_t{Little32(bytes + 4)};
  if (riffEnd != size) {
    return "RIFF size says " + std::to_string(riffEnd) + " bytes, the image has " +
           std::to_string(size);
  }
  bool haveFormat = false;
  bool haveData = false;
  std::size_t at = 12;
  while (at < size) {
    if (size - at < 8) return "chunk header cut short at byte " + std::to_string(at);
    const std::string id(reinterpret_cast<const char*>(bytes) + at, 4);
    const std::uint32_t length = Little32(bytes + at + 4);
    const unsigned char* body = bytes + at + 8;
    const std::uint64_t end = at + 8 + std::uint64_t{length} + (length & 1);
    if (at + 8 + std::uint64_t{length} > size) {
      return "chunk '" + id + "' of " + std::to_string(length) + " bytes runs past the end";
    }
    if (id == "fmt ") {
      if (haveFormat) return "second 'fmt ' chunk";
      if (length < 16) return "'fmt ' chunk of " + std::to_string(length) + " bytes";
      haveFormat = true;
      wave->formatTag = Little16(body);
      wave->channels = Little16(body + 2);
      wave->samplesPerSecond = Little32(body + 4);
      wave->bytesPerSecond = Little32(body + 8);
      wave->blockAlign = Little16(body + 12);
      wave->bitsPerSample = Little16(body + 14);
    } else if (id == "data") {
      if (haveData) return "second 'data' chunk";
      if (!haveFormat) return "'data' chunk before the 'fmt ' chunk";
      haveData = true;
      wave->data = body;
      wave->dataSize = length;
    }
    at = static_cast<std::size_t>(std::min<std::uint64_t>(end, size));
  }
  if (!haveFormat) return "no 'fmt ' chunk";
  if (!haveData) return "no 'data' chunk";
  return {};
}

// Runs `check` on every recording with its parsed form; one that does not
// parse is a failure.
template <typename Check>
void ForEachWave(Check check) {
  ASSERT_EQ(Recordings().size(),
            2u * (kHighestNumber + 1 + std::size(Voz::kPalabras)));
  for (const Recording& recording : Recordings()) {
    SCOPED_TRACE(recording.name);
    Wave wave;
    const std::string problem = ParseWave(recording.bytes, recording.size, &wave);
    if (!problem.empty()) {
      ADD_FAILURE() << recording.name << ": " << problem;
      continue;
    }
    check(recording, wave);
  }
}

double PeakDecibels(const Wave& wave, std::size_t first, std::size_t count) {
  int peak = 0;
  for (std::size_t i = first; i < first + count; ++i)
    peak = std::max(peak, std::abs(int{wave.Sample(i)}));
  return 20 * std::log10(std::max(peak, 1) / 32768.0);
}

double RmsDecibels(const Wave& wave) {
  double sum = 0;
  for (std::size_t i = 0; i < wave.SampleCount(); ++i) {
    const double sample = wave.Sample(i);
    sum += sample * sample;
  }
  return 10 * std::log10(std::max(sum / wave.SampleCount(), 1.0) / (32768.0 * 32768.0));
}

TEST(Recordings, EachIsMonoPcm16BitsAt44100SamplesPerSecond) {
  ForEachWave([](const Recording&, const Wave& wave) {
    EXPECT_EQ(wave.formatTag, 1) << "expected PCM (format tag 1)";
    EXPECT_EQ(wave.channels, 1);
    EXPECT_EQ(wave.samplesPerSecond, kSampleRate);
    EXPECT_EQ(wave.bitsPerSample, 16);
    EXPECT_EQ(wave.blockAlign, 2) << "expected 2 bytes per sample frame";
    EXPECT_EQ(wave.bytesPerSecond, 2 * kSampleRate);
    EXPECT_EQ(wave.dataSize % 2, 0u) << "expected whole samples, got " << wave.dataSize << " bytes";
  });
}

TEST(Recordings, EachLastsWithinItsLanguagesLimitsAndHalfTheNumbersWellWithin) {
  std::map<const Language*, std::vector<double>> numberSeconds;
  ForEachWave([&](const Recording& recording, const Wave& wave) {
    ASSERT_EQ(wave.bytesPerSecond, 2 * kSampleRate);
    EXPECT_GE(wave.Seconds(), recording.shortestSeconds);
    EXPECT_LE(wave.Seconds(), recording.language->longestSeconds);
    if (recording.isNumber) numberSeconds[recording.language].push_back(wave.Seconds());
  });
  for (const Language& language : kLanguages) {
    std::vector<double>& seconds = numberSeconds[&language];
    ASSERT_EQ(seconds.size(), kHighestNumber + 1u) << "numbers of suffix '" << language.suffix << "'";
    std::nth_element(seconds.begin(), seconds.begin() + kHighestNumber / 2, seconds.end());
    EXPECT_LE(seconds[kHighestNumber / 2], language.medianNumberSeconds)
        << "the middle number of suffix '" << language.suffix << "'";
  }
}

constexpr std::size_t kEdge = kSampleRate * 30 / 1000;
constexpr double kSilenceDecibels = -60;

// Speech reaches within 30 ms of either end: a recording that starts or ends
// in silence keeps the child waiting, or is cut off by the next bit.
TEST(Recordings, EachIsTrimmedOfSilenceAtBothEnds) {
  ForEachWave([](const Recording&, const Wave& wave) {
    ASSERT_GE(wave.SampleCount(), 2 * kEdge);
    EXPECT_GT(PeakDecibels(wave, 0, kEdge), kSilenceDecibels) << "silent start";
    EXPECT_GT(PeakDecibels(wave, wave.SampleCount() - kEdge, kEdge), kSilenceDecibels)
        << "silent end";
  });
}

// One loudness: every recording's RMS level within 3 dB of the middle one.
TEST(Recordings, AllHaveOneLoudness) {
  std::vector<std::pair<double, std::string>> levels;
  ForEachWave([&](const Recording& recording, const Wave& wave) {
    levels.emplace_back(RmsDecibels(wave), recording.name);
  });
  ASSERT_FALSE(levels.empty());
  std::sort(levels.begin(), levels.end());
  const double middle = levels[levels.size() / 2].first;
  for (const auto& [level, name] : levels) {
    EXPECT_NEAR(level, middle, 3.0)
        << name << " is at " << level << " dBFS RMS, the middle one at " << middle;
  }
}

TEST(Recordings, AllHoldDifferentSounds) {
  std::set<std::string_view> seen;
  ForEachWave([&](const Recording&, const Wave& wave) {
    const std::string_view samples(reinterpret_cast<const char*>(wave.data), wave.dataSize);
    EXPECT_TRUE(seen.insert(samples).second) << "samples equal to another recording's";
  });
}

}  // namespace
