#include "render/model_sets.h"

#include <cstdio>

#include "frame/frame_state.h"
#include "race/race_state.h"
#include "render/objects.h"
#include "track/asset_paths.h"

void ClearRaceObjectCounters() {}

void LoadRaceModels() {
    if (FrontEndActive == 1)
        return;
    BeginObjectLoad(0);
    LoadWorldModel();
}

void LoadWorldModel() {
    SetTrackFolder();
    char fileName[32];
    char registered[32];
    snprintf(fileName, sizeof fileName, "MUNDO%d%d", TrackGroup, TrackVariant);
    snprintf(registered, sizeof registered, "MUNDO%02d", TrackGroup);
    CargaObjeto(fileName, 0, 0, registered);
}
