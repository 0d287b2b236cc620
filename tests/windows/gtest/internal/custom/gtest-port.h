// GoogleTest's hook for platform settings, for the Windows tests built with
// Debian's MinGW-w64, whose default runtime (Windows threads) has no
// std::mutex or std::condition_variable. GoogleTest needs them only for its
// Notification, which it uses solely to start threads in its own tests; this
// one gives the same contract on an atomic flag. Everything else of
// GoogleTest's Windows threading is its own, on Win32 calls.
#pragma once

#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

// Lets a controller thread hold newly created threads until it notifies.
class Notification {
 public:
  Notification() = default;
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { notified_.store(true, std::memory_order_release); }

  void WaitForNotification() {
    while (!notified_.load(std::memory_order_acquire)) {
    }
  }

 private:
  std::atomic<bool> notified_{false};
};

}  // namespace internal
}  // namespace testing
