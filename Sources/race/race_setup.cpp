#include "race/race_setup.h"

#include "race/race_state.h"

// A race on an empty world: clocks, laps and flags from the start line.
void StartRace() {
    RaceOver = 0;
    RecordsChanged = 0;
    CollisionsOn = 1;
    StartStage = 3;
    RaceClock.minutes = 0;
    RaceClock.seconds = 0;
    RaceClock.ticks = 0;
    for (int car = 0; car < MAX_CARS; car++) {
        LapsDone[car] = 0;
        CarSpeed[car] = 0.0f;
        CarInputBits[car] = 0;
        DriveDirection[car] = 1;
        CarRaceClock[car].minutes = 0;
        CarRaceClock[car].seconds = 0;
        CarRaceClock[car].ticks = 0;
    }
}
