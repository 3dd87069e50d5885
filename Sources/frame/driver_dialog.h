// The driver dialog: the choice of display driver, device and mode, drawn by
// the game over the last picture and run modally, as a dialog box runs,
// until OK or Cancel.
#pragma once

struct DriverChoice {
    int driver;     // in the framework's driver list
    int device;     // in that driver's devices
    int mode;       // in that device's modes
    int windowed;   // "Windowed mode" is chosen (the mode is kept beside it)
};

// Runs the dialog from `choice`.  1 when the player chose OK (*choice then
// holds what is chosen), 0 for Cancel, or when the window closes meanwhile,
// or when nobody is left to answer (a scripted run whose input is spent).
int RunDriverChooser(DriverChoice* choice);
