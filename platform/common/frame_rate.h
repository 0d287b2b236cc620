// The program's frame rate: 60 frames a second on every machine, because
// its time is counted in frames. Not a Windows function: the one piece of
// pacing code that both systems share, over FramePacer.
#pragma once

// Call once per frame, right after SwapBuffers: returns when the frame's
// 1/60 s is over. The display's vertical sync does the waiting where it runs
// at 60 Hz; elsewhere the wait is the pacer's own.
void WaitForNextFrame();

// Whether buffer swaps of the current OpenGL context wait for a vertical
// sync at 60 Hz, after asking for one; implemented once per system, and
// asked once, at the first frame.
bool VerticalSyncAt60();
