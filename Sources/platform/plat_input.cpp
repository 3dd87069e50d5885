// Keyboard, mouse and joystick: acquisition, the state that the events
// build, axis ranges and dead zones, and force-feedback effects (played as
// rumble on devices that have only rumble motors).

#include "platform/plat_input.h"

#include <cmath>
#include <cstring>

#include "platform/plat_devices_internal.h"
#include "platform/plat_headless_devices.h"
#include "platform/plat_keys.h"
#include "platform/plat_system.h"

// A device's acquisition: created, acquired, and whether input was lost
// since (the window lost the focus).
struct DeviceAccess {
    int created, acquired, lost;
};

static int ReadAccess(const DeviceAccess& a) {
    if (!a.created)
        return PLAT_INPUT_NO_DEVICE;
    if (!a.acquired)
        return PLAT_INPUT_NOT_ACQUIRED;
    if (a.lost)
        return PLAT_INPUT_LOST;
    return PLAT_INPUT_OK;
}

static int Acquire(DeviceAccess& a, int acquire) {
    if (!a.created)
        return PLAT_INPUT_NO_DEVICE;
    a.acquired = acquire != 0;
    a.lost = 0;
    return PLAT_INPUT_OK;
}

static DeviceAccess keyboard, mouse, joystick;

// Keys down by scan code, and the virtual key each one gave when pressed;
// the keys pressed since the last read, so a tap shorter than the time
// between two reads is still read once.
static unsigned char keysDown[256];
static unsigned char keyVirtual[256];
static unsigned char keysPressed[256];

static int mouseDx, mouseDy;
static int mouseHeld, mousePressed;   // bit 0 left, 1 right, 2 middle

// The system pointer: captured while an acquired mouse meets a full-screen
// display; otherwise free, and then its last place over the window's output.
static int captured;
static int pointerMoved;
static float pointerX, pointerY;

void InputReset() {
    keyboard = mouse = joystick = {};
    memset(keysDown, 0, sizeof keysDown);
    memset(keyVirtual, 0, sizeof keyVirtual);
    memset(keysPressed, 0, sizeof keysPressed);
    mouseDx = mouseDy = mouseHeld = mousePressed = 0;
    captured = pointerMoved = 0;
    pointerX = pointerY = 0.0f;
}

void InputFocusChanged(int focused) {
    if (focused)
        return;
    DeviceAccess* const devices[] = {&keyboard, &mouse, &joystick};
    for (DeviceAccess* a : devices) {
        if (a->acquired)
            a->lost = 1;
    }
}

// ---------------------------------------------------------------------------
// Keyboard.

void InputKeyEvent(int scan, int virtualKey, int down) {
    if (scan <= 0 || scan > 255)
        return;
    keysDown[scan] = down ? 0x80 : 0;
    if (down) {
        keyVirtual[scan] = (unsigned char)virtualKey;
        keysPressed[scan] = 0x80;
    }
}

int PlatKeyboardCreate() {
    keyboard.created = 1;
    return PLAT_INPUT_OK;
}

void PlatKeyboardRelease() { keyboard = {}; }

int PlatKeyboardAcquire(int acquire) {
    memset(keysPressed, 0, sizeof keysPressed);   // no press from before is read after
    return Acquire(keyboard, acquire);
}

int PlatKeyboardRead(unsigned char state[256]) {
    const int code = ReadAccess(keyboard);
    if (code != PLAT_INPUT_OK)
        return code;
    memcpy(state, keysDown, 256);
    return PLAT_INPUT_OK;
}

void PlatKeyboardTaps(unsigned char pressed[256]) {
    memcpy(pressed, keysPressed, 256);
    memset(keysPressed, 0, sizeof keysPressed);
}

int PlatKeyDown(int virtualKey) {
    switch (virtualKey) {
    case VK_LBUTTON: return (mouseHeld & 1) != 0;
    case VK_RBUTTON: return (mouseHeld & 2) != 0;
    case VK_MBUTTON: return (mouseHeld & 4) != 0;
    default: break;
    }
    if (virtualKey <= 0 || virtualKey > 255)
        return 0;
    for (int scan = 1; scan < 256; scan++) {
        if (keysDown[scan] && keyVirtual[scan] == virtualKey)
            return 1;
    }
    return 0;
}

// ---------------------------------------------------------------------------
// Mouse.

void InputMouseMotion(int dx, int dy) {
    // An exclusive mouse sees motion only while the game holds it.
    if (!mouse.acquired)
        return;
    mouseDx += dx;
    mouseDy += dy;
}

void InputMousePosition(float x, float y) {
    // A captured pointer has no place of its own: only its motion counts.
    if (!mouse.created || captured)
        return;
    pointerX = x;
    pointerY = y;
    pointerMoved = 1;
}

// The game holds the system pointer only in full screen.  When it lets it
// go, the pointer's place counts at once, so the game's pointer comes to it.
static void UpdateCapture() {
    const int capture = mouse.acquired && DisplayIsFullScreen();
    if (capture == captured)
        return;
    captured = capture;
    if (PlatIsHeadless())
        return;
    SdlMouseCapture(capture);
    float x = 0.0f, y = 0.0f;
    if (!capture && SdlMousePosition(&x, &y))
        InputMousePosition(x, y);
}

void InputDisplayModeChanged() { UpdateCapture(); }

void InputMouseButton(int button, int down) {
    if (button < 0 || button > 2)
        return;
    if (down) {
        mouseHeld |= 1 << button;
        mousePressed |= 1 << button;
    } else {
        mouseHeld &= ~(1 << button);
    }
}

void InputMouseButtons(int mask) {
    for (int b = 0; b < 3; b++)
        InputMouseButton(b, (mask >> b) & 1);
}

int PlatMouseCreate() {
    mouse.created = 1;
    return PLAT_INPUT_OK;
}

void PlatMouseRelease() {
    if (captured && !PlatIsHeadless())
        SdlMouseCapture(0);
    captured = pointerMoved = 0;
    mouse = {};
}

int PlatMouseAcquire(int acquire) {
    if (!mouse.created)
        return PLAT_INPUT_NO_DEVICE;
    if (!acquire)
        mouseDx = mouseDy = 0;
    const int code = Acquire(mouse, acquire);
    UpdateCapture();
    return code;
}

int PlatMouseRead(PlatMouseState* state) {
    const int code = ReadAccess(mouse);
    if (code != PLAT_INPUT_OK)
        return code;
    state->dx = mouseDx;
    state->dy = mouseDy;
    mouseDx = mouseDy = 0;
    // A click shorter than the time between two reads still shows once.
    const int buttons = mouseHeld | mousePressed;
    mousePressed = 0;
    for (int b = 0; b < 4; b++)
        state->buttons[b] = (buttons >> b) & 1 ? 0x80 : 0;
    state->moved = pointerMoved;
    state->x = state->y = 0.0f;
    if (pointerMoved)
        DisplayOutputToPicture(pointerX, pointerY, &state->x, &state->y);
    pointerMoved = 0;
    return PLAT_INPUT_OK;
}

// ---------------------------------------------------------------------------
// Joystick.

struct AxisSetting {
    int minimum, maximum, deadzone;
};

struct Effect {
    int used;
    int backendId;   // -1 when played as rumble
    int starts;
    PlatEffectDesc desc;
};

static AxisSetting axes[2];
static int hapticKind;
static Effect effects[PLAT_MAX_EFFECTS];

static int BackendCount() { return PlatIsHeadless() ? FakeJoyCount() : SdlJoyCount(); }

int PlatJoystickCount() { return BackendCount(); }

int PlatJoystickIsOpen() { return joystick.created; }

static void ReleaseAllEffects() {
    for (int i = 0; i < PLAT_MAX_EFFECTS; i++)
        PlatJoystickReleaseEffect(i);
}

void PlatJoystickClose() {
    if (!joystick.created)
        return;
    ReleaseAllEffects();
    if (PlatIsHeadless())
        FakeJoyClose();
    else
        SdlJoyClose();
    joystick = {};
    hapticKind = 0;
}

int PlatJoystickOpen(int index) {
    PlatJoystickClose();
    if (index < 0 || index >= BackendCount())
        return PLAT_INPUT_NO_DEVICE;
    const int code = PlatIsHeadless() ? FakeJoyOpen(index, &hapticKind) : SdlJoyOpen(index, &hapticKind);
    if (code != PLAT_INPUT_OK)
        return code;
    for (AxisSetting& a : axes)
        a = {-32768, 32767, 0};
    joystick.created = 1;
    return PLAT_INPUT_OK;
}

int PlatJoystickSetRange(int axis, int minimum, int maximum) {
    if (!joystick.created)
        return PLAT_INPUT_NO_DEVICE;
    if (axis < 0 || axis > 1 || minimum >= maximum)
        return PLAT_INPUT_FAILED;
    axes[axis].minimum = minimum;
    axes[axis].maximum = maximum;
    return PLAT_INPUT_OK;
}

int PlatJoystickSetDeadzone(int axis, int deadzone) {
    if (!joystick.created)
        return PLAT_INPUT_NO_DEVICE;
    if (axis < 0 || axis > 1 || deadzone < 0 || deadzone > 10000)
        return PLAT_INPUT_FAILED;
    axes[axis].deadzone = deadzone;
    return PLAT_INPUT_OK;
}

int PlatJoystickAcquire(int acquire) { return Acquire(joystick, acquire); }

int PlatJoystickPoll() { return ReadAccess(joystick); }

// A raw position -32768..32767 in the axis's range: the dead zone around the
// centre reads as the centre and the travel beyond it fills the range.
static int ScaleAxis(int raw, const AxisSetting& a) {
    double n = (double)raw / 32767.0;
    if (n > 1.0)
        n = 1.0;
    if (n < -1.0)
        n = -1.0;
    const double dead = (double)a.deadzone / 10000.0;
    const double travel = std::fabs(n) <= dead || dead >= 1.0 ? 0.0 : (std::fabs(n) - dead) / (1.0 - dead);
    const double centre = ((double)a.minimum + (double)a.maximum) / 2.0;
    const double half = ((double)a.maximum - (double)a.minimum) / 2.0;
    return (int)std::lround(centre + std::copysign(travel, n) * half);
}

int PlatJoystickRead(PlatJoystickState* state) {
    int code = ReadAccess(joystick);
    if (code != PLAT_INPUT_OK)
        return code;
    int raw[2] = {0, 0};
    memset(state, 0, sizeof *state);
    code = PlatIsHeadless() ? FakeJoyRaw(raw, state->buttons) : SdlJoyRaw(raw, state->buttons);
    if (code != PLAT_INPUT_OK)
        return code;
    state->x = ScaleAxis(raw[0], axes[0]);
    state->y = ScaleAxis(raw[1], axes[1]);
    return PLAT_INPUT_OK;
}

int PlatJoystickHasForceFeedback() { return joystick.created && hapticKind != 0; }

// ---------------------------------------------------------------------------
// Effects.

int PlatJoystickEffectSupported(int type) {
    return PlatJoystickHasForceFeedback() && (type == PLAT_EFFECT_CONSTANT || type == PLAT_EFFECT_SINE);
}

static int ValidEffect(int effect) { return effect >= 0 && effect < PLAT_MAX_EFFECTS && effects[effect].used; }

int PlatJoystickCreateEffect(const PlatEffectDesc* desc, int* effect) {
    if (effect)
        *effect = -1;
    if (!desc || !effect)
        return PLAT_INPUT_FAILED;
    if (!joystick.created)
        return PLAT_INPUT_NO_DEVICE;
    if (!PlatJoystickEffectSupported(desc->type))
        return PLAT_INPUT_UNSUPPORTED;
    int slot = -1;
    for (int i = 0; i < PLAT_MAX_EFFECTS; i++) {
        if (!effects[i].used) {
            slot = i;
            break;
        }
    }
    if (slot < 0)
        return PLAT_INPUT_FAILED;
    int id = -1;
    if (hapticKind == 1) {
        id = PlatIsHeadless() ? FakeEffectCreate(desc) : SdlEffectCreate(desc);
        if (id < 0)
            return PLAT_INPUT_FAILED;
    }
    effects[slot] = {1, id, 0, *desc};
    *effect = slot;
    return PLAT_INPUT_OK;
}

int PlatJoystickSetEffectMagnitude(int effect, int magnitude) {
    if (!ValidEffect(effect))
        return PLAT_INPUT_FAILED;
    Effect& e = effects[effect];
    e.desc.magnitude = magnitude;
    if (e.backendId < 0)
        return PLAT_INPUT_OK;
    const int ok = PlatIsHeadless() ? FakeEffectUpdate(e.backendId, &e.desc) : SdlEffectUpdate(e.backendId, &e.desc);
    return ok ? PLAT_INPUT_OK : PLAT_INPUT_FAILED;
}

int PlatJoystickStartEffect(int effect, int iterations) {
    if (!ValidEffect(effect))
        return PLAT_INPUT_FAILED;
    const int code = ReadAccess(joystick);
    if (code != PLAT_INPUT_OK)
        return code;
    Effect& e = effects[effect];
    e.starts++;
    if (e.backendId >= 0) {
        const int ok = PlatIsHeadless() ? FakeEffectRun(e.backendId, iterations) : SdlEffectRun(e.backendId, iterations);
        return ok ? PLAT_INPUT_OK : PLAT_INPUT_FAILED;
    }
    // Rumble motors only: the effect's strength for its duration.
    const double strength = std::fabs((double)e.desc.magnitude) * (double)e.desc.gain / 1e8;
    const int level = (int)std::lround((strength > 1.0 ? 1.0 : strength) * 65535.0);
    const int ms = e.desc.durationUs > 0 ? e.desc.durationUs / 1000 : 0;
    const int ok = PlatIsHeadless() ? FakeRumble(level, ms) : SdlRumble(level, ms);
    return ok ? PLAT_INPUT_OK : PLAT_INPUT_FAILED;
}

void PlatJoystickReleaseEffect(int effect) {
    if (!ValidEffect(effect))
        return;
    Effect& e = effects[effect];
    if (e.backendId >= 0) {
        if (PlatIsHeadless())
            FakeEffectDestroy(e.backendId);
        else
            SdlEffectDestroy(e.backendId);
    }
    e = {};
}

int PlatJoystickGetEffect(int effect, PlatEffectDesc* desc) {
    if (!ValidEffect(effect) || !desc)
        return 0;
    *desc = effects[effect].desc;
    return 1;
}

int PlatHeadlessEffectStarts(int effect) { return ValidEffect(effect) ? effects[effect].starts : 0; }
