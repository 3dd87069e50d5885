#include "frontend/replay_header.h"

#include <cstring>

#include "frame/frame_state.h"
#include "frontend/file_lists.h"
#include "frontend/frontend_state.h"
#include "race/race_state.h"
#include "race/replay.h"
#include "track/track_state.h"

ReplayHeaderRecord ReplayHeader;
int RaceFromReplay;
int RaceResultValue;

void FillReplayHeader(int keepRunning) {
    if (keepRunning == 0)
        RacePaused = 1;
    StampCareerDate();
    std::memcpy(ReplayHeader.tag, "V1.0", 4);
    ReplayHeader.raceValue = RaceResultValue;
    ReplayHeader.trackCode = (int8_t)TrackCode;
    ReplayHeader.carCount = (int8_t)CarCount;
    ReplayHeader.laps = (int8_t)LapsToRun;
    for (int car = 0; car < 8; car++) {
        ReplayHeader.carModels[car] = (int8_t)CarModel[car];
        ReplayHeader.carColours[car] = (int8_t)CarColour[car];
        ReplayHeader.lapsDone[car] = 0;
    }
    ReplayHeader.mode = SingleRaceMode == 1 ? 0 : ChampionshipRunning == 1 ? 1 : 2;
    std::memcpy(ReplayHeader.replayName, CurrentPlayerName, sizeof ReplayHeader.replayName);
    std::memcpy(ReplayHeader.playerName, CurrentPlayerName, sizeof ReplayHeader.playerName);
    std::memcpy(ReplayHeader.date, CareerRecord.date, sizeof ReplayHeader.date);
}

int ReplayHeaderValid(const ReplayHeaderRecord& header) {
    return header.trackCode >= 10 && header.trackCode <= 79 && header.carCount >= 1 && header.carCount <= 8 &&
           header.laps >= 1 && header.laps <= LAP_TABLE_LAPS;
}

void ApplyReplayHeader() {
    // A header from a file that names no race a replay can play is left
    // alone: the race keeps the set-up it has.
    if (RaceFromReplay != 1 || !ReplayHeaderValid(ReplayHeader))
        return;
    RaceResultValue = ReplayHeader.raceValue;
    TrackCode = ReplayHeader.trackCode;
    CarCount = ReplayHeader.carCount;
    LapsToRun = ReplayHeader.laps;
    TrackGroup = TrackCode / 10;
    TrackVariant = TrackCode - 10 * TrackGroup;
    TrackArtSet = TrackVariant;
    CarRaceClock[0].minutes = 0;
    CarRaceClock[0].seconds = 0;
    CarRaceClock[0].ticks = 0;
    for (int car = 0; car < 8; car++) {
        // A model or paint the game has no files for would end the program
        // when its objects load.
        const int model = ReplayHeader.carModels[car], colour = ReplayHeader.carColours[car];
        CarModel[car] = model >= 0 && model <= 17 ? model : 0;
        CarColour[car] = colour >= 0 && colour <= 7 ? colour : 0;
        const int done = ReplayHeader.lapsDone[car];
        LapsDone[car] = done < 0 ? 0 : done > LapsToRun ? LapsToRun : done;
    }
    ReplayRecording = 0;
    ReplayPlayback = 1;
    ReplayPlaying = 1;
    PresentationRun = 0;
    PresentationCamera = 0;
    HudVisible = 0;
    RacePhase = 0;
}

const char* ReplayFileProblem(const unsigned char* bytes, int size) {
    if (size < REPLAY_BODY_START)
        return "a replay holds a 124-byte header and its counts";
    ReplayHeaderRecord h;
    std::memcpy(&h, bytes, sizeof h);
    if (h.trackCode / 10 < 1 || h.trackCode / 10 > 7)
        return "the track code names no track group 1 to 7";
    if (h.carCount < 1 || h.carCount > 8 || h.laps < 1 || h.laps > 9 || h.mode < 0 || h.mode > 2)
        return "the cars, laps or mode are out of range";
    for (int car = 0; car < 8; car++) {
        if (h.carModels[car] < 0 || h.carModels[car] > 19 || h.carColours[car] < 0 || h.carColours[car] > 3)
            return "a car model or colour is out of range";
    }
    int32_t ticks, cars;
    std::memcpy(&ticks, bytes + REPLAY_HEADER_BYTES, 4);
    std::memcpy(&cars, bytes + REPLAY_HEADER_BYTES + 4, 4);
    if (cars != h.carCount)
        return "the body's car count is not the header's";
    if (ticks < 20 || ticks > 49999)
        return "the body's tick count is not 20 to 49,999";
    if (size != ReplayFileSize(ticks, cars))
        return "the file's size is not the one its counts give";
    return nullptr;
}
