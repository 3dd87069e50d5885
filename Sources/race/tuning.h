// Tuning panels and tuning files: the developer overlays that edit a car's
// body and the opponents' driver values live, the read-only physics values,
// and the files of the car table (Config\Motion.dat, CONFIG\springs.cfg).
#pragma once

#include "race/motion_table.h"

struct PlatSurface;

enum {
    WHEEL_FILE_BYTES = 192,       // 32 wheel heights and 16 zero floats
    TUNING_ROWS = 14,
    CPU_TUNING_ROWS = 20,
    PANEL_REPEAT_FRAMES = 10,     // a key held longer repeats every frame
};

// The panel's switches.  In a race with DeveloperSwitch set, F6 toggles the
// panel (TuningPanelOn), F7 its selector (1 the physics panel, 0 the
// computer-driver panel) and F5 the physics values overlay; all start off.
extern int TuningPanelSelector;
extern int PhysicsValuesOn;
extern int TunedCar;              // 0..7

// The physics panel when the selector is 1, else the computer-driver panel;
// only while the panel is on.
void DrawTuningPanel(PlatSurface* surface);
void DrawPhysicsValues(PlatSurface* surface);
// The developer keys of the race (F5, F6, F7); the race frame calls it.
void TuningKeys();

// The car table files.  A file of any size but 1,120 bytes is ignored; a
// row with a value that is not finite, or a mass, inertia, radius or rest
// not above 0, keeps the model's built-in row.  Loads return 1 when the file
// was taken.
int LoadMotionTable();
int SaveMotionTable();
int LoadSpringsTable();
int SaveSpringsTable();
// "%sBIN\ruedas.dat": the wheel height table and 16 zero floats.
int SaveWheelHeights();

// One panel row's step: the range / 87.
float PanelStep(float range);
// The range of a physics panel row: twice the column's largest built-in
// value (0.3 for the two frictions, which the panel shows less 0.7).
float PhysicsRowRange(int row);
