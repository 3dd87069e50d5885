#include "frontend/race_select.h"

#include "frame/frame_state.h"
#include "race/race_state.h"
#include "track/track_state.h"

// The quick race: the first circuit (or the --track code's), three laps.
void PrepareRace() {
    TrackGroup = 1;
    TrackVariant = 0;
    // --track picks another of the sample tracks (tests and developers).
    if (CommandLine.track >= 10) {
        TrackGroup = CommandLine.track / 10;
        TrackVariant = CommandLine.track % 10;
    }
    TrackCode = TrackGroup * 10 + TrackVariant;
    LapsToRun = 3;
    CarBoxesDirty = 1;   // the cars' collision boxes are copied again
    const int still = TrackGroup == 2 || TrackGroup == 5 || TrackGroup == 6 || TrackGroup == 7;
    DecorationDrift = still ? 0.0f : 0.00021428571f;
    DecorationPhase = 0.0f;
}

void ShowWorldPreview() {}

// Not built yet: the garage car, the price and the championship race list.
void SelectGarageCar(void*) {}
void ShowSelectionPrice() {}
void ShowChampionshipRaceList() {}

// The showroom scene of each car category: a track group and variant.
static const signed char kShowroomScenes[7][2] = {{1, 0}, {5, 0}, {6, 0}, {4, 0}, {7, 0}, {4, 0}, {7, 0}};

void ShowroomSceneOf(int category, int* group, int* variant) {
    *group = 0;
    *variant = 0;
    if (category < 0 || category >= 7)
        return;
    *group = kShowroomScenes[category][0];
    *variant = kShowroomScenes[category][1];
}

// The shop's car lists, per category; a model of -1 ends a list.
static const signed char kCatalogueCars[7][15][2] = {
    {{0, 0}, {0, 1}, {1, 0}, {1, 1}, {6, 0}, {0, 2}, {6, 1}, {1, 2}, {6, 2}, {0, 3}, {1, 3}, {6, 3}, {-1, -1}},
    {{15, 0}, {10, 0}, {3, 0}, {15, 1}, {10, 1}, {3, 1}, {-1, -1}},
    {{12, 0}, {12, 1}, {12, 2}, {14, 0}, {14, 1}, {12, 3}, {5, 0}, {5, 1}, {14, 2}, {5, 2}, {14, 3}, {5, 3}, {-1, -1}},
    {{7, 0}, {4, 0}, {13, 0}, {7, 1}, {4, 1}, {13, 1}, {-1, -1}},
    {{8, 0}, {8, 1}, {11, 0}, {2, 0}, {8, 2}, {2, 1}, {11, 1}, {8, 3}, {11, 2}, {2, 2}, {2, 3}, {11, 3}, {-1, -1}},
    {{0, 0}, {1, 0}, {-1, -1}},
    {{0, 0}, {1, 0}, {-1, -1}},
};

void CatalogueCar(int category, int pick, int* model, int* colour) {
    *model = 0;
    *colour = 0;
    if (category < 0 || category >= 7 || pick < 0 || pick >= 15 || kCatalogueCars[category][pick][0] < 0)
        return;
    *model = kCatalogueCars[category][pick][0];
    *colour = kCatalogueCars[category][pick][1];
}
