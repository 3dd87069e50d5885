// Control binding: the controls screen's texts and the key capture.
#pragma once

extern int BindingCapture;        // a key capture runs (the menu frame calls CaptureBinding)
extern int BindingAction;

// The current set is SettingsInts[8] x 2 + that player's device.  A key or
// joystick input binds on its press once it has been seen released; one
// already bound in the set (same code and kind) is refused.  Key names are
// the key table's (the letter a keyboard layout prints is not asked yet).
void ClearBindings();
void CaptureBinding();
// The input pressed this frame: a one-bit joystick mask (isJoystick 1), a
// key table row (0), or -1.
int ScanBindingInput(int* isJoystick);
void RefreshControls();
void ApplyDeviceChoice(int player);
void SelectConfiguredPlayer(int player);
