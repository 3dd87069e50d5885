#include "frontend/progress.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "frontend/career.h"
#include "frontend/menu_items.h"
#include "frontend/text_slots.h"

int GarageCategory, GaragePick, GarageMode, GaragePage;
int GarageLast[5][5];
int GarageCurrent[5][7];
int GarageLists[25][15][2];
int CategoryPick[7];
int UnlockFlags[4];
const int CategoryPickLast[5] = {11, 5, 11, 5, 11};

// Where the garage tables travel in the career record.
enum {
    PACKED_LAST = 0x61e,      // 5 modes x 5 categories
    PACKED_CURRENT = 0x637,   // 5 modes x 7
    PACKED_PICK = 0x65a,      // 7
    PACKED_LISTS = 0x661,     // 25 rows x 15 pairs x 2
};
static_assert(PACKED_LAST + 25 == PACKED_CURRENT && PACKED_CURRENT + 35 == PACKED_PICK &&
                  PACKED_PICK + 7 == PACKED_LISTS && PACKED_LISTS + 750 + 1 == (int)sizeof(CareerRecordImage),
              "the garage tables fill the record's tail but its last byte");

// The lists a new game starts with, row by row (category x 5 + mode; the
// modes are career, single race, split screen or network, cup 6 and
// championship): {model, colour} pairs, -1 after the last.
static const signed char kDefaultLists[25][31] = {
    {0, 0, -1},
    {0, 0, 0, 1, -1},
    {0, 0, 0, 1, 1, 0, 1, 1, 6, 0, 0, 2, 6, 1, 1, 2, 6, 2, 0, 3, 1, 3, 6, 3, 16, 0, 16, 1, 16, 2, -1},
    {16, 0, 16, 1, 16, 2, 16, 3, -1},
    {0, 0, 0, 1, 1, 0, 1, 1, 6, 0, 0, 2, -1},

    {15, 0, -1},
    {10, 1, -1},
    {15, 0, 10, 0, 3, 0, 15, 1, 10, 1, 3, 1, -1},
    {8, 2, 8, 1, 8, 0, -1},
    {-1},

    {12, 0, -1},
    {5, 2, -1},
    {12, 0, 12, 1, 12, 2, 14, 0, 14, 1, 12, 3, 5, 0, 5, 1, 14, 2, 5, 2, 14, 3, 5, 3, -1},
    {0, 0, -1},
    {12, 0, 12, 1, 14, 0, 14, 1, 5, 0, 5, 1, -1},

    {7, 0, -1},
    {7, 0, 4, 0, -1},
    {7, 0, 4, 0, 13, 0, 7, 1, 4, 1, 13, 1, -1},
    {0, 0, -1},
    {-1},

    {8, 0, -1},
    {8, 0, 8, 1, -1},
    {8, 0, 8, 1, 11, 0, 2, 0, 8, 2, 11, 1, 2, 1, 8, 3, 11, 2, 2, 2, 11, 3, 2, 3, -1},
    {9, 0, 9, 1, 9, 2, 9, 3, -1},
    {8, 0, 8, 1, 11, 0, 2, 0, 2, 1, 11, 1, -1},
};

// The last owned index by mode: the lists above that are shown whole.
static const int kDefaultLast[5][5] = {
    {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {12, 5, 11, 5, 11}, {3, 0, 0, 0, 3}, {1, 0, 1, 0, 1},
};

void RestoreProgressDefaults() {
    std::memcpy(GarageLast, kDefaultLast, sizeof GarageLast);
    std::memset(GarageCurrent, 0, sizeof GarageCurrent);
    std::memset(CategoryPick, 0, sizeof CategoryPick);
    for (int row = 0; row < 25; row++) {
        const signed char* list = kDefaultLists[row];
        int pair = 0;
        for (; pair < 15 && list[2 * pair] != -1; pair++) {
            GarageLists[row][pair][0] = list[2 * pair];
            GarageLists[row][pair][1] = list[2 * pair + 1];
        }
        for (; pair < 15; pair++)
            GarageLists[row][pair][0] = GarageLists[row][pair][1] = -1;
    }
}

// The program starts with the built-in lists.
[[maybe_unused]] static const int kDefaultsInPlace = (RestoreProgressDefaults(), 1);

void PackProgressInto(CareerRecordImage* record) {
    int8_t* bytes = (int8_t*)record;
    for (int mode = 0; mode < 5; mode++) {
        for (int category = 0; category < 5; category++)
            bytes[PACKED_LAST + 5 * mode + category] = (int8_t)GarageLast[mode][category];
        for (int column = 0; column < 7; column++)
            bytes[PACKED_CURRENT + 7 * mode + column] = (int8_t)GarageCurrent[mode][column];
    }
    for (int category = 0; category < 7; category++)
        bytes[PACKED_PICK + category] = (int8_t)CategoryPick[category];
    for (int row = 0; row < 25; row++)
        for (int pair = 0; pair < 15; pair++)
            for (int k = 0; k < 2; k++)
                bytes[PACKED_LISTS + 30 * row + 2 * pair + k] = (int8_t)GarageLists[row][pair][k];
}

void PackProgress() { PackProgressInto(&CareerRecord); }

// A saved list ends at its first -1, but a damaged or hostile save may hold
// anything: the first entry that is not a car (model 0-19, colour 0-3) ends
// the list, and it and every entry after it become {-1, -1}.  The index of
// the list's last car, -1 for an empty list.
static int EndGarageList(int (*list)[2]) {
    int last = -1;
    for (int k = 0; k < 15; k++) {
        const int model = list[k][0], colour = list[k][1];
        if (last == k - 1 && model >= 0 && model < 20 && colour >= 0 && colour < 4)
            last = k;
        else
            list[k][0] = list[k][1] = -1;
    }
    return last;
}

int GarageListLast(int row) {
    if (row < 0 || row >= 25)
        return -1;
    int last = -1;
    while (last + 1 < 15 && GarageLists[row][last + 1][0] >= 0)
        last++;
    return last;
}

// The unpacked positions stay on the cars their lists hold: the last index
// of each list at most its last car (a list may hold more cars than it
// shows, never fewer), the car in use and the shop's picks within reach.
static void KeepGaragePositions() {
    for (int mode = 0; mode < 5; mode++) {
        for (int category = 0; category < 5; category++) {
            const int real = EndGarageList(GarageLists[category * 5 + mode]);
            int& last = GarageLast[mode][category];
            last = std::clamp(last, 0, real < 0 ? 0 : real);
            GarageCurrent[mode][category] = std::clamp(GarageCurrent[mode][category], 0, last);
        }
        for (int column = 5; column < 7; column++)
            GarageCurrent[mode][column] = std::clamp(GarageCurrent[mode][column], 0, 14);
    }
    for (int category = 0; category < 7; category++)
        CategoryPick[category] = std::clamp(CategoryPick[category], 0, category < 5 ? CategoryPickLast[category] : 14);
}

void UnpackProgress() {
    const int8_t* bytes = (const int8_t*)&CareerRecord;
    for (int mode = 0; mode < 5; mode++) {
        for (int category = 0; category < 5; category++)
            GarageLast[mode][category] = bytes[PACKED_LAST + 5 * mode + category];
        for (int column = 0; column < 7; column++)
            GarageCurrent[mode][column] = bytes[PACKED_CURRENT + 7 * mode + column];
    }
    for (int category = 0; category < 7; category++)
        CategoryPick[category] = bytes[PACKED_PICK + category];
    for (int row = 0; row < 25; row++)
        for (int pair = 0; pair < 15; pair++)
            for (int k = 0; k < 2; k++)
                GarageLists[row][pair][k] = bytes[PACKED_LISTS + 30 * row + 2 * pair + k];
    KeepGaragePositions();
}

int AddGarageCar(int model, int colour) {
    if (GarageMode < 0 || GarageMode >= 5 || GarageCategory < 0 || GarageCategory >= 5)
        return 0;
    for (int category = 0; category < 5; category++) {
        const int(*list)[2] = GarageLists[category * 5 + GarageMode];
        for (int k = 0; k < 15 && list[k][0] != -1; k++)
            if (list[k][0] == model && list[k][1] == colour)
                return 0;
    }
    int(*list)[2] = GarageLists[GarageCategory * 5 + GarageMode];
    for (int k = 0; k < 15; k++) {
        if (list[k][0] != -1)
            continue;
        list[k][0] = model;
        list[k][1] = colour;
        int& last = GarageLast[GarageMode][GarageCategory];
        last = last + 1 < 15 ? last + 1 : 14;
        GarageCurrent[GarageMode][GarageCategory] = last;
        return 1;
    }
    return 0;
}

int IsCupRaceWon(int cup, int race) {
    if (cup < 0 || cup >= 7 || race < 0 || race >= 5)
        return 0;
    return CareerRecord.cups[cup].won[race];
}

static int MainRacesWon() {
    int won = 0;
    for (int cup = 0; cup < 5; cup++)
        for (int race = 0; race < 4; race++)
            won += IsCupRaceWon(cup, race) != 0;
    return won;
}

int CountUnlockLevels() {
    static const int needed[4] = {3, 7, 11, 15};
    const int won = MainRacesWon();
    int levels = 0;
    for (int flag = 0; flag < 4; flag++) {
        UnlockFlags[flag] = won >= needed[flag];
        levels += UnlockFlags[flag];
    }
    return levels;
}

int AllMainRacesWon() { return MainRacesWon() == 20; }

int CountCup5Wins() {
    int won = 0;
    for (int race = 0; race < 5; race++)
        won += IsCupRaceWon(5, race) != 0;
    return won;
}

void ShowGarageCounters() {
    const int mode = GarageMode >= 0 && GarageMode < 5 ? GarageMode : 0;
    for (int category = 0; category < 5; category++) {
        int current = GarageCurrent[mode][category], last = GarageLast[mode][category];
        if (MenuScreen == 19) {
            current = CategoryPick[category];
            last = CategoryPickLast[category];
        }
        char text[32];
        std::snprintf(text, sizeof text, " %d/%d", current + 1, last + 1);
        SetSlotText(155 + category, text);
    }
}

void CheckProgressNotice() {
    if (SpecialRaceMode && CareerWinMarker >= 1 && ReplayWatched == 0) {
        RequestVideo(2);
        PendingScreen = 4;   // the credits
    }
}
