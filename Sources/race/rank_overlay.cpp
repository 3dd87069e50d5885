// The race-order debug overlay.  It answers only in developer mode
// (DebugMode, which --developer sets), during a race with no editor open.

#include "race/rank_overlay.h"

#include <cstdio>

#include "frame/frame_state.h"
#include "frontend/text_slots.h"
#include "net/net_messages.h"
#include "net/net_state.h"
#include "platform/plat_keys.h"
#include "race/race_state.h"
#include "render/debug_labels.h"
#include "render/text_printer.h"

namespace {

enum { SCAN_0 = 0x0B, SCAN_RCONTROL = 0x9D, COMMAND_RACE_OVER = 7 };

int OverlayOpen;
int Cursor;
// The keys' states of the previous frame: each acts on its press.
int ZeroWasDown, UpWasDown, DownWasDown;

int Down(int scan) { return KeyState[scan] == 0x80; }

int Pressed(int scan, int* wasDown) {
    const int down = Down(scan);
    const int pressed = down && !*wasDown;
    *wasDown = down;
    return pressed;
}

int Ranks() { return CarCount < MAX_CARS ? (int)CarCount : MAX_CARS; }

void Toggle() {
    OverlayOpen = !OverlayOpen;
    if (OverlayOpen) {
        RacePaused = 1;
        return;
    }
    // Closing ends the race at once, for every machine in a network game.
    RacePaused = 0;
    ForceRaceEnd = 1;
    if (NetworkGame)
        SendCommand(COMMAND_RACE_OVER, 1);
    RaceOver = 1;
}

template <typename T>
void Exchange(T& a, T& b) {
    const T kept = a;
    a = b;
    b = kept;
}

// The car model's name: the first colour's row of the car names.
int ModelNameSlot(int model) { return 1614 + 4 * (model >= 0 && model < 18 ? model : 0); }

}  // namespace

void SwapRanks(int rank) {
    if (rank < 0 || rank + 1 >= MAX_CARS)
        return;
    const int a = rank_coche[rank], b = rank_coche[rank + 1];
    if (a < 0 || a >= MAX_CARS || b < 0 || b >= MAX_CARS)
        return;
    Exchange(rank_coche[rank], rank_coche[rank + 1]);
    Exchange(rank_pos[a], rank_pos[b]);
    Exchange(PathNodeIndex[a], PathNodeIndex[b]);
    Exchange(PathNodeBase[a], PathNodeBase[b]);
    Exchange(RaceDistance[a], RaceDistance[b]);
}

void DrawRankDebugLine(int y, int car, int rank, int font, PlatSurface* surface) {
    char text[64];
    snprintf(text, sizeof text, "car[%d]", rank + 1);
    PrintText(20, y, text, font, ALIGN_LEFT, surface, 0);
    PrintText(64, y, "->", font, ALIGN_LEFT, surface, 0);
    GetText(ModelNameSlot(car >= 0 && car < MAX_CARS ? CarModel[car] : 0));
    snprintf(text, sizeof text, "%.60s:", TextBufferB);
    PrintText(85, y, text, font, ALIGN_LEFT, surface, 0);
}

void RankDebugOverlay(PlatSurface* surface) {
    if (DebugMode == 0 || EditorOpen != 0 || FrontEndActive)
        return;
    if (Pressed(SCAN_0, &ZeroWasDown))
        Toggle();
    if (!OverlayOpen) {
        // The arrows' edges are still followed, so that opening acts on
        // new presses only.
        UpWasDown = Down(SCAN_UP);
        DownWasDown = Down(SCAN_DOWN);
        return;
    }
    const int ctrl = Down(SCAN_LCONTROL) || Down(SCAN_RCONTROL);
    if (Pressed(SCAN_UP, &UpWasDown) && Cursor > 0) {
        if (ctrl)
            SwapRanks(Cursor - 1);
        Cursor--;
    }
    if (Pressed(SCAN_DOWN, &DownWasDown) && Cursor < MAX_CARS - 1) {
        if (ctrl)
            SwapRanks(Cursor);
        Cursor++;
    }

    char line[64];
    for (int i = 0; i < Ranks(); i++) {
        snprintf(line, sizeof line, "rank_coche[%d]=%d:", i, rank_coche[i]);
        DrawDebugText(400, 100 + 12 * i, line, surface);
        snprintf(line, sizeof line, "rank_pos[%d]=%d:", i, rank_pos[i]);
        DrawDebugText(520, 100 + 12 * i, line, surface);
    }
    for (int rank = 0; rank < Ranks(); rank++)
        DrawRankDebugLine(100 + 24 * rank, rank_coche[rank], rank, rank == Cursor ? 2 : 1, surface);
}
