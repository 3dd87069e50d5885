#include "frontend/championship.h"

#include <cstdio>
#include <cstring>

#include "frontend/frontend_state.h"
#include "frontend/menu_actions.h"
#include "frontend/popups.h"
#include "frontend/text_slots.h"
#include "sound/music.h"

int ChampionshipChoice, ChampionshipRace, ChampionshipClass;
int ChampionshipGroupOffset, ChampionshipLastIndex;
int SplitRoundLimit;
int HiddenRaceRequest;
char ChampionshipName[32];

// The championships: per row up to eight races of {track code, car class}.
// Rows 12-14 are the championship mode's; 15-23 are empty; 24-35 are the
// short series of the split screen and network screens' second page.
static const unsigned char kChampionshipSequence[CHAMPIONSHIP_ROWS][8][2] = {
    {{60, 1}, {10, 2}, {72, 3}},
    {{20, 2}, {62, 1}, {73, 3}},
    {{70, 3}, {63, 1}, {30, 2}},
    {{72, 3}, {62, 1}, {71, 3}, {61, 1}},
    {{12, 2}, {73, 3}, {62, 1}, {30, 2}},
    {{11, 2}, {30, 2}, {20, 2}, {10, 2}},
    {{62, 1}, {70, 3}, {61, 1}, {76, 3}},
    {{21, 2}, {64, 1}, {73, 3}, {22, 2}, {66, 1}, {70, 3}},
    {{79, 3}, {20, 2}, {71, 3}, {60, 1}, {11, 2}},
    {{60, 1}, {21, 2}, {74, 3}, {30, 2}, {71, 3}, {62, 1}},
    {{30, 2}, {20, 2}, {76, 3}, {66, 1}, {13, 2}, {30, 2}},
    {{73, 3}, {61, 1}, {11, 2}, {70, 3}, {30, 2}, {62, 1}, {74, 3}, {21, 2}},
    {{12, 2}, {69, 1}, {78, 3}},
    {{22, 2}, {65, 1}, {76, 3}, {15, 2}},
    {{13, 2}, {66, 1}, {23, 2}, {66, 1}, {79, 3}},
    {}, {}, {}, {}, {}, {}, {}, {}, {},
    {{20, 2}}, {{60, 1}}, {{70, 3}}, {{30, 2}}, {{61, 1}}, {{10, 2}}, {{62, 1}}, {{72, 3}},
    {{76, 3}, {30, 2}},
    {{63, 1}, {60, 1}},
    {{12, 2}, {61, 1}},
    {{71, 3}, {20, 2}},
};

// The last race index of each row.
static const unsigned char kChampionshipLastRace[48] = {
    2, 2, 2, 3, 3, 3, 3, 4, 4, 5, 5, 7, 2, 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
};

// The computer cars of a split screen or network race by car class 1-3:
// six {model, colour} pairs for cars 2 to 7.
static const signed char kClassOpponentSets[3][6][2] = {
    {{12, 2}, {12, 3}, {14, 2}, {5, 2}, {14, 3}, {5, 3}},
    {{0, 2}, {1, 2}, {6, 2}, {0, 3}, {1, 3}, {6, 3}},
    {{8, 2}, {8, 3}, {11, 2}, {2, 2}, {11, 3}, {2, 3}},
};

static int SequenceIndexValid(int row, int race) {
    return row >= 0 && row < CHAMPIONSHIP_ROWS && race >= 0 && race < 8;
}

int ChampionshipTrackCode(int row, int race) {
    return SequenceIndexValid(row, race) ? kChampionshipSequence[row][race][0] : 0;
}

int ChampionshipRaceClass(int row, int race) {
    return SequenceIndexValid(row, race) ? kChampionshipSequence[row][race][1] : 0;
}

int ChampionshipLastRace(int row) {
    return row >= 0 && row < 48 ? kChampionshipLastRace[row] : 0;
}

int ClassOpponentCar(int carClass, int car, int* model, int* colour) {
    if (carClass < 1 || carClass > 3 || car < 2 || car > 7)
        return 0;
    *model = kClassOpponentSets[carClass - 1][car - 2][0];
    *colour = kClassOpponentSets[carClass - 1][car - 2][1];
    return 1;
}

int ChampionshipUnderWay;

void EndChampionship() {
    ChampionshipUnderWay = 0;
    ChampionshipRace = 0;
    memset(RacePoints, 0, sizeof RacePoints);
    memset(ChampionshipTotals, 0, sizeof ChampionshipTotals);
}

int NewChampionshipRow() {
    const int stage = CareerRecord.championshipStage;
    return 12 + (stage < 2 ? stage : 2);
}

// The car choice of the championship's next race.
static void ToCarChoice(int* screen) {
    ListSelection[8] = ChampionshipChoice;
    ChampionshipLastIndex = ChampionshipLastRace(ChampionshipChoice);
    ChampionshipClass = ChampionshipRaceClass(ChampionshipChoice, ChampionshipRace);
    GaragePage = 2 * (ChampionshipChoice - 12);
    PlayClickSound();
    GoToScreen(screen, 5);
}

int ChampionshipChoiceAction(int* screen, int item) {
    switch (item) {
    case 12:
        // The championships open one after the other as they are won: a
        // new one is the first not yet won (the last once all are).
        EndChampionship();
        ChampionshipChoice = NewChampionshipRow();
        ChampionshipUnderWay = 1;
        ToCarChoice(screen);
        return 1;
    case 13:
    case 14:
        // Nothing to continue or to end: the pop-up says so (with the error
        // sound).
        if (!ChampionshipUnderWay) {
            ShowPopup(22, 1, 0, 0);
            return 1;
        }
        if (item == 13) {
            ToCarChoice(screen);
        } else {
            EndChampionship();
            PlayClickSound();
        }
        return 1;
    }
    return 0;
}

void ShowChampionshipInfo() {
    const int list = MenuListId >= 0 && MenuListId < MENU_LISTS ? MenuListId : 0;
    const int chosen = ListSelection[list] + ChampionshipGroupOffset;
    const int name = 784 + 2 * chosen;
    if (chosen < 0 || name + 1 >= TEXT_SLOT_COUNT)
        return;
    GetText(name);
    PutText(776, TextBufferB);
    SetTextLength(776, (int)TextSlotTable[name].length);
    snprintf(ChampionshipName, sizeof ChampionshipName, "%.31s", TextBufferB);
    GetText(name + 1);
    PutText(777, TextBufferB);
    SetTextLength(777, (int)TextSlotTable[name + 1].length);
    char races[16];
    snprintf(races, sizeof races, "%d", ChampionshipLastIndex + 1);
    PutText(776, races);
    SetTextLength(776, 1);
}

// The record then holds the championship file: no career slot's any more.
int LoadChampionship() {
    if (!ReadChampionshipFile(&CareerRecord))
        return 0;
    CareerOwner[0] = 0;
    return 1;
}

int SaveChampionship() { return WriteChampionshipFile(CareerRecord); }
