#include "track/asset_paths.h"

#include <cstdio>

#include "race/race_state.h"
#include "track/track_state.h"

void SetTrackFolder() {
    snprintf(AssetFolder, sizeof AssetFolder, "3d\\Tracks\\Track-%d%d\\", TrackGroup, TrackVariant);
}
