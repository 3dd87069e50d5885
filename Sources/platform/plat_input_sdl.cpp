// The SDL2 side of the input devices: the first joystick, its haptic
// effects or rumble motors, and the captured mouse.  The keyboard and the
// mouse motion come as events (plat_window_sdl.cpp).

#include <SDL.h>

#include "platform/plat_devices_internal.h"
#include "platform/plat_input.h"
#include "platform/plat_system.h"

static int subsystemsStarted;
static SDL_Joystick* joystick;
static SDL_Haptic* haptic;
static int hapticRumble;   // rumble through the haptic device (else the joystick's own)

int SdlJoyCount() {
    if (!subsystemsStarted) {
        // Haptics are optional: a joystick alone will do.
        if (SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_HAPTIC) != 0 &&
            SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
            PlatDebugOut(SDL_GetError());
            return 0;
        }
        subsystemsStarted = 1;
    }
    const int count = SDL_NumJoysticks();
    return count > 0 ? count : 0;
}

int SdlJoyOpen(int index, int* hapticKind) {
    *hapticKind = 0;
    joystick = SDL_JoystickOpen(index);
    if (!joystick) {
        PlatDebugOut(SDL_GetError());
        return PLAT_INPUT_NO_DEVICE;
    }
    if (SDL_WasInit(SDL_INIT_HAPTIC) && SDL_JoystickIsHaptic(joystick) == SDL_TRUE)
        haptic = SDL_HapticOpenFromJoystick(joystick);
    if (haptic) {
        const unsigned int query = SDL_HapticQuery(haptic);
        if ((query & SDL_HAPTIC_CONSTANT) && (query & SDL_HAPTIC_SINE)) {
            if (query & SDL_HAPTIC_GAIN)
                SDL_HapticSetGain(haptic, 100);
            *hapticKind = 1;
            return PLAT_INPUT_OK;
        }
        if (SDL_HapticRumbleSupported(haptic) == SDL_TRUE && SDL_HapticRumbleInit(haptic) == 0) {
            hapticRumble = 1;
            *hapticKind = 2;
            return PLAT_INPUT_OK;
        }
        SDL_HapticClose(haptic);
        haptic = nullptr;
    }
    if (SDL_JoystickHasRumble(joystick) == SDL_TRUE)
        *hapticKind = 2;
    return PLAT_INPUT_OK;
}

void SdlJoyClose() {
    if (haptic)
        SDL_HapticClose(haptic);
    if (joystick)
        SDL_JoystickClose(joystick);
    haptic = nullptr;
    joystick = nullptr;
    hapticRumble = 0;
}

int SdlJoyRaw(int axes[2], unsigned char buttons[32]) {
    if (!joystick || SDL_JoystickGetAttached(joystick) != SDL_TRUE)
        return PLAT_INPUT_LOST;
    const int axisCount = SDL_JoystickNumAxes(joystick);
    axes[0] = axisCount > 0 ? SDL_JoystickGetAxis(joystick, 0) : 0;
    axes[1] = axisCount > 1 ? SDL_JoystickGetAxis(joystick, 1) : 0;
    const int buttonCount = SDL_JoystickNumButtons(joystick);
    for (int b = 0; b < 32; b++)
        buttons[b] = b < buttonCount && SDL_JoystickGetButton(joystick, b) ? 0x80 : 0;
    return PLAT_INPUT_OK;
}

// 0..10000 to SDL's 0..32767.
static int Level(int value) {
    const int64_t v = (int64_t)value * 32767 / 10000;
    return (int)(v > 32767 ? 32767 : v < -32768 ? -32768 : v);
}

static Uint32 Milliseconds(int microseconds) {
    return microseconds < 0 ? SDL_HAPTIC_INFINITY : (Uint32)(microseconds / 1000);
}

static SDL_HapticDirection DirectionOf(const PlatEffectDesc* d) {
    SDL_HapticDirection dir = {};
    if (d->directionKind == PLAT_DIRECTION_POLAR) {
        dir.type = SDL_HAPTIC_POLAR;
        dir.dir[0] = d->direction[0];
        return dir;
    }
    dir.type = SDL_HAPTIC_CARTESIAN;
    if (d->axisCount >= 2) {
        dir.dir[0] = d->direction[0];
        dir.dir[1] = d->direction[1];
    } else {
        // One axis: only the sign of the direction counts.
        const int sign = d->direction[0] < 0 ? -1 : 1;
        dir.dir[d->axes[0] == PLAT_AXIS_Y ? 1 : 0] = sign;
    }
    return dir;
}

// The effect's gain scales its strength: SDL's gain is the device's.
static SDL_HapticEffect EffectOf(const PlatEffectDesc* d) {
    SDL_HapticEffect e = {};
    const int scaled = (int)((int64_t)d->magnitude * d->gain / 10000);
    const Uint16 attackLength = (Uint16)(d->hasEnvelope ? Milliseconds(d->attackTimeUs) : 0);
    const Uint16 attackLevel = (Uint16)(d->hasEnvelope ? Level(d->attackLevel) : 0);
    const Uint16 fadeLength = (Uint16)(d->hasEnvelope ? Milliseconds(d->fadeTimeUs) : 0);
    const Uint16 fadeLevel = (Uint16)(d->hasEnvelope ? Level(d->fadeLevel) : 0);
    const Uint16 button = (Uint16)(d->triggerButton >= 0 ? d->triggerButton + 1 : 0);
    if (d->type == PLAT_EFFECT_CONSTANT) {
        e.type = SDL_HAPTIC_CONSTANT;
        e.constant.direction = DirectionOf(d);
        e.constant.length = Milliseconds(d->durationUs);
        e.constant.button = button;
        e.constant.level = (Sint16)Level(scaled);
        e.constant.attack_length = attackLength;
        e.constant.attack_level = attackLevel;
        e.constant.fade_length = fadeLength;
        e.constant.fade_level = fadeLevel;
    } else {
        e.type = SDL_HAPTIC_SINE;
        e.periodic.direction = DirectionOf(d);
        e.periodic.length = Milliseconds(d->durationUs);
        e.periodic.button = button;
        e.periodic.period = (Uint16)Milliseconds(d->periodUs);
        e.periodic.magnitude = (Sint16)Level(scaled);
        e.periodic.offset = (Sint16)Level(d->offset);
        e.periodic.phase = (Uint16)(d->phase < 0 ? 0 : d->phase % 36000);
        e.periodic.attack_length = attackLength;
        e.periodic.attack_level = attackLevel;
        e.periodic.fade_length = fadeLength;
        e.periodic.fade_level = fadeLevel;
    }
    return e;
}

int SdlEffectCreate(const PlatEffectDesc* desc) {
    if (!haptic)
        return -1;
    SDL_HapticEffect e = EffectOf(desc);
    const int id = SDL_HapticNewEffect(haptic, &e);
    if (id < 0)
        PlatDebugOut(SDL_GetError());
    return id;
}

int SdlEffectUpdate(int id, const PlatEffectDesc* desc) {
    if (!haptic)
        return 0;
    SDL_HapticEffect e = EffectOf(desc);
    return SDL_HapticUpdateEffect(haptic, id, &e) == 0;
}

int SdlEffectRun(int id, int iterations) {
    return haptic && SDL_HapticRunEffect(haptic, id, (Uint32)(iterations > 0 ? iterations : 1)) == 0;
}

void SdlEffectDestroy(int id) {
    if (haptic)
        SDL_HapticDestroyEffect(haptic, id);
}

int SdlRumble(int strength, int durationMs) {
    if (hapticRumble && haptic)
        return SDL_HapticRumblePlay(haptic, (float)strength / 65535.0f, (Uint32)durationMs) == 0;
    if (joystick)
        return SDL_JoystickRumble(joystick, (Uint16)strength, (Uint16)strength, (Uint32)durationMs) == 0;
    return 0;
}

void SdlMouseCapture(int capture) { SDL_SetRelativeMouseMode(capture ? SDL_TRUE : SDL_FALSE); }

int SdlMousePosition(float* x, float* y) {
    SDL_Window* window = SdlWindowHandle();
    if (!window || SDL_GetMouseFocus() != window)
        return 0;
    int wx = 0, wy = 0;
    SDL_GetMouseState(&wx, &wy);
    SdlWindowToOutput(wx, wy, x, y);
    return 1;
}
