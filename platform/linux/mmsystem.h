// The sound player and the timer resolution of the Linux layer, declared as
// in Windows.
#pragma once

#include "platform/linux/windef.h"

// Windows declares its API with C linkage; so does the layer.
extern "C" {

#define SND_SYNC 0x0000
#define SND_ASYNC 0x0001
#define SND_NODEFAULT 0x0002
#define SND_MEMORY 0x0004
#define SND_FILENAME 0x00020000L

// Starts a sound: with SND_MEMORY, pszSound is the address of a WAVE image;
// with SND_FILENAME, the name of a WAVE file. With SND_ASYNC the call returns
// at once and a later sound cuts the one playing. When the sound cannot be
// played the default alert sound plays instead (unless SND_NODEFAULT), and
// FALSE is returned. A NULL pszSound stops the sound playing. Without an
// audio device nothing plays and TRUE is returned.
BOOL WINAPI PlaySoundA(LPCSTR pszSound, HMODULE hmod, DWORD fdwSound);

typedef UINT MMRESULT;
#define TIMERR_NOERROR 0

// Asks for sleeps and timers precise to uPeriod milliseconds, for the whole
// process, until the matching timeEndPeriod.
MMRESULT WINAPI timeBeginPeriod(UINT uPeriod);

}  // extern "C"
