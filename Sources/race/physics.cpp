#include "race/physics.h"

void StepCarPhysics(int, int) {}
void UpdateCarHeading(int) {}
void UpdateBodyLean(int, int) {}
void StepCarBody(CarBody*, int) {}
