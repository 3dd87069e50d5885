// Car model set-up: the starting grid.
#pragma once

// Puts the cars of the race on the starting grid of the track (cocheX ...,
// CarHeading, then SimPosX ...).
void SetUpCarsForRace();
// The grid layout a track code uses (0..17).
int GridLayoutOf(int trackCode);
