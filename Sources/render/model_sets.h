// The race model sets: world, scenery, car parts and wheels.
#pragma once

// Forgets the objects of the last race (the pools are emptied beside it).
void ClearRaceObjectCounters();

// Loads the race's objects into the pools; nothing in the menus.  For now
// the set is the world object alone.
void LoadRaceModels();

// The track's world "MUNDO<group><variant>", registered as "MUNDO%02d".
void LoadWorldModel();
