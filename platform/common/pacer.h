// Holds a frame loop to a fixed rate: one frame every 1/rate seconds.
//
// Call Wait once per frame, right after the frame is shown. It sleeps out
// what is left of the frame's period; a frame that overran its period is not
// made up by shortening the next one. When the display's vertical sync is
// said to hold the loop at that rate, the pacer leaves the waiting to it,
// checks over the first frames that it really waits, and takes over when it
// does not.
#pragma once

#include <chrono>

class FramePacer {
 public:
  explicit FramePacer(double framesPerSecond);

  // Whether buffer swaps wait for a vertical sync at the pacer's rate.
  void TrustVerticalSync(bool trusted);
  // Waits until the current frame's period is over.
  void Wait();

 private:
  using Clock = std::chrono::steady_clock;

  void WaitOwnPeriod(Clock::time_point now);
  void CheckVerticalSync(Clock::time_point now);

  Clock::duration period_;
  Clock::time_point next_;
  Clock::time_point last_;
  Clock::time_point checkStart_;
  bool started_ = false;
  bool verticalSync_ = false;
  int checkedFrames_ = 0;
};
