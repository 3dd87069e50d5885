// Platform layer: start-up, debug output, message boxes and sleeping.
//
// The game talks to the machine only through the Plat* functions of this
// folder.  Two backends stand behind them: the real one (SDL2 window, input,
// audio and haptics, OpenGL, POSIX files and sockets) and a headless one that
// tests drive (manual clock, scripted events, surfaces in memory).
#pragma once

#include <cstdint>

enum PlatBackend {
    PLAT_BACKEND_REAL = 0,
    PLAT_BACKEND_HEADLESS = 1,
};

// Starts the chosen backend; 1 on success.  The headless backend always
// starts; the real one fails when no video device can be opened.
int PlatInit(int backend);
void PlatShutdown();
int PlatIsHeadless();

// Debugger output (the framework's diagnostics, the debug-log hooks): shown
// on stderr only when enabled with --debug.
void PlatSetDebugOutput(int on);
int PlatDebugOutputOn();
void PlatDebugOut(const char* text);

// Sleeps on the current thread.  With the manual clock the clock moves
// instead, so a 10 ms pause in a hand-over costs no real time in tests.
void PlatSleepMs(int ms);

// Message box flags.
enum {
    PLAT_MB_OK = 0x00,
    PLAT_MB_ICONERROR = 0x10,
};

// Shows a modal message box (SDL's; stderr when no display is available).
// The headless backend records (caption, text) instead; see plat_headless.h.
void PlatMessageBox(const char* caption, const char* text, int flags);

// The desktop's alert sound: the terminal bell on stderr when stderr is a
// terminal (nothing otherwise).  The headless backend counts the beeps; see
// plat_headless.h.
void PlatMessageBeep();
