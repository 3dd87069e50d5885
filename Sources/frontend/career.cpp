#include "frontend/career.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "frame/frame_state.h"
#include "frontend/career_file.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_items.h"
#include "frontend/popups.h"
#include "frontend/progress.h"
#include "frontend/records.h"
#include "frontend/settings.h"
#include "frontend/text_slots.h"
#include "race/race_state.h"
#include "sound/music.h"

CareerRecordImage CareerRecord;
char CareerOwner[24];
int PendingPrize;
int CurrentCup, CurrentCupRace;
int Cup5Mode, Cup6Mode;
int SpecialRaceUnlocked;
int SpecialRaceMode;
int ReplayWatched;
int RaceEntryFee;

int8_t& NextRaceGroup() { return *(int8_t*)((char*)&CareerRecord + CAREER_NEXT_GROUP); }
int8_t& NextRaceVariant() { return *(int8_t*)((char*)&CareerRecord + CAREER_NEXT_VARIANT); }

enum { MONEY_LIMIT = 99999999 };

// A new career's cups: prize, fee, track code, laps and cars of each race.
struct CareerTableRow {
    int prize[5], fee[5], code[5], laps[5], cars[5];
};
static const CareerTableRow kCareerTables[7] = {
    {{500, 5000, 15000, 30000, 10000}, {200, 400, 800, 1500, 250}, {50, 51, 52, 53, 52}, {2, 2, 2, 2, 2}, {3, 7, 8, 8, 4}},
    {{500, 5000, 15000, 30000, 10000}, {200, 400, 800, 1500, 250}, {60, 62, 61, 63, 62}, {2, 3, 3, 3, 3}, {4, 6, 8, 8, 8}},
    {{500, 5000, 15000, 30000, 10000}, {200, 400, 800, 1500, 250}, {20, 10, 30, 11, 10}, {2, 3, 3, 3, 3}, {4, 6, 8, 8, 8}},
    {{500, 5000, 15000, 30000, 10000}, {200, 400, 800, 1500, 250}, {71, 70, 72, 73, 71}, {2, 3, 3, 3, 3}, {4, 6, 8, 8, 6}},
    {{500, 5000, 15000, 30000, 10000}, {200, 400, 800, 1500, 250}, {40, 41, 42, 43, 45}, {1, 1, 1, 1, 1}, {1, 1, 1, 1, 1}},
    {{50000, 50000, 50000, 50000, 50000}, {2000, 2000, 2000, 2000, 2000}, {54, 64, 21, 74, 44}, {2, 3, 3, 3, 1},
     {8, 8, 8, 8, 1}},
    {{10000, 10000, 10000, 10000, 10000}, {200, 400, 800, 1500, 250}, {31, 75, 55, 57, 45}, {2, 3, 2, 2, 2},
     {1, 4, 2, 1, 1}},
};

// The grid of each cup race: eight {model, colour} pairs.
static const signed char kCareerOpponentTable[7][5][8][2] = {
    {{{15, 0}, {19, 0}, {19, 0}, {19, 0}, {19, 0}, {19, 0}, {19, 0}, {19, 0}},
     {{15, 0}, {19, 0}, {19, 0}, {19, 0}, {19, 0}, {19, 0}, {19, 0}, {19, 0}},
     {{15, 0}, {19, 0}, {19, 0}, {19, 0}, {19, 0}, {19, 0}, {19, 0}, {19, 0}},
     {{15, 0}, {19, 0}, {19, 0}, {19, 0}, {19, 0}, {19, 0}, {19, 0}, {19, 0}},
     {{15, 0}, {19, 0}, {19, 0}, {19, 0}, {19, 0}, {19, 0}, {19, 0}, {19, 0}}},
    {{{12, 0}, {12, 1}, {12, 2}, {14, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}},
     {{12, 0}, {12, 2}, {12, 1}, {14, 0}, {14, 1}, {5, 0}, {0, 0}, {0, 0}},
     {{12, 0}, {14, 1}, {12, 2}, {14, 0}, {12, 0}, {5, 0}, {12, 3}, {14, 2}},
     {{12, 0}, {5, 0}, {14, 2}, {12, 3}, {14, 1}, {14, 3}, {5, 1}, {5, 2}},
     {{12, 0}, {12, 2}, {14, 0}, {12, 1}, {12, 3}, {12, 0}, {5, 1}, {14, 2}}},
    {{{0, 0}, {0, 2}, {0, 3}, {1, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}},
     {{0, 0}, {0, 1}, {0, 3}, {1, 1}, {1, 2}, {6, 0}, {0, 0}, {0, 0}},
     {{0, 0}, {1, 0}, {0, 3}, {1, 3}, {6, 0}, {1, 3}, {6, 3}, {6, 2}},
     {{0, 0}, {0, 0}, {1, 0}, {6, 0}, {0, 3}, {1, 1}, {1, 2}, {6, 2}},
     {{0, 0}, {0, 2}, {1, 0}, {0, 3}, {1, 1}, {1, 2}, {1, 3}, {6, 1}}},
    {{{8, 0}, {8, 1}, {8, 2}, {11, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}},
     {{8, 0}, {8, 2}, {11, 0}, {8, 3}, {2, 0}, {11, 1}, {11, 1}, {11, 1}},
     {{8, 0}, {8, 3}, {11, 1}, {11, 2}, {2, 1}, {8, 1}, {2, 2}, {2, 3}},
     {{8, 0}, {2, 0}, {11, 3}, {2, 1}, {11, 1}, {2, 2}, {8, 3}, {2, 3}},
     {{8, 0}, {11, 0}, {8, 2}, {2, 0}, {11, 1}, {11, 2}, {8, 3}, {2, 1}}},
    {{{7, 0}, {7, 0}, {7, 0}, {7, 0}, {7, 0}, {7, 0}, {7, 0}, {7, 0}},
     {{7, 0}, {7, 0}, {7, 0}, {7, 0}, {7, 0}, {7, 0}, {7, 0}, {7, 0}},
     {{7, 0}, {7, 0}, {7, 0}, {7, 0}, {7, 0}, {7, 0}, {7, 0}, {7, 0}},
     {{7, 0}, {7, 0}, {7, 0}, {7, 0}, {7, 0}, {7, 0}, {7, 0}, {7, 0}},
     {{7, 0}, {7, 0}, {7, 0}, {7, 0}, {7, 0}, {7, 0}, {7, 0}, {7, 0}}},
    {{{15, 1}, {19, 0}, {19, 0}, {19, 0}, {19, 0}, {19, 0}, {19, 0}, {19, 0}},
     {{12, 0}, {5, 1}, {5, 0}, {12, 3}, {14, 2}, {5, 2}, {14, 3}, {5, 3}},
     {{0, 0}, {6, 1}, {0, 2}, {1, 2}, {6, 2}, {1, 3}, {6, 0}, {6, 3}},
     {{8, 0}, {2, 3}, {11, 0}, {2, 0}, {8, 0}, {11, 1}, {11, 3}, {2, 3}},
     {{7, 2}, {7, 0}, {7, 0}, {7, 0}, {7, 0}, {7, 0}, {7, 0}, {7, 0}}},
    {{{16, 0}, {16, 1}, {16, 2}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}},
     {{9, 0}, {9, 1}, {9, 2}, {9, 3}, {9, 0}, {9, 2}, {0, 0}, {0, 0}},
     {{2, 3}, {2, 2}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}},
     {{5, 2}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}},
     {{0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}},
};
const signed char* CareerOpponentPair(int cup, int race, int car) { return kCareerOpponentTable[cup][race][car]; }

// The career screen's picture item of cups 0-4, and of cup 5.  Each is seen
// through a level map that shows the races won: raw graphic 39 + the main
// races won for cups 0-4, 58 + the races won for cup 5.
static const int kCupPictureItems[5] = {36, 37, 39, 38, 40};
enum { CUP5_PICTURE_ITEM = 159 };

static void SetSlotNumber(int slot, const char* format, int value) {
    char text[24];
    const int length = std::snprintf(text, sizeof text, format, value);
    SetSlotText(slot, text);
    SetTextLength(slot, length);
}

// The cup panel's prize text of a race, followed by what the race costs to
// enter: "500* / 200*".
static void ShowPrizeAndFee(int cup, int race) {
    const CupRow& row = CareerRecord.cups[cup];
    char text[32];
    const int length = std::snprintf(text, sizeof text, "%d* / %d*", row.prize[race], row.fee[race]);
    SetSlotText(688 + 5 * cup + race, text);
    SetTextLength(688 + 5 * cup + race, length);
}

static int MainRacesWon(int cup) {
    int won = 0;
    for (int race = 0; race < 4; race++)
        won += CareerRecord.cups[cup].won[race] != 0;
    return won;
}

// A new career starts from the built-in garage too: the cars of the career
// it replaces are not its own.
void ResetCareer() {
    RestoreProgressDefaults();
    CareerOwner[0] = 0;
    CareerRecord.unlockLevel = 0;
    CareerRecord.money = 400.0f;
    TargetMoney = 400;
    CareerRecord.musicNumber = 1;
    CareerRecord.championshipStage = 0;
    CareerRecord.racesWon = 0;
    CareerRecord.event31Seconds = 22;
    static const float attributes[6] = {55, 95, 100, 110, 126, 72};
    std::memcpy(CareerRecord.carAttributes, attributes, sizeof attributes);
    SpecialRaceUnlocked = 0;
    CareerRecord.specialRace = 0;
    for (int cup = 0; cup < 7; cup++) {
        CupRow& row = CareerRecord.cups[cup];
        const CareerTableRow& table = kCareerTables[cup];
        for (int race = 0; race < 5; race++) {
            row.prize[race] = table.prize[race];
            row.fee[race] = table.fee[race];
            row.group[race] = (uint8_t)(table.code[race] / 10);
            row.variant[race] = (uint8_t)(table.code[race] % 10);
            row.laps[race] = (uint8_t)table.laps[race];
            row.cars[race] = (uint8_t)table.cars[race];
            row.cleared[race] = 0;
            row.won[race] = 0;
            for (int car = 0; car < 8; car++) {
                row.opponentModel[race][car] = (uint8_t)kCareerOpponentTable[cup][race][car][0];
                row.opponentColour[race][car] = (uint8_t)kCareerOpponentTable[cup][race][car][1];
            }
            ShowPrizeAndFee(cup, race);
        }
    }
    for (int item : kCupPictureItems)
        ItemAt(3, item).levelMap = 39;
    for (int& flag : UnlockFlags)
        flag = 0;
    PackProgress();
    ShowCupProgress();
}

void ShowMoney() { SetSlotNumber(651, "%d", (int)CareerRecord.money); }

void AnimateMoney() {
    float money = CareerRecord.money;
    if ((float)TargetMoney == money)
        return;
    const int ticks = LastFrameTicks > 1 ? (int)LastFrameTicks : 1;
    for (int tick = 0; tick < ticks; tick++) {
        const float step = ((float)TargetMoney - money) / 10.0f;
        money += step;
        if (std::fabs(step) <= 0.5f)
            PlayPointsSound(1);
    }
    if (std::fabs(money - (float)TargetMoney) < 1.0f)
        money = (float)TargetMoney;
    CareerRecord.money = money;
    ShowMoney();
}

void ShowCupProgress() {
    for (int cup = 0; cup < 5; cup++)
        ItemAt(3, kCupPictureItems[cup]).levelMap = (int16_t)(39 + MainRacesWon(cup));
    int cup5Won = 0;
    for (int race = 0; race < 5; race++)
        cup5Won += CareerRecord.cups[5].won[race] != 0;
    ItemAt(3, CUP5_PICTURE_ITEM).levelMap = (int16_t)(58 + cup5Won);
    for (int cup = 0; cup < 7; cup++) {
        // Cups 5 and 6 stand the other way round on the career screen.
        const int shown = cup == 5 ? 6 : cup == 6 ? 5 : cup;
        for (int race = 0; race < 5; race++) {
            GetText(CareerRecord.cups[cup].won[race] ? 160 : 161);
            SetSlotText(653 + 5 * shown + race, TextBufferB);
            SetTextLength(653 + 5 * shown + race, (int)std::strlen(TextBufferB));
        }
    }
}

int AddMoney(int money, int amount) {
    if (amount < 0)
        amount = 0;
    return money > MONEY_LIMIT - amount ? (int)MONEY_LIMIT : money + amount;
}

void AddBonusMoney() {
    TargetMoney = AddMoney(TargetMoney, 5000);
    PlayPointsSound(0);
}

// The display is made again on the way back to the menus, with the video
// played in between.
void RequestVideo(int video) {
    VideoRequest = video;
    ForceDisplayRecreate = 1;
}

// The first win of a race pays its prize and counts; a race already won
// pays nothing and shows nothing.
static void AwardFirstWin() {
    const int race = CurrentCupRace >= 0 && CurrentCupRace < 5 ? CurrentCupRace : 4;
    if (Cup5Mode)
        CurrentCup = 5;
    if (Cup6Mode) {
        CurrentCup = 6;
        if (!CareerRecord.cups[6].won[race])
            RequestVideo(3);
    }
    if (CurrentCup < 0 || CurrentCup >= 7)
        return;
    CupRow& row = CareerRecord.cups[CurrentCup];
    if (row.won[race])
        return;
    int award = 0;
    if (Cup5Mode == 1) {
        row.won[race] = 1;
        ShowPopup(3, 1, 5, CountCup5Wins());
        CareerRecord.racesWon++;
        if (SpecialRaceUnlocked)
            CareerRecord.specialRace = 1;
        award = 1;
    } else if (Cup6Mode) {
        row.won[race] = 1;
        ShowPopup(3, 1, 6, race);
        CareerRecord.racesWon++;
        award = 1;
    } else if (SingleRaceMode == 1) {
        ShowPopup(2, 1, 0, 0);
    } else if (SpecialRaceMode == 1) {
        PendingScreen = 4;
    } else {
        row.won[race] = 1;
        ShowPopup(3, 1, CurrentCup, race);
        CareerRecord.racesWon++;
        award = 1;
        if (race < 4 && CurrentCup < 5 && AllMainRacesWon())
            RequestVideo(2);   // the ending
    }
    if (award) {
        PendingPrize = AddMoney(PendingPrize, row.prize[race]);
    }
}

void AwardRaceWin() {
    SaveSettings();
    if (CareerWinMarker >= 1 && ReplayWatched == 0) {
        AwardFirstWin();
        if (CurrentCup >= 0 && CurrentCup < 5)
            ItemAt(3, kCupPictureItems[CurrentCup]).levelMap = (int16_t)(39 + MainRacesWon(CurrentCup));
    }
    CareerWinMarker = 0;
    RaceOver = 0;
    ShowCupProgress();
}

// The selected slot of the load list (ListSelection[1]) into the career
// record, when its file passes the checks (1); the money, the career
// screen and the special race follow the loaded record.
int LoadCareerSlot() {
    if (!ReadCareerSlot(ListSelection[1] + 1, &CareerRecord))
        return 0;
    snprintf(CareerOwner, sizeof CareerOwner, "%s", CurrentPlayerName);
    TargetMoney = (int)CareerRecord.money;
    ShowMoney();
    for (int cup = 0; cup < 7; cup++)
        for (int race = 0; race < 5; race++)
            ShowPrizeAndFee(cup, race);
    ShowCupProgress();
    UnpackProgress();
    CountUnlockLevels();
    LoadRecords();
    SpecialRaceUnlocked = CareerRecord.specialRace;
    if (!SpecialRaceUnlocked)
        ItemAt(3, 164).flags &= ~MENU_SLIDE_IN;   // the special-race button stays out
    return 1;
}

int CareerOfPlayer() { return CareerOwner[0] && strcmp(CareerOwner, CurrentPlayerName) == 0; }

// The fees are those of the cup's own row; the money is what the player
// has (TargetMoney), not the amount the display is still counting.
void ShowCupRaceButtons(int cup) {
    if (cup < 0 || cup >= 7)
        return;
    const CupRow& row = CareerRecord.cups[cup];
    for (int race = 0; race < 5; race++) {
        MenuItem& marker = ItemAt(3, 149 + race);
        if (row.won[race])
            marker.flags |= MENU_SHOWN;
        else
            marker.flags &= ~MENU_SHOWN;
        const int16_t y = (int16_t)((cup == 5 ? 58 : 69) + 24 * race);
        marker.y = marker.targetY = y;
        marker.homeY = y;
        MenuItem& button = ItemAt(3, 71 + race);
        if (row.fee[race] <= TargetMoney)
            button.flags |= MENU_HOVER_TEST;
        else
            button.flags &= ~MENU_HOVER_TEST;
    }
}
