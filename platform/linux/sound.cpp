// Linux layer: the sound player, on SDL2's own audio.
//
// Implements PlaySoundA (a WAVE image in memory with SND_MEMORY, a WAVE file
// otherwise, SND_NODEFAULT honoured, NULL to stop) and MessageBeep. The first
// call opens the default audio device for mono signed 16-bit samples at
// 44,100 frames a second in buffers of 512 frames (11.6 ms), so that a sound
// reaches the device within one buffer of the call. A sound is converted to
// that format when it is given; the device's callback then copies out the
// one sound that plays, and a new sound replaces it. The default alert sound
// is a chime made in code when the device opens.
// NOTE: every sound plays asynchronously, with or without SND_ASYNC.
// NOTE: without SND_MEMORY the sound is always a file, named as given
// (relative names from the working folder, capitals as names.cpp says);
// there are no aliases, no registry sounds and no search of other folders.
// NOTE: an SND_MEMORY image is converted into the player's own buffer before
// the call returns, so its bytes may be freed at once; Windows reads them
// while the sound plays. Its size is what its RIFF header says.
// NOTE: only integer PCM plays (WAVE_FORMAT_PCM, or WAVE_FORMAT_EXTENSIBLE of
// the PCM subtype): 8, 16, 24 or 32 bits, 1 to 8 channels, up to 384,000
// frames a second. Compressed and floating-point formats, and a sound whose
// conversion needs more than 2 GiB, give the default sound.
// NOTE: a WAVE whose chunks run past the end of its RIFF (or of its file)
// before "fmt " and "data" are found is broken, and none of it plays; chunks
// after both are not looked at.
// NOTE: when no audio device can be had, one line on standard error says
// why, and from then on every call returns TRUE and plays nothing, without
// reading its sound.
// NOTE: a failing PlaySoundA sets the last error (ERROR_FILE_NOT_FOUND for a
// file that cannot be read, ERROR_INVALID_DATA for a WAVE that cannot be
// played) with the reason.
// NOTE: MessageBeep plays the chime whatever its type, and it replaces a
// sound that PlaySoundA started, as another PlaySoundA would.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/linux/internal.h"
#include "platform/linux/sound_probe.h"

namespace {

constexpr int kRate = 44100;
constexpr Uint16 kBufferFrames = 512;
constexpr Uint32 kHighestRate = 384000;
// A RIFF's length field is 32 bits: no image is longer than this.
constexpr std::uint64_t kLongestRiff = 8 + std::uint64_t{UINT32_MAX};
constexpr DWORD ERROR_INVALID_DATA = 13;
constexpr Uint16 WAVE_FORMAT_PCM = 1;
constexpr Uint16 WAVE_FORMAT_EXTENSIBLE = 0xFFFE;
// KSDATAFORMAT_SUBTYPE_PCM, {00000001-0000-0010-8000-00AA00389B71}, as the
// bytes of a WAVEFORMATEXTENSIBLE's SubFormat.
constexpr Uint8 kSubtypePcm[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                   0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

enum class Device { kUntried, kOpen, kNone };

struct SoundState {
  Device device = Device::kUntried;
  SDL_AudioDeviceID id = 0;
  SDL_AudioSpec spec{};
  std::vector<Sint16> chime;
  // Shared with the audio callback: changed only with the device locked.
  std::vector<Sint16> playing;
  std::size_t position = 0;
  std::optional<std::chrono::steady_clock::time_point> firstFramesAt;
};
SoundState state;

// Why a sound cannot be played: the last error's code and reason.
struct Failure {
  DWORD code = ERROR_SUCCESS;
  std::string reason;
};

bool Fail(Failure* failure, DWORD code, std::string reason) {
  failure->code = code;
  failure->reason = std::move(reason);
  return false;
}

bool Broken(Failure* failure, const std::string& reason) {
  return Fail(failure, ERROR_INVALID_DATA, "not a playable WAVE: " + reason);
}

Uint16 Little16(const Uint8* p) { return static_cast<Uint16>(p[0] | p[1] << 8); }

Uint32 Little32(const Uint8* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<Uint32>(p[3]) << 24;
}

// What a WAVE's "fmt " and "data" chunks say.
struct Wave {
  Uint16 channels = 0;
  Uint32 rate = 0;
  Uint16 bits = 0;
  const Uint8* data = nullptr;
  std::size_t size = 0;
};

// Reads the body of a "fmt " chunk, `length` bytes; false, with the reason,
// for a format that does not play.
bool ReadFormat(const Uint8* body, Uint32 length, Wave* wave, Failure* failure) {
  if (length < 16) return Broken(failure, "'fmt ' chunk of " + std::to_string(length) + " bytes");
  Uint16 tag = Little16(body);
  wave->channels = Little16(body + 2);
  wave->rate = Little32(body + 4);
  const Uint16 blockAlign = Little16(body + 12);
  wave->bits = Little16(body + 14);
  // WAVEFORMATEXTENSIBLE: 22 more bytes, the subtype GUID in the last 16.
  if (tag == WAVE_FORMAT_EXTENSIBLE && length >= 40 && Little16(body + 16) >= 22 &&
      std::memcmp(body + 24, kSubtypePcm, sizeof kSubtypePcm) == 0) {
    tag = WAVE_FORMAT_PCM;
  }
  if (tag != WAVE_FORMAT_PCM) return Broken(failure, "format " + std::to_string(tag) + ", not PCM");
  if (wave->channels < 1 || wave->channels > 8) {
    return Broken(failure, std::to_string(wave->channels) + " channels");
  }
  if (wave->bits != 8 && wave->bits != 16 && wave->bits != 24 && wave->bits != 32) {
    return Broken(failure, std::to_string(wave->bits) + " bits per sample");
  }
  if (blockAlign != wave->channels * wave->bits / 8) {
    return Broken(failure, "block of " + std::to_string(blockAlign) + " bytes for " +
                               std::to_string(wave->channels) + " channels of " +
                               std::to_string(wave->bits) + " bits");
  }
  if (wave->rate < 1 || wave->rate > kHighestRate) {
    return Broken(failure, std::to_string(wave->rate) + " frames a second");
  }
  return true;
}

// Finds the format and the samples of the RIFF WAVE image at `bytes`, of
// which `available` bytes may be read; the image ends there or where its
// RIFF length says, whichever comes first. Every chunk walked must lie inside.
bool ParseWave(const Uint8* bytes, std::size_t available, Wave* wave, Failure* failure) {
  if (available < 12 || std::memcmp(bytes, "RIFF", 4) != 0 ||
      std::memcmp(bytes + 8, "WAVE", 4) != 0) {
    return Broken(failure, "no RIFF WAVE header");
  }
  const std::size_t end = static_cast<std::size_t>(
      std::min<std::uint64_t>(available, 8 + std::uint64_t{Little32(bytes + 4)}));
  bool haveFormat = false;
  std::size_t at = 12;
  while ((!haveFormat || wave->data == nullptr) && at + 8 <= end) {
    const Uint8* chunk = bytes + at;
    const Uint32 length = Little32(chunk + 4);
    if (length > end - at - 8) {
      return Broken(failure, "the chunk at byte " + std::to_string(at) + " claims " +
                                 std::to_string(length) + " bytes, past the end at " +
                                 std::to_string(end));
    }
    if (!haveFormat && std::memcmp(chunk, "fmt ", 4) == 0) {
      if (!ReadFormat(chunk + 8, length, wave, failure)) return false;
      haveFormat = true;
    } else if (wave->data == nullptr && std::memcmp(chunk, "data", 4) == 0) {
      wave->data = chunk + 8;
      wave->size = length;
    }
    // Chunks are padded to an even length.
    at += 8 + std::size_t{length} + (length & 1);
  }
  if (!haveFormat) return Broken(failure, "no 'fmt ' chunk");
  if (wave->data == nullptr) return Broken(failure, "no 'data' chunk");
  const std::size_t frameBytes = wave->channels * wave->bits / 8;
  wave->size -= wave->size % frameBytes;
  return true;
}

// The samples of wave in the device's format; false, with the reason, when
// SDL cannot convert them.
bool Convert(const Wave& wave, std::vector<Sint16>* samples, Failure* failure) {
  // No samples play as silence; SDL converts no empty buffer.
  if (wave.size == 0) return true;
  const Uint8* data = wave.data;
  std::size_t size = wave.size;
  const SDL_AudioFormat format = wave.bits == 8    ? AUDIO_U8
                                 : wave.bits == 16 ? AUDIO_S16LSB
                                                   : AUDIO_S32LSB;
  // SDL has no 24-bit format: each sample goes to the top of 32 bits.
  std::vector<Uint8> widened;
  if (wave.bits == 24) {
    widened.resize(size / 3 * 4);
    for (std::size_t i = 0, o = 0; i < size; i += 3, o += 4) {
      widened[o] = 0;
      std::memcpy(&widened[o + 1], data + i, 3);
    }
    data = widened.data();
    size = widened.size();
  }
  SDL_AudioCVT cvt;
  if (SDL_BuildAudioCVT(&cvt, format, static_cast<Uint8>(wave.channels),
                        static_cast<int>(wave.rate), state.spec.format, state.spec.channels,
                        state.spec.freq) < 0) {
    return Broken(failure, std::string("cannot convert: ") + SDL_GetError());
  }
  // SDL converts in one buffer, with an int for its length.
  const std::uint64_t room = std::uint64_t{size} * static_cast<std::uint64_t>(cvt.len_mult);
  if (room > INT_MAX) return Broken(failure, "too long to convert");
  samples->assign(static_cast<std::size_t>(room + 1) / sizeof(Sint16), 0);
  cvt.buf = reinterpret_cast<Uint8*>(samples->data());
  cvt.len = static_cast<int>(size);
  std::memcpy(cvt.buf, data, size);
  if (SDL_ConvertAudio(&cvt) != 0) {
    return Broken(failure, std::string("cannot convert: ") + SDL_GetError());
  }
  samples->resize(static_cast<std::size_t>(cvt.len_cvt) / sizeof(Sint16));
  return true;
}

// The image's size is all that its header tells: its RIFF length and 8.
bool FromImage(const Uint8* image, std::vector<Sint16>* samples, Failure* failure) {
  if (std::memcmp(image, "RIFF", 4) != 0) return Broken(failure, "no RIFF WAVE header");
  Wave wave;
  return ParseWave(image, 8 + std::size_t{Little32(image + 4)}, &wave, failure) &&
         Convert(wave, samples, failure);
}

// Reads a whole regular file, up to the longest RIFF image. Opened without
// blocking, so that a pipe of that name cannot hold the caller up.
bool ReadFile(const char* name, std::vector<Uint8>* bytes, Failure* failure) {
  const int fd = open(name, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    return Fail(failure, ERROR_FILE_NOT_FOUND,
                std::string("cannot open ") + name + ": " + std::strerror(errno));
  }
  struct stat info;
  const bool regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  std::size_t done = 0;
  if (regular) {
    bytes->resize(static_cast<std::size_t>(
        std::min<std::uint64_t>(static_cast<std::uint64_t>(info.st_size), kLongestRiff)));
    while (done < bytes->size()) {
      const ssize_t n = read(fd, bytes->data() + done, bytes->size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    bytes->resize(done);
  }
  close(fd);
  if (!regular) return Fail(failure, ERROR_FILE_NOT_FOUND, std::string(name) + " is not a file");
  return true;
}

bool FromFile(const char* name, std::vector<Sint16>* samples, Failure* failure) {
  std::vector<Uint8> bytes;
  Wave wave;
  return ReadFile(LinuxPath(name).c_str(), &bytes, failure) &&
         ParseWave(bytes.data(), bytes.size(), &wave, failure) && Convert(wave, samples, failure);
}

// The audio callback, with the device locked: the next frames of the sound
// that plays, then silence.
void FillDevice(void*, Uint8* stream, int len) {
  const std::size_t wanted = static_cast<std::size_t>(len) / sizeof(Sint16);
  const std::size_t count = std::min(wanted, state.playing.size() - state.position);
  if (count > 0) {
    if (state.position == 0) state.firstFramesAt = std::chrono::steady_clock::now();
    std::memcpy(stream, state.playing.data() + state.position, count * sizeof(Sint16));
    state.position += count;
  }
  std::memset(stream + count * sizeof(Sint16), 0,
              static_cast<std::size_t>(len) - count * sizeof(Sint16));
}

// Makes samples the sound that plays, from its start. The sound it replaces
// is freed on return, outside the lock.
void Play(std::vector<Sint16> samples) {
  SDL_LockAudioDevice(state.id);
  state.playing.swap(samples);
  state.position = 0;
  state.firstFramesAt.reset();
  SDL_UnlockAudioDevice(state.id);
}

// Registered when the device opens, so it runs before the state is
// destroyed: stops the callback and closes the device. When the window
// code's SDL_Quit ran first, that has closed it already.
void CloseDevice() {
  if (SDL_WasInit(SDL_INIT_AUDIO) == 0) return;
  SDL_CloseAudioDevice(state.id);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

// Opens the device on the first call; false, then and ever after, when
// there is none.
bool EnsureDevice() {
  if (state.device != Device::kUntried) return state.device == Device::kOpen;
  state.device = Device::kNone;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    std::fprintf(stderr, "PlaySoundA: no sound: cannot start audio: %s\n", SDL_GetError());
    return false;
  }
  SDL_AudioSpec wanted{};
  wanted.freq = kRate;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = 1;
  wanted.samples = kBufferFrames;
  wanted.callback = FillDevice;
  // No change allowed: SDL converts to whatever the hardware takes, so the
  // callback always fills this format.
  state.id = SDL_OpenAudioDevice(nullptr, 0, &wanted, &state.spec, 0);
  if (state.id == 0) {
    std::fprintf(stderr, "PlaySoundA: no sound: cannot open an audio device: %s\n", SDL_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  state.chime = ChimeSamples(state.spec.freq);
  state.device = Device::kOpen;
  std::atexit(CloseDevice);
  SDL_PauseAudioDevice(state.id, 0);
  return true;
}

}  // namespace

std::vector<std::int16_t> ChimeSamples(int rate) {
  // Two partials a fifth apart, the upper one dying sooner, as a struck bell
  // sounds; 5 ms ramps at both ends keep the edges from clicking.
  struct Partial {
    double hertz;
    double level;
    double decaySeconds;
  };
  constexpr Partial kPartials[] = {{880.0, 0.20, 0.10}, {1320.0, 0.10, 0.05}};
  constexpr double kSeconds = 0.3;
  constexpr double kRampSeconds = 0.005;
  constexpr double kTwoPi = 6.283185307179586;
  const int count = static_cast<int>(kSeconds * rate);
  const double ramp = kRampSeconds * rate;
  std::vector<std::int16_t> samples(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / rate;
    double value = 0.0;
    for (const Partial& p : kPartials) {
      value += p.level * std::exp(-t / p.decaySeconds) * std::sin(kTwoPi * p.hertz * t);
    }
    const double edge = std::min({1.0, i / ramp, (count - 1 - i) / ramp});
    samples[static_cast<std::size_t>(i)] =
        static_cast<std::int16_t>(std::lround(value * edge * 32767.0));
  }
  return samples;
}

SoundProbe ProbeSound() {
  SoundProbe probe;
  if (state.device != Device::kOpen) return probe;
  probe.deviceOpen = true;
  probe.bufferFrames = state.spec.samples;
  probe.rate = state.spec.freq;
  SDL_LockAudioDevice(state.id);
  probe.frames = state.playing.size();
  probe.taken = state.position;
  probe.firstFramesAt = state.firstFramesAt;
  SDL_UnlockAudioDevice(state.id);
  return probe;
}

BOOL WINAPI PlaySoundA(LPCSTR pszSound, HMODULE, DWORD fdwSound) {
  if (!EnsureDevice()) return TRUE;
  if (pszSound == nullptr) {
    Play({});
    return TRUE;
  }
  std::vector<Sint16> samples;
  Failure failure;
  const bool playable =
      (fdwSound & SND_MEMORY)
          ? FromImage(reinterpret_cast<const Uint8*>(pszSound), &samples, &failure)
          : FromFile(pszSound, &samples, &failure);
  if (playable) {
    Play(std::move(samples));
    return TRUE;
  }
  SetLastErrorText(failure.code, failure.reason);
  Play((fdwSound & SND_NODEFAULT) ? std::vector<Sint16>() : state.chime);
  return FALSE;
}

BOOL WINAPI MessageBeep(UINT) {
  if (EnsureDevice()) Play(state.chime);
  return TRUE;
}
