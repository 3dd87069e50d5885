// The car step's sound requests: the loops and one-shots that follow a car's
// brakes, wheels, gearbox, turbo and landings.  Each returns at once while
// SoundOn is 0.
#pragma once

// Starts or stops the car's brake loop from BrakeLightOn.
void UpdateBrakeSound(int car);
// Follows the handbrake loop flag (HandbrakeSoundOn).
void UpdateHandbrakeSound(int car);
// Follows the manual gearbox's over-rev flag (OverRevSoundOn).
void UpdateOverRevSound(int car);
// The reverse beep of car models 3, 10 and 15 (ReverseBeepOn).
void UpdateReverseSound(int car);
// Every other tick: the tyre loop from the car's sideways slide.
void UpdateTyreSquealSound(int listenerDistance, int car);
// Follows WheelSpin.
void UpdateWheelSpinSound(int car);
// The turbo-ready cue of the JUMP events.
void UpdateTurboReadySounds(int car);
// The turbo-burning loop of the JUMP events.
void PlayTurboSound(int on, int car);
// The arena bus loop, from BusContact.
void UpdateBusSound(int unused1, int unused2);
// A one-shot when a car starts (1) or ends (0) a spin-out.
void PlayGripLossSound(int car, int on);
// A one-shot after a landing of more than 8 airborne ticks (reads LandingTicks).
void PlayLandingSound(int listenerDistance, int car);
// The arena crush samples.
void PlayCrushSound(int unused, int variant);
// A car touched a wall (WallImpactState tells how: 3 scrape, 1 impact, 2
// impact along the wall).  distance: the car's distance from the camera.
void PlayWallCrashSound(int distance, int car, int unused);
// A car was hit by another (CarCrashKind tells how hard).
void PlayCarCrashSound(int distance, int car);
// The race frame's sound drivers: the engines of a one-player race, of
// split screen and of a replay or the presentation; the horn of car 0; the
// crowd near the listener's car and the ocean of the buggy tracks.
void DriveEngineSoundsSolo();
void DriveEngineSoundsSplit();
void DriveEngineSoundsReplay();
void UpdateHornSound(int car);
void UpdateCrowdSound(int car);
void UpdateOceanSound();
