// Race set-up.
#pragma once

// Fills the race tables with a valid race for the current set-up variables:
// clocks, laps and flags from the start, every car at the start pose and
// then on the grid, and the chase camera behind car 0.
void StartRace();
// The same for the restart from the grid that ends the fly-by: the sounds
// the fly-by started (the crowd, the engines) play on into the countdown.
void StartRaceKeepingSounds();
// The lighting files, the per-car start values, the grid and the cameras.
void LoadLightingAndSetUpCars();
// The plan position of a track group's common start pose (group 1's for a
// group outside 1..7).
void StartPosePosition(int group, float* x, float* z);
