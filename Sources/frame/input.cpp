#include "frame/input.h"

unsigned char KeyState[256];
float MouseFloatX = 320.0f, MouseFloatY = 240.0f;
int MouseX = 320, MouseY = 240;
int MouseClick;
int MouseButtons;

// The input devices are not read yet: keys arrive only as window messages.
int KeyboardInit(int) { return 0; }
void KeyboardAcquire(int) {}
int KeyboardRead(int) { return 0; }
void KeyboardRelease() {}
int IsKeyDown(int) { return 0; }
int MouseInit(int) { return 1; }
void PollMouse(int, int) {}
void MouseRelease() {}
