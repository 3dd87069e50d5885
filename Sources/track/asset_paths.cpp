#include "track/asset_paths.h"

#include <cstdio>

#include "frame/frame_state.h"
#include "race/race_state.h"
#include "track/track_state.h"

char AssetFallbackFolder[128];
int TrackArtSet;

static const char* const CarFolders[18] = {
    "3d\\Cars\\Vondel\\",        "3d\\Cars\\RozIzedad\\",     "3d\\Cars\\BUGGY\\",       "3d\\Cars\\Viruvedor\\",
    "3d\\Cars\\VondelJump\\",    "3d\\Cars\\VondelCross\\",   "3d\\Cars\\356\\",         "3d\\Cars\\KarmanJump\\",
    "3d\\Cars\\BUGGY2\\",        "3d\\Cars\\Furgoneta\\",     "3d\\Cars\\KarmanMonster\\", "3d\\Cars\\BuggyTowd\\",
    "3d\\Cars\\Mehary\\",        "3d\\Cars\\356Jump\\",       "3d\\Cars\\TipoBaja\\",    "3d\\Cars\\Pickup\\",
    "3d\\Cars\\NVondel\\",       "3d\\Cars\\VondelChafado\\",
};

const char* CarModelFolder(int model) { return model >= 0 && model < 18 ? CarFolders[model] : nullptr; }

void SetCarFolder(int car) {
    if (car < 0 || car >= MAX_CARS)
        return;
    const char* folder = CarModelFolder(CarModel[car]);
    if (folder)
        snprintf(AssetFolder, sizeof AssetFolder, "%s", folder);
}

void SetTrackFolder() {
    snprintf(AssetFolder, sizeof AssetFolder, "3d\\Tracks\\Track-%d%d\\", TrackGroup, TrackVariant);
}

void SetTrackArtFolders() {
    snprintf(AssetFolder, sizeof AssetFolder, "ArtWork\\Tracks\\Track-%02d\\%d\\", TrackGroup, TrackArtSet);
    snprintf(AssetFallbackFolder, sizeof AssetFallbackFolder, "ArtWork\\Tracks\\Track-%02d\\Comunes\\", TrackGroup);
}

void SetCarArtFolder() {
    const char* folder = DayCarArt == 1 ? "ArtWork\\Cars\\DIA\\" : "ArtWork\\Cars\\Menu\\";
    if (TrackCode == 70 || TrackCode == 76 || TrackCode == 11 || TrackCode == 15)
        folder = "ArtWork\\Cars\\NOCHE\\";
    snprintf(AssetFolder, sizeof AssetFolder, "%s", folder);
}

void SetScoreboardFolder() { snprintf(AssetFolder, sizeof AssetFolder, "ArtWork\\Extras\\S-Boards\\"); }

const int RaceTrackCodes[RACE_TRACK_CODES] = {10, 11, 12, 13, 15, 20, 21, 22, 23, 24, 30, 31, 40, 41, 42,
                                              43, 44, 45, 50, 51, 52, 53, 54, 55, 57, 60, 61, 62, 63, 64,
                                              65, 66, 67, 69, 70, 71, 72, 73, 74, 75, 76, 78, 79};
