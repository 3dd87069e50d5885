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
//   400  point 320 250             the pointer to (320, 250) of the 640 x 480 layout
//   400  system-pointer 512 384    the system pointer to (512, 384) of the window (headless)
//   401  click                     a click of the left button
//   410  type ABC                  types the rest of the line, one character a frame
//   420  shot main.tga             a TGA of that frame
//   420  expect-screen 0           the run ends with exit status 3 unless screen 0 is shown
//
// Keys reach the keyboard state and the window (Enter, Escape, Tab and
// Backspace also type their character, as a keyboard does).  The joystick
// lines drive the headless backend's fake joystick; the pointer and the
// click go through the fake mouse (the game tells the script where its
// pointer stands, so a move lands exactly); the system pointer is the one
// a game in a window follows (in pixels of the window); typed text goes
// through the window's character messages.  Lines are delivered in frame
// order, lines of one frame in file order.  Shots and screen checks are
// taken after the frame is drawn: the game asks for them with
// PlatScriptNextCheck.
#pragma once

enum { SCRIPT_MAX_EVENTS = 16384, SCRIPT_ERROR_SIZE = 256, SCRIPT_NAME_SIZE = 64 };

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

// Where the game's pointer stands now (640 x 480 layout); the next "point"
// moves it from there.
void PlatScriptPointerAt(float x, float y);

// A check the game makes after drawing a frame.
enum { SCRIPT_CHECK_SHOT = 1, SCRIPT_CHECK_SCREEN = 2 };
struct PlatScriptCheck {
    int kind;
    int screen;                     // SCRIPT_CHECK_SCREEN: the screen expected
    char name[SCRIPT_NAME_SIZE];    // SCRIPT_CHECK_SHOT: the file to write
};
// The next check stamped with a frame up to `frame`: 1 and *out filled, or
// 0 when none is left for it.
int PlatScriptNextCheck(int frame, PlatScriptCheck* out);
