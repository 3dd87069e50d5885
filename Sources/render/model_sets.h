// The race model sets: world, scenery, car parts and wheels.
#pragma once

// Forgets the objects of the last race (the pools are emptied beside it).
void ClearRaceObjectCounters();
