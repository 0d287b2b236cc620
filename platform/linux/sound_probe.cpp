// Linux layer, for the tests only: the probe of the sound player
// (sound_probe.h). Linked into the test programs, never into the product.

#include "platform/linux/sound_probe.h"

#include <algorithm>

#include "platform/linux/sound_player.h"

SoundProbe ProbeSound() {
  SoundProbe probe;
  if (soundPlayer.device != SoundDevice::kOpen) return probe;
  probe.deviceOpen = true;
  probe.bufferFrames = soundPlayer.spec.samples;
  probe.rate = soundPlayer.spec.freq;
  SDL_LockAudioDevice(soundPlayer.id);
  probe.frames = soundPlayer.playing.size() - soundPlayer.start;
  probe.taken = std::max(soundPlayer.position, soundPlayer.start) - soundPlayer.start;
  SDL_UnlockAudioDevice(soundPlayer.id);
  return probe;
}
