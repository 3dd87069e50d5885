// The car body and its physics step.  Each tick a car runs StepCarPhysics
// (the planar step: engine, gearbox, drive model, position), UpdateCarHeading
// (the lagging camera heading), UpdateBodyLean, then after the collisions
// StepCarBody (the sprung body settling on its four wheels).  The network
// code also runs UpdateCarHeading and StepCarBody for remote cars: they
// touch only that car's arrays and its body.
#pragma once

struct CarBody;
struct CarWheel;

void StepCarPhysics(int car, int controlSource);
void UpdateCarHeading(int car);
void UpdateBodyLean(int car, int controlSource);
void StepCarBody(CarBody* body, int car);
// One wheel's ground contact: 0 when it touches, 1 when it is in the air.
// The spring force and its torque about the body centre go into sums
// (force x, z, y; torque about x, z, y).
int WheelContact(CarBody* body, CarWheel* wheel, float* sums, int wheelIndex, int car);

// The body of CurrentCar from its frame position and its model's row.
void InitCarBody(CarBody* body);
void InitCarWheel(CarWheel* wheel);
// Re-seats the bodies of all CarCount cars at their frame pose.
void ResetCarBodies();
