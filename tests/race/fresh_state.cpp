// Every race test starts from a fresh process's state: the machine, the
// frame's and the race's switches (a whole game run by a test starts its
// title page's quick race in its first frame again), the object pools, the
// views the chase cameras take their distances and bearings from, and no
// console line or timed message left on the screen.

#include "common/fresh_state.h"
#include "frontend/frontend_state.h"
#include "race/messages.h"
#include "race/race_state.h"

namespace {

void FreshRaceProgram() {
    FreshMachine();
    FreshFrameAndRace();
    FreshObjectPools();
    for (int player = 0; player < 2; player++) {
        ViewMode[player] = 0;
        ViewedCar[player] = player;
        LookBack[player] = 0;
    }
    // The race rules' switches: no replay playing or recording, no
    // autopilot, no race over, the order sorted.
    ReplayPlayback = 0;
    ReplayRecording = 0;
    ReplayPlaying = 0;
    RaceFromReplay = 0;
    ReplayFromFile = 0;
    AutopilotRun = 0;
    RaceOver = 0;
    EventFailed = 0;
    RankingFrozen = 0;
    FrozenPlaces = 0;
    FinishZoneReached = 0;
    FinishCount = 0;
    DrawTimedMessages(1);
    while (ConsoleLineCount() > 0)
        ConsoleAge();
}

const bool registered = ResetBeforeEveryTest(FreshRaceProgram);

}  // namespace
