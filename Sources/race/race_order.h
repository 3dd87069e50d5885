// Race order.
#pragma once

// Per frame: every ranked car's guide-line node and RaceDistance, then one
// bubble pass over the ranks below the frozen ones.
void UpdateRacePositions();
// Every car on the smallest guide-line node of the race, at distance 0.
void ResetRaceProgress();
// The start order holds until the race frame clears RankingFrozen.
void FreezeStartOrder();
// Car 0 near the 55 event's finish point ends the race.
void CheckFinishZone();
// For every pair of cars first..last (i < j), a coin of the shared generator
// (value / 32768 above 0.5) exchanges their ranks.
void ShuffleGridRange(int first, int last);
// The championship grid: cars 0..2 and 3..6 shuffled, car 7 keeps its rank.
void ShuffleGrid();
// Points of the guide line held to the table (0..199).
int GuidePointCount();
