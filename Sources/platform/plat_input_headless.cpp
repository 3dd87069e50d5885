// The headless backend's input devices: the scripted events move a fake
// mouse and a fake joystick and press fake keys; the fake joystick keeps
// the effects it was given and the rumble it last played.

#include <cstring>

#include "platform/plat_devices_internal.h"
#include "platform/plat_headless_devices.h"
#include "platform/plat_input.h"
#include "platform/plat_keys.h"
#include "platform/plat_window.h"

static int attachedKind;
static int fakeOpen;
static int rawAxes[2];
static unsigned char fakeButtons[32];

struct FakeEffect {
    int used;
    PlatEffectDesc desc;
};
static FakeEffect fakeEffects[PLAT_MAX_EFFECTS];

static int rumbleCount, rumbleStrength, rumbleMs;

void PlatHeadlessAttachJoystick(int kind) {
    attachedKind = kind;
    memset(rawAxes, 0, sizeof rawAxes);
    memset(fakeButtons, 0, sizeof fakeButtons);
    rumbleCount = rumbleStrength = rumbleMs = 0;
}

int PlatHeadlessRumbleCount() { return rumbleCount; }

void PlatHeadlessLastRumble(int* strength, int* durationMs) {
    if (strength)
        *strength = rumbleStrength;
    if (durationMs)
        *durationMs = rumbleMs;
}

int FakeJoyCount() { return attachedKind != PLAT_FAKE_JOYSTICK_NONE ? 1 : 0; }

int FakeJoyOpen(int index, int* hapticKind) {
    if (index != 0 || !FakeJoyCount())
        return PLAT_INPUT_NO_DEVICE;
    *hapticKind = attachedKind == PLAT_FAKE_JOYSTICK_FORCE ? 1 : attachedKind == PLAT_FAKE_JOYSTICK_RUMBLE ? 2 : 0;
    fakeOpen = 1;
    return PLAT_INPUT_OK;
}

void FakeJoyClose() {
    fakeOpen = 0;
    memset(fakeEffects, 0, sizeof fakeEffects);
}

int FakeJoyRaw(int axes[2], unsigned char buttons[32]) {
    if (!fakeOpen || !FakeJoyCount())
        return PLAT_INPUT_LOST;
    axes[0] = rawAxes[0];
    axes[1] = rawAxes[1];
    memcpy(buttons, fakeButtons, sizeof fakeButtons);
    return PLAT_INPUT_OK;
}

int FakeEffectCreate(const PlatEffectDesc* desc) {
    for (int i = 0; i < PLAT_MAX_EFFECTS; i++) {
        if (!fakeEffects[i].used) {
            fakeEffects[i] = {1, *desc};
            return i;
        }
    }
    return -1;
}

int FakeEffectUpdate(int id, const PlatEffectDesc* desc) {
    if (id < 0 || id >= PLAT_MAX_EFFECTS || !fakeEffects[id].used)
        return 0;
    fakeEffects[id].desc = *desc;
    return 1;
}

int FakeEffectRun(int id, int) { return id >= 0 && id < PLAT_MAX_EFFECTS && fakeEffects[id].used; }

void FakeEffectDestroy(int id) {
    if (id >= 0 && id < PLAT_MAX_EFFECTS)
        fakeEffects[id].used = 0;
}

int FakeRumble(int strength, int durationMs) {
    rumbleCount++;
    rumbleStrength = strength;
    rumbleMs = durationMs;
    return 1;
}

int InputHeadlessEvent(int message, uintptr_t wParam, intptr_t lParam) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP: {
        int scan = (int)((lParam >> 16) & 0xFF);
        if (scan && (lParam & (1 << 24)))
            scan |= 0x80;
        if (!scan)
            scan = PlatKeyScanOfVirtual((int)wParam);
        InputKeyEvent(scan, (int)wParam, message == WM_KEYDOWN);
        return 0;
    }
    case WM_ACTIVATE:
        InputFocusChanged((wParam & 0xFFFF) != 0);
        return 0;
    case WM_MOUSEMOVE: InputMouseMotion((int)(intptr_t)wParam, (int)lParam); return 1;
    case WM_MOUSEBUTTON: InputMouseButtons((int)wParam); return 1;
    case WM_MOUSEPOSITION: InputMousePosition((float)(intptr_t)wParam, (float)lParam); return 1;
    case WM_JOYAXIS:
        if (wParam < 2)
            rawAxes[wParam] = (int)lParam;
        return 1;
    case WM_JOYBUTTON:
        if (wParam < 32)
            fakeButtons[wParam] = lParam ? 0x80 : 0;
        return 1;
    default: return 0;
    }
}
