// Race order.
#pragma once

void CheckFinishZone();
// For every pair of cars first..last (i < j), a coin of the shared generator
// (value / 32768 above 0.5) exchanges their ranks.
void ShuffleGridRange(int first, int last);
// The championship grid: cars 0..2 and 3..6 shuffled, car 7 keeps its rank.
void ShuffleGrid();
