// The race part of the game folder: the car table (Config\Motion.dat and
// the same image as CONFIG\springs.cfg) and the chase camera table
// (Config\cameras.cfg).

#include <cstdio>

#include "mkdata.h"
#include "race/car_pose.h"
#include "race/motion_table.h"
#include "race/race_state.h"
#include "render/model_sets.h"

namespace {

// Every model's row from its targets (the sample tyre's radius of 68, a
// body resting 5..20 above its wheel centres, a sag of 40..70) and its wheel
// positions, by the function that makes the game's built-in rows.
bool WriteMotionTables() {
    float table[MOTION_MODELS][MOTION_COLUMNS];
    static_assert(sizeof table == MOTION_FILE_BYTES, "the file is the table's image");
    for (int model = 0; model < MOTION_MODELS; model++) {
        float xs[4], zs[4];
        ModelWheelOffsets(model, xs, zs);
        BuildMotionRow(MotionTargetsOf(model), xs, zs, table[model]);
    }
    // The game opens "CONFIG\springs.cfg"; paths resolve without regard to
    // case, so it lives in the same folder.
    return MkWriteFile("Config\\Motion.dat", table, sizeof table) &&
           MkWriteFile("Config\\springs.cfg", table, sizeof table);
}

bool WriteCameraTable() {
    FillBuiltInCameraTable();
    static_assert(sizeof CameraTable == 760, "Config\\cameras.cfg is 760 bytes");
    return MkWriteFile("Config\\cameras.cfg", CameraTable, sizeof CameraTable);
}

}  // namespace

// The fly-by sets were flown along each track's guide line as the tracks
// were built.
bool MakeRaceData(const MkOptions&) {
    return WriteMotionTables() && WriteCameraTable() && MkWritePresentSets() && MkWriteDialAndMap();
}
