#include "race/race_order.h"

#include "frame/utils.h"
#include "race/race_state.h"

void CheckFinishZone() {}

void ShuffleGridRange(int first, int last) {
    if (first < 0)
        first = 0;
    // Only cars of the race take part: a car beyond CarCount has no grid
    // place to give.
    if (last >= CarCount)
        last = CarCount - 1;
    for (int i = first; i < last; i++) {
        for (int j = i + 1; j <= last; j++) {
            if (!((float)GameRandom() / 32768.0f > 0.5f))
                continue;
            const int ri = rank_pos[i], rj = rank_pos[j];
            rank_pos[i] = rj;
            rank_pos[j] = ri;
            if (ri >= 0 && ri < MAX_CARS && rj >= 0 && rj < MAX_CARS) {
                const int kept = rank_coche[ri];
                rank_coche[ri] = rank_coche[rj];
                rank_coche[rj] = kept;
            }
        }
    }
}

void ShuffleGrid() {
    ShuffleGridRange(0, 2);
    ShuffleGridRange(3, 6);
}
