#include "platform/common/pacer.h"

#include <thread>

namespace {

// Frames over which a trusted vertical sync is checked, and the shortest
// mean frame time that still counts as synchronised.
constexpr int kCheckFrames = 10;
constexpr double kShortestSyncedShare = 0.95;
// While checking a vertical sync, frames are never let through faster than
// this share of the period, so that a sync that does not wait costs at most
// a few frames' worth of time.
constexpr double kGuardShare = 0.9;

}  // namespace

FramePacer::FramePacer(double framesPerSecond)
    : period_(std::chrono::duration_cast<Clock::duration>(
          std::chrono::duration<double>(1.0 / framesPerSecond))) {}

void FramePacer::TrustVerticalSync(bool trusted) {
  verticalSync_ = trusted;
  checkedFrames_ = 0;
}

void FramePacer::Wait() {
  const Clock::time_point now = Clock::now();
  if (!started_) {
    started_ = true;
    last_ = now;
    next_ = now + period_;
    return;
  }
  if (verticalSync_) {
    CheckVerticalSync(now);
  } else {
    WaitOwnPeriod(now);
  }
}

void FramePacer::WaitOwnPeriod(Clock::time_point now) {
  if (now < next_) {
    std::this_thread::sleep_until(next_);
    last_ = next_;
    next_ += period_;
  } else {
    last_ = now;
    next_ = now + period_;
  }
}

void FramePacer::CheckVerticalSync(Clock::time_point now) {
  const auto guard = std::chrono::duration_cast<Clock::duration>(period_ * kGuardShare);
  if (now < last_ + guard) {
    std::this_thread::sleep_until(last_ + guard);
    now = last_ + guard;
  }
  if (checkedFrames_ < kCheckFrames) {
    if (checkedFrames_ == 0) checkStart_ = last_;
    ++checkedFrames_;
    if (checkedFrames_ == kCheckFrames &&
        now - checkStart_ < period_ * kCheckFrames * kShortestSyncedShare) {
      verticalSync_ = false;
    }
  }
  last_ = now;
  next_ = now + period_;
}
