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
