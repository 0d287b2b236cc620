// Linux layer, for the tests only: the probe of the sound player
// (sound_probe.h). Linked into the test programs, never into the product.

#include "platform/linux/sound_probe.h"

#include "platform/linux/sound_player.h"

SoundProbe ProbeSound() {
  SoundProbe probe;
  if (soundPlayer.device != SoundDevice::kOpen) return probe;
  probe.deviceOpen = true;
  probe.bufferFrames = soundPlayer.spec.samples;
  probe.rate = soundPlayer.spec.freq;
  SDL_LockAudioDevice(soundPlayer.id);
  probe.frames = soundPlayer.playing.size();
  probe.taken = soundPlayer.position;
  SDL_UnlockAudioDevice(soundPlayer.id);
  return probe;
}
