// Laps, checkpoints, finishing, points and the records a lap may beat.
// LapAndFinish runs on the frame for every car after the view is drawn.

#include "race/laps.h"

#include <cstdio>
#include <cstring>

#include "frontend/frontend_state.h"
#include "frontend/records.h"
#include "frontend/replay_header.h"
#include "frontend/settings.h"
#include "frontend/text_slots.h"
#include "frame/frame_state.h"
#include "net/net_messages.h"
#include "net/net_state.h"
#include "race/car_log.h"
#include "race/messages.h"
#include "race/race_state.h"
#include "render/text_printer.h"
#include "track/zones.h"

int LapLineState[MAX_CARS];
int LapCheckpoint[MAX_CARS];
int FinishedFlags[MAX_CARS];
int FinishCount;
int FinishSequenceCar = -1;
LapTime LapTimeTable[MAX_CARS][LAP_TABLE_LAPS];
LapTime RaceBestLap;
int TestFinishOrders[TEST_FINISH_RACES][MAX_CARS];
int TestFinishRaces;
int TestFinishRacesRun;

namespace {

// The cross tracks' checkpoint zones in lap order; entry 0 is never
// matched (the sequence starts there).
const int CrossCheckpoints[8] = {145, 140, 141, 142, 143, 144, 145, 140};

int TimedEvent() {
    return TrackCode == 31 || (TrackCode >= 50 && TrackCode <= 54) || TrackCode == 56 || TrackCode == 57;
}

int CrossTrack() { return TrackCode == 62 || TrackCode == 65 || TrackCode == 68 || TrackCode == 69; }

int LapValue(const LapTime& t) { return t.minutes << 16 | t.seconds << 8 | t.hundredths; }

int HundredthsOf(int ticks) { return ticks * 99 / 59; }

int RecordCode() { return TrackCode >= 0 && TrackCode < RECORD_TRACK_CODES ? TrackCode : 0; }

// Records are the single player's: none in split screen, network games,
// replays, autopilot runs or a finish a test orders.
int RecordsKept() {
    return !SplitScreen && !NetworkGame && !NetSessionOpen && !ReplayPlaying && !AutopilotRun && !TestFinishRaces;
}

// The holder's name in the highlight font after a message slot's text.
void ShowRecordMessage(int slot, const char* value, int prize, int y) {
    GetText(slot);
    char text[TEXT_BUFFER_SIZE + 64];
    int length = std::snprintf(text, sizeof text, "%s \x1f%.19s %s\x1f", TextBufferB, CurrentPlayerName, value);
    if (CareerRace && length > 0 && length < (int)sizeof text) {
        std::snprintf(text + length, sizeof text - (size_t)length, " *%d*", prize);
        TargetMoney += prize;
    }
    ShowTimedMessage(320, y, text, 1, 1, 420, 2);
}

void NoteNewRecord() {
    ReplayNewRecord = 1;
    FillReplayHeader(1);
}

// The three bytes of a time, each held to a byte.
RecordTime ToRecord(int minutes, int seconds, int hundredths) {
    auto byte = [](int v) { return (uint8_t)(v < 0 ? 0 : v > 255 ? 255 : v); };
    return {byte(minutes), byte(seconds), byte(hundredths)};
}

// A standings row of a car in split screen.
int StandingsRow(int car) {
    const int row = car < 2 ? PlayerStandingsRow[car] : StandingsPlayers + car - 2;
    return row < 0 ? 0 : row >= MAX_CARS ? MAX_CARS - 1 : row;
}

int PointsFor(int order) { return order >= 0 && order < 16 && FinishPoints[order] > 0 ? FinishPoints[order] : 0; }

void AwardPoints(int row) {
    if (FinishedFlags[row])
        return;
    FinishedFlags[row] = 1;
    const int points = PointsFor(FinishCount);
    ChampionshipTotals[row] += points;
    RacePoints[row] = SplitScreen ? RacePoints[row] + points : points;
    FinishCount++;
}

// The finished car takes the first place not yet frozen: the ranks trail
// the race order by up to a place a frame, and a car that overtook just
// before the line would otherwise freeze behind the one it passed.
// In a network race the order is the host's from the race's end on: the
// host sent it, or a joiner took it. A car a machine sees cross the line after
// that must not move it, or each machine would end on an order of its own.
void FreezeFinishPlace(int car) {
    if (NetSessionOpen && RaceOver && RankingFrozen == 1)
        return;
    const int place = FrozenPlaces;
    int rank = rank_pos[car];
    if (place < 0 || place >= MAX_CARS || rank < 0 || rank >= MAX_CARS)
        return;
    while (rank > place) {
        const int other = rank_coche[rank - 1];
        rank_coche[rank] = other;
        if (other >= 0 && other < MAX_CARS)
            rank_pos[other] = rank;
        rank--;
    }
    rank_coche[rank] = car;
    rank_pos[car] = rank;
}

// A new best lap (lap 1) or race time of the track: the table, its holder
// and date, the save, the replay's note and the message.
void NewTimeRecord(int lap, int code, RecordTime time) {
    if (lap) {
        SetBestLapTime(code, time);
        SetLapRecordName(code, CurrentPlayerName);
    } else {
        SetBestRaceTime(code, time);
        SetRaceRecordName(code, CurrentPlayerName);
    }
    RecordsChanged = 1;
    if (lap)
        StampLapRecordDate(code);
    else
        StampRaceRecordDate(code);
    SaveSettings();
    NoteNewRecord();
    char value[32];
    std::snprintf(value, sizeof value, "%02d:%02d:%02d", time.minutes % 100, time.seconds % 100, time.hundredths % 100);
    if (lap)
        ShowRecordMessage(1711, value, RacePrize, 330);
    else
        ShowRecordMessage(411, value, 2 * RacePrize, 298);
}

// On the arena events only car 0 races: the opponents stand on the floor
// and never reach the line.
int EveryCarFinished() {
    const int racing = TrackGroup == 5 && TrackVariant != 5 ? 1 : (int)CarCount;
    for (int car = 0; car < racing && car < MAX_CARS; car++) {
        if (LapsDone[car] != LapsToRun)
            return 0;
    }
    return 1;
}

// Car 0 wins by finishing first, or by finishing at all on the events
// raced against the clock.
int FinishWins() {
    return rank_pos[0] == 0 || (TrackCode >= 50 && TrackCode <= 54) || TrackCode == 56 || TrackCode == 57;
}

void FinishSplitScreen(int c) {
    const int row = StandingsRow(c);
    if (!FinishedFlags[row]) {
        AwardPoints(row);
        GetText(1713 + FinishCount);
        char text[TEXT_BUFFER_SIZE + 4];
        std::snprintf(text, sizeof text, "\x7f%s\x80", TextBufferB);
        if (c <= 1)
            ShowTimedMessage(320, c == 0 ? 70 : 310, text, 1, 1, 3000, 1);
    }
    if (c < StandingsPlayers) {
        if (RaceOver == 0 && FinishSequenceCar == -1 && rank_pos[c] == 0) {
            FinishSequence = 1;
            FinishSequenceCar = c;
        }
        if (LapsDone[0] == LapsToRun && LapsDone[1] == LapsToRun)
            RaceOver = 1;
    }
}

void FinishRace(int c) {
    if (!NetworkGame && !NetSessionOpen)
        AwardPoints(c);
    if (RaceOver != 0)
        return;
    if (AutopilotRun && !NetSessionOpen) {
        // Every car races to the line.
        if (EveryCarFinished()) {
            FinishSequence = FinishWins();
            RaceOver = 1;
        }
    } else if (!NetSessionOpen) {
        if (c == 0) {
            FinishSequence = FinishWins();
            RaceOver = 1;
        }
    } else if (NetIsHost) {
        SendRaceResults(0);
        FinishSequence = rank_pos[0] == 0;
        RankingFrozen = 1;
        RaceOver = 1;
    }
}

void CountLap(int c) {
    LapLineState[c] = 0;
    CarRaceClock[c].minutes = 0;
    CarRaceClock[c].seconds = 0;
    CarRaceClock[c].ticks = 0;
    if (c <= SplitScreen) {
        CheckLapRecords();
        if (!SplitScreen && !NetSessionOpen && !NetworkGame && !ReplayPlaying) {
            const int left = LapsToRun - LapsDone[0] - 1;
            if (left == 2 || left == 1) {
                GetText(left == 2 ? 1709 : 1710);
                ShowTimedMessage(320, 150, TextBufferB, 0, 1, 240, 1);
            }
        }
    }
    LapsDone[c]++;
    if (LapsDone[c] >= LapsToRun) {
        LapsDone[c] = LapsToRun;
        FreezeFinishPlace(c);
        FrozenPlaces++;
        LogCarFinish(c);
        if (SplitScreen)
            FinishSplitScreen(c);
        else
            FinishRace(c);
    }
    if (TrackCode == 50 && LapsDone[c] == 2 && RaceOver == 0) {
        FinishSequence = 1;
        RaceOver = 1;
        if (NetSessionOpen)
            SendCommand(7, 0);
    }
}

// The zone value of the car this frame, or -1 when nothing counts.
int ZoneValue(int c) {
    if (!CrossTrack())
        return ZoneTypeAtCar(140, 142);
    for (int k = 1; k < 8; k++) {
        if (CarInZone(CrossCheckpoints[k]) == 1 && LapCheckpoint[c] == k - 1)
            LapCheckpoint[c] = k;
    }
    if (LapCheckpoint[c] != 7)
        return -1;
    LapCheckpoint[c] = 1;
    LapLineState[c] = 2;
    return 0;
}

// The test hook: once the race runs, the next ordered row's cars complete
// their last lap one after the other, each through CountLap as if it had
// crossed the line, so places, points, FinishSequence and RaceOver follow
// the race's own rules.
int FinishInTestOrder() {
    if (TestFinishRacesRun >= TestFinishRaces || TestFinishRacesRun >= TEST_FINISH_RACES)
        return 0;
    if (StartStage < 3 || RaceOver || RacePaused || ReplayPlaying)
        return 0;
    const int* order = TestFinishOrders[TestFinishRacesRun++];
    const int keptCar = CurrentCar;
    for (int k = 0; k < MAX_CARS && order[k] >= 0; k++) {
        const int c = order[k];
        if (c >= CarCount || LapsDone[c] >= LapsToRun)
            continue;
        CurrentCar = c;
        LapsDone[c] = LapsToRun - 1;
        CountLap(c);
    }
    CurrentCar = keptCar;
    return 1;
}

}  // namespace

void LapAndFinish() {
    const int c = CurrentCar;
    if (c < 0 || c >= MAX_CARS || PresentationRun == 1)
        return;
    if (TestFinishRaces > 0 && FinishInTestOrder())
        return;
    if (TimedEvent() && TimeLeft.minutes <= 0 && TimeLeft.seconds <= 0)
        return;
    // A finished car counts no more laps.
    if (LapsDone[c] >= LapsToRun)
        return;
    const int v = ZoneValue(c);
    if (v < 0)
        return;
    if (v == 0 && LapLineState[c] == 2)
        CountLap(c);
    if (v == LapLineState[c] + 1)
        LapLineState[c] = v;
    else if (v == 0)
        LapLineState[c] = 0;
}

void CheckLapRecords() {
    const int c = CurrentCar;
    if (c < 0 || c >= MAX_CARS)
        return;
    const int done = LapsDone[c];
    if (done >= 0 && done < LAP_TABLE_LAPS) {
        const LapTime& lap = LapTimeTable[c][done];
        if (done == 0 || LapValue(lap) < LapValue(RaceBestLap))
            RaceBestLap = lap;
    }
    if (!RecordsKept())
        return;
    const int code = RecordCode();
    const int best = LapValue(RaceBestLap);
    if (best != 0 && best < RecordTimeValue(BestLapTimes[code]))
        NewTimeRecord(1, code, ToRecord(RaceBestLap.minutes, RaceBestLap.seconds, RaceBestLap.hundredths));
    if (done + 1 < LapsToRun || c > 1)
        return;
    const PlayerTime& race = PlayerRaceTime[c];
    const RecordTime time = ToRecord(race.minutes, race.seconds, HundredthsOf(race.ticks));
    const int raceValue = RecordTimeValue(time);
    if (raceValue != 0 && raceValue < RecordTimeValue(BestRaceTimes[code]))
        NewTimeRecord(0, code, time);
}

void CheckDistanceRecord() {
    if (!RecordsKept() || !(JumpDistance > 0.0f))
        return;
    int whole = 255, hundredths = 99;
    // A jump of 256 units or more does not fit the table's byte: it is kept
    // as the largest distance the byte holds.
    if (JumpDistance < 256.0f) {
        whole = (int)JumpDistance;
        hundredths = (int)((JumpDistance - (float)whole) * 100.0f);
    }
    const int code = RecordCode();
    const RecordTime& held = BestLapTimes[code];
    if ((whole << 16 | hundredths << 8) <= (held.seconds << 16 | held.hundredths << 8))
        return;
    const RecordTime distance = ToRecord(0, whole, hundredths);
    SetBestLapTime(code, distance);
    SetBestRaceTime(code, distance);
    SetLapRecordName(code, CurrentPlayerName);
    SetRaceRecordName(code, CurrentPlayerName);
    StampLapRecordDate(code);
    StampRaceRecordDate(code);
    SaveSettings();
    char value[32];
    std::snprintf(value, sizeof value, "%02d.%02d", whole, hundredths);
    ShowRecordMessage(16, value, RacePrize, 330);
    NoteNewRecord();
}

void WriteRunningLapTime(int car) {
    if (car < 0 || car >= MAX_CARS)
        return;
    const int lap = LapsDone[car];
    if (lap < 0 || lap >= LAP_TABLE_LAPS)
        return;
    LapTimeTable[car][lap] = {CarRaceClock[car].minutes, CarRaceClock[car].seconds,
                              HundredthsOf(CarRaceClock[car].ticks), 0};
}
