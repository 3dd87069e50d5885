// The race-order debug overlay (developer mode): key 0 opens it and pauses
// the race; Up and Down move a cursor over the ranks, with Ctrl they swap
// the cursor's rank with its neighbour's; closing it ends the race.
#pragma once

struct PlatSurface;

void RankDebugOverlay(PlatSurface* surface);
// "car[rank + 1] -> model name:" of one rank at layout y.
void DrawRankDebugLine(int y, int car, int rank, int font, PlatSurface* surface);
// Exchanges the cars at ranks `rank` and `rank + 1`: their race order
// entries and their progress along the guide line.
void SwapRanks(int rank);
