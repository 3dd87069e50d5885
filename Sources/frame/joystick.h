// The force-feedback joystick.
#pragma once

extern int JoystickDeadzone;
extern int JoystickActive;

int JoystickInit(int instance, int window);
void JoystickRelease();
