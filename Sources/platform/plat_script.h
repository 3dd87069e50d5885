// Platform layer: scripted input of whole-program runs (`--script FILE`).
//
// A script is text, one event a line, each stamped with the frame before
// which it happens (frames count from 0, the first frame of the run):
//
//   # comment (also after an event)
//   0    joy attach force          joystick: none, plain, force or rumble (headless)
//   30   key down RETURN           a key of the key table, by name or 0xNN scan code
//   31   key up RETURN
//   300  joy axis x 16000          raw axis position -32768..32767 (x or y)
//   310  joy button 0 down         button from 0
//
// Keys reach the keyboard state and the window (Enter, Escape, Tab and
// Backspace also type their character, as a keyboard does).  The joystick
// lines drive the headless backend's fake joystick.  Lines are delivered in
// frame order, lines of one frame in file order.  Room is kept for the
// pointer, typing and screen checks of later scripts: each is one verb.
#pragma once

enum { SCRIPT_MAX_EVENTS = 16384, SCRIPT_ERROR_SIZE = 256 };

// Reads the script from a host path; 1 on success, else 0 with the reason
// (and its line) in `error`.  A new load replaces the old script.
int PlatScriptLoad(const char* hostPath, char* error, int errorSize);
// The same from text in memory.
int PlatScriptParse(const char* text, char* error, int errorSize);
void PlatScriptClear();
// Delivers every event stamped with this frame (the frame loop calls it
// before each frame).
void PlatScriptFrame(int frame);
int PlatScriptEventCount();
// The last frame any event is stamped with; -1 without a script.
int PlatScriptLastFrame();
