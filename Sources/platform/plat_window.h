// Platform layer: the main window and its message queue.
//
// The game's window procedure receives the messages below.  The backend
// turns its events into them: focus changes arrive as WM_ACTIVATE (wParam 1
// active, 0 inactive), a close request as WM_CLOSE, keys as WM_KEYDOWN /
// WM_KEYUP with the virtual key in wParam, typed characters as WM_CHAR, and
// window timers (synthesised by the queue from the clock) as WM_TIMER with
// the timer id in wParam.
#pragma once

#include <cstdint>

enum PlatMessageId {
    WM_NULL = 0,
    WM_CREATE,
    WM_DESTROY,
    WM_ACTIVATE,
    WM_CLOSE,
    WM_QUIT,
    WM_KEYDOWN,
    WM_KEYUP,
    WM_CHAR,
    WM_TIMER,
    WM_COMMAND,
    WM_SETCURSOR,
    WM_GETMINMAXINFO,
    WM_ENTERMENULOOP,
    WM_EXITMENULOOP,
    WM_ENTERSIZEMOVE,
    WM_EXITSIZEMOVE,
    WM_MOUSEBUTTON,   // wParam: 1 left down, 0 left up (headless scripts)
    WM_MOUSEMOVE,     // wParam: dx, lParam: dy (relative motion, headless scripts)
    WM_MOUSEPOSITION, // wParam: x, lParam: y (the system pointer over the client, headless scripts)
};

struct PlatRect;

struct PlatMsg {
    int message;
    uintptr_t wParam;
    intptr_t lParam;
    uint32_t time;
};

typedef intptr_t (*PlatWindowProc)(int message, uintptr_t wParam, intptr_t lParam);

// Creates the full-desktop window and sends it WM_CREATE; 1 on success.
// It is full screen until the display puts it in a window (the cooperative
// level).  Headless: a window that exists only as a queue.
int PlatCreateWindow(const char* title, PlatWindowProc proc);
// Sends WM_DESTROY and closes the window.
void PlatDestroyWindow();
int PlatWindowExists();

void PlatDesktopSize(int* width, int* height);
// The window's client area on the desktop, as it is in a window.  Set while
// the window is full screen, the place and size wait until it leaves full
// screen.
void PlatWindowGetRect(PlatRect* rect);
void PlatWindowSetRect(const PlatRect* rect);
int PlatWindowIsMinimised();
// The window is the active window (GetActiveWindow): it holds the focus.
int PlatWindowIsActive();
void PlatShowCursor(int show);

// Takes the next waiting message; 0 when none waits (PeekMessage).
int PlatPeekMessage(PlatMsg* msg);
// Waits for the next message; 0 when it is WM_QUIT (GetMessage).
int PlatGetMessage(PlatMsg* msg);
intptr_t PlatDispatchMessage(const PlatMsg* msg);
// Calls the window procedure at once (SendMessage).
intptr_t PlatSendMessage(int message, uintptr_t wParam, intptr_t lParam);
void PlatPostMessage(int message, uintptr_t wParam, intptr_t lParam);
void PlatPostQuitMessage(int exitCode);
// The default handling of messages the game does not consume.
intptr_t PlatDefWindowProc(int message, uintptr_t wParam, intptr_t lParam);

// Window timers: WM_TIMER every periodMs while set.
void PlatSetTimer(int id, int periodMs);
void PlatKillTimer(int id);

// Called by the message loop before each idle frame.  On the real backend it
// does nothing; the headless lockstep backend moves the manual clock by the
// ticks of one frame here (see plat_headless.h).
void PlatFrameIdle();
