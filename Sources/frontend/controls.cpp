#include "frontend/controls.h"

int BindingCapture;
int BindingAction;

// Not built yet: the binding screen.  A capture that cannot run ends, so
// the menus get their pointer back.
void ClearBindings() {}
void CaptureBinding() { BindingCapture = 0; }
void RefreshControls() {}
void ApplyDeviceChoice(int) {}
void SelectConfiguredPlayer(int) {}
