#include "race/car_setup.h"

#include "frame/utils.h"
#include "frontend/frontend_state.h"
#include "race/arena_props.h"
#include "race/engine.h"
#include "race/race_order.h"
#include "race/race_state.h"
#include "render/render_state.h"

namespace {

const float Pi = 3.14159265358979f;

struct GridLayout {
    float left[3], right[3];
    float stepX, stepZ;
};

const GridLayout GridLayoutTable[18] = {
    {{0, 0, 0}, {0, 0, 0}, 0, 0},
    {{59971, 1548, 63465}, {58653, 1549, 61484}, 0, -3415},
    {{66491, 15, 107790}, {66961, 15, 106221}, 3922, -2520},
    {{56149, 12, 101793}, {55602, 15, 98700}, 704, -5318},
    {{0, 0, 0}, {0, 0, 0}, 0, 0},
    {{30904, 300, 37586}, {30904, 300, 38586}, 100, 100},
    {{22557, 90, 59630}, {21353, 90, 57873}, 0, -3055},
    {{24056, 78, 69566}, {22739, 78, 67505}, 607, -4000},
    {{59987, 1550, 65933}, {58771, 1550, 67556}, 0, 2600},
    {{64286, 15, 107934}, {63086, 15, 110002}, -3922, 2520},
    {{22945, 94, 62509}, {21327, 98, 65862}, 0, 4200},
    {{40094, 92, 72214}, {41796, 92, 73789}, 100, 3000},
    {{22168, 84, 71559}, {24595, 84, 73918}, 0, 5000},
    {{29488, 84, 38400}, {32139, 84, 36400}, 0, -2000},
    {{41600, 75, 69295}, {40288, 75, 68266}, 0, -4200},
    {{41600, 75, 69295}, {40288, 75, 68266}, 0, -4200},
    {{40094, 92, 72214}, {41796, 92, 73789}, 100, 3000},
    {{29488, 84, 38400}, {32139, 84, 36400}, 0, -2000},
};

// Engine row by car model and colour; -1 leaves the engine as it was.
const int EngineChoiceTable[18][4] = {
    {0, 1, 5, 9},     {2, 3, 7, 10},    {43, 46, 49, 51}, {72, 75, -1, -1}, {61, 64, -1, -1}, {26, 27, 28, 31},
    {4, 6, 8, 11},    {60, 63, -1, -1}, {40, 41, 44, 47}, {90, 90, 90, 90}, {71, 74, -1, -1}, {42, 45, 48, 50},
    {20, 21, 22, 25}, {62, 65, -1, -1}, {23, 24, 28, 30}, {70, 73, -1, -1}, {13, 13, 13, 13}, {12, 12, 12, 12},
};

int CarsInRace() { return CarCount < MAX_CARS ? (int)CarCount : MAX_CARS; }

void Place(int car, float x, float y, float z) {
    cocheX[car] = x;
    cocheY[car] = y;
    cocheZ[car] = z;
}

// The drive model's working values of one car, as a race starts.
void ClearDrivingValues(int car) {
    SteeringAngle[car] = 0.0f;
    TargetSpeed[car] = 0.0f;
    DriveForce[car] = 0.0f;
    RollingDrag[car] = 0.0f;
    WheelSpin[car] = 0;
    BrakeLightOn[car] = 0;
    YawRate[car] = 0.0f;
    DriftSteer[car] = 0.0f;
    GroundSteer[car] = 0.0f;
    SpinOut[car] = 0;
    SkidPulse[car] = 0;
    AirThrottleTicks[car] = 0;
    LateralSpeed[car] = 0.0f;
    ShiftState[car] = 0;
    VelocityX[car] = 0.0f;
    VelocityZ[car] = 0.0f;
    CarSpeed[car] = 0.0f;
    HandbrakeLocked[car] = 0;
    HandbrakeSoundOn[car] = 0;
    OverRevSoundOn[car] = 0;
    ReverseBeepOn[car] = 0;
    AirborneTicks[car] = 0;
    PrevAirborneTicks[car] = 0;
    SlopeAngle[car] = 0.0f;
    EngineRevs[car] = 0.0f;
    CarGear[car] = 0;
}

void ResetCar(int car) {
    rank_pos[car] = rank_coche[car] = CarsInRace() - 1 - car;
    DriveDirection[car] = 1;
    ThrottleState[car] = 1;
    LastShiftGear[car] = -1;
    CpuStuckTicks[car] = 0;
    CpuRecovering[car] = 0;
    CarBodies[car].y = 0.0f;
    ClearDrivingValues(car);
}

// Cars a and b exchange their grid places.
void SwapRanks(int a, int b) {
    const int ra = rank_pos[a], rb = rank_pos[b];
    rank_pos[a] = rb;
    rank_pos[b] = ra;
    rank_coche[ra] = b;
    rank_coche[rb] = a;
}

void ChooseStartingOrder() {
    const int cars = CarsInRace();
    if (ChampionshipRunning)
        ShuffleGrid();
    if (TrackCode == 75) {
        // Car 0 starts first, car 3 last.
        if (cars > 0)
            SwapRanks(0, rank_coche[0]);
        if (cars > 3)
            SwapRanks(3, rank_coche[3]);
    }
    if (SplitScreen && cars > 1 && CoinFlip())
        SwapRanks(0, 1);
}

// Rows of two in starting order: rank 0 at the left start point.
void FillGrid() {
    const int cars = CarsInRace();
    for (int place = 0; place < cars; place++) {
        const int car = rank_coche[place];
        if (car < 0 || car >= cars)
            continue;
        float x = 0.0f, y = 0.0f, z = 0.0f;
        if (GridPlacePosition(TrackCode, place, &x, &y, &z))
            Place(car, x, y, z);
    }
}

void ApplyOpponentRow() {
    const OpponentRow* row = OpponentRowOf(TrackCode);
    if (!row)
        return;
    for (int k = 0; k < row->carsNamed && k + 1 < CarsInRace(); k++) {
        const OpponentEntry& entry = row->cars[k];
        const int car = k + 1;
        CpuSteerTolerance[car] = entry.steerTolerance;
        CpuSkill[car] = entry.skill;
        CpuLineProfile[car] = entry.profile == OPPONENT_COIN ? CoinFlip() : entry.profile;
        motor[car] = entry.motor;
    }
}

void PlaceJumpCar() {
    if (TrackVariant == 0) {
        CarHeading[0] = -0.7f;
        Place(0, 47404, 73, 85569);
    } else if (TrackVariant == 1 || TrackVariant == 2 || TrackVariant == 5) {
        CarHeading[0] = 0.0f;
        Place(0, 50612, 73, 57110);
    } else if (TrackVariant == 3 || TrackVariant == 4) {
        CarHeading[0] = -2.35249f;
        Place(0, 78393.97f, 66, 41801.65f);
    }
}

void SetUpArenaCars() {
    if (TrackVariant != 5) {
        for (int car = 1; car < CarsInRace(); car++) {
            motor[car] = HELD_ENGINE_ROW;
            ClearDrivingValues(car);
        }
        Place(0, 30904, 300, 37586);
        PlaceArenaCars();
        return;
    }
    // The two-car race.
    Place(0, 23432, 95, 54383);
    if (CarsInRace() > 1) {
        Place(1, 24999, 95, 54401);
        CpuSteerTolerance[1] = 0.25f;
        CpuSkill[1] = 1;
        CpuLineProfile[1] = 2;
        motor[1] = 45;
    }
    for (int car = 0; car < 2; car++) {
        CpuTargetNode[car] = 48;
        PathNodeIndex[car] = 48;
    }
}

int IsReverseVariant(int code) {
    return code == 12 || code == 13 || code == 22 || code == 23 || code == 65 || code == 66 || code == 69 ||
           code == 76;
}

}  // namespace

int GridLayoutOf(int code) {
    switch (code) {
    case 12: case 13: return 8;
    case 22: case 23: return 9;
    case 62: return 14;
    case 65: return 11;
    case 66: return 10;
    case 68: return 15;
    case 69: return 16;
    case 76: return 12;
    case 78: return 17;
    case 79: return 13;
    default: return code / 10 >= 0 && code / 10 < 18 ? code / 10 : 0;
    }
}

int GridPlacePosition(int trackCode, int place, float* x, float* y, float* z) {
    if (place < 0 || place >= MAX_CARS)
        return 0;
    const GridLayout& layout = GridLayoutTable[GridLayoutOf(trackCode)];
    const int row = place / 2;
    const float* start = place % 2 == 0 ? layout.left : layout.right;
    *x = start[0] + row * layout.stepX;
    *y = start[1];
    *z = start[2] + row * layout.stepZ;
    return 1;
}

int CoinFlip() { return (float)GameRandom() / 32767.0f > 0.5f ? 1 : 0; }

int EngineChoiceOf(int model, int colour) {
    if (model < 0 || model >= 18 || colour < 0 || colour >= 4)
        return -1;
    return EngineChoiceTable[model][colour];
}

void SetCarEngineType(int player) {
    NetStartDamp = 0;
    SpinOutThreshold = TrackGroup == 6 ? 120.0f : 100.0f;
    if (player < 0 || player > 1)
        return;
    const int row = EngineChoiceOf(SelectedModels[player], SelectedPaints[player]);
    if (row >= 0)
        motor[player] = row;
}

void SetUpCarsForRace() {
    const int cars = CarsInRace();
    for (int car = 0; car < cars; car++)
        ResetCar(car);
    ChooseStartingOrder();
    FillGrid();

    if (TrackCode == 67) {
        Place(0, 31000, 300, 13000);
    } else {
        ApplyOpponentRow();
        if (IsReverseVariant(TrackCode)) {
            for (int car = 0; car < cars; car++)
                CarHeading[car] += Pi;
        }
        if (TrackGroup == 4)
            PlaceJumpCar();
        if (TrackGroup == 5)
            SetUpArenaCars();
        SetCarEngineType(0);
        if (SplitScreen)
            SetCarEngineType(1);
        if (TrackCode == 79 || TrackCode == 55)
            motor[0] -= 4;
        SkidMode = 0;
        if (TrackGroup == 3 && TrackVariant == 0)
            SkidMode = 1;
        else if (TrackGroup == 6 && TrackVariant == 1)
            SkidMode = 2;
    }

    FocalScaleBase = ViewFocalScale;
    for (int car = 0; car < cars; car++) {
        CollisionImpulseX[car] = 0.0f;
        CollisionImpulseZ[car] = 0.0f;
        SimPosX[car] = cocheX[car];
        SimPosY[car] = cocheY[car];
        SimPosZ[car] = cocheZ[car];
        SimHeading[car] = CarHeading[car];
        HeadingAccum[car] = CarHeading[car];
    }
}
