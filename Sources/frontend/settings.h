// The settings file: Config\config.cfg, with the factory bindings in
// Config\config.def.  SettingsImage (frontend_state.h) is its image; the
// working variables SettingsInts, ControlBindings and ManualGearbox are
// the truth while the game runs.
#pragma once

// Reads Config\config.def (defaults 1) or Config\config.cfg (0) over the
// image and unpacks the device choices, the bindings and, from the saved
// file only, the gearbox choices.  A missing file leaves the image as it
// was; a short one fills its front.
void LoadSettings(int defaults);
// Packs the working variables into the image and writes it whole; the
// result of the writer (1 saved).
int SaveSettings();
