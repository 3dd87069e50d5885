// The quick race of the sample folder loaded into the game's tables as the
// race start loads it, without the frame: for the tests and benchmarks of
// the drawing paths (header only, so that a benchmark can use it too).
#pragma once

#include "frame/display.h"
#include "frame/frame_state.h"
#include "frame/utils.h"
#include "race/car_pose.h"
#include "race/race_frame.h"
#include "race/race_setup.h"
#include "race/race_state.h"
#include "render/geometry.h"
#include "render/lookup_tables.h"
#include "render/render_state.h"
#include "render/textures.h"
#include "track/asset_paths.h"
#include "track/track_state.h"
#include "track/track_files.h"

// Four cars of models 0, 6, 1 and 12 with paints 0 to 3 on track 10, for the
// drawing path `kind`, 640 x 480 at 5-6-5; the archives must be mounted.
// Ends with the first race frame's snapshot taken (FrameTicks 1).
inline bool LoadQuickRaceTables(int kind) {
    RenderKind = kind;
    GreenMaskBits = 6;
    DisplayConfig = {640, 480, 16, 0, 0, kind};
    AllocWorkBuffers();
    BuildReciprocalTable();
    BuildSqrtTable();
    BuildLightClampTable();
    SetupLightDirection();
    EditorOpen = 0;
    FrontEndActive = 0;
    TrackGroup = 1;
    TrackVariant = 0;
    TrackArtSet = TrackVariant;   // as the race selection sets it
    CarCount = 4;
    const int models[4] = {0, 6, 1, 12};
    for (int c = 0; c < 4; c++) {
        CarModel[c] = models[c];
        CarColour[c] = c;
    }
    SetTrackFolder();
    LoadZones();   // as the race start loads them
    LoadCameraTable();
    StartRace();
    LoadTrackData();
    TextureReloadFlag = 1;
    PrepareTrackGraphics(nullptr);
    UpdateScreenMetrics();
    LastFrameTicks = 1;
    UpdateRaceFrame();
    return TriangleTotal > 0;
}
