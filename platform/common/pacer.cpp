#include "platform/common/pacer.h"

FramePacer::FramePacer(double framesPerSecond, FrameClock* clock)
    : clock_(clock),
      period_(std::chrono::duration_cast<Duration>(
          std::chrono::duration<double>(1.0 / framesPerSecond))) {}

void FramePacer::Wait() {
  const FrameClock::TimePoint now = clock_->Now();
  if (!started_ || now - due_ > kLongestCatchUp) {
    started_ = true;
    due_ = now + period_;
    return;
  }
  // A late wake-up does not move the grid: the next instant is counted from
  // this one, not from the time the sleep ended.
  if (now < due_) clock_->SleepUntil(due_);
  due_ += period_;
}
