// Engine sound: the three drivers the race frame calls, the per-car models
// they run, the skid of each car, the gear clunk and the Doppler term.
#pragma once

struct CarBody;

// Once per race frame, after the cars were sorted by their distance from the
// eye: a one-player race, a replay (demo or fly-by), split screen.
void DriveEngineSoundsSolo();
void DriveEngineSoundsReplay();
void DriveEngineSoundsSplit();

// The model of CurrentCar at distance d from the listener's eye.
void UpdateEngineSoundSolo(int d, const CarBody* body);
void UpdateEngineSoundReplay(int d, const CarBody* body);
void UpdateEngineSoundSplit(int d, const CarBody* body);

// Starts or stops a car's skid sample from its SkidOn state.
void UpdateSkidSound(int d, int car);
// The gear clunk of a player's car (in the in-car view or with the manual box).
void PlayGearClunk(int player);
// The Doppler term of CurrentCar heard from the local car's eye.
void ComputeDopplerShift();
// The gravel loop of the listener's car on any track, from its speed and its
// wheels on the ground, heard from the car's direction; nothing calls it
// (the drivers run the arena's and cross tracks' own gravel loop).
void UpdateGravelSound();
