// The polygon list of one view and its two sort lists.
//
// Drawing routines take the polygon cursor (an offset in 32-bit words into
// PolygonList, 20 to a polygon) and return it advanced past what they kept.
// TextureSortPairs is the drawing order the back ends walk; translucent
// polygons wait in TranslucentSortPairs until they are merged far to near.
#pragma once

#include <cstdint>

#include "render/render_state.h"

// The polygon at a cursor.
inline ScreenPolygon& PolygonAt(int cursor) { return PolygonList[cursor / POLYGON_WORDS]; }

// The polygon the sort pair at integer index i names, or null when its
// offset lies outside the list.
inline const ScreenPolygon* SortPairPolygon(int i) {
    const int offset = TextureSortPairs[i + 1];
    if (offset < 0 || offset % POLYGON_WORDS != 0 || offset / POLYGON_WORDS >= POLYGON_LIST_SIZE)
        return nullptr;
    return &PolygonList[offset / POLYGON_WORDS];
}

// 1 when no polygon fits at the cursor any more: emitting stops there.
inline int PolygonListFull(int cursor) {
    return cursor < 0 || cursor / POLYGON_WORDS >= POLYGON_LIST_SIZE || TextureSortPairCount < 0 ||
           TextureSortPairCount > SORT_PAIR_INTS - 2 || TranslucentPairCount < 0 ||
           TranslucentPairCount > SORT_PAIR_INTS - 2;
}

// Sorts the pairs whose keys lie at integer indices first..last (both even,
// last inclusive) ascending by key, moving whole pairs.  Equal keys end in
// no particular order.
void SortPairsByKey(int32_t* pairs, int first, int last);

// qsort comparison of {key, offset} pairs: the largest key first, so the
// farthest translucent polygon is drawn first.
int CompareKeyDescending(const void* a, const void* b);

// Sorts the translucent pairs far to near, appends them to the drawing
// order and empties the translucent list.
void MergeTranslucentPairs();
