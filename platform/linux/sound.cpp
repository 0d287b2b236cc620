// Linux layer: the sound player, on SDL2's own audio.
//
// Implements PlaySoundA (a WAVE image in memory with SND_MEMORY, a WAVE file
// otherwise, SND_NODEFAULT honoured, NULL to stop) and MessageBeep. The first
// call opens the default audio device for mono signed 16-bit samples at
// 44,100 frames a second in buffers of 512 frames (11.6 ms), so that a sound
// reaches the device within one buffer of the call. A sound is converted to
// that format when it is given; the device's callback then copies it out,
// and a new sound replaces it where the clock says the old one has got to:
// the lesson times its words by the clock, and a device thread that falls
// behind (a busy machine) must not cut a word that the clock let finish, so
// what that thread still owes of the old sound plays before the new one.
// The default alert sound is a chime made in code when the device opens.
// The player's state (sound_player.h) is read by the tests' probe, which
// only they link.
// NOTE: every sound plays asynchronously, with or without SND_ASYNC.
// NOTE: without SND_MEMORY the sound is always a file, named as given
// (relative names from the working folder, capitals as names.cpp says);
// there are no aliases, no registry sounds and no search of other folders.
// NOTE: an SND_MEMORY image is converted into the player's own buffer before
// the call returns, so its bytes may be freed at once; Windows reads them
// while the sound plays. Its size is what its RIFF header says.
// NOTE: only what ReadWaveImage (platform/common/wave.h) reads plays:
// integer PCM of 8, 16, 24 or 32 bits (WAVE_FORMAT_PCM, or
// WAVE_FORMAT_EXTENSIBLE of the PCM subtype), here in no more channels than
// SDL converts (kMostChannels). Compressed and floating-point formats, and a
// sound whose conversion needs more than 2 GiB, give the default sound.
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
// NOTE: a sound may start later than Windows would start it, by as much as
// the device's thread has fallen behind the clock; and the process's end
// waits, up to kLongestCatchUpMs, for the device to take what the clock says
// has played, where Windows stops the sound at once. The end of the last
// word is then heard, as the lesson meant.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/linux/internal.h"
#include "platform/linux/sound_player.h"
#include "platform/linux/sound_probe.h"

SoundPlayer soundPlayer;

namespace {

constexpr int kRate = 44100;
constexpr Uint16 kBufferFrames = 512;
// The most channels SDL's conversion takes. It counts them in 8 bits, so a
// count above its own limit is refused before SDL sees it.
constexpr Uint16 kMostChannels = 8;
// A RIFF's length field is 32 bits: no image is longer than this.
constexpr std::uint64_t kLongestRiff = 8 + std::uint64_t{UINT32_MAX};
constexpr DWORD ERROR_INVALID_DATA = 13;
// The longest the process's end waits for the device to catch up.
constexpr Uint64 kLongestCatchUpMs = 2000;

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

Uint32 Little32(const Uint8* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<Uint32>(p[3]) << 24;
}

// The samples of wave in the device's format; false, with the reason, when
// SDL cannot convert them.
bool Convert(const WaveImage& wave, std::vector<Sint16>* samples, Failure* failure) {
  if (wave.channels > kMostChannels) {
    return Broken(failure, std::to_string(wave.channels) + " channels");
  }
  // No samples play as silence; SDL converts no empty buffer.
  if (wave.sampleBytes == 0) return true;
  const Uint8* data = wave.samples;
  std::size_t size = wave.sampleBytes;
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
                        static_cast<int>(wave.rate), soundPlayer.spec.format,
                        soundPlayer.spec.channels, soundPlayer.spec.freq) < 0) {
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

// The samples of the image at bytes, of which size may be read, in the
// device's format.
bool FromBytes(const Uint8* bytes, std::size_t size, std::vector<Sint16>* samples,
               Failure* failure) {
  const WaveImage wave = ReadWaveImage(bytes, size);
  if (wave.problem != nullptr) return Broken(failure, wave.problem);
  return Convert(wave, samples, failure);
}

// The image's size is all that its header tells: its RIFF length and 8.
// Without a RIFF header it has no bytes, which the reader refuses.
bool FromImage(const Uint8* image, std::vector<Sint16>* samples, Failure* failure) {
  const std::size_t size =
      std::memcmp(image, "RIFF", 4) == 0 ? 8 + std::size_t{Little32(image + 4)} : 0;
  return FromBytes(image, size, samples, failure);
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
  return ReadFile(LinuxPath(name).c_str(), &bytes, failure) &&
         FromBytes(bytes.data(), bytes.size(), samples, failure);
}

// The audio callback, with the device locked: the next frames of the sound
// that plays, then silence.
void FillDevice(void*, Uint8* stream, int len) {
  const std::size_t wanted = static_cast<std::size_t>(len) / sizeof(Sint16);
  const std::size_t count = std::min(wanted, soundPlayer.playing.size() - soundPlayer.position);
  if (count > 0) {
    std::memcpy(stream, soundPlayer.playing.data() + soundPlayer.position, count * sizeof(Sint16));
    soundPlayer.position += count;
  }
  std::memset(stream + count * sizeof(Sint16), 0,
              static_cast<std::size_t>(len) - count * sizeof(Sint16));
}

// How far into what the device is to play the clock has got at `now`: the
// sound given last plays from the moment it was given, at the device's rate,
// and no further than its end. Called with the device locked.
std::size_t DueFrames(Uint64 now) {
  const double seconds = static_cast<double>(now - soundPlayer.given) /
                         static_cast<double>(SDL_GetPerformanceFrequency());
  const double due = static_cast<double>(soundPlayer.start) + seconds * soundPlayer.spec.freq;
  const std::size_t end = soundPlayer.playing.size();
  return due < static_cast<double>(end) ? static_cast<std::size_t>(due) : end;
}

// Makes samples the sound that plays, from its start, once the device has
// taken what the clock says it owes of the sounds it replaces. The sounds
// replaced are freed on return, outside the lock.
void Play(std::vector<Sint16> samples) {
  const Uint64 now = SDL_GetPerformanceCounter();
  SDL_LockAudioDevice(soundPlayer.id);
  const std::size_t taken = soundPlayer.position;
  const std::size_t due = std::max(taken, DueFrames(now));
  const Sint16* const old = soundPlayer.playing.data();
  samples.insert(samples.begin(), old + taken, old + due);
  soundPlayer.playing.swap(samples);
  soundPlayer.position = 0;
  soundPlayer.start = due - taken;
  soundPlayer.given = now;
  SDL_UnlockAudioDevice(soundPlayer.id);
}

// How many frames of what plays the device has taken.
std::size_t Taken() {
  SDL_LockAudioDevice(soundPlayer.id);
  const std::size_t taken = soundPlayer.position;
  SDL_UnlockAudioDevice(soundPlayer.id);
  return taken;
}

// Registered when the device opens, so it runs before the player is
// destroyed: waits, up to kLongestCatchUpMs, for the device to take what the
// clock says has played by now, then stops the callback and closes the
// device. When the window code's SDL_Quit ran first, that has closed it
// already.
void CloseDevice() {
  if (SDL_WasInit(SDL_INIT_AUDIO) == 0) return;
  SDL_LockAudioDevice(soundPlayer.id);
  const std::size_t due = DueFrames(SDL_GetPerformanceCounter());
  SDL_UnlockAudioDevice(soundPlayer.id);
  const Uint64 deadline = SDL_GetTicks64() + kLongestCatchUpMs;
  while (Taken() < due && SDL_GetTicks64() < deadline) SDL_Delay(1);
  SDL_CloseAudioDevice(soundPlayer.id);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

// Opens the device on the first call; false, then and ever after, when
// there is none.
bool EnsureDevice() {
  if (soundPlayer.device != SoundDevice::kUntried) return soundPlayer.device == SoundDevice::kOpen;
  soundPlayer.device = SoundDevice::kNone;
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
  soundPlayer.id = SDL_OpenAudioDevice(nullptr, 0, &wanted, &soundPlayer.spec, 0);
  if (soundPlayer.id == 0) {
    std::fprintf(stderr, "PlaySoundA: no sound: cannot open an audio device: %s\n", SDL_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  soundPlayer.chime = ChimeSamples(soundPlayer.spec.freq);
  soundPlayer.device = SoundDevice::kOpen;
  std::atexit(CloseDevice);
  SDL_PauseAudioDevice(soundPlayer.id, 0);
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
  Play((fdwSound & SND_NODEFAULT) ? std::vector<Sint16>() : soundPlayer.chime);
  return FALSE;
}

BOOL WINAPI MessageBeep(UINT) {
  if (EnsureDevice()) Play(soundPlayer.chime);
  return TRUE;
}
