// The car step's sound requests: the loops and one-shots that follow a car's
// brakes, wheels, gearbox, turbo and landings.  Each returns at once while
// SoundOn is 0.  A loop starts on the rising edge of its condition and is
// flushed on the falling edge, with a playing flag per car.
#pragma once

// Starts or stops the car's brake loop from BrakeLightOn (and the arena's
// air brake, once per braking).
void UpdateBrakeSound(int car);
// Follows the handbrake loop flag (HandbrakeSoundOn).
void UpdateHandbrakeSound(int car);
// Follows the manual gearbox's over-rev flag (OverRevSoundOn).
void UpdateOverRevSound(int car);
// The reverse beep of car models 3, 10 and 15 (ReverseBeepOn).
void UpdateReverseSound(int car);
// A car driving backwards: the reverse beep of models 3, 10 and 15, the
// tyre loop of every car; nothing calls it (the car step sounds the beep).
void UpdateReverseCue(int car);
// Every other tick: the tyre loop while the car slides sideways.
void UpdateTyreSquealSound(int listenerDistance, int car);
// Follows WheelSpin.
void UpdateWheelSpinSound(int car);
// The JUMP turbo: the ready cue when it charges, and its burning loop.
void UpdateTurboReadySounds(int car);
// The new-turbo and nitro-ready samples.
void PlayTurboFireSounds(int car);
// The burning loop: stop 0 starts it (and keeps its volume), 1 stops it.
void PlayTurboSound(int stop, int car);
// The arena bus loop, from BusContact.
void UpdateBusSound(int car, int unused);
// A one-shot when a car starts (1) a spin-out; 0 ends it.
void PlayGripLossSound(int car, int on);
// A one-shot after a landing of more than 8 airborne ticks.
void PlayLandingSound(int listenerDistance, int car);
// The arena crush samples: mode 0, or 1 on the wheels at some speed.
void PlayCrushSound(int car, int mode);

// The race frame's drivers, the crowd, ocean and horn, and the wall and car
// crashes the collisions report are declared with their own files.
#include "sound/crowd_sound.h"
#include "sound/effect_sounds.h"
#include "sound/engine_sound.h"
