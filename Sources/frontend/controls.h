// Control binding: the controls screen's texts and the key capture.
#pragma once

extern int BindingCapture;        // a key capture runs (the menu frame calls CaptureBinding)
extern int BindingAction;

// The current set is SettingsInts[8] x 2 + that player's device.  A key or
// joystick input binds on its press once it has been seen released; one
// already bound in the set (same code and kind) is refused.  A letter key
// is named by the letter the keyboard's layout prints on it, the others by
// the key table, whose names from row 47 on come from the message file.
void ClearBindings();
void CaptureBinding();
// Marks the action the running capture waits for, or clears the marks.
void ShowWaitingAction();
// The input pressed this frame: a one-bit joystick mask (isJoystick 1), a
// key table row (0), or -1.
int ScanBindingInput(int* isJoystick);
void RefreshControls();
void ApplyDeviceChoice(int player);
void SelectConfiguredPlayer(int player);
