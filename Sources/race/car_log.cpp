#include "race/car_log.h"

#include <cstdio>

#include "frame/frame_state.h"
#include "frontend/frontend_state.h"
#include "race/race_state.h"

static FILE* carLog;
static int loggedTicks;
// The race's end is logged once, at the first tick that sees it.
static int overLogged;

int OpenCarLog(const char* hostPath) {
    CloseCarLog();
    carLog = std::fopen(hostPath, "w");
    if (!carLog)
        return 0;
    loggedTicks = 0;
    overLogged = 0;
    std::fputs("# quorvix carlog 1\n# car TICK CAR X Y Z HEADING VX VZ SPEED PITCH ROLL REVS GEAR LAPS RANK DISTANCE\n"
               "# finish TICK CAR\n# over TICK FAILED JUMP\n",
               carLog);
    return 1;
}

void CloseCarLog() {
    if (carLog)
        std::fclose(carLog);
    carLog = nullptr;
}

void LogCarTick() {
    if (!carLog)
        return;
    if (RaceOver && !overLogged)
        std::fprintf(carLog, "over %d %d %a\n", loggedTicks, EventFailed, (double)JumpDistance);
    overLogged = RaceOver != 0;
    for (int car = 0; car < CarCount && car < MAX_CARS; car++) {
        std::fprintf(carLog, "car %d %d %a %a %a %a %a %a %a %a %a %a %d %d %d %a\n", loggedTicks, car, (double)SimPosX[car],
                     (double)SimPosY[car], (double)SimPosZ[car], (double)SimHeading[car], (double)VelocityX[car],
                     (double)VelocityZ[car], (double)CarSpeed[car], (double)SimPitch[car], (double)SimRoll[car],
                     (double)EngineRevs[car], CarGear[car], LapsDone[car], rank_pos[car], (double)RaceDistance[car]);
    }
    loggedTicks++;
}

void LogCarFinish(int car) {
    if (carLog)
        std::fprintf(carLog, "finish %d %d\n", loggedTicks, car);
}
