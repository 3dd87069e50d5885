// The props of the arena events: slalom poles, targets, cones and pole
// bars that cars knock over, their marker lights, the arena cars' places,
// and every group's decoration animation.
#pragma once

// Fills the prop lists, bars, lights and counts of the arena variant (track
// group 5); nothing on the other groups.  Every race start.
void LoadObstacleLayout();
void ClearPropStates();
void ClearConeStates();
void ClearPoleStates();

// The arena cars' places among the props; the car set-up calls it.
void PlaceArenaCars();

// Per car (CurrentCar) and tick: the knocks; the falling props move on car
// 0's call only.
void UpdateSlalomPoles();
void UpdateCones();
void UpdatePoles();
// Once per elapsed tick: the sky's drift and the track group's decorations.
void AnimateDecorations();
// Every race starts the decorations' periods, frames and blink turns afresh.
void ResetDecorations();

// The marker lights (first, first + 1) of slalom-list target `target` on
// the current variant; 0 when the target owns none.
int TargetLights(int target, int* first);
