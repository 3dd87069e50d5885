// Race set-up.
#pragma once

// Fills the race tables with a valid race for the current set-up variables.
void StartRace();
