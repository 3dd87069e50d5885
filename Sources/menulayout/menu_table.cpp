#include "menulayout/menu_table.h"

#include <cstring>

#include "frame/fileio.h"
#include "frame/frame_state.h"

MenuItem MenuScreenTable[MENU_SCREENS][MENU_ITEMS];
float MenuGroupTable[MENU_GROUP_ROWS][16];

uint16_t MenuColourTable[MENU_COLOURS] = {
    0x0000, 0x4208, 0x8410, 0xc618, 0xffff, 0xffb0, 0xbdfc, 0xbdfc, 0xbdfc, 0xffe0,
};

static const char kMenuLayoutPath[] = "config\\menus.dat";

// ---------------------------------------------------------------------------
// The group rows that the built-in links use: a group link sets the set mask
// and clears the clear mask on every listed item of the row's screen.  The
// other rows of the table are empty.

namespace {

struct GroupRowDef {
    int row;
    int screen;
    int items[MENU_GROUP_ITEMS];
    uint32_t set;
    uint32_t clear;
};

constexpr GroupRowDef Row(int row, int screen, std::initializer_list<int> items, uint32_t set, uint32_t clear) {
    GroupRowDef def{row, screen, {}, set, clear};
    int i = 0;
    for (int item : items)
        def.items[i++] = item;
    return def;
}

constexpr GroupRowDef kGroupRows[] = {
    Row(  0,  6, {26, 29, 35, 37, 39, 46, 48}, 0x20, 0),
    Row(  1,  6, {28, 30, 36, 38, 40, 45, 43, 49}, 0, 0x20),
    Row(  2,  6, {30, 35, 38, 39, 43, 26}, 0x20, 0),
    Row(  3,  6, {28, 29, 36, 37, 40, 48, 49}, 0, 0x20),
    Row(  4,  6, {28, 30, 36, 38, 40, 45, 43, 49}, 0x20, 0),
    Row(  5,  6, {26, 29, 35, 37, 39, 46, 48}, 0, 0x20),
    Row(  6,  6, {23}, 0x20, 0),
    Row(  7,  6, {24, 25}, 0, 0x20),
    Row(  8,  4, {29, 34}, 0, 0x20),
    Row(  9,  4, {30, 35}, 0, 0x20),
    Row( 10,  4, {31, 36}, 0, 0x20),
    Row( 11,  4, {32, 37}, 0, 0x20),
    Row( 12,  4, {33, 38}, 0, 0x20),
    Row( 13,  4, {54, 59, 64}, 0x20, 0),
    Row( 14,  4, {55, 60, 65}, 0x20, 0),
    Row( 15,  4, {56, 61, 66}, 0x20, 0),
    Row( 16,  4, {57, 62, 67}, 0x20, 0),
    Row( 17,  4, {58, 63, 68}, 0x20, 0),
    Row( 18,  0, {8, 14, 9, 15, 10, 16, 11, 17, 12, 18}, 0x20, 0),
    Row( 19,  0, {7, 13, 9, 15, 10, 16, 11, 17, 12, 18}, 0x20, 0),
    Row( 20,  0, {7, 13, 8, 14, 10, 16, 11, 17, 12, 18}, 0x20, 0),
    Row( 21,  0, {7, 13, 8, 14, 9, 15, 11, 17, 12, 18}, 0x20, 0),
    Row( 22,  0, {7, 13, 8, 14, 9, 15, 10, 16, 12, 18}, 0x20, 0),
    Row( 24,  0, {21, 22, 23, 24}, 0, 0x2000),
    Row( 25,  0, {20, 22, 23, 24}, 0, 0x2000),
    Row( 26,  0, {20, 21, 23, 24}, 0, 0x2000),
    Row( 27,  0, {20, 21, 22, 24}, 0, 0x2000),
    Row( 28,  0, {20, 21, 22, 23}, 0, 0x2000),
    Row( 30,  0, {28, 29, 30, 31, 32, 33, 34, 35, 36, 37}, 0, 0x20),
    Row( 31,  0, {26, 27, 30, 31, 32, 33, 34, 35, 36, 37}, 0, 0x20),
    Row( 32,  0, {26, 27, 28, 29, 32, 33, 34, 35, 36, 37}, 0, 0x20),
    Row( 33,  0, {26, 27, 28, 29, 30, 31, 34, 35, 36, 37}, 0, 0x20),
    Row( 34,  0, {26, 27, 28, 29, 30, 31, 32, 33, 36, 37}, 0, 0x20),
    Row( 36,  4, {30, 35, 10, 31, 36, 11, 32, 37, 12, 33, 38, 13}, 0x20, 0),
    Row( 37,  4, {29, 34, 9, 31, 36, 11, 32, 37, 12, 33, 38, 13}, 0x20, 0),
    Row( 38,  4, {29, 34, 9, 30, 35, 10, 32, 37, 12, 33, 38, 13}, 0x20, 0),
    Row( 39,  4, {29, 34, 9, 30, 35, 10, 31, 36, 11, 33, 38, 13}, 0x20, 0),
    Row( 40,  4, {29, 34, 9, 30, 35, 10, 31, 36, 11, 32, 37, 12}, 0x20, 0),
    Row( 41,  4, {55, 60, 65, 56, 61, 66, 57, 62, 67, 58, 63, 68}, 0, 0x20),
    Row( 42,  4, {54, 59, 64, 56, 61, 66, 57, 62, 67, 58, 63, 68}, 0, 0x20),
    Row( 43,  4, {54, 59, 64, 55, 60, 65, 57, 62, 67, 58, 63, 68}, 0, 0x20),
    Row( 44,  4, {54, 59, 64, 55, 60, 65, 56, 61, 66, 58, 63, 68}, 0, 0x20),
    Row( 45,  4, {54, 59, 64, 55, 60, 65, 56, 61, 66, 57, 62, 67}, 0, 0x20),
    Row( 74,  3, {52}, 0x2000, 0),
    Row( 77,  3, {53, 61, 68, 69, 70, 54, 71, 72, 73, 74, 75, 76, 77}, 0x20, 0),
    Row( 78,  3, {78, 115, 116, 117, 118}, 0x20, 0),
    Row( 79,  3, {53, 62, 68, 69, 70, 55, 71, 72, 73, 74, 79, 80, 81}, 0x20, 0),
    Row( 80,  3, {82, 119, 120, 121, 122}, 0x20, 0),
    Row( 81,  3, {53, 63, 68, 69, 70, 56, 71, 72, 73, 74, 83, 84, 85}, 0x20, 0),
    Row( 82,  3, {86, 123, 124, 125, 126}, 0x20, 0),
    Row( 83,  3, {53, 64, 68, 69, 70, 57, 71, 72, 73, 74, 87, 88, 89}, 0x20, 0),
    Row( 84,  3, {90, 127, 128, 129, 130}, 0x20, 0),
    Row( 85,  3, {53, 65, 68, 69, 70, 58, 71, 72, 73, 74, 91, 92, 93}, 0x20, 0),
    Row( 86,  3, {94, 131, 132, 133, 134}, 0x20, 0),
    Row( 87,  3, {53, 66, 95, 96, 97, 98, 100, 101, 102, 103, 135}, 0x20, 0),
    Row( 88,  3, {136, 137, 138, 59, 68, 69, 70}, 0x20, 0),
    Row( 89,  3, {145, 67, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 140}, 0x20, 0),
    Row( 90,  3, {141, 142, 143, 144, 146, 147, 148, 60}, 0x20, 0),
    Row( 98,  3, {15, 16, 17, 18, 19, 20, 21}, 0, 0x8),
    Row( 99,  3, {15, 16, 17, 18, 19, 20, 21}, 0x8, 0),
    Row(105,  5, {54, 59, 64}, 0x20, 0),
    Row(106,  5, {55, 60, 65}, 0x20, 0),
    Row(107,  5, {56, 61, 66}, 0x20, 0),
    Row(108,  5, {57, 62, 67}, 0x20, 0),
    Row(109,  5, {58, 63, 68}, 0x20, 0),
    Row(149,  5, {54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66}, 0, 0x20),
    Row(150,  5, {67, 68}, 0, 0x20),
    Row(155,  3, {24, 25, 26, 27, 28, 29, 30}, 0, 0x8),
    Row(156,  3, {24, 25, 26, 27, 28, 29, 30}, 0x8, 0),
    Row(157, 19, {29, 34}, 0, 0x20),
    Row(158, 19, {30, 35}, 0, 0x20),
    Row(159, 19, {31, 36}, 0, 0x20),
    Row(160, 19, {32, 37}, 0, 0x20),
    Row(161, 19, {33, 38}, 0, 0x20),
    Row(162, 19, {54, 59, 64}, 0x20, 0),
    Row(163, 19, {55, 60, 65}, 0x20, 0),
    Row(164, 19, {56, 61, 66}, 0x20, 0),
    Row(165, 19, {57, 62, 67}, 0x20, 0),
    Row(166, 19, {58, 63, 68}, 0x20, 0),
    Row(167, 19, {30, 35, 10, 31, 36, 11, 32, 37, 12, 33, 38, 13}, 0x20, 0),
    Row(168, 19, {29, 34, 9, 31, 36, 11, 32, 37, 12, 33, 38, 13}, 0x20, 0),
    Row(169, 19, {29, 34, 9, 30, 35, 10, 32, 37, 12, 33, 38, 13}, 0x20, 0),
    Row(170, 19, {29, 34, 9, 30, 35, 10, 31, 36, 11, 33, 38, 13}, 0x20, 0),
    Row(171, 19, {29, 34, 9, 30, 35, 10, 31, 36, 11, 32, 37, 12}, 0x20, 0),
    Row(172, 19, {55, 60, 65, 56, 61, 66, 57, 62, 67, 58, 63, 68}, 0, 0x20),
    Row(173, 19, {54, 59, 64, 56, 61, 66, 57, 62, 67, 58, 63, 68}, 0, 0x20),
    Row(174, 19, {54, 59, 64, 55, 60, 65, 57, 62, 67, 58, 63, 68}, 0, 0x20),
    Row(175, 19, {54, 59, 64, 55, 60, 65, 56, 61, 66, 58, 63, 68}, 0, 0x20),
    Row(176, 19, {54, 59, 64, 55, 60, 65, 56, 61, 66, 57, 62, 67}, 0, 0x20),
    Row(177, 19, {54, 59, 64, 55, 60, 65, 56, 61, 66}, 0, 0x20),
    Row(178, 19, {57, 62, 67, 58, 63, 68}, 0, 0x20),
    Row(179, 19, {9, 10, 11, 12, 13, 29, 30, 31, 32, 33}, 0x20, 0),
    Row(180, 19, {34, 35, 36, 37, 38}, 0x20, 0),
    Row(181, 12, {12, 9, 5, 55, 56}, 0, 0x20),
    Row(182, 12, {12, 9, 5, 55, 56}, 0x20, 0),
    Row(183, 12, {12, 9, 5}, 0x8, 0),
    Row(184, 12, {12, 9, 5}, 0, 0x8),
    Row(185, 12, {40, 41, 42}, 0, 0x20),
    Row(186, 12, {41}, 0x20, 0),
    Row(187, 12, {42}, 0x20, 0),
    Row(188, 12, {40}, 0x20, 0),
    Row(189, 12, {43, 44, 45, 54}, 0, 0x20),
    Row(190, 12, {44}, 0x20, 0),
    Row(191, 12, {45}, 0x20, 0),
    Row(192, 12, {54}, 0x20, 0),
    Row(193, 12, {43}, 0x20, 0),
    Row(194,  0, {20, 21, 22, 23, 24}, 0, 0x2000),
    Row(195,  0, {26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37}, 0, 0x20),
    Row(196,  0, {7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}, 0x20, 0),
};

// The rows are initial data: filled before anything runs.
struct GroupTableFill {
    GroupTableFill() {
        memset(MenuGroupTable, 0, sizeof MenuGroupTable);
        for (const GroupRowDef& def : kGroupRows) {
            float* row = MenuGroupTable[def.row];
            row[0] = (float)def.screen;
            for (int i = 0; i < MENU_GROUP_ITEMS; i++)
                row[1 + i] = (float)def.items[i];
            row[14] = (float)def.set;
            row[15] = (float)def.clear;
        }
    }
} groupTableFill;

}  // namespace

// ---------------------------------------------------------------------------

int DecodeLink(int32_t link, int* screen, int* item) {
    if (link < 0)
        return LINK_NONE;
    const int s = link >> LINK_SCREEN_SHIFT, i = link & LINK_ITEM_MASK;
    if (s == LINK_GROUP_SCREEN) {
        if (i >= MENU_GROUP_ROWS)
            return LINK_NONE;
        *screen = s;
        *item = i;
        return LINK_GROUP;
    }
    if (s >= MENU_SCREENS || i >= MENU_ITEMS)
        return LINK_NONE;
    *screen = s;
    *item = i;
    return LINK_ITEM;
}

void FillMenuColourTable() {
    static const uint16_t colours555[MENU_COLOURS] = {
        0x0000, 0x2108, 0x4210, 0x6318, 0x7fff, 0x7fd0, 0x5efc, 0x5efc, 0x6f7b, 0x7fe0,
    };
    static const uint16_t colours565[MENU_COLOURS] = {
        0x0000, 0x4208, 0x8410, 0xc618, 0xffff, 0xffb0, 0xbdfc, 0xbdfc, 0xdefb, 0xffe0,
    };
    memcpy(MenuColourTable, GreenMaskBits == 5 ? colours555 : colours565, sizeof MenuColourTable);
}

// Nothing in the game calls these: the table is always built from the
// built-in layout at start-up.  They serve the layout's developers.
int SaveMenuLayout() {
    return WriteWholeFile(kMenuLayoutPath, MENU_LAYOUT_FILE_SIZE, MenuScreenTable) == 1 ? 1 : 0;
}

static bool LinksValid(const MenuItem (*table)[MENU_ITEMS]) {
    for (int s = 0; s < MENU_SCREENS; s++) {
        for (int i = 0; i < MENU_ITEMS; i++) {
            for (int32_t link : table[s][i].links) {
                int screen, item;
                if (link != -1 && link != 0 && DecodeLink(link, &screen, &item) == LINK_NONE)
                    return false;
            }
        }
    }
    return true;
}

int LoadMenuLayout() {
    static MenuItem image[MENU_SCREENS][MENU_ITEMS];
    if (ReadWholeFile(kMenuLayoutPath, image, sizeof image) < 0 || LastFileSize != MENU_LAYOUT_FILE_SIZE)
        return 0;
    if (!LinksValid(image))
        return 0;
    memcpy(MenuScreenTable, image, sizeof MenuScreenTable);
    return 1;
}
