// The simulation timer and the tick: 60 ticks to a second of race time.
#pragma once

// Starts the periodic timer (17 ms in the menus, 16 ms in a race); 1 when it
// runs.  The second argument is the window, which the timer does not need.
int StartTickTimer(int periodMs, int window);
// Stops the timer; no tick runs once it returns.
void StopTickTimer();
// One simulation tick (the timer callback).
void GameTickCallback();
