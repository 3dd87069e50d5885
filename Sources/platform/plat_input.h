// Platform layer: keyboard, mouse and joystick (the DirectInput stand-in).
//
// Each device is created, acquired and read.  A device is acquired while the
// game wants its input; after the window lost the focus a read answers
// PLAT_INPUT_LOST until the device is acquired again.  The real backend
// reads SDL (keys by scancode, relative mouse motion, the first joystick
// with its haptic effects, or its rumble motors when it has only those);
// the headless backend reads fake devices driven by the scripted events
// (plat_headless_devices.h).
#pragma once

#include <cstdint>

constexpr int PLAT_INPUT_OK = 0;
constexpr int PLAT_INPUT_LOST = (int)0x8007001Eu;
constexpr int PLAT_INPUT_NOT_ACQUIRED = (int)0x8007000Cu;
constexpr int PLAT_INPUT_NO_DEVICE = (int)0x80040154u;
constexpr int PLAT_INPUT_UNSUPPORTED = (int)0x80004001u;
constexpr int PLAT_INPUT_FAILED = (int)0x80004005u;

// ---------------------------------------------------------------------------
// Keyboard.
int PlatKeyboardCreate();
void PlatKeyboardRelease();
int PlatKeyboardAcquire(int acquire);
// 256 bytes by scan code (plat_keys.h), 0x80 while the key is down.
int PlatKeyboardRead(unsigned char state[256]);
// The keys pressed since the last call (0x80), even those let go since;
// the call forgets them.
void PlatKeyboardTaps(unsigned char pressed[256]);
// 1 while the key (or mouse button: VK_LBUTTON ...) is down, read directly
// whatever the acquisition.
int PlatKeyDown(int virtualKey);

// ---------------------------------------------------------------------------
// Mouse.  While the display is full screen an acquired mouse is held by the
// game (the system pointer is captured, only its motion counts).  In a window
// the system pointer stays free: a read also says where it is over the
// window, in pixels of the back buffer last presented (the picture the
// window shows, scaled to fit); motion counts still arrive from scripts.
struct PlatMouseState {
    int dx, dy;                 // motion since the previous read, in counts
    unsigned char buttons[4];   // 0x80 held: left, right, middle
    int moved;                  // the free system pointer moved since the previous read
    float x, y;                 // then where it is (may lie outside the picture)
};

int PlatMouseCreate();
void PlatMouseRelease();
int PlatMouseAcquire(int acquire);
int PlatMouseRead(PlatMouseState* state);

// ---------------------------------------------------------------------------
// Joystick: one device at a time.
enum { PLAT_AXIS_X = 0, PLAT_AXIS_Y = 1 };

struct PlatJoystickState {
    int x, y;                   // in the range set for each axis
    unsigned char buttons[32];  // 0x80 held
};

int PlatJoystickCount();
int PlatJoystickOpen(int index);
void PlatJoystickClose();
int PlatJoystickIsOpen();
// Axis range (default -32768..32767) and dead zone in 1/10000 of the
// range around the centre: positions inside read as the centre, the rest
// of the travel is spread over the whole range.
int PlatJoystickSetRange(int axis, int minimum, int maximum);
int PlatJoystickSetDeadzone(int axis, int deadzone);
int PlatJoystickAcquire(int acquire);
int PlatJoystickPoll();
int PlatJoystickRead(PlatJoystickState* state);
// The device can play effects (through haptics, or rumble motors).
int PlatJoystickHasForceFeedback();

// Force-feedback effects.  Magnitudes, levels and gain run 0..10000 (a
// constant force may be negative), times are microseconds, directions are
// hundredths of a degree (polar) or signed axis values (Cartesian).
enum { PLAT_EFFECT_CONSTANT = 1, PLAT_EFFECT_SINE = 2 };
enum { PLAT_DIRECTION_CARTESIAN = 1, PLAT_DIRECTION_POLAR = 2 };

struct PlatEffectDesc {
    int type;
    int durationUs;
    int gain;
    int triggerButton;      // -1: none
    int axisCount;          // 1 or 2
    int axes[2];            // PLAT_AXIS_X, PLAT_AXIS_Y
    int directionKind;
    int direction[2];
    int magnitude;
    int offset, phase, periodUs;   // periodic effects
    int hasEnvelope;
    int attackLevel, attackTimeUs, fadeLevel, fadeTimeUs;
};

enum { PLAT_MAX_EFFECTS = 8 };

// 1 when the device can play effects of the type.
int PlatJoystickEffectSupported(int type);
int PlatJoystickCreateEffect(const PlatEffectDesc* desc, int* effect);
// Changes only the magnitude (a constant force's).
int PlatJoystickSetEffectMagnitude(int effect, int magnitude);
int PlatJoystickStartEffect(int effect, int iterations);
void PlatJoystickReleaseEffect(int effect);
// The description an effect plays with; 0 when it does not exist.
int PlatJoystickGetEffect(int effect, PlatEffectDesc* desc);
