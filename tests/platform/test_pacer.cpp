// Frame pacing: one frame every 1/60 s whatever the frame's own work, no
// catching up after an overrun, and a vertical sync that claims to wait but
// does not is found out and replaced.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "platform/common/pacer.h"

namespace {

using Reloj = std::chrono::steady_clock;

double Segundos(Reloj::duration d) { return std::chrono::duration<double>(d).count(); }

TEST(FramePacerTest, HoldsFramesWithoutWorkToTheRate) {
  FramePacer pacer(60.0);
  pacer.Wait();
  const Reloj::time_point inicio = Reloj::now();
  for (int i = 0; i < 60; ++i) pacer.Wait();
  EXPECT_NEAR(Segundos(Reloj::now() - inicio), 1.0, 0.05) << "60 frames at 60 per second";
}

TEST(FramePacerTest, AnOverrunFrameIsNotMadeUpByShorterOnes) {
  FramePacer pacer(60.0);
  pacer.Wait();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  pacer.Wait();
  std::vector<double> intervalos;
  Reloj::time_point antes = Reloj::now();
  for (int i = 0; i < 5; ++i) {
    pacer.Wait();
    const Reloj::time_point ahora = Reloj::now();
    intervalos.push_back(Segundos(ahora - antes));
    antes = ahora;
  }
  // Making up the lost frames would send several at once. A late wake-up
  // (a loaded machine) shortens only the interval after it, by the delay.
  double total = 0.0;
  for (double intervalo : intervalos) {
    EXPECT_GT(intervalo, 0.5 / 60.0) << "a frame after the overrun came at once";
    total += intervalo;
  }
  EXPECT_GT(total, 4.5 / 60.0) << "the five frames after the overrun came early";
}

TEST(FramePacerTest, AVerticalSyncThatDoesNotWaitIsReplaced) {
  FramePacer pacer(60.0);
  pacer.TrustVerticalSync(true);
  pacer.Wait();
  const Reloj::time_point inicio = Reloj::now();
  for (int i = 0; i < 120; ++i) pacer.Wait();
  // A few frames may pass at the guard's pace before the pacer takes over.
  EXPECT_NEAR(Segundos(Reloj::now() - inicio), 2.0, 0.1);
}

}  // namespace
