// Script lines that point at items of the built-in layout: the centre of an
// item's hit box, so that a route through the menus follows the layout's
// items, wherever the layout puts them.
#pragma once

#include <cstring>
#include <string>

#include "menulayout/layout_builder.h"
#include "menulayout/menulayout_state.h"

// Fills the menu table from the built-in layout, for the hit boxes below.
// A run of the game builds it again for itself.
inline bool BuildLayoutForPoints() {
    memset(MenuScreenTable, 0, sizeof MenuScreenTable);
    return BuildMenuLayout() > 0;
}

struct LayoutPoint {
    int x, y;
};

// The centre of an item's hit box (bounds inclusive).
inline LayoutPoint ItemPoint(int screen, int item) {
    const MenuItem& it = MenuScreenTable[screen][item];
    return {(it.hitLeft + it.hitRight) / 2, (it.hitTop + it.hitBottom) / 2};
}

// Points at an item in `frame` and clicks it in the next.
inline std::string ClickItem(int frame, int screen, int item) {
    const LayoutPoint p = ItemPoint(screen, item);
    return std::to_string(frame) + " point " + std::to_string(p.x) + " " + std::to_string(p.y) + "\n" +
           std::to_string(frame + 1) + " click\n";
}

inline std::string ExpectScreen(int frame, int screen) {
    return std::to_string(frame) + " expect-screen " + std::to_string(screen) + "\n";
}

inline std::string TypeAt(int frame, const std::string& text) { return std::to_string(frame) + " type " + text + "\n"; }
