#include "frame/input.h"

#include <cstring>

#include "frame/frame_state.h"
#include "platform/plat_input.h"
#include "platform/plat_system.h"

unsigned char KeyState[256];
float MouseFloatX = 320.0f, MouseFloatY = 240.0f;
int MouseX = 320, MouseY = 240;
int MouseClick;
int MouseButtons;

// Set when every button was up at a poll with click detection: the next
// press of the left button alone is a click, and holding it is not another.
static int clickArmed;
// A left press that the input timer's poll read while the click was armed.
// A read takes the buttons' latched presses, so a click pressed and let go
// between two frames (a slow frame, and the timer reads in between) would
// otherwise never reach the frame's poll.
static int pressWaiting;
static int mouseCreated;

// Reading a device that lost its input re-acquires it and reads again; a
// device that keeps losing it is given up after a few tries.
enum { INPUT_LOST_RETRIES = 4 };

int KeyboardInit(int) { return PlatKeyboardCreate(); }

void KeyboardAcquire(int) { PlatKeyboardAcquire(AppActive); }

// The keys each read found down since the frame began: a key pressed and
// let go between two frames (the input timer may read twice in a slow
// frame) stays down in KeyState until the frame that sees it has run, so
// it counts once, as a click does.
static unsigned char keysThisFrame[256];
static unsigned char keysRead[256];

int KeyboardRead(int) {
    int result = PlatKeyboardRead(keysRead);
    for (int i = 0; i < INPUT_LOST_RETRIES && result == PLAT_INPUT_LOST; i++) {
        PlatKeyboardAcquire(1);
        result = PlatKeyboardRead(keysRead);
    }
    if (result == PLAT_INPUT_OK) {
        unsigned char taps[256];
        PlatKeyboardTaps(taps);
        for (int scan = 0; scan < 256; scan++) {
            keysThisFrame[scan] |= keysRead[scan] | taps[scan];
            KeyState[scan] = keysRead[scan] | keysThisFrame[scan];
        }
    }
    return result;
}

void KeyboardFrameDone() {
    for (int scan = 0; scan < 256; scan++) {
        if (keysThisFrame[scan])
            KeyState[scan] = keysRead[scan];
    }
    memset(keysThisFrame, 0, sizeof keysThisFrame);
}

void KeyboardRelease() {
    memset(keysThisFrame, 0, sizeof keysThisFrame);
    memset(keysRead, 0, sizeof keysRead);
    PlatKeyboardAcquire(0);
    PlatKeyboardRelease();
}

int IsKeyDown(int virtualKey) { return PlatKeyDown(virtualKey) ? 1 : 0; }

int MouseInit(int) {
    if (PlatMouseCreate() != PLAT_INPUT_OK) {
        PlatMessageBox("DirectInput Sample", "CreateDevice", PLAT_MB_OK);
        return 0;
    }
    mouseCreated = 1;
    return 1;
}

void PollMouse(int, int detectClicks) {
    if (!mouseCreated)
        return;
    PlatMouseAcquire(1);
    PlatMouseState state;
    int result = PlatMouseRead(&state);
    for (int i = 0; i < INPUT_LOST_RETRIES && result == PLAT_INPUT_LOST; i++) {
        if (PlatMouseAcquire(1) != PLAT_INPUT_OK)
            return;
        result = PlatMouseRead(&state);
    }
    if (result != PLAT_INPUT_OK)
        return;

    if (WindowedMode && state.moved) {
        // In a window the cursor is where the system pointer is.  The menus
        // copy their 640 x 480 picture to the back buffer's corner as it
        // is; a race's 2D drawing is scaled by the surface's size.
        const float layoutX = FrontEndActive ? 1.0f : 640.0f / (float)(SurfaceWidth > 0 ? SurfaceWidth : 640);
        const float layoutY = FrontEndActive ? 1.0f : 480.0f / (float)(SurfaceHeight > 0 ? SurfaceHeight : 480);
        MouseFloatX = state.x * layoutX;
        MouseFloatY = state.y * layoutY;
    } else {
        // The cursor moves half a layout pixel per count.
        MouseFloatX += 0.5f * (float)state.dx;
        MouseFloatY += 0.5f * (float)state.dy;
    }
    if (MouseFloatX < 0.0f)
        MouseFloatX = 0.0f;
    if (MouseFloatX > 637.0f)
        MouseFloatX = 637.0f;
    if (MouseFloatY < 0.0f)
        MouseFloatY = 0.0f;
    if (MouseFloatY > 477.0f)
        MouseFloatY = 477.0f;
    MouseX = (int)MouseFloatX;
    MouseY = (int)MouseFloatY;

    const int left = state.buttons[0] & 0x80;
    if (!detectClicks) {
        pressWaiting |= left && clickArmed;
        return;
    }
    int buttons = (left ? 1 : 0) + ((state.buttons[1] & 0x80) ? 2 : 0);
    if (pressWaiting && buttons == 0)
        buttons = 1;
    pressWaiting = 0;
    MouseClick = 0;
    if (clickArmed && buttons == 1) {
        MouseClick = 1;
        clickArmed = 0;
    } else if (buttons == 0) {
        clickArmed = 1;
    }
    MouseButtons = left ? 0x80 : 0;
}

void MouseRelease() {
    if (!mouseCreated)
        return;
    PlatMouseAcquire(0);
    PlatMouseRelease();
    mouseCreated = 0;
    pressWaiting = 0;
}
