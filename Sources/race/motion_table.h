// The car-model suspension table (MotionTable): its built-in rows, made from
// a few targets per model by one function that the sample data generator
// shares, and the test a row read from a file must pass.
#pragma once

#include <cstddef>

#include "race/race_state.h"

// What a model's suspension should do, in world units and ticks.
struct MotionTargets {
    float radius;       // tyre radius
    float rideHeight;   // body centre above the wheel centres at rest
    float sag;          // spring compression under the car's weight at gravity 3
    float mass;
};

// Every built-in row lets the body's vertical, roll and pitch motion fall by
// this much per tick, so a drop settles within about 90 ticks.
constexpr float MOTION_SETTLE_DECAY = 0.89f;

// The row of a model from its targets and its wheel positions (x across,
// z along; wheels 0, 1 front, 2, 3 rear): springs that carry the weight
// with the same sag front and rear (so the body rests level), roll and
// pitch inertias that give the angles the vertical motion's pace, and
// frictions that damp all three alike.
void BuildMotionRow(const MotionTargets& targets, const float wheelX[4], const float wheelZ[4],
                    float row[MOTION_COLUMNS]);

const MotionTargets& MotionTargetsOf(int model);

// The built-in row of a model; a model outside 0..19 gives row 0's.
const float* BuiltInMotionRow(int model);

// 1 when a row can drive a body: every value finite, mass, inertias, radii
// and rest above 0.
int MotionRowUsable(const float row[MOTION_COLUMNS]);

// The row of a car model, row 0 for a model outside 0..19.
float* MotionRowOf(int model);

// The image of Config\Motion.dat and CONFIG\springs.cfg: 20 rows of 14
// little-endian floats, no header.
enum { MOTION_FILE_BYTES = 1120 };
// The whole table from a file image of `size` bytes.  An image of any other
// size is ignored (0); a row with a value that is not finite, or a mass,
// inertia, radius or rest not above 0, takes the model's built-in row.
int ApplyMotionImage(const void* image, size_t size);
