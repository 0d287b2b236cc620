// The program's frame rate: 60 frames a second on every machine, because
// its time is counted in frames. Not a Windows function: the one piece of
// pacing code that both systems share, over FramePacer and the system's
// steady clock.
#pragma once

// Frames a second, the unit of every duration in the program.
constexpr int kFramesPerSecond = 60;

// Call once per frame, when the frame is over (swapped, or left on screen as
// it was): returns at the end of the frame's tick on the program's 60 Hz
// grid. Frames after an overrun come at once until the grid is met again; a
// stall of more than a quarter of a second starts the grid anew.
void WaitForNextFrame();
