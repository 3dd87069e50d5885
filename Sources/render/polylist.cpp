#include "render/polylist.h"

#include <cstdlib>

ScreenPolygon PolygonList[POLYGON_LIST_SIZE];
int32_t TextureSortPairs[SORT_PAIR_INTS];
int32_t TranslucentSortPairs[SORT_PAIR_INTS];
int TranslucentPairCount;
int PolygonMode;
float EnvMapCoords[ENV_MAP_FLOATS];
int EnvMapCount;

static void SwapPairs(int32_t* pairs, int i, int j) {
    const int32_t key = pairs[i], offset = pairs[i + 1];
    pairs[i] = pairs[j];
    pairs[i + 1] = pairs[j + 1];
    pairs[j] = key;
    pairs[j + 1] = offset;
}

void SortPairsByKey(int32_t* pairs, int first, int last) {
    while (first < last) {
        // The last pair's key is the pivot; i stops at it at the latest.
        const int32_t pivot = pairs[last];
        int i = first, j = last - 2;
        for (;;) {
            while (i <= last && pairs[i] < pivot)
                i += 2;
            while (j >= first && pairs[j] > pivot)
                j -= 2;
            if (i >= j)
                break;
            SwapPairs(pairs, i, j);
            i += 2;
            j -= 2;
        }
        SwapPairs(pairs, i, last);
        // The two sides sort independently: recursing into the smaller one
        // keeps the depth to log n whatever the order of the keys.
        if (i - first < last - i) {
            SortPairsByKey(pairs, first, i - 2);
            first = i + 2;
        } else {
            SortPairsByKey(pairs, i + 2, last);
            last = i - 2;
        }
    }
}

int CompareKeyDescending(const void* a, const void* b) {
    const int32_t keyA = *(const int32_t*)a, keyB = *(const int32_t*)b;
    return keyA > keyB ? -1 : keyA < keyB ? 1 : 0;
}

void MergeTranslucentPairs() {
    int pairs = TranslucentPairCount / 2;
    pairs = pairs > SORT_PAIR_INTS / 2 ? SORT_PAIR_INTS / 2 : pairs;
    if (pairs > 0)
        qsort(TranslucentSortPairs, (size_t)pairs, 2 * sizeof(int32_t), CompareKeyDescending);
    for (int p = 0; p < pairs && TextureSortPairCount <= SORT_PAIR_INTS - 2; p++) {
        TextureSortPairs[TextureSortPairCount] = TranslucentSortPairs[2 * p];
        TextureSortPairs[TextureSortPairCount + 1] = TranslucentSortPairs[2 * p + 1];
        TextureSortPairCount += 2;
    }
    TranslucentPairCount = 0;
}
