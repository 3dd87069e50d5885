// The engine rows.  Rows 0, 60, 70 and 110 are the reference rows of their
// classes; every other row is derived from its class's reference row by a
// few figures given beside it:
//
//   top     top speed on the flat with the automatic box (units a tick): the
//           reference's gear ratios scaled by top / the reference's top speed
//           (a row's top speed is its top gear's ratio times its limit);
//   pace    the rev rises scaled by it: the time to 90 % of top speed falls
//           about as 1 / pace (row 0: 1,500 ticks);
//   lock    the largest steering angle scaled by it: the full-lock radius
//           falls as 1 / lock (row 0: about 1,060 units at speed 15);
//   grip    the sideways speed the tyres absorb (0 keeps the reference's).
//
// Classes: speed cars 0..19 (from row 0), cross cars 20..39 and buggies
// 40..59 (from row 0, looser tyres), JUMP cars 60..69 (from row 60, whose
// gears 6 and 7 hold the top gear without and with the turbo), monsters
// 70..89 (from row 70), the van 90..109 (from row 0, heavier steering),
// and row 110, the engine every car holds before the start.

#include "race/engine.h"

namespace {

const EngineTableRow Row0 = {4,
                             {0.02f, 0.0085f, 0.0075f, 0.003f, 0.0008f},
                             {2.2f, 2.1f, 2.065f, 2.05f, 2.4f},
                             {23.0f, 37.0f, 51.6f, 62.25f, 75.0f},
                             0.5602576f,
                             0.0517241f,
                             0.0389f,
                             0.0003448f,
                             {4.02298f, 80.0f, 110.0f, 0.0f},
                             28.5f,
                             5.0f,
                             0.00149f};
const EngineTableRow Row60 = {3,
                              {0.015f, 0.005f, 0.0035f, 0.002f, 0.0f, 0.0f, 0.002f, 0.006f},
                              {2.0f, 2.0f, 2.0f, 2.0f, 0.0f, 0.0f, 2.2f, 2.6f},
                              {25.0f, 36.0f, 48.5f, 65.0f},
                              0.606896f,
                              0.021839f,
                              0.024138f,
                              0.000391f,
                              {0.91954f},
                              40.0f,
                              3.0f,
                              0.00149f};
const EngineTableRow Row70 = {3,
                              {0.015f, 0.0037f, 0.0028f, 0.0009f},
                              {2.1f, 2.1f, 2.2f, 2.4f},
                              {15.0f, 19.0f, 22.5f, 27.0f},
                              0.36f,
                              0.021839f,
                              0.024138f,
                              0.00031f,
                              {0.91954f},
                              60.0f,
                              10.0f,
                              0.00149f};
const EngineTableRow Row110 = {4,         {0.05f}, {2.2f}, {0.0f}, 0.0f, 0.021839f, 0.024138f, 0.0f, {0.0f}, 10.0f,
                               0.0f,      0.00149f};

struct Derived {
    float top, pace, lock, grip;
};

// Speed cars: rows 1..19.
const Derived SpeedRows[19] = {
    {176, 1.05f, 1.00f, 0}, {184, 0.95f, 1.00f, 0}, {178, 1.10f, 1.05f, 0}, {172, 1.00f, 1.08f, 0},
    {182, 1.15f, 1.00f, 0}, {168, 1.10f, 1.10f, 0}, {186, 1.05f, 0.96f, 0}, {174, 1.20f, 1.05f, 0},
    {188, 1.10f, 0.98f, 0}, {190, 1.05f, 0.97f, 0}, {180, 1.25f, 1.00f, 0}, {160, 1.10f, 1.10f, 0},
    {165, 1.00f, 1.05f, 0}, {170, 0.92f, 1.00f, 0}, {176, 1.00f, 1.00f, 0}, {155, 1.15f, 1.10f, 0},
    {162, 1.05f, 1.05f, 0}, {152, 1.20f, 1.12f, 0}, {158, 0.95f, 1.08f, 0},
};
// Cross cars: rows 20..39.
const Derived CrossRows[20] = {
    {130, 1.05f, 1.08f, 2.6f}, {134, 1.10f, 1.05f, 2.6f}, {138, 1.00f, 1.05f, 2.6f}, {142, 1.05f, 1.02f, 2.6f},
    {146, 1.10f, 1.00f, 2.6f}, {150, 1.00f, 1.00f, 2.6f}, {128, 1.15f, 1.10f, 2.6f}, {133, 1.10f, 1.08f, 2.6f},
    {140, 1.05f, 1.05f, 2.6f}, {144, 1.00f, 1.02f, 2.6f}, {148, 1.10f, 1.00f, 2.6f}, {154, 1.05f, 0.98f, 2.6f},
    {126, 1.00f, 1.10f, 2.6f}, {132, 1.05f, 1.06f, 2.6f}, {136, 1.10f, 1.04f, 2.6f}, {139, 0.95f, 1.04f, 2.6f},
    {143, 1.00f, 1.02f, 2.6f}, {147, 1.05f, 1.00f, 2.6f}, {151, 0.95f, 1.00f, 2.6f}, {156, 1.00f, 0.98f, 2.6f},
};
// Buggies: rows 40..59 (row 45 also drives the two-car arena race).
const Derived BuggyRows[20] = {
    {120, 1.10f, 1.10f, 2.3f}, {124, 1.15f, 1.08f, 2.3f}, {126, 1.05f, 1.10f, 2.3f}, {130, 1.10f, 1.06f, 2.3f},
    {132, 1.00f, 1.05f, 2.3f}, {128, 1.05f, 1.08f, 2.3f}, {136, 1.10f, 1.04f, 2.3f}, {138, 1.05f, 1.02f, 2.3f},
    {140, 1.10f, 1.02f, 2.3f}, {142, 1.00f, 1.00f, 2.3f}, {145, 1.05f, 1.00f, 2.3f}, {148, 1.10f, 0.98f, 2.3f},
    {118, 1.00f, 1.12f, 2.3f}, {122, 1.05f, 1.08f, 2.3f}, {127, 1.10f, 1.06f, 2.3f}, {131, 0.95f, 1.06f, 2.3f},
    {135, 1.00f, 1.04f, 2.3f}, {139, 1.05f, 1.02f, 2.3f}, {143, 0.95f, 1.00f, 2.3f}, {150, 1.00f, 1.00f, 2.3f},
};
// JUMP cars: rows 61..69 (top: without the turbo; the turbo's burn takes a
// car about 14 % faster).
const Derived JumpRows[9] = {
    {132, 1.10f, 1.00f, 0}, {134, 1.05f, 1.00f, 0}, {138, 1.00f, 1.02f, 0}, {145, 1.05f, 0.98f, 0},
    {148, 1.10f, 0.97f, 0}, {133, 1.00f, 1.02f, 0}, {140, 1.05f, 1.00f, 0}, {136, 1.10f, 1.00f, 0},
    {146, 0.95f, 0.98f, 0},
};
// Monsters: rows 71..89.
const Derived MonsterRows[19] = {
    {58, 1.05f, 1.00f, 0}, {62, 1.10f, 1.00f, 0}, {66, 1.00f, 0.98f, 0}, {70, 1.05f, 0.97f, 0},
    {74, 1.00f, 0.95f, 0}, {52, 1.10f, 1.04f, 0}, {55, 1.05f, 1.02f, 0}, {60, 1.00f, 1.00f, 0},
    {63, 1.10f, 1.00f, 0}, {68, 1.05f, 0.98f, 0}, {72, 0.95f, 0.96f, 0}, {76, 1.00f, 0.95f, 0},
    {78, 1.05f, 0.94f, 0}, {54, 0.95f, 1.04f, 0}, {57, 1.00f, 1.02f, 0}, {61, 1.05f, 1.00f, 0},
    {64, 0.95f, 1.00f, 0}, {67, 1.00f, 0.98f, 0}, {69, 1.05f, 0.97f, 0},
};
// The van: rows 90..109.
const Derived VanRows[20] = {
    {150, 0.95f, 0.92f, 3.2f}, {122, 1.00f, 0.95f, 3.2f}, {126, 0.95f, 0.95f, 3.2f}, {130, 1.00f, 0.94f, 3.2f},
    {134, 0.90f, 0.94f, 3.2f}, {138, 0.95f, 0.93f, 3.2f}, {142, 1.00f, 0.93f, 3.2f}, {146, 0.90f, 0.92f, 3.2f},
    {154, 1.00f, 0.92f, 3.2f}, {158, 0.95f, 0.91f, 3.2f}, {162, 0.90f, 0.91f, 3.2f}, {166, 0.95f, 0.90f, 3.2f},
    {124, 1.05f, 0.96f, 3.2f}, {128, 1.00f, 0.95f, 3.2f}, {136, 1.05f, 0.94f, 3.2f}, {140, 0.95f, 0.93f, 3.2f},
    {144, 1.00f, 0.92f, 3.2f}, {148, 0.95f, 0.92f, 3.2f}, {152, 1.00f, 0.91f, 3.2f}, {160, 0.95f, 0.90f, 3.2f},
};

// Top speed of a reference row on the flat: its top gear's ratio x limit
// (the JUMP rows: the top gear without the turbo).
float ReferenceTop(const EngineTableRow& row) {
    const int top = row.topGear;
    const float limit = row.revLimit[JUMP_NORMAL_TOP] > 0.0f ? row.revLimit[JUMP_NORMAL_TOP] : row.revLimit[top];
    return row.speedRatio[top] * limit;
}

EngineTableRow Derive(const EngineTableRow& base, const Derived& d) {
    EngineTableRow row = base;
    const float speedScale = d.top / ReferenceTop(base);
    for (int g = 0; g < ENGINE_GEARS; g++) {
        row.speedRatio[g] *= speedScale;
        row.revRise[g] *= d.pace;
    }
    row.MaximoRuedas *= d.lock;
    if (d.grip > 0.0f)
        row.lateralGrip[0] = d.grip;
    return row;
}

void DeriveRows(int first, const EngineTableRow& base, const Derived* rows, int count) {
    for (int i = 0; i < count; i++)
        EngineTable[first + i] = Derive(base, rows[i]);
}

int FillEngineTable() {
    EngineTable[0] = Row0;
    DeriveRows(1, Row0, SpeedRows, 19);
    DeriveRows(20, Row0, CrossRows, 20);
    DeriveRows(40, Row0, BuggyRows, 20);
    EngineTable[60] = Row60;
    DeriveRows(61, Row60, JumpRows, 9);
    EngineTable[70] = Row70;
    DeriveRows(71, Row70, MonsterRows, 19);
    DeriveRows(90, Row0, VanRows, 20);
    EngineTable[HELD_ENGINE_ROW] = Row110;
    return 1;
}

}  // namespace

EngineTableRow EngineTable[ENGINE_ROWS];
static const int EngineTableFilled = FillEngineTable();
