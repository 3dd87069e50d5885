// Platform layer: the headless backend's display, device and input devices,
// for tests and for `quorvix --headless`.
//
// Headless runs have a desktop of 640 x 480 x 32, draw with the recording
// device (or with OpenGL on an EGL surfaceless context when asked), and read
// a fake keyboard, mouse and joystick that the scripted events of
// plat_headless.h drive:
//   WM_KEYDOWN / WM_KEYUP (virtual key; lParam bits 16-23 the scan code,
//     bit 24 the extended flag, or 0 to take the key table's scan code),
//   WM_MOUSEMOVE (wParam dx, lParam dy), WM_MOUSEBUTTON (wParam: bit 0
//     left, bit 1 right, bit 2 middle held),
//   WM_MOUSEPOSITION (wParam x, lParam y: the system pointer over the
//     window's client area, in its pixels; seen only while the display is
//     in a window, as a real pointer is),
//   WM_JOYAXIS (wParam axis 0 x / 1 y, lParam raw position -32768..32767),
//   WM_JOYBUTTON (wParam button from 0, lParam 1 down / 0 up).
// The mouse and joystick events feed the devices only; key events are also
// delivered to the window.
#pragma once

enum {
    WM_JOYAXIS = 0x1000,
    WM_JOYBUTTON = 0x1001,
};

// The desktop (must be set before the window is created).
void PlatHeadlessSetDesktop(int width, int height, int bits);
// PLAT_DEVICE_RECORDING (the default) or PLAT_DEVICE_GL.
void PlatHeadlessSetDeviceBackend(int backend);
// The hardware device fails to start on render targets wider than this
// (0: it never fails), so the fallback to the software device can be run.
void PlatHeadlessSetHardwareLimit(int maxWidth);

enum PlatFakeJoystick {
    PLAT_FAKE_JOYSTICK_NONE = 0,
    PLAT_FAKE_JOYSTICK_PLAIN = 1,    // no force feedback
    PLAT_FAKE_JOYSTICK_FORCE = 2,    // constant and periodic effects
    PLAT_FAKE_JOYSTICK_RUMBLE = 3,   // rumble motors only
};
void PlatHeadlessAttachJoystick(int kind);
// How often an effect was started, and the last rumble played (strength
// 0..65535 of each motor, milliseconds).
int PlatHeadlessEffectStarts(int effect);
int PlatHeadlessRumbleCount();
void PlatHeadlessLastRumble(int* strength, int* durationMs);
