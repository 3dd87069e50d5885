// The engine rows: the reference rows as given, the shape of every row, and
// the figures of every row a car can be given (top speed, time to 90 % of
// it, full-lock radius, grip at top speed) inside its class's bands.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <set>

#include "race/car_setup.h"
#include "race/engine.h"
#include "race_test_util.h"

using namespace race_test;

namespace {

void ExpectRow(int index, int top, std::vector<float> rise, std::vector<float> limit, std::vector<float> ratio,
               float lock, float rate, float ret, float gain, float grip, float floor, float factor) {
    const EngineTableRow& r = EngineTable[index];
    EXPECT_EQ(r.topGear, top) << "row " << index;
    for (int g = 0; g < ENGINE_GEARS; g++) {
        EXPECT_EQ(r.revRise[g], g < (int)rise.size() ? rise[g] : 0.0f) << "row " << index << " gear " << g;
        EXPECT_EQ(r.revLimit[g], g < (int)limit.size() ? limit[g] : 0.0f) << "row " << index << " gear " << g;
        EXPECT_EQ(r.speedRatio[g], g < (int)ratio.size() ? ratio[g] : 0.0f) << "row " << index << " gear " << g;
    }
    EXPECT_EQ(r.MaximoRuedas, lock);
    EXPECT_EQ(r.steerRate, rate);
    EXPECT_EQ(r.steerReturn, ret);
    EXPECT_EQ(r.turnGain, gain);
    EXPECT_EQ(r.lateralGrip[0], grip);
    EXPECT_EQ(r.cameraLagFloor, floor);
    EXPECT_EQ(r.yawSpeedFactor, factor);
    EXPECT_EQ(r.yawFade, 0.00149f);
}

TEST(EngineTable, ReferenceRowsAreExact) {
    ExpectRow(0, 4, {0.02f, 0.0085f, 0.0075f, 0.003f, 0.0008f}, {2.2f, 2.1f, 2.065f, 2.05f, 2.4f},
              {23, 37, 51.6f, 62.25f, 75}, 0.5602576f, 0.0517241f, 0.0389f, 0.0003448f, 4.02298f, 28.5f, 5);
    EXPECT_EQ(EngineTable[0].lateralGrip[1], 80.0f);
    EXPECT_EQ(EngineTable[0].lateralGrip[2], 110.0f);
    ExpectRow(60, 3, {0.015f, 0.005f, 0.0035f, 0.002f, 0, 0, 0.002f, 0.006f}, {2, 2, 2, 2, 0, 0, 2.2f, 2.6f},
              {25, 36, 48.5f, 65}, 0.606896f, 0.021839f, 0.024138f, 0.000391f, 0.91954f, 40, 3);
    ExpectRow(70, 3, {0.015f, 0.0037f, 0.0028f, 0.0009f}, {2.1f, 2.1f, 2.2f, 2.4f}, {15, 19, 22.5f, 27}, 0.36f,
              0.021839f, 0.024138f, 0.00031f, 0.91954f, 60, 10);
    ExpectRow(110, 4, {0.05f}, {2.2f}, {0}, 0, 0.021839f, 0.024138f, 0, 0, 10, 0);
}

TEST(EngineTable, EveryFilledRowHasTheShapeAndTheRestAreEmpty) {
    for (int index = 0; index < HELD_ENGINE_ROW; index++) {
        const EngineTableRow& r = EngineTable[index];
        SCOPED_TRACE(index);
        ASSERT_GE(r.topGear, 1);
        ASSERT_LT(r.topGear, JUMP_NORMAL_TOP);
        for (int g = 0; g <= r.topGear; g++) {
            EXPECT_TRUE(std::isfinite(r.revRise[g]) && r.revRise[g] > 0.0f) << "gear " << g;
            EXPECT_TRUE(std::isfinite(r.revLimit[g]) && r.revLimit[g] > 0.0f) << "gear " << g;
            EXPECT_TRUE(std::isfinite(r.speedRatio[g]) && r.speedRatio[g] > 0.0f) << "gear " << g;
            if (g > 0) {
                EXPECT_GT(r.speedRatio[g], r.speedRatio[g - 1]) << "each gear is longer than the one below";
            }
        }
        // Gears above the top are empty, but for the JUMP rows' two top-gear
        // columns.
        const int jump = index >= 60 && index < 70;
        for (int g = r.topGear + 1; g < ENGINE_GEARS; g++) {
            if (jump && g >= JUMP_NORMAL_TOP) {
                EXPECT_GT(r.revLimit[g], 0.0f);
                EXPECT_GT(r.revRise[g], 0.0f);
            } else {
                EXPECT_EQ(r.revLimit[g], 0.0f);
                EXPECT_EQ(r.speedRatio[g], 0.0f);
            }
        }
        const float steering[] = {r.MaximoRuedas, r.steerRate, r.steerReturn, r.turnGain,
                                  r.lateralGrip[0], r.cameraLagFloor, r.yawSpeedFactor, r.yawFade};
        for (float v : steering)
            EXPECT_TRUE(std::isfinite(v) && v > 0.0f);
    }
    for (int index = ENGINE_ROWS_FILLED; index < ENGINE_ROWS; index++) {
        EXPECT_EQ(EngineTable[index].topGear, 0);
        EXPECT_EQ(EngineTable[index].speedRatio[0], 0.0f);
    }
}

struct Figures {
    float top = 0.0f, turboTop = 0.0f;
    int ticksTo90 = 0;
    float radius = 0.0f;
    float latAtTop = 0.0f;   // the largest sideways speed on full lock at top speed
    int slidAtTop = 0;
};

// Accelerate held on the flat until the speed no longer grows.
void RunToTop(int row, int group, int turbo, std::vector<float>& speeds) {
    FlatEverywhere();
    ReleasedRace(group, 0);
    TurboValue = 0.0f;
    PlaceCar(0, 0, Centre, Centre, RestHeight(0));
    motor[0] = row;
    speeds.clear();
    for (int t = 0; t < 5000; t++) {
        DriveTick(0, INPUT_ACCELERATE | (turbo ? INPUT_TURBO : 0));
        speeds.push_back(CarSpeed[0]);
    }
}

Figures Measure(int row) {
    const EngineTableRow kept = EngineTable[row];   // the JUMP turbo rewrites its row
    Figures f;
    const int jump = row >= 60 && row < 70;
    const int group = jump ? 4 : 1;
    std::vector<float> speeds;
    RunToTop(row, group, 0, speeds);
    f.top = speeds.back();
    for (size_t t = 0; t < speeds.size(); t++) {
        if (speeds[t] >= 0.9f * f.top) {
            f.ticksTo90 = (int)t + 1;
            break;
        }
    }
    // At top speed, full lock to the right with accelerate held.
    for (int t = 0; t < 200; t++) {
        DriveTick(0, INPUT_ACCELERATE | INPUT_RIGHT);
        f.latAtTop = std::max(f.latAtTop, CarSpeed[0] * std::sin(std::fabs(YawRate[0])));
        f.slidAtTop |= LateralSpeed[0] != 0.0f || SpinOut[0] != 0;
    }
    if (jump) {
        RunToTop(row, group, 1, speeds);
        for (float s : speeds)
            f.turboTop = std::max(f.turboTop, s);
    }
    // Full lock at a steady speed of 15.
    PlaceCar(0, 0, Centre, Centre, RestHeight(0));
    motor[0] = row;
    float start = 0.0f;
    for (int t = 0; t < 200; t++) {
        VelocityX[0] = 15.0f * std::sin(HeadingAccum[0]);
        VelocityZ[0] = 15.0f * std::cos(HeadingAccum[0]);
        CarSpeed[0] = 15.0f;
        if (t == 100)
            start = HeadingAccum[0];
        DriveTick(0, INPUT_RIGHT);
    }
    f.radius = 15.0f / ((HeadingAccum[0] - start) / 100.0f);
    EngineTable[row] = kept;
    return f;
}

struct Band {
    const char* name;
    float topLow, topHigh;
};

Band ClassOf(int row) {
    if (row < 20)
        return {"speed", 150, 190};
    if (row < 60)
        return {row < 40 ? "cross" : "buggy", 110, 160};
    if (row < 70)
        return {"JUMP", 120, 150};
    if (row < 90)
        return {"monster", 50, 80};
    return {"van", 120, 170};
}

// Every row a car can be given: the players' choices, the opponents' rows
// and the two-car arena race's.
std::set<int> NamedRows() {
    std::set<int> rows = {45};
    for (int model = 0; model < 18; model++) {
        for (int colour = 0; colour < 4; colour++) {
            if (EngineChoiceOf(model, colour) >= 0)
                rows.insert(EngineChoiceOf(model, colour));
        }
    }
    for (const OpponentRow& r : OpponentTable) {
        for (int k = 0; k < r.carsNamed; k++)
            rows.insert(r.cars[k].motor);
    }
    return rows;
}

TEST(EngineTable, EveryRowACarCanHaveDrivesInsideItsClass) {
    const std::set<int> rows = NamedRows();
    EXPECT_GE(rows.size(), 50u);
    for (int row : rows) {
        SCOPED_TRACE(row);
        const Band band = ClassOf(row);
        const Figures f = Measure(row);
        printf("row %3d %-7s top %6.1f", row, band.name, f.top);
        if (row >= 60 && row < 70)
            printf(" (turbo %6.1f)", f.turboTop);
        printf("  90%% in %4d ticks  full-lock radius %5.0f  sideways at top %.2f of %.2f\n", f.ticksTo90, f.radius,
               f.latAtTop, EngineTable[row].lateralGrip[0]);
        EXPECT_GE(f.top, band.topLow);
        EXPECT_LE(f.top, band.topHigh + 1.0f);
        if (row >= 60 && row < 70) {
            EXPECT_GE(f.turboTop, 150.0f);
            EXPECT_LE(f.turboTop, 181.0f);
        }
        EXPECT_GE(f.ticksTo90, 600);
        EXPECT_LE(f.ticksTo90, 1800);
        EXPECT_GE(f.radius, 800.0f);
        EXPECT_LE(f.radius, 1800.0f);
        if (row < 20) {
            EXPECT_EQ(f.slidAtTop, 0) << "a speed car holds full lock at top speed";
            EXPECT_LT(f.latAtTop, EngineTable[row].lateralGrip[0]);
        }
    }
}

// Row 0 against its own published figures: 180 units a tick, about 1,500
// ticks to 90 %.
TEST(EngineTable, RowZeroReachesItsFigures) {
    const Figures f = Measure(0);
    EXPECT_NEAR(f.top, 180.0f, 1.0f);
    EXPECT_NEAR(f.ticksTo90, 1512, 20);
    // 1 / (gain x lock x speed factor) = 1,035 before the gain fades with
    // speed; at speed 15 it has faded by 2.2 %.
    EXPECT_NEAR(f.radius, 1035.0f / (1.0f - 0.00149f * 15.0f), 5.0f);
}

TEST(EngineTable, AMotorOutsideTheTableTakesTheNearestFilledRow) {
    motor[2] = -3;
    EXPECT_EQ(EngineRowOf(2), 0);
    motor[2] = 150;
    EXPECT_EQ(EngineRowOf(2), HELD_ENGINE_ROW);
    motor[2] = 42;
    EXPECT_EQ(EngineRowOf(2), 42);
    EXPECT_EQ(EngineRowOf(9), 0) << "a car outside the eight";
}

}  // namespace
