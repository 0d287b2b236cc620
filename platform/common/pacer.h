// Holds a frame loop to a grid of instants, one every 1/rate seconds, on a
// clock that the caller gives.
//
// Call Wait once per frame, when the frame is over (shown, or left on screen
// as it was). Frame k of the grid ends at the grid's start plus k periods:
// - a frame that ends before its instant waits for it;
// - a frame that ends after its instant is followed at once by the next, and
//   frames run back to back until one ends before its instant again, so an
//   overrun is made up by the frames after it (frames that show nothing new
//   make it up unseen);
// - a frame that ends more than kLongestCatchUp after its instant (a stall:
//   a suspended laptop, a stopped process) starts the grid again from its
//   own end, instead of racing through the ticks it missed.
// The first call starts the grid and returns at once.
#pragma once

#include <chrono>

// The time and the sleep a pacer uses.
class FrameClock {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;

  virtual TimePoint Now() = 0;
  // Returns at t or later.
  virtual void SleepUntil(TimePoint t) = 0;

 protected:
  ~FrameClock() = default;
};

class FramePacer {
 public:
  using Duration = std::chrono::steady_clock::duration;

  // The longest lateness that later frames make up.
  static constexpr std::chrono::milliseconds kLongestCatchUp{250};

  // clock is not owned and must outlive the pacer.
  FramePacer(double framesPerSecond, FrameClock* clock);

  // Returns at the end of the current frame's period on the grid.
  void Wait();

 private:
  FrameClock* clock_;
  Duration period_;
  FrameClock::TimePoint due_;
  bool started_ = false;
};
