// Keyboard and mouse.
#pragma once

extern unsigned char KeyState[256];
extern float MouseFloatX, MouseFloatY;
extern int MouseX, MouseY;
extern int MouseClick;
extern int MouseButtons;

int KeyboardInit(int window);
void KeyboardAcquire(int window);
int KeyboardRead(int window);
void KeyboardRelease();
int IsKeyDown(int virtualKey);
int MouseInit(int window);
void PollMouse(int window, int detectClicks);
void MouseRelease();
