// The race rules on crafted tracks: the race order along a guide line, the
// computer driver's choices, laps through the checkpoint zones, finishing,
// points and records, the wrong-way warning and the camera controls.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frame/fileio.h"
#include "frontend/frontend_state.h"
#include "frontend/records.h"
#include "net/net_state.h"
#include "platform/plat_file.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"
#include "race/cameras.h"
#include "race/cpu_driver.h"
#include "race/laps.h"
#include "race/race_order.h"
#include "race/race_state.h"
#include "race/replay.h"
#include "race/wrong_way.h"
#include "render/render_state.h"
#include "track/track_state.h"

namespace {

// The tables a test crafts, kept and put back whole.
struct KeptTables {
    CpuLinePoint lines[CPU_LINES][CPU_LINE_RECORDS];
    int counts[CPU_LINES];
    ZoneFile zones;
    RecordTime lap[RECORD_TRACK_CODES], race[RECORD_TRACK_CODES];
    char lapNames[RECORD_TRACK_CODES][RECORD_NAME_BYTES], raceNames[RECORD_TRACK_CODES][RECORD_NAME_BYTES];
    SettingsRecord settings;
};

struct RaceRules : ::testing::Test {
    std::unique_ptr<KeptTables> kept = std::make_unique<KeptTables>();
    std::string folder;

    void SetUp() override {
        memcpy(kept->lines, CpuLineTable, sizeof CpuLineTable);
        memcpy(kept->counts, CpuLinePointCounts, sizeof kept->counts);
        kept->zones = ZoneTable;
        memcpy(kept->lap, BestLapTimes, sizeof BestLapTimes);
        memcpy(kept->race, BestRaceTimes, sizeof BestRaceTimes);
        memcpy(kept->lapNames, LapRecordNames, sizeof LapRecordNames);
        memcpy(kept->raceNames, RaceRecordNames, sizeof RaceRecordNames);
        kept->settings = SettingsImage;
        memset(CpuLineTable, 0, sizeof CpuLineTable);
        memset(CpuLinePointCounts, 0, sizeof CpuLinePointCounts);
        memset(&ZoneTable, 0, sizeof ZoneTable);
        Fresh();
    }

    void TearDown() override {
        memcpy(CpuLineTable, kept->lines, sizeof CpuLineTable);
        memcpy(CpuLinePointCounts, kept->counts, sizeof kept->counts);
        ZoneTable = kept->zones;
        memcpy(BestLapTimes, kept->lap, sizeof BestLapTimes);
        memcpy(BestRaceTimes, kept->race, sizeof BestRaceTimes);
        memcpy(LapRecordNames, kept->lapNames, sizeof LapRecordNames);
        memcpy(RaceRecordNames, kept->raceNames, sizeof RaceRecordNames);
        SettingsImage = kept->settings;
        Fresh();
        if (!folder.empty())
            (void)system(("rm -rf '" + folder + "'").c_str());
    }

    static void Fresh() {
        TrackGroup = 1;
        TrackVariant = 0;
        TrackCode = 10;
        CarCount = 4;
        LapsToRun = 3;
        SplitScreen = 0;
        NetSessionOpen = 0;
        NetIsHost = 0;
        NetworkGame = 0;
        ReplayPlaying = 0;
        ReplayPlayback = 0;
        RaceOver = 0;
        RacePaused = 0;
        RecordsChanged = 0;
        PresentationRun = 0;
        FinishSequence = 0;
        FinishSequenceCar = -1;
        FinishCount = 0;
        FrozenPlaces = 0;
        RankingFrozen = 0;
        AutopilotRun = 0;
        EnginesReleased = 1;
        LocalCar = 0;
        CurrentCar = 0;
        CareerRace = 0;
        TimeLeft.minutes = 0;
        TimeLeft.seconds = 0;
        memset(CurrentPlayerName, 0, sizeof CurrentPlayerName);
        for (int car = 0; car < MAX_CARS; car++) {
            rank_coche[car] = rank_pos[car] = car;
            PathNodeIndex[car] = 0;
            PathNodeBase[car] = RaceDistance[car] = 0.0f;
            LapsDone[car] = LapLineState[car] = LapCheckpoint[car] = FinishedFlags[car] = 0;
            RacePoints[car] = ChampionshipTotals[car] = 0;
            PlayerStandingsRow[car] = 0;
            cocheX[car] = cocheZ[car] = SimPosX[car] = SimPosZ[car] = 0.0f;
            SimHeading[car] = 0.0f;
            CarSpeed[car] = 0.0f;
            CpuTargetNode[car] = 1;
            CpuStuckTicks[car] = CpuRecovering[car] = 0;
            CpuLineProfile[car] = CpuSkill[car] = 0;
            CpuSteerTolerance[car] = 0.25f;
            HornFlags[car] = 0;
            CarInputBits[car] = 0;
            CarBodies[car] = {};
            for (LapTime& lap : LapTimeTable[car])
                lap = {};
        }
        RaceBestLap = {};
        for (TimedMessage& message : TimedMessages)
            message = {};
        ViewedCar[0] = 0;
        ViewMode[0] = ViewMode[1] = 0;
        LastReplayCamera = -1;
        ReplayCameraMode = 0;
        ReplayTickCounter = 0;
        ResetWrongWay();
        // A replay camera of the test gives back the view's focal scale.
        ResetTvCameras();
    }
};

// A guide line up the z axis: n points 1,000 apart from (1000, 1000).
void StraightGuideLine(int n) {
    for (int i = 0; i < n; i++) {
        CpuLinePoint& p = CpuLineTable[CPU_LINE_GUIDE][i];
        p.x = 1000.0f;
        p.z = 1000.0f + 1000.0f * (float)i;
        p.length = 1000.0f;
        p.dirX = 0.0f;
        p.dirZ = 1.0f;
    }
    CpuLinePointCounts[CPU_LINE_GUIDE] = n;
}

// The cars in race order, first first.
void SetRanks(std::initializer_list<int> order) {
    int rank = 0;
    for (int car : order) {
        rank_coche[rank] = car;
        rank_pos[car] = rank++;
    }
}

void PlaceCar(int car, float x, float z) {
    cocheX[car] = SimPosX[car] = x;
    cocheZ[car] = SimPosZ[car] = z;
}

// ---------------------------------------------------------------------------
// Race order.

TEST_F(RaceRules, OrderFollowsProgressAlongTheGuideLine) {
    StraightGuideLine(20);
    CarCount = 2;
    PlaceCar(0, 1000.0f, 1500.0f);
    PlaceCar(1, 1000.0f, 1500.0f);
    UpdateRacePositions();
    EXPECT_EQ(PathNodeIndex[0], 0);
    EXPECT_FLOAT_EQ(RaceDistance[0], 500.0f);

    // Car 1 crosses five points in one frame and overtakes car 0.
    PlaceCar(1, 1000.0f, 6700.0f);
    UpdateRacePositions();
    EXPECT_EQ(PathNodeIndex[1], 5);
    EXPECT_FLOAT_EQ(RaceDistance[1], 5700.0f);
    EXPECT_EQ(rank_coche[0], 1);
    EXPECT_EQ(rank_pos[1], 0);
    EXPECT_EQ(rank_pos[0], 1);
    EXPECT_EQ(RaceCarCount, 2);

}

TEST_F(RaceRules, ACarReversingPastPointZeroGoesToTheLastPoint) {
    // A square loop of four 4,000 sides.
    const float xs[4] = {1000, 5000, 5000, 1000}, zs[4] = {1000, 1000, 5000, 5000};
    for (int i = 0; i < 4; i++) {
        CpuLinePoint& p = CpuLineTable[CPU_LINE_GUIDE][i];
        p.x = xs[i];
        p.z = zs[i];
        p.length = 4000.0f;
        p.dirX = (xs[(i + 1) % 4] - xs[i]) / 4000.0f;
        p.dirZ = (zs[(i + 1) % 4] - zs[i]) / 4000.0f;
    }
    CpuLinePointCounts[CPU_LINE_GUIDE] = 4;
    CarCount = 1;
    PlaceCar(0, 2000.0f, 1000.0f);
    UpdateRacePositions();
    EXPECT_FLOAT_EQ(RaceDistance[0], 1000.0f);
    PlaceCar(0, 900.0f, 1500.0f);
    UpdateRacePositions();
    EXPECT_EQ(PathNodeIndex[0], 3);
    EXPECT_FLOAT_EQ(PathNodeBase[0], -4000.0f);
    EXPECT_FLOAT_EQ(RaceDistance[0], -500.0f);
}

TEST_F(RaceRules, ACarGainsOnePlaceAFrameAndEqualDistancesKeepTheirOrder) {
    StraightGuideLine(50);
    PlaceCar(0, 1000.0f, 1100.0f);
    PlaceCar(1, 1000.0f, 1100.0f);
    PlaceCar(2, 1000.0f, 1100.0f);
    PlaceCar(3, 1000.0f, 30000.0f);
    UpdateRacePositions();
    EXPECT_EQ(rank_pos[3], 2) << "one place a frame";
    EXPECT_EQ(rank_pos[0], 0);
    EXPECT_EQ(rank_pos[1], 1);
    UpdateRacePositions();
    UpdateRacePositions();
    EXPECT_EQ(rank_pos[3], 0);
    for (int car = 0; car < 4; car++)
        EXPECT_EQ(rank_coche[rank_pos[car]], car);
}

TEST_F(RaceRules, FrozenPlacesRankingFrozenAndArenaEventsSortNothing) {
    StraightGuideLine(50);
    PlaceCar(3, 1000.0f, 30000.0f);
    FrozenPlaces = 3;   // all but one car finished
    UpdateRacePositions();
    EXPECT_EQ(rank_pos[3], 3);
    FrozenPlaces = 0;
    RankingFrozen = 1;
    UpdateRacePositions();
    EXPECT_EQ(rank_pos[3], 3);
    RankingFrozen = 0;
    TrackGroup = 5;
    TrackVariant = 2;
    const int node = PathNodeIndex[3];
    PlaceCar(3, 1000.0f, 40000.0f);
    UpdateRacePositions();
    EXPECT_EQ(RaceCarCount, 1) << "only car 0 is ranked";
    EXPECT_EQ(rank_pos[3], 3);
    EXPECT_EQ(PathNodeIndex[3], node) << "car 3 is not walked";
}

TEST_F(RaceRules, CraftedGuideLinesNeitherLoopNorReadPastTheirPoints) {
    // One point: no walk, the start order stands.
    StraightGuideLine(1);
    PlaceCar(1, 1000.0f, 90000.0f);
    UpdateRacePositions();
    EXPECT_EQ(rank_pos[1], 1);
    EXPECT_EQ(PathNodeIndex[1], 0);
    // Zero lengths with directions that always point on: the walk stops
    // after one lap of points.
    StraightGuideLine(10);
    for (int i = 0; i < 10; i++)
        CpuLineTable[CPU_LINE_GUIDE][i].length = 0.0f;
    PathNodeIndex[1] = 500;   // past the line: starts from point 0
    UpdateRacePositions();
    EXPECT_GE(PathNodeIndex[1], 0);
    EXPECT_LT(PathNodeIndex[1], 10);
    EXPECT_TRUE(std::isfinite(RaceDistance[1]));
}

TEST_F(RaceRules, ResetRaceProgressAndTheFinishZone) {
    StraightGuideLine(60);
    PathNodeIndex[0] = 7;
    PathNodeIndex[1] = 4;
    PathNodeIndex[2] = 9;
    PathNodeIndex[3] = 12;
    PathNodeBase[2] = 5000.0f;
    RaceDistance[2] = 5300.0f;
    FrozenPlaces = 2;
    ResetRaceProgress();
    for (int car = 0; car < 4; car++) {
        EXPECT_EQ(PathNodeIndex[car], 4);
        EXPECT_EQ(RaceDistance[car], 0.0f);
        EXPECT_EQ(PathNodeBase[car], 0.0f);
    }
    EXPECT_EQ(FrozenPlaces, 0);

    FinishZoneReached = 0;
    PathNodeIndex[0] = 52;
    PlaceCar(0, 25803.0f + 1000.0f, 68000.0f + 1000.0f);   // 1,414 away
    CheckFinishZone();
    EXPECT_EQ(FinishZoneReached, 1);
    EXPECT_EQ(RaceOver, 1);
    FinishZoneReached = 0;
    RaceOver = 0;
    PathNodeIndex[0] = 54;
    CheckFinishZone();
    EXPECT_EQ(FinishZoneReached, 0) << "only at path points 50 to 53";
}

// ---------------------------------------------------------------------------
// Computer driver.

// Three driving lines up the z axis, the target far ahead.
void DrivingLines(int n) {
    for (int line = 0; line < 3; line++) {
        for (int i = 0; i < n; i++) {
            CpuLinePoint& p = CpuLineTable[line][i];
            p.x = 1000.0f + 1000.0f * (float)line;
            p.z = 1000.0f + 5000.0f * (float)i;
        }
        CpuLinePointCounts[line] = n;
    }
}

TEST_F(RaceRules, TheDriversStandingAgainstCarZeroChoosesItsLineAndGrip) {
    DrivingLines(10);
    CpuLineProfile[1] = 3;
    CpuSkill[1] = 2;
    PlaceCar(1, 1000.0f, 1000.0f);
    RaceDistance[0] = 0.0f;
    RaceDistance[1] = 20000.0f;   // far in front of car 0
    DriveCpuCar(1);
    EXPECT_FLOAT_EQ(adhesion[1], 1.45f);
    RaceDistance[1] = 5000.0f;    // in front by less than 10,000
    DriveCpuCar(1);
    EXPECT_FLOAT_EQ(adhesion[1], 1.57f);
    RaceDistance[1] = -1.0f;      // behind car 0
    DriveCpuCar(1);
    EXPECT_FLOAT_EQ(adhesion[1], 1.75f);
    // Profile 3 drives line 1 behind: the target is a point of line 1.
    CarSpeed[1] = 100.0f;
    PlaceCar(1, 2000.0f, 6000.0f);
    CpuTargetNode[1] = 1;
    PathNodeIndex[1] = 1;
    DriveCpuCar(1);
    EXPECT_EQ(CarInputBits[1] & (INPUT_LEFT | INPUT_RIGHT), 0) << "line 1's points lie straight ahead";
    RaceDistance[1] = 20000.0f;   // line 0 lies 1,000 aside: it steers
    DriveCpuCar(1);
    EXPECT_NE(CarInputBits[1] & (INPUT_LEFT | INPUT_RIGHT), 0);
}

TEST_F(RaceRules, AHeadingErrorOfPointZeroSevenSteersASmallerOneDoesNot) {
    DrivingLines(10);
    PlaceCar(1, 1000.0f, 1000.0f);
    CpuTargetNode[1] = 1;   // 5,000 straight up +z
    CarSpeed[1] = 30.0f;
    for (float error : {0.069f, -0.069f}) {
        SimHeading[1] = error;
        DriveCpuCar(1);
        EXPECT_EQ(CarInputBits[1] & (INPUT_LEFT | INPUT_RIGHT), 0) << error;
        EXPECT_NE(CarInputBits[1] & INPUT_ACCELERATE, 0);
    }
    SimHeading[1] = 0.071f;
    DriveCpuCar(1);
    const int oneWay = CarInputBits[1] & (INPUT_LEFT | INPUT_RIGHT);
    SimHeading[1] = -0.071f;
    DriveCpuCar(1);
    const int otherWay = CarInputBits[1] & (INPUT_LEFT | INPUT_RIGHT);
    EXPECT_NE(oneWay, 0);
    EXPECT_NE(otherWay, 0);
    EXPECT_NE(oneWay, otherWay);
    // Headings a whole turn apart steer alike.
    SimHeading[1] = 0.071f + 6.2831853f * 3.0f;
    DriveCpuCar(1);
    EXPECT_EQ(CarInputBits[1] & (INPUT_LEFT | INPUT_RIGHT), oneWay);
}

TEST_F(RaceRules, AStuckCarBacksOutUntilItFacesTheNextNodeThenDrivesOn) {
    DrivingLines(10);
    PlaceCar(1, 1000.0f, 1000.0f);
    PathNodeIndex[1] = 0;
    SimHeading[1] = 3.14159f;   // facing away from the line
    CarSpeed[1] = 0.0f;
    for (int tick = 0; tick < 49; tick++)
        DriveCpuCar(1);
    EXPECT_EQ(CpuRecovering[1], 0);
    DriveCpuCar(1);
    EXPECT_EQ(CpuRecovering[1], 1) << "50 ticks below speed 10";
    EXPECT_EQ(CpuTargetNode[1], 1);
    DriveCpuCar(1);
    EXPECT_NE(CarInputBits[1] & INPUT_BRAKE, 0) << "it reverses";
    SimHeading[1] = 0.2f;   // within pi / 10 of the bearing
    DriveCpuCar(1);
    EXPECT_EQ(CpuRecovering[1], 0);
    EXPECT_NE(CarInputBits[1] & INPUT_ACCELERATE, 0);
    // The engines held: no car counts as stuck.
    EnginesReleased = 0;
    for (int tick = 0; tick < 60; tick++)
        DriveCpuCar(1);
    EXPECT_EQ(CpuRecovering[1], 0);
}

TEST_F(RaceRules, TheTargetStaysAmongTheChosenLinesPoints) {
    DrivingLines(1);
    PlaceCar(1, 1000.0f, 1000.0f);   // on point 0: the look-ahead passes it
    CpuTargetNode[1] = 1;
    for (int tick = 0; tick < 5; tick++) {
        DriveCpuCar(1);
        EXPECT_EQ(CpuTargetNode[1], 0);
    }
    // A guide node beyond a shorter line's end.
    DrivingLines(4);
    PathNodeIndex[1] = 150;
    CpuTargetNode[1] = 151;
    DriveCpuCar(1);
    EXPECT_GE(CpuTargetNode[1], 0);
    EXPECT_LT(CpuTargetNode[1], 4);
}

TEST_F(RaceRules, TrafficAheadBrakesAndHonksButACarIsNeverItsOwnTraffic) {
    DrivingLines(10);
    CarSpeed[1] = 100.0f;
    PlaceCar(1, 1000.0f, 1000.0f);
    CarBodies[1].forward[1] = 1.0f;   // facing +z
    CarBodies[1].side[0] = 1.0f;
    // The car just ahead in race order, 1,500 in front.
    SetRanks({2, 1, 0, 3});
    PlaceCar(2, 1000.0f, 2500.0f);
    PlaceCar(0, 50000.0f, 50000.0f);
    RaceDistance[0] = -50000.0f;
    DriveCpuCar(1);
    EXPECT_NE(CarInputBits[1] & INPUT_BRAKE, 0);
    // The local car slow, 5,000 ahead: a honk.
    PlaceCar(2, 50000.0f, 9000.0f);
    PlaceCar(0, 1000.0f, 6000.0f);
    CarSpeed[0] = 10.0f;
    DriveCpuCar(1);
    EXPECT_EQ(HornFlags[1], 1);
    // Under the autopilot car 0 drives as a computer car and is never in its
    // own way.
    AutopilotRun = 1;
    CarBodies[0].forward[1] = 1.0f;
    CarSpeed[0] = 100.0f;
    RaceDistance[0] = 0.0f;
    HornFlags[0] = 0;
    DriveCpuCar(0);
    EXPECT_EQ(HornFlags[0], 0);
    EXPECT_EQ(CarInputBits[0] & INPUT_BRAKE, 0);
}

// ---------------------------------------------------------------------------
// Laps and finishing.

// Zone record `zone` of type `type`: the square 1000..3000 in x around z.
void SquareZone(int zone, int type, int z) {
    ZoneRecord& r = ZoneTable.records[zone];
    r.vertexWords = 16;
    r.type = type;
    const int xs[4] = {1000, 3000, 3000, 1000}, zs[4] = {z - 500, z - 500, z + 500, z + 500};
    for (int k = 0; k < 4; k++)
        r.vertices[k] = {xs[k], 0, zs[k], 0};
}

// Checkpoints of types 0, 1, 2 at z 2,000, 5,000 and 8,000 (zones 140..142).
void CircuitZones() {
    SquareZone(140, 0, 2000);
    SquareZone(141, 1, 5000);
    SquareZone(142, 2, 8000);
}

void AtZ(int car, int z) {
    CurrentCar = car;
    PlaceCar(car, 2000.0f, (float)z);
    LapAndFinish();
}

void DriveLap(int car) {
    for (int z : {5000, 8000, 2000})
        AtZ(car, z);
}

TEST_F(RaceRules, ALapCountsThroughZonesZeroOneTwoZero) {
    CircuitZones();
    AtZ(1, 2000);
    AtZ(1, 5000);
    AtZ(1, 2000);
    EXPECT_EQ(LapsDone[1], 0) << "1 then 0: the line state starts over";
    DriveLap(1);
    EXPECT_EQ(LapsDone[1], 1);
    // Reversing through zone 1 after arming keeps the state at 2.
    AtZ(1, 5000);
    AtZ(1, 8000);
    AtZ(1, 5000);
    EXPECT_EQ(LapLineState[1], 2);
    AtZ(1, 2000);
    EXPECT_EQ(LapsDone[1], 2);
    // Outside every zone nothing changes.
    AtZ(1, 20000);
    EXPECT_EQ(LapLineState[1], 0);
}

// Arena event `variant` over the circuit's zones, `minutes` on its clock.
void ArenaEvent(int variant, int minutes) {
    CircuitZones();
    TrackGroup = 5;
    TrackVariant = variant;
    TrackCode = 50 + variant;
    TimeLeft.minutes = minutes;
    TimeLeft.seconds = 0;
}

TEST_F(RaceRules, NothingCountsOnATimedEventOnceTheTimeIsUp) {
    ArenaEvent(0, 0);
    AtZ(1, 5000);
    AtZ(1, 8000);
    EXPECT_EQ(LapLineState[1], 0);
    TimeLeft.seconds = 1;
    AtZ(1, 5000);
    EXPECT_EQ(LapLineState[1], 1);
}

TEST_F(RaceRules, TheSinglePlayerIsToldTheLapsLeftAfterLapsOneAndTwo) {
    CircuitZones();
    int shown[3] = {};
    for (int lap = 0; lap < 3; lap++) {
        DriveLap(0);
        for (const TimedMessage& m : TimedMessages)
            shown[lap] += m.timeLeft == 240 && m.y == 150;
        for (TimedMessage& m : TimedMessages)
            m = {};
    }
    EXPECT_EQ(shown[0], 1);
    EXPECT_EQ(shown[1], 1);
    EXPECT_EQ(shown[2], 0);
    EXPECT_EQ(LapsDone[0], 3);
    EXPECT_EQ(RaceOver, 1) << "car 0's finish ends a single race";
    EXPECT_EQ(FinishSequence, 1) << "car 0 leads";
}

TEST_F(RaceRules, TheCrossTracksCountTheirZoneSequence) {
    TrackGroup = 6;
    TrackVariant = 2;
    TrackCode = 62;
    const int order[6] = {140, 141, 142, 143, 144, 145};
    for (int k = 0; k < 6; k++)
        SquareZone(order[k], 0, 2000 + 3000 * k);
    const auto at = [](int zone) { AtZ(1, 2000 + 3000 * (zone - 140)); };
    at(140);
    at(142);   // out of order: nothing
    EXPECT_EQ(LapCheckpoint[1], 1);
    for (int zone : {141, 142, 143, 144, 145, 140})
        at(zone);
    EXPECT_EQ(LapsDone[1], 1);
    for (int zone : {141, 142, 143, 144, 145})
        at(zone);
    EXPECT_EQ(LapsDone[1], 1);
    at(140);
    EXPECT_EQ(LapsDone[1], 2) << "from 141 onward after the first lap";
}

TEST_F(RaceRules, FinishersScorePointsInTheirOrderAndTakeTheNextPlace) {
    CircuitZones();
    LapsToRun = 1;
    SetRanks({2, 3, 0, 1});   // the ranks lag: car 3 overtook car 2 at the line
    DriveLap(3);
    EXPECT_EQ(rank_pos[3], 0) << "the first car in takes first place";
    EXPECT_EQ(FrozenPlaces, 1);
    EXPECT_EQ(RacePoints[3], 50);
    EXPECT_EQ(RaceOver, 0) << "a computer car's finish does not end it";
    DriveLap(0);
    EXPECT_EQ(RacePoints[0], 30);
    EXPECT_EQ(ChampionshipTotals[0], 30);
    EXPECT_EQ(RaceOver, 1);
    EXPECT_EQ(FinishSequence, 0) << "car 0 came second";
    // A finished car counts nothing more.
    DriveLap(3);
    EXPECT_EQ(FrozenPlaces, 2);
    EXPECT_EQ(LapsDone[3], 1);
}

TEST_F(RaceRules, SplitScreenAndNetworkHostFinishes) {
    CircuitZones();
    LapsToRun = 1;
    SplitScreen = 1;
    PlayerStandingsRow[0] = 0;
    PlayerStandingsRow[1] = 1;
    DriveLap(1);
    EXPECT_EQ(RacePoints[1], 50);
    EXPECT_EQ(FinishSequenceCar, 1);
    EXPECT_EQ(RaceOver, 0) << "player 1 still races";
    DriveLap(2);   // a computer car: row StandingsPlayers + 0
    EXPECT_EQ(RacePoints[2], 30);
    DriveLap(0);
    EXPECT_EQ(RaceOver, 1);
    EXPECT_EQ(FinishSequenceCar, 1);

    Fresh();
    CircuitZones();
    LapsToRun = 1;
    NetSessionOpen = 1;
    NetIsHost = 1;
    NetworkGame = 1;
    DriveLap(2);
    EXPECT_EQ(RaceOver, 1) << "on the host any finish ends the race";
    EXPECT_EQ(RankingFrozen, 1);
    EXPECT_EQ(RacePoints[2], 0) << "no points in network games";
}

// Once a network race is over its order is the one the host sent: a car seen
// finishing after that, on the host or on a joiner, keeps its rank.
TEST_F(RaceRules, ANetworkRacesOrderStaysTheHostsAfterTheEnd) {
    for (int host = 1; host >= 0; host--) {
        Fresh();
        CircuitZones();
        LapsToRun = 1;
        NetSessionOpen = 1;
        NetworkGame = 1;
        NetIsHost = host;
        SetRanks({0, 1, 2, 3});
        if (host) {
            DriveLap(1);   // the host's first finisher takes first place and ends the race
            EXPECT_EQ(rank_coche[0], 1);
        } else {
            // The host's order, as a joiner takes it from the results.
            SetRanks({1, 0, 2, 3});
            RankingFrozen = 1;
            RaceOver = 1;
        }
        DriveLap(3);   // seen crossing later, from the last rank
        EXPECT_EQ(rank_coche[0], 1) << "host " << host;
        EXPECT_EQ(rank_coche[1], 0) << "host " << host;
        EXPECT_EQ(rank_coche[3], 3) << "host " << host << ": a late finish moved the order";
        EXPECT_EQ(rank_pos[3], 3) << "host " << host;
    }
}

TEST_F(RaceRules, TheAutopilotRaceEndsWhenEveryCarIsIn) {
    CircuitZones();
    LapsToRun = 1;
    AutopilotRun = 1;
    CarCount = 3;
    DriveLap(0);
    DriveLap(2);
    EXPECT_EQ(RaceOver, 0);
    DriveLap(1);
    EXPECT_EQ(RaceOver, 1);
    EXPECT_EQ(FinishSequence, 1);
}

// On the arena events only car 0 races (the opponents stand on the floor):
// the autopilot's race ends on its laps, a win, with time left.
TEST_F(RaceRules, TheAutopilotArenaRaceEndsOnCarZerosLaps) {
    ArenaEvent(1, 1);
    LapsToRun = 1;
    AutopilotRun = 1;
    CarCount = 7;
    rank_pos[0] = 3;
    DriveLap(0);
    EXPECT_EQ(RaceOver, 1);
    EXPECT_EQ(FinishSequence, 1) << "finishing the event is its win";
}

// ---------------------------------------------------------------------------
// Records.

struct Records : RaceRules {
    void SetUp() override {
        RaceRules::SetUp();
        folder = MakeTestFolder("records");
        PlatSetCurrentDir(folder.c_str());
        snprintf(CurrentPlayerName, sizeof CurrentPlayerName, "%s", "A PLAYER NAME OF TWENTY");
        BestLapTimes[10] = {0, 40, 0};
        BestRaceTimes[10] = {2, 0, 0};
        CircuitZones();
    }
    static int Saved() {
        const int saved = QueryFileSize("Config\\config.cfg");
        PlatDeleteFile("Config\\config.cfg");
        return saved;
    }
};

TEST_F(Records, AFasterLapSetsTheRecordOnceAnEqualOrEmptyOneDoesNot) {
    PlatMakeDir("Config");
    DriveLap(0);   // a lap of no time is no record
    EXPECT_EQ(RecordsChanged, 0);
    EXPECT_EQ(Saved(), 0);
    LapsDone[0] = 0;
    LapTimeTable[0][0] = {0, 45, 0, 0};
    DriveLap(0);
    EXPECT_EQ(RaceBestLap.seconds, 45);
    LapTimeTable[0][1] = {0, 40, 0, 0};   // equal
    DriveLap(0);
    EXPECT_EQ(RecordsChanged, 0);
    EXPECT_EQ(Saved(), 0);
    LapTimeTable[0][2] = {0, 39, 98, 0};
    DriveLap(0);
    EXPECT_EQ(RecordsChanged, 1);
    EXPECT_EQ(BestLapTimes[10].seconds, 39);
    EXPECT_EQ(BestLapTimes[10].hundredths, 98);
    EXPECT_STREQ(LapRecordNames[10], "A PLAYER NAME OF TW");
    EXPECT_EQ(SettingsImage.bestLapTime[10][1], 39) << "the settings copy";
    EXPECT_EQ(Saved(), 1);
    EXPECT_EQ(ReplayNewRecord, 1);
}

TEST_F(Records, TheRaceTimeTakesItsHundredthsFromTheTicks) {
    PlatMakeDir("Config");
    LapsToRun = 1;
    PlayerRaceTime[0] = {1, 30, 59};
    LapTimeTable[0][0] = {0, 50, 0, 0};
    DriveLap(0);
    EXPECT_EQ(BestRaceTimes[10].minutes, 1);
    EXPECT_EQ(BestRaceTimes[10].seconds, 30);
    EXPECT_EQ(BestRaceTimes[10].hundredths, 99) << "59 x 99 / 59";
    PlayerRaceTime[0] = {0, 0, 0};
}

TEST_F(Records, NoRecordInSplitScreenNetworkGamesReplaysOrTheAutopilot) {
    PlatMakeDir("Config");
    int* const switches[] = {&SplitScreen, &NetworkGame, &ReplayPlaying, &AutopilotRun};
    for (int* flag : switches) {
        *flag = 1;
        LapsDone[0] = 1;
        LapTimeTable[0][1] = {0, 10, 0, 0};
        RaceBestLap = {0, 10, 0, 0};
        CurrentCar = 0;
        CheckLapRecords();
        EXPECT_EQ(BestLapTimes[10].seconds, 40);
        EXPECT_EQ(RecordsChanged, 0);
        EXPECT_EQ(Saved(), 0);
        *flag = 0;
    }
}

// The tests' finish-order hook: nothing before the start; then its row's
// cars come in in its order through the lap rules (places, points, the
// race's end and result), faster laps than the record keep no record, and
// a race after the last row is left alone.
TEST_F(Records, TheFinishOrderHookBringsTheCarsInInItsOrderAndKeepsNoRecord) {
    PlatMakeDir("Config");
    CarCount = 3;
    LapsToRun = 2;
    for (int car = 0; car < 3; car++)
        LapTimeTable[car][0] = LapTimeTable[car][1] = {0, 10, 0, 0};
    PlayerRaceTime[0] = {0, 20, 0};
    memset(TestFinishOrders, -1, sizeof TestFinishOrders);
    TestFinishOrders[0][0] = 2;
    TestFinishOrders[0][1] = 0;
    TestFinishOrders[0][2] = 1;
    TestFinishRaces = 1;
    TestFinishRacesRun = 0;
    StartStage = 2;   // the countdown
    LapAndFinish();
    EXPECT_EQ(TestFinishRacesRun, 0);
    EXPECT_EQ(LapsDone[2], 0);

    StartStage = 3;
    LapAndFinish();
    EXPECT_EQ(TestFinishRacesRun, 1);
    EXPECT_EQ(CurrentCar, 0) << "the frame's car is given back";
    EXPECT_EQ(rank_pos[2], 0);
    EXPECT_EQ(rank_pos[0], 1);
    EXPECT_EQ(rank_pos[1], 2);
    EXPECT_EQ(RacePoints[2], 50);
    EXPECT_EQ(RacePoints[0], 30);
    EXPECT_EQ(RacePoints[1], 20);
    EXPECT_EQ(RaceOver, 1);
    EXPECT_EQ(FinishSequence, 0) << "car 0 came second";
    EXPECT_EQ(BestLapTimes[10].seconds, 40);
    EXPECT_EQ(BestRaceTimes[10].minutes, 2);
    EXPECT_EQ(RecordsChanged, 0);
    EXPECT_EQ(Saved(), 0);

    // The next race: the rows are used up, so the lap rules run as ever.
    Fresh();
    CircuitZones();
    StartStage = 3;
    LapAndFinish();
    EXPECT_EQ(LapsDone[0], 0);
    EXPECT_EQ(TestFinishRacesRun, 1);

    memset(TestFinishOrders, 0, sizeof TestFinishOrders);
    TestFinishRaces = TestFinishRacesRun = 0;
    PlayerRaceTime[0] = {0, 0, 0};
    StartStage = 0;
}

TEST_F(Records, TheJumpRecordKeepsWholeUnitsInOneByte) {
    PlatMakeDir("Config");
    TrackCode = 40;
    BestLapTimes[40] = {0, 100, 50};
    JumpDistance = 100.25f;
    CheckDistanceRecord();
    EXPECT_EQ(BestLapTimes[40].seconds, 100) << "not beaten";
    JumpDistance = 255.75f;
    CheckDistanceRecord();
    EXPECT_EQ(BestLapTimes[40].seconds, 255);
    EXPECT_EQ(BestLapTimes[40].hundredths, 75);
    EXPECT_EQ(BestRaceTimes[40].seconds, 255);
    EXPECT_EQ(Saved(), 1);
    BestLapTimes[40] = {0, 200, 0};
    JumpDistance = 300.0f;   // past the byte: the largest it holds
    CheckDistanceRecord();
    EXPECT_EQ(BestLapTimes[40].seconds, 255);
    EXPECT_EQ(BestLapTimes[40].hundredths, 99);
    JumpDistance = 0.0f;
}

// ---------------------------------------------------------------------------
// Wrong way.

struct WrongWayWarning : RaceRules {
    // Frames of falling (or level) progress; the frames the warning showed.
    int Frames(int count, float step) {
        int shown = 0;
        for (int f = 0; f < count; f++) {
            RaceDistance[0] += step;
            CheckWrongWay(surface);
            shown += WrongWayShown[0];
        }
        return shown;
    }
    PlatSurface* surface = nullptr;
    void SetUp() override {
        RaceRules::SetUp();
        ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
        ASSERT_EQ(PlatSurfaceCreate(640, 480, PLAT_PF_RGB565, 0, &surface), 0);
        TrackGroup = 4;   // the warning is due but printed nowhere
        TrackCode = 40;
    }
    void TearDown() override {
        PlatSurfaceRelease(surface);
        PlatShutdown();
        RaceRules::TearDown();
    }
};

TEST_F(WrongWayWarning, ShowsOnlyAfterMoreThan120FallingFrames) {
    EXPECT_EQ(Frames(121, -10.0f), 0);
    EXPECT_EQ(WrongWayShown[0], 0);
    EXPECT_EQ(Frames(1, -10.0f), 0) << "group 4 prints nothing";
    TrackGroup = 1;
    TrackCode = 10;
    ResetWrongWay();
    // A stopped car never triggers it.
    EXPECT_EQ(Frames(300, 0.0f), 0);
    // Losing progress for 120 frames shows nothing; the 122nd shows it.
    RaceDistance[0] = 0.0f;
    ResetWrongWay();
    EXPECT_EQ(Frames(121, -10.0f), 0);
}

TEST_F(WrongWayWarning, SevenFramesWithoutLossClearTheCountAShorterPauseDoesNot) {
    TrackGroup = 1;
    TrackCode = 10;
    ResetWrongWay();
    WrongWayShown[0] = 0;
    EXPECT_EQ(Frames(100, -10.0f), 0);
    EXPECT_EQ(Frames(6, 0.0f), 0);
    EXPECT_EQ(Frames(22, -10.0f), 1) << "the 122nd falling frame";
    EXPECT_EQ(Frames(10, -10.0f), 10) << "it stays while the loss goes on";
    EXPECT_EQ(Frames(10, 5.0f), 4) << "and goes once the loss stops";
    EXPECT_EQ(Frames(7, 0.0f), 0);
    EXPECT_EQ(Frames(121, -10.0f), 0) << "seven frames cleared the count";
    RaceOver = 1;
    EXPECT_EQ(Frames(20, -10.0f), 0) << "nothing once the race is over";
}

// ---------------------------------------------------------------------------
// Cameras.

TEST_F(RaceRules, ThreeCameraChangesComeBackToTheChaseViewWithItsPair) {
    CarModel[0] = 2;
    CameraTable[2][0][0] = 410.0f;
    CameraTable[2][0][1] = -700.0f;
    ViewMode[0] = 0;
    CycleCameraMode(0);
    EXPECT_EQ(ViewMode[0], 1);
    EXPECT_EQ(CameraLag[5], 15.0f);
    CycleCameraMode(0);
    EXPECT_EQ(OwnCarVisible[0], 0);
    CycleCameraMode(0);
    EXPECT_EQ(ViewMode[0], 0);
    EXPECT_EQ(ChaseEyeHeight[0], 410.0f);
    EXPECT_EQ(ChaseEyeOffset[0], -700);
    EXPECT_EQ(OwnCarVisible[0], 1);
    ReplayPlaying = 1;
    CycleCameraMode(0);
    EXPECT_EQ(ViewMode[0], 0) << "not in replays";
}

TEST_F(RaceRules, PageUpRaisesTheEyeFourUnitsATickUpToTheCap) {
    ChaseEyeHeight[0] = 300.0f;
    ChaseEyeOffset[0] = -600;
    FrameTicks = 1;
    KeyState[0xC9] = 0x80;
    for (int frame = 0; frame < 60; frame++)
        AdjustCameraByKeys(0);
    EXPECT_EQ(ChaseEyeHeight[0], 540.0f) << "240 units in a second";
    for (int frame = 0; frame < 60; frame++)
        AdjustCameraByKeys(0);
    EXPECT_EQ(ChaseEyeHeight[0], 600.0f);
    KeyState[0xC9] = 0;
    KeyState[0xCF] = 0x80;   // End: the eye further behind, to 900
    FrameTicks = 40;
    AdjustCameraByKeys(0);
    AdjustCameraByKeys(0);
    EXPECT_EQ(ChaseEyeOffset[0], -900);
    KeyState[0xCF] = 0;
    FrameTicks = 0;
}

TEST_F(RaceRules, InsertAndDeleteChangeTheViewedCarOfAReplayOnThePress) {
    ReplayPlayback = 1;
    KeyState[0xD2] = 0x80;
    AdjustCameraByKeys(0);
    AdjustCameraByKeys(0);
    EXPECT_EQ(ViewedCar[0], 1) << "held: one change";
    EXPECT_EQ(LastReplayCamera, -10);
    KeyState[0xD2] = 0;
    AdjustCameraByKeys(0);
    KeyState[0xD3] = 0x80;
    AdjustCameraByKeys(0);
    KeyState[0xD3] = 0;
    AdjustCameraByKeys(0);
    KeyState[0xD3] = 0x80;
    AdjustCameraByKeys(0);
    KeyState[0xD3] = 0;
    AdjustCameraByKeys(0);
    EXPECT_EQ(ViewedCar[0], 3) << "wraps over the four cars";
}

TEST_F(RaceRules, KindNineCutsToAModeChosenByTheTickAndEachCutClearsTheDepthOnce) {
    StraightGuideLine(20);
    CpuLinePoint& camera = CpuLineTable[CPU_LINE_CAMERAS][0];
    camera.x = 3000.0f;
    camera.z = 5000.0f;
    camera.y = 1500.0f;
    camera.cameraKind = 9.0f;
    CpuLinePointCounts[CPU_LINE_CAMERAS] = 1;
    MapTvCamerasToPath();
    EXPECT_EQ(TvCameraNode[0], 4);
    ReplayPlayback = 1;
    RenderKind = 0;
    PlaceCar(0, 1000.0f, 5000.0f);
    const int cuts = ReplayCameraCuts;
    DepthClearRequest = 0;
    ReplayTickCounter = 6;
    ChooseTvCamera();
    UpdateReplayCamera();
    EXPECT_EQ(ReplayCameraMode, 6 % 4 + 3);
    EXPECT_EQ(ReplayCameraCuts, cuts + 1);
    EXPECT_EQ(DepthClearRequest.exchange(0), 1);
    ReplayTickCounter = 7;
    ChooseTvCamera();
    UpdateReplayCamera();
    EXPECT_EQ(ReplayCameraMode, 5) << "the mode holds until the next cut";
    EXPECT_EQ(ReplayCameraCuts, cuts + 1);
    EXPECT_EQ(DepthClearRequest.exchange(0), 0);

    // An aimed camera: the eye at the point, the zoom from the distance.
    camera.cameraKind = 1.0f;
    ChooseTvCamera();
    UpdateReplayCamera();
    EXPECT_EQ(ReplayCameraCuts, cuts + 2);
    EXPECT_EQ(ChaseEyeX[0], -3000.0f);
    EXPECT_EQ(ChaseEyeZ[0], -5000.0f);
    EXPECT_NEAR(ReplayZoom, 0.1f * 2000.0f + 384.0f, 0.01f);
    DepthClearRequest = 0;
    RenderKind = 1;
}

TEST_F(RaceRules, WithoutCameraPointsTheReplayCameraKeepsItsPlace) {
    ReplayPlayback = 1;
    CpuLinePointCounts[CPU_LINE_CAMERAS] = 0;
    ChaseEyeX[0] = -1234.0f;
    ReplayZoom = 500.0f;
    TvCameraOfCar[0] = 4;
    ChooseTvCamera();
    UpdateReplayCamera();
    EXPECT_EQ(ChaseEyeX[0], -1234.0f);
    EXPECT_EQ(ReplayZoom, 500.0f);
    ReplayZoom = 307.2f;
}

}  // namespace

namespace {

TEST_F(RaceRules, AReplaysAimedCameraAndZoomDoNotOutlastIt) {
    StraightGuideLine(20);
    CpuLinePoint& camera = CpuLineTable[CPU_LINE_CAMERAS][0];
    camera.x = 3000.0f;
    camera.z = 5000.0f;
    camera.cameraKind = 2.0f;
    CpuLinePointCounts[CPU_LINE_CAMERAS] = 1;
    MapTvCamerasToPath();
    const float focal = ViewFocalScale;
    ReplayPlayback = 1;
    PlaceCar(0, 1000.0f, 5000.0f);
    ChooseTvCamera();
    UpdateReplayCamera();
    EXPECT_EQ(Centri, 0);
    EXPECT_NE(ViewFocalScale, focal);
    // The next race starts with the chase camera's placement and focal scale.
    ReplayPlayback = 0;
    ResetTvCameras();
    EXPECT_EQ(Centri, 1);
    EXPECT_EQ(ViewFocalScale, focal);
    ReplayZoom = 307.2f;
}

}  // namespace
