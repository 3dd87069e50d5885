// The settings file: Config\config.cfg, with the factory bindings in
// Config\config.def.  SettingsImage (frontend_state.h) is its image; the
// working variables SettingsInts, ControlBindings and ManualGearbox are
// the truth while the game runs.
#pragma once

#include "frontend/frontend_state.h"

// Reads Config\config.def (defaults 1) or Config\config.cfg (0) and unpacks
// the device choices, the bindings and, from the saved file only, the
// gearbox choices.  Only a whole record that passes the checks is taken; a
// refused config.cfg falls back on config.def, and that on the factory
// table.  The defaults give only the devices, bindings and force feedback.
void LoadSettings(int defaults);
// Packs the working variables into the image and writes it whole; the
// result of the writer (1 saved).
int SaveSettings();

// The factory settings: both players on the keyboard (player 1 on the
// arrows, player 2 on W A S D, no key twice), the joystick sets on the stick
// and buttons, automatic gearboxes, force feedback 1.  The sample folder's
// config.def is written from it.
void FactorySettings(SettingsRecord* record);
// 1 when the binding names a row of its table with that row's code, or is
// unbound (name index -1, code 0).
int BindingValid(const KeyBinding& binding);
// Why a settings record is refused, or null when it is accepted.
const char* SettingsRecordProblem(const SettingsRecord& record);
// The same for a file image: a whole record first.  The check of
// LoadSettings and quorvix-save.
const char* SettingsFileProblem(const unsigned char* bytes, int size);
