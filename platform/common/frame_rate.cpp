#include "platform/common/frame_rate.h"

#include <thread>

#include "platform/common/pacer.h"
#include "platform/platform.h"

namespace {

class SystemClock : public FrameClock {
 public:
  TimePoint Now() override { return std::chrono::steady_clock::now(); }
  void SleepUntil(TimePoint t) override { std::this_thread::sleep_until(t); }
};

struct FrameRateState {
  SystemClock clock;
  FramePacer pacer{double(kFramesPerSecond), &clock};
  bool started = false;
};
FrameRateState state;

}  // namespace

void WaitForNextFrame() {
  if (!state.started) {
    state.started = true;
    // Windows sleeps in steps of its timer, 15.6 ms unless a program asks
    // for finer ones: a frame's sleep would then overshoot by most of a frame.
    timeBeginPeriod(1);
  }
  state.pacer.Wait();
}
