// Keyboard and mouse.  Their state (KeyState, the mouse cursor and click)
// is declared in frame_state.h.
#pragma once

#include "frame/frame_state.h"

int KeyboardInit(int window);
void KeyboardAcquire(int window);
int KeyboardRead(int window);
// After each frame: a key the frame saw down only through a tap between
// two reads goes back up.
void KeyboardFrameDone();
void KeyboardRelease();
int IsKeyDown(int virtualKey);
int MouseInit(int window);
void PollMouse(int window, int detectClicks);
void MouseRelease();
