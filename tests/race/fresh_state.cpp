// Every race test starts from a fresh process's state: the machine, the
// frame's and the race's switches (a whole game run by a test starts its
// title page's quick race in its first frame again), the object pools, the
// views the chase cameras take their distances and bearings from, and no
// console line or timed message left on the screen.

#include "common/fresh_state.h"
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
    DrawTimedMessages(1);
    while (ConsoleLineCount() > 0)
        ConsoleAge();
}

const bool registered = ResetBeforeEveryTest(FreshRaceProgram);

}  // namespace
