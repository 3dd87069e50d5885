#include "frame/joystick.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/plat_input.h"
#include "platform/plat_system.h"

int JoystickActive;
int ForceFeedbackPresent;
int ForceFeedbackLevel;
int JoystickDeadzone = 100;
int JoyX, JoyY;
int JoyJerk;

static int previousX;
static int bounceEffect = -1, fireEffect = -1, explodeEffect = -1;

enum {
    EFFECT_GAIN = 7500,
    EFFECT_FULL = 10000,
    SHORT_EFFECT_US = 200000,
    EXPLODE_US = 1000000,
    EXPLODE_PERIOD_US = 100000,
};

// The Explode magnitude of each force-feedback level.
static const int explodeMagnitudes[3] = {100, 2000, 5000};

int JoystickEffectBounce() { return bounceEffect; }
int JoystickEffectFire() { return fireEffect; }
int JoystickEffectExplode() { return explodeEffect; }

// The debugger output ends every line itself.
static void Report(const char* text) {
    char line[128];
    snprintf(line, sizeof line, "%s", text);
    const size_t length = strlen(line);
    if (length > 0 && line[length - 1] == '\n')
        line[length - 1] = 0;
    PlatDebugOut(line);
}

static void ReportCode(const char* format, int code) {
    char line[96];
    snprintf(line, sizeof line, format, (unsigned int)code);
    Report(line);
}

static PlatEffectDesc BaseEffect(int type) {
    PlatEffectDesc d = {};
    d.type = type;
    d.gain = EFFECT_GAIN;
    d.triggerButton = -1;
    return d;
}

static void ReleaseEffect(int* effect) {
    if (*effect >= 0)
        PlatJoystickReleaseEffect(*effect);
    *effect = -1;
}

static void ReleaseEffects() {
    ReleaseEffect(&bounceEffect);
    ReleaseEffect(&fireEffect);
    ReleaseEffect(&explodeEffect);
}

int CreateForceEffects(int flags) {
    if ((flags & (FORCE_BOUNCE | FORCE_FIRE)) && !PlatJoystickEffectSupported(PLAT_EFFECT_CONSTANT))
        Report("EnumEffects(Constant Force) failed\n");

    if (flags & FORCE_BOUNCE) {
        ReleaseEffect(&bounceEffect);
        PlatEffectDesc d = BaseEffect(PLAT_EFFECT_CONSTANT);
        d.durationUs = SHORT_EFFECT_US;
        d.axisCount = 2;
        d.axes[0] = PLAT_AXIS_X;
        d.axes[1] = PLAT_AXIS_Y;
        d.directionKind = PLAT_DIRECTION_POLAR;
        d.magnitude = EFFECT_FULL;
        const int code = PlatJoystickCreateEffect(&d, &bounceEffect);
        if (code != PLAT_INPUT_OK)
            ReportCode("CreateEffect(Bounce) failed - %08Xh\n", code);
    }
    if (flags & FORCE_FIRE) {
        ReleaseEffect(&fireEffect);
        PlatEffectDesc d = BaseEffect(PLAT_EFFECT_CONSTANT);
        d.durationUs = SHORT_EFFECT_US;
        d.axisCount = 1;
        d.axes[0] = PLAT_AXIS_Y;
        d.directionKind = PLAT_DIRECTION_CARTESIAN;
        d.direction[0] = 1;
        d.magnitude = EFFECT_FULL;
        const int code = PlatJoystickCreateEffect(&d, &fireEffect);
        if (code != PLAT_INPUT_OK)
            ReportCode("CreateEffect(Fire) failed - %08Xh\n", code);
    }
    if ((flags & FORCE_EXPLODE) && !PlatJoystickEffectSupported(PLAT_EFFECT_SINE))
        Report("EnumEffects(Periodic Force) failed\n");
    if (flags & FORCE_FIRE) {
        ReleaseEffect(&explodeEffect);
        // A level outside 0..2 (a damaged settings file) plays the weakest.
        const int level = ForceFeedbackLevel >= 0 && ForceFeedbackLevel <= 2 ? ForceFeedbackLevel : 0;
        PlatEffectDesc d = BaseEffect(PLAT_EFFECT_SINE);
        d.durationUs = EXPLODE_US;
        d.axisCount = 1;
        d.axes[0] = PLAT_AXIS_X;
        d.directionKind = PLAT_DIRECTION_CARTESIAN;
        d.direction[0] = 0;
        d.magnitude = explodeMagnitudes[level];
        d.offset = 0;
        d.phase = 0;
        d.periodUs = EXPLODE_PERIOD_US;
        d.hasEnvelope = 1;
        d.attackLevel = 0;
        d.attackTimeUs = 0;
        d.fadeLevel = 0;
        d.fadeTimeUs = EXPLODE_US;
        const int code = PlatJoystickCreateEffect(&d, &explodeEffect);
        if (code != PLAT_INPUT_OK)
            ReportCode("CreateEffect(Explode) failed - %08Xh\n", code);
    }
    return (!(flags & FORCE_BOUNCE) || bounceEffect >= 0) &&
           (!(flags & FORCE_FIRE) || (fireEffect >= 0 && explodeEffect >= 0));
}

// Acquiring also makes the effects again: a device that lost its input
// lost them too.
int JoystickAcquire() {
    const int code = PlatJoystickAcquire(1);
    CreateForceEffects(FORCE_BOUNCE | FORCE_EXPLODE | FORCE_FIRE);
    return code == PLAT_INPUT_OK;
}

int JoystickInit(int, int) {
    ForceFeedbackPresent = 0;
    ReleaseEffects();
    if (PlatJoystickCount() <= 0 || PlatJoystickOpen(0) != PLAT_INPUT_OK)
        return 0;
    PlatJoystickAcquire(0);
    // Range first on x, then y; then the dead zone on x, then y.
    static const char* const failures[4] = {
        "SetProperty(RANGE, X-Axis) failed.\n", "SetProperty(RANGE, Y-Axis) failed.\n",
        "SetProperty(DEADZONE, X-Axis) failed.\n", "SetProperty(DEADZONE, Y-Axis) failed.\n"};
    for (int step = 0; step < 4; step++) {
        const int axis = step & 1 ? PLAT_AXIS_Y : PLAT_AXIS_X;
        const int code = step < 2 ? PlatJoystickSetRange(axis, -1000, 1000)
                                  : PlatJoystickSetDeadzone(axis, JoystickDeadzone);
        if (code != PLAT_INPUT_OK) {
            Report(failures[step]);
            PlatJoystickClose();
            return 0;
        }
    }
    JoystickAcquire();
    if (PlatJoystickHasForceFeedback()) {
        ForceFeedbackPresent = 1;
        CreateForceEffects(FORCE_BOUNCE | FORCE_EXPLODE | FORCE_FIRE);
    }
    return 1;
}

void JoystickRelease() {
    Report("Cleaning up after DirectInput\n");
    ReleaseEffects();
    PlatJoystickAcquire(0);
    PlatJoystickClose();
    JoystickActive = 0;
    ForceFeedbackPresent = 0;
}

int JoystickPoll() {
    PlatJoystickState state;
    int code = PlatJoystickPoll();
    if (code == PLAT_INPUT_OK)
        code = PlatJoystickRead(&state);
    if (code != PLAT_INPUT_OK) {
        if (code == PLAT_INPUT_LOST)
            JoystickAcquire();
        return 0;
    }
    JoyX = state.x;
    JoyY = state.y;
    if (JoyX != previousX) {
        JoyJerk = abs(JoyX - previousX) > 800;
        previousX = JoyX;
    }
    int mask = 0;
    if (JoyX < -10)
        mask |= JOY_LEFT;
    if (JoyX > 10)
        mask |= JOY_RIGHT;
    if (JoyY < -10)
        mask |= JOY_UP;
    if (JoyY > 10)
        mask |= JOY_DOWN;
    // Buttons 1 to 10 are bits 6 to 15; bits 4 and 5 stay clear.
    for (int b = 0; b < 10; b++) {
        if (state.buttons[b] & 0x80)
            mask |= JOY_BUTTON1 << b;
    }
    return mask;
}

int PlayForceEffects(int flags, int magnitude) {
    if ((flags & FORCE_BOUNCE) && bounceEffect >= 0) {
        if (PlatJoystickSetEffectMagnitude(bounceEffect, magnitude * 100) != PLAT_INPUT_OK) {
            Report("SetParameters(Bounce effect) failed\n");
            return 0;
        }
        if (PlatJoystickStartEffect(bounceEffect, 1) != PLAT_INPUT_OK) {
            Report("Start(Bounce effect) failed\n");
            return 0;
        }
    }
    if ((flags & FORCE_FIRE) && fireEffect >= 0 && PlatJoystickStartEffect(fireEffect, 1) != PLAT_INPUT_OK) {
        Report("Start(Fire effect) failed\n");
        return 0;
    }
    if ((flags & FORCE_EXPLODE) && explodeEffect >= 0 && PlatJoystickStartEffect(explodeEffect, 1) != PLAT_INPUT_OK) {
        Report("Start(Explode effect) failed\n");
        return 0;
    }
    return 1;
}
