// Control binding: the controls screen's texts and the key capture.
#pragma once

extern int BindingCapture;        // a key capture runs (the menu frame calls CaptureBinding)
extern int BindingAction;

// Not built yet: the binding screen.  Until it is, nothing is captured or
// shown, and the capture ends at once.
void ClearBindings();
void CaptureBinding();
void RefreshControls();
void ApplyDeviceChoice(int player);
void SelectConfiguredPlayer(int player);
