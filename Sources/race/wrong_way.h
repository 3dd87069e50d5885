// The wrong-way warning.
#pragma once

struct PlatSurface;

// Per frame: a local player who keeps losing race progress is told so on
// the surface; with no surface the counters start over.
void CheckWrongWay(PlatSurface* surface);
void ResetWrongWay();

// Per local player: the progress of the last frame and the three counters.
struct WrongWayState {
    float lastProgress;
    int backFrames;    // frames in which the progress fell
    int stillFrames;   // consecutive frames in which it did not
    int showCounter;   // frames since the warning was last triggered
};
extern WrongWayState WrongWay[2];
extern int WrongWayShown[2];   // the player's warning showed this frame
