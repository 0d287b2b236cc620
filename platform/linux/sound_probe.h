// What the sound player of the Linux layer shows its tests: the default
// alert sound it makes (sound.cpp), and the state of its device (the probe,
// sound_probe.cpp, which only the tests link). The engine never includes
// this file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The default alert sound, as the device plays it: mono signed 16-bit
// samples at `rate` per second, two decaying partials lasting 0.3 seconds.
std::vector<std::int16_t> ChimeSamples(int rate);

struct SoundProbe {
  // Whether a device is open; false before the first sound and on a machine
  // without audio.
  bool deviceOpen = false;
  // The device's frames per buffer and frames per second.
  int bufferFrames = 0;
  int rate = 0;
  // The length, in device frames, of the sound given last.
  std::size_t frames = 0;
  // How many of those frames the device has taken so far.
  std::size_t taken = 0;
};

// The player's state now. Starts nothing.
SoundProbe ProbeSound();
