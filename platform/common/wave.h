// The one reader of RIFF WAVE images: where an image's format and samples
// lie, or why it cannot be read. Not a Windows function: portable C++ that
// both systems share, read by the recordings the lesson joins and by the
// Linux layer's sound player.
//
// An image may come from any file of the lesson folder: every length read
// from it is checked against its size before it is used, and nothing outside
// it is read.
#pragma once

#include <cstddef>
#include <cstdint>

// The highest rate read, in frames a second: the highest in common use,
// which keeps every count of frames and bytes within 64 bits.
constexpr std::uint32_t kWaveHighestRate = 384000;

struct WaveImage {
  // The body of the "fmt " chunk, and what it says.
  const std::uint8_t* format = nullptr;
  std::uint32_t formatBytes = 0;
  std::uint16_t channels = 0;
  std::uint32_t rate = 0;
  std::uint16_t bits = 0;
  // The samples: the whole frames of the "data" chunk.
  const std::uint8_t* samples = nullptr;
  std::size_t sampleBytes = 0;
  // Why the image cannot be read, or null when it can.
  const char* problem = nullptr;
};

// Reads the RIFF WAVE image at bytes, of which size may be read; the image
// ends there or where its RIFF length says, whichever comes first. It is
// read when it is integer PCM (WAVE_FORMAT_PCM, or WAVE_FORMAT_EXTENSIBLE of
// the PCM subtype) of 8, 16, 24 or 32 bits, in one channel or more, at 1 to
// kWaveHighestRate frames a second, its frames whole samples, and every
// chunk up to its first "fmt " and "data" lies inside it; chunks after
// those two are not looked at.
WaveImage ReadWaveImage(const std::uint8_t* bytes, std::size_t size);
