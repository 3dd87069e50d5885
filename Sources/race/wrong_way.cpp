// The wrong-way warning: counted in frames, from the local players' race
// progress (RaceDistance).

#include "race/wrong_way.h"

#include <cstdio>

#include "frontend/frontend_state.h"
#include "frontend/text_slots.h"
#include "race/race_state.h"
#include "render/render_state.h"
#include "render/text_printer.h"

WrongWayState WrongWay[2];
int WrongWayShown[2];

static void PrintWarning(int player, PlatSurface* surface) {
    if (TrackGroup == 4 || TrackGroup == 5 || TrackCode == 79)
        return;
    WrongWayShown[player] = 1;
    const int y = !SplitScreen ? 140 : player == 0 ? 100 : 300;
    GetText(25);
    char text[TEXT_BUFFER_SIZE + 4];
    std::snprintf(text, sizeof text, "\x1f%s\x1f", TextBufferB);
    // The software path copies the frame to the back buffer before this
    // runs: the text goes straight onto the target.
    const int kept = ForceTargetBlit;
    ForceTargetBlit = 1;
    PrintText(320, y, text, 2, ALIGN_CENTRE, surface, 0);
    ForceTargetBlit = kept;
}

void CheckWrongWay(PlatSurface* surface) {
    // The reset runs whatever the race was: the race start calls it before
    // it clears the previous race's end.
    if (!surface) {
        for (int player = 0; player < 2; player++)
            WrongWay[player] = {RaceDistance[player], 0, 1, 7};
        WrongWayShown[0] = WrongWayShown[1] = 0;
        return;
    }
    if (ReplayPlayback == 1 || RaceOver || TrackCode == 67)
        return;
    for (int player = 0; player <= (SplitScreen == 1 ? 1 : 0); player++) {
        WrongWayState& state = WrongWay[player];
        const float progress = RaceDistance[player];
        int v;
        if (progress < state.lastProgress) {
            state.stillFrames = 0;
            v = state.backFrames < 121 ? state.showCounter : 0;
            state.backFrames++;
        } else {
            v = state.showCounter;
            if (state.stillFrames > 5)
                state.backFrames = 0;
            state.stillFrames++;
        }
        // The counter stops short of overflowing in a long race.
        state.showCounter = v < 1000000 ? v + 1 : v;
        WrongWayShown[player] = 0;
        if (v < 5)
            PrintWarning(player, surface);
        state.lastProgress = progress;
    }
}

void ResetWrongWay() { CheckWrongWay(nullptr); }
