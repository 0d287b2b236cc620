#include "platform/common/wave.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
// KSDATAFORMAT_SUBTYPE_PCM, {00000001-0000-0010-8000-00AA00389B71}, as the
// bytes of a WAVEFORMATEXTENSIBLE's SubFormat.
constexpr std::uint8_t kSubtypePcm[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                          0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

std::uint16_t Little16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t Little32(const std::uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// n in decimal, its digits in groups of three between commas: "384,000".
std::string WithThousands(std::uint64_t n) {
  std::string digits = std::to_string(n);
  for (std::size_t end = digits.size(); end > 3; end -= 3) digits.insert(end - 3, ",");
  return digits;
}

const char* RateProblem() {
  static const std::string text =
      "its rate is not 1 to " + WithThousands(kWaveHighestRate) + " frames a second";
  return text.c_str();
}

// Reads a "fmt " chunk's body of `length` bytes into wave; why it cannot be
// read, or null.
const char* ReadFormat(const std::uint8_t* body, std::uint32_t length, WaveImage* wave) {
  if (length < 16) return "its format chunk is too short";
  std::uint16_t tag = Little16(body);
  // WAVEFORMATEXTENSIBLE: 22 more bytes, the subtype's GUID in the last 16.
  if (tag == kFormatExtensible && length >= 40 && Little16(body + 16) >= 22 &&
      std::memcmp(body + 24, kSubtypePcm, sizeof kSubtypePcm) == 0) {
    tag = kFormatPcm;
  }
  wave->channels = Little16(body + 2);
  wave->rate = Little32(body + 4);
  wave->bits = Little16(body + 14);
  if (tag != kFormatPcm) return "it is not plain PCM";
  if (wave->bits != 8 && wave->bits != 16 && wave->bits != 24 && wave->bits != 32) {
    return "its samples are not of 8, 16, 24 or 32 bits";
  }
  if (wave->channels == 0) return "it has no channels";
  if (wave->rate == 0 || wave->rate > kWaveHighestRate) return RateProblem();
  if (Little16(body + 12) != wave->channels * wave->bits / 8) {
    return "its frames are not whole samples";
  }
  wave->format = body;
  wave->formatBytes = length;
  return nullptr;
}

}  // namespace

WaveImage ReadWaveImage(const std::uint8_t* bytes, std::size_t size) {
  WaveImage wave;
  if (size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0) {
    wave.problem = "it is not a RIFF WAVE";
    return wave;
  }
  const std::size_t end = static_cast<std::size_t>(
      std::min<std::uint64_t>(size, 8 + std::uint64_t{Little32(bytes + 4)}));
  for (std::size_t at = 12; (wave.format == nullptr || wave.samples == nullptr) && at + 8 <= end;) {
    const std::uint8_t* chunk = bytes + at;
    const std::uint32_t length = Little32(chunk + 4);
    if (length > end - at - 8) {
      wave.problem = "a chunk runs past its end";
      return wave;
    }
    if (wave.format == nullptr && std::memcmp(chunk, "fmt ", 4) == 0) {
      wave.problem = ReadFormat(chunk + 8, length, &wave);
      if (wave.problem != nullptr) return wave;
    } else if (wave.samples == nullptr && std::memcmp(chunk, "data", 4) == 0) {
      wave.samples = chunk + 8;
      wave.sampleBytes = length;
    }
    // Chunks are padded to an even length.
    at += 8 + std::size_t{length} + (length & 1);
  }
  if (wave.format == nullptr) {
    wave.problem = "it has no format chunk";
  } else if (wave.samples == nullptr) {
    wave.problem = "it has no data chunk";
  } else {
    wave.sampleBytes -= wave.sampleBytes % (std::size_t{wave.channels} * wave.bits / 8);
  }
  return wave;
}
