#include "platform/common/frame_rate.h"

#include "platform/common/pacer.h"

namespace {

struct FrameRateState {
  FramePacer pacer{60.0};
  bool started = false;
};
FrameRateState state;

}  // namespace

void WaitForNextFrame() {
  if (!state.started) {
    state.started = true;
    state.pacer.TrustVerticalSync(VerticalSyncAt60());
  }
  state.pacer.Wait();
}
