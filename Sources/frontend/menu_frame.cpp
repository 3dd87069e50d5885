#include "frontend/menu_frame.h"

#include "frame/frame_state.h"
#include "race/race_state.h"

// The quick race: four cars of different models and paints on the grid of
// the first track.
static void SetQuickRace() {
    static const int models[4] = {0, 6, 1, 12};
    CarCount = 4;
    for (int car = 0; car < 4; car++) {
        CarModel[car] = models[car];
        CarColour[car] = car;
    }
}

// Until the menus are built the front end is one key: Enter (or --autorace,
// once) starts a quick race and Escape quits.
void RunMenuFrame(PlatSurface*, PlatDevice*, int, const RectI*) {
    static int autoraceDone;
    if (TypedChar == 13 || (CommandLine.autorace && !autoraceDone)) {
        autoraceDone = 1;
        SetQuickRace();
        StartRaceRequest = 1;
    } else if (TypedChar == 27) {
        ExitRequested = 1;
    }
}
