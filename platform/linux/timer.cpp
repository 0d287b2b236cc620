// Linux layer: time.
//
// Implements timeBeginPeriod and GetLocalTime.
// NOTE: Linux sleeps to the microsecond already; there is nothing to raise,
// and every period is accepted.
// NOTE: the local time is the C library's, from the TZ variable or
// /etc/localtime.

#include <sys/time.h>

#include <ctime>

#include "platform/platform.h"

MMRESULT WINAPI timeBeginPeriod(UINT) { return TIMERR_NOERROR; }

void WINAPI GetLocalTime(LPSYSTEMTIME lpSystemTime) {
  timeval now {};
  gettimeofday(&now, nullptr);
  std::tm local {};
  localtime_r(&now.tv_sec, &local);
  lpSystemTime->wYear = static_cast<WORD>(local.tm_year + 1900);
  lpSystemTime->wMonth = static_cast<WORD>(local.tm_mon + 1);
  lpSystemTime->wDayOfWeek = static_cast<WORD>(local.tm_wday);
  lpSystemTime->wDay = static_cast<WORD>(local.tm_mday);
  lpSystemTime->wHour = static_cast<WORD>(local.tm_hour);
  lpSystemTime->wMinute = static_cast<WORD>(local.tm_min);
  lpSystemTime->wSecond = static_cast<WORD>(local.tm_sec);
  lpSystemTime->wMilliseconds = static_cast<WORD>(now.tv_usec / 1000);
}
