// The car body and its physics step.
#pragma once

struct CarBody;

void StepCarPhysics(int car, int controlSource);
void UpdateCarHeading(int car);
void UpdateBodyLean(int car, int controlSource);
void StepCarBody(CarBody* body, int car);
