// Shared by the Linux layer's sound player (sound.cpp) and the probe its
// tests link (sound_probe.cpp): the player's state. Nothing else includes
// this file.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <vector>

enum class SoundDevice { kUntried, kOpen, kNone };

struct SoundPlayer {
  SoundDevice device = SoundDevice::kUntried;
  SDL_AudioDeviceID id = 0;
  // The device's format, which every sound is converted to.
  SDL_AudioSpec spec{};
  std::vector<Sint16> chime;
  // Shared with the audio callback: changed only with the device locked.
  // What the device is to play, and how many of its frames it has taken:
  // what the sounds given before still owed when the last was given (see
  // Play in sound.cpp), then the sound given last, from `start`.
  std::vector<Sint16> playing;
  std::size_t position = 0;
  std::size_t start = 0;
  // When the sound given last was given, on SDL's performance counter.
  Uint64 given = 0;
};

// The one player of the process.
extern SoundPlayer soundPlayer;
