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
}

void ShowWorldPreview() {}
