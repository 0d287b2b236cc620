// Linux layer: the timer resolution.
//
// Implements timeBeginPeriod.
// NOTE: Linux sleeps to the microsecond already; there is nothing to raise,
// and every period is accepted.

#include "platform/platform.h"

MMRESULT WINAPI timeBeginPeriod(UINT) { return TIMERR_NOERROR; }
