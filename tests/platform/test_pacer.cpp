// Frame pacing on a clock of the test's own: frames end on the 60 Hz grid,
// an overrun is made up by the frames after it, a late wake-up does not move
// the grid, and a stall starts the grid anew.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/common/pacer.h"

namespace {

using std::chrono::microseconds;

// Time passes only when the pacer sleeps or a frame works; a sleep may wake
// late by a set delay.
class RelojDePrueba : public FrameClock {
 public:
  TimePoint Now() override { return ahora; }
  void SleepUntil(TimePoint t) override {
    if (t > ahora) ahora = t;
    ahora += retrasoAlDespertar;
  }

  TimePoint ahora{std::chrono::hours(1)};
  microseconds retrasoAlDespertar{0};
};

struct Caso {
  std::string nombre;
  // The work of each frame after the first, in microseconds.
  std::vector<long> trabajo;
  microseconds retrasoAlDespertar;
  // When each of those frames starts (Wait returns), in microseconds from
  // the end of the first frame.
  std::vector<long> inicios;
};

// 1/60 s is 16,666.67 us; the pacer keeps the grid in the clock's units, so
// instants are rounded to the microsecond here.
const Caso kCasos[] = {
    {"frames without work start one period apart",
     {0, 0, 0, 0},
     microseconds(0),
     {16667, 33333, 50000, 66667}},
    {"a frame of 50 ms is made up by the frames after it",
     {0, 50000, 0, 0, 0, 0},
     microseconds(0),
     {16667, 66667, 66667, 66667, 83333, 100000}},
    {"frames that each overrun a little keep the grid on average",
     {20000, 10000, 20000, 10000},
     microseconds(0),
     {20000, 33333, 53333, 66667}},
    {"a late wake-up shortens the next frame, not the grid",
     {0, 0, 0},
     microseconds(1000),
     {17667, 34333, 51000}},
    {"a stall of 300 ms starts the grid from its end, without racing",
     {0, 300000, 0, 0},
     microseconds(0),
     {16667, 316667, 333333, 350000}},
    {"a lateness of 240 ms is still made up",
     {0, 256666, 0},
     microseconds(0),
     {16667, 273333, 273333}},
};

TEST(FramePacerTest, FramesStartOnTheGridOrCatchUpWithIt) {
  for (const Caso& caso : kCasos) {
    RelojDePrueba reloj;
    reloj.retrasoAlDespertar = caso.retrasoAlDespertar;
    FramePacer pacer(60.0, &reloj);
    pacer.Wait();
    const FrameClock::TimePoint origen = reloj.ahora;
    std::vector<long> inicios;
    for (long trabajo : caso.trabajo) {
      reloj.ahora += microseconds(trabajo);
      pacer.Wait();
      const auto inicio =
          std::chrono::duration_cast<std::chrono::nanoseconds>(reloj.ahora - origen);
      inicios.push_back(static_cast<long>((inicio.count() + 500) / 1000));
    }
    EXPECT_EQ(inicios, caso.inicios) << caso.nombre;
  }
}

}  // namespace
