// The race order: each car's progress along the guide line (computer driving
// line 3), and the ranks that follow it one place per frame.

#include "race/race_order.h"

#include "frame/utils.h"
#include "race/race_state.h"
#include "render/geometry.h"
#include "track/track_state.h"

float PathNodeBase[MAX_CARS];
float RaceDistance[MAX_CARS];
int FrozenPlaces;
int RankingFrozen;
int FinishZoneReached;

int GuidePointCount() {
    const int n = CpuLinePointCounts[CPU_LINE_GUIDE];
    return n < 0 ? 0 : n > CPU_LINE_MAX_POINTS ? CPU_LINE_MAX_POINTS : n;
}

static float Projection(int car, int node) {
    const CpuLinePoint& p = CpuLineTable[CPU_LINE_GUIDE][node];
    return (cocheX[car] - p.x) * p.dirX + (cocheZ[car] - p.z) * p.dirZ;
}

// Moves the car along the guide line to the segment its projection falls
// on.  The walk takes at most one lap of nodes a frame, so crafted lengths
// or directions cannot keep it going.
static void WalkGuideLine(int car, int n) {
    int p = PathNodeIndex[car];
    if (p < 0 || p >= n)
        p = 0;
    float s = Projection(car, p);
    for (int step = 0; step < n; step++) {
        const float length = CpuLineTable[CPU_LINE_GUIDE][p].length;
        if (s > length) {
            const int q = p + 1 < n ? p + 1 : 0;
            const float next = Projection(car, q);
            if (next < 0.0f)
                break;
            PathNodeBase[car] += length;
            p = q;
            s = next;
        } else if (s < 0.0f) {
            p = p > 0 ? p - 1 : n - 1;
            PathNodeBase[car] -= CpuLineTable[CPU_LINE_GUIDE][p].length;
            s = Projection(car, p);
        } else {
            break;
        }
    }
    PathNodeIndex[car] = p;
    RaceDistance[car] = PathNodeBase[car] + s;
}

void UpdateRacePositions() {
    const int n = TrackGroup == 5 && TrackVariant != 5 ? 1 : (CarCount < MAX_CARS ? (int)CarCount : MAX_CARS);
    RaceCarCount = n;
    // A guide line of fewer than two points gives no progress: the start
    // order stands.
    const int points = GuidePointCount();
    if (points < 2)
        return;
    for (int car = 0; car < n; car++)
        WalkGuideLine(car, points);
    if (RankingFrozen == 1 || FrozenPlaces + 1 >= n)
        return;
    for (int k = FrozenPlaces + 1; k < n; k++) {
        const int a = rank_coche[k - 1], b = rank_coche[k];
        if (a < 0 || a >= MAX_CARS || b < 0 || b >= MAX_CARS)
            continue;
        if (RaceDistance[a] < RaceDistance[b]) {
            rank_coche[k - 1] = b;
            rank_coche[k] = a;
            const int kept = rank_pos[a];
            rank_pos[a] = rank_pos[b];
            rank_pos[b] = kept;
        }
    }
}

void ResetRaceProgress() {
    const int cars = CarCount < MAX_CARS ? (int)CarCount : MAX_CARS;
    int m = GuidePointCount();
    for (int car = 0; car < cars; car++) {
        if (PathNodeIndex[car] < m)
            m = PathNodeIndex[car];
    }
    if (m < 0)
        m = 0;
    FrozenPlaces = 0;
    for (int car = 0; car < cars; car++) {
        PathNodeBase[car] = 0.0f;
        RaceDistance[car] = 0.0f;
        PathNodeIndex[car] = m;
    }
}

void FreezeStartOrder() { RankingFrozen = 1; }

void CheckFinishZone() {
    if (PathNodeIndex[0] < 50 || PathNodeIndex[0] > 53)
        return;
    const float dx = cocheX[0] - 25803.0f, dz = cocheZ[0] - 68000.0f;
    if (FastSqrt(dx * dx + dz * dz) < 1440.0f) {
        FinishZoneReached = 1;
        RaceOver = 1;
    }
}

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
