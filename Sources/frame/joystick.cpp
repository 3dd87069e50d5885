#include "frame/joystick.h"

int JoystickDeadzone = 1000;
int JoystickActive;

// No joystick is opened yet: play goes on with the keyboard.
int JoystickInit(int, int) { return 0; }
void JoystickRelease() { JoystickActive = 0; }
