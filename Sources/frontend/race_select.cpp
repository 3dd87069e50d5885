#include "frontend/race_select.h"

#include "race/race_state.h"
#include "track/track_state.h"

// The quick race: the first circuit, one car, three laps.
void PrepareRace() {
    TrackGroup = 1;
    TrackVariant = 0;
    TrackCode = 10;
    LapsToRun = 3;
    CarBoxesDirty = 1;   // the cars' collision boxes are copied again
    const int still = TrackGroup == 2 || TrackGroup == 5 || TrackGroup == 6 || TrackGroup == 7;
    DecorationDrift = still ? 0.0f : 0.00021428571f;
    DecorationPhase = 0.0f;
}

void ShowWorldPreview() {}
