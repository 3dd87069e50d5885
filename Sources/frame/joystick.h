// The force-feedback joystick: the first attached joystick, read as a
// direction-and-buttons mask, with the Bounce, Fire and Explode effects.
// Its state (JoystickActive, JoyX ...) is declared in frame_state.h.
#pragma once

#include "frame/frame_state.h"

// Joystick mask bits (JoystickPoll).
enum {
    JOY_DOWN = 0x01,
    JOY_UP = 0x02,
    JOY_RIGHT = 0x04,
    JOY_LEFT = 0x08,
    JOY_BUTTON1 = 0x40,   // buttons 1 to 10 are 0x40 to 0x8000
};

// PlayForceEffects and CreateForceEffects flags.
enum {
    FORCE_BOUNCE = 0x01,
    FORCE_EXPLODE = 0x02,   // CreateForceEffects: look the periodic type up
    FORCE_FIRE = 0x04,      // CreateForceEffects: Fire and Explode
};

// 1 when the device is ready.
int JoystickInit(int instance, int window);
void JoystickRelease();
int JoystickPoll();
int JoystickAcquire();
int CreateForceEffects(int flags);
// 1, or 0 after a failure.
int PlayForceEffects(int flags, int magnitude);
// The effects (-1: none), for the controls screen and the tests.
int JoystickEffectBounce();
int JoystickEffectFire();
int JoystickEffectExplode();
