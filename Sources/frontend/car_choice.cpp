#include "frontend/car_choice.h"

#include <cstdio>

#include "frame/frame_state.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_actions.h"
#include "frontend/menu_items.h"
#include "net/net_state.h"
#include "race/messages.h"
#include "race/race_state.h"
#include "race/race_switches.h"
#include "sound/music.h"

enum { MONEY_LIMIT = 99999999 };

// The cup row the race on screen 5 comes from: cup 5's and cup 6's races
// play with their own rows.
static int RaceCupRow() {
    if (Cup5Mode)
        return 5;
    if (Cup6Mode)
        return 6;
    return CurrentCup >= 0 && CurrentCup < 7 ? CurrentCup : 0;
}

// The career cup set-up of the race: the grid, laps, cars and fee of the
// race in its cup row, with the car on show as car 0.
static void CupRaceSetup() {
    if (Cup6Mode)
        CurrentCup = 6;
    const int race = CurrentCupRace >= 0 && CurrentCupRace < 5 ? CurrentCupRace : 4;
    const CupRow& row = CareerRecord.cups[RaceCupRow()];
    int colour = ShowroomColour;
    for (int car = 0; car < 8; car++) {
        CarModel[car] = row.opponentModel[race][car];
        CarColour[car] = row.opponentColour[race][car];
        if (Cup6Mode && car > 0) {
            // Cup 6 races the player's model in every other colour.
            colour = colour + 1 >= 4 ? 0 : colour + 1;
            CarColour[car] = colour;
        }
    }
    RaceEntryFee = row.fee[race];
    CarModel[0] = ShowroomModel;
    CarColour[0] = ShowroomColour;
    LapsToRun = row.laps[race];
    CarCount = row.cars[race] > MAX_CARS ? (int)MAX_CARS : (int)row.cars[race];
}

// A career race (not a single race, replay or other mode) pays its fee
// once, when it is requested; the money never goes below 0.
static void ChargeEntryFee() {
    if (!CareerChosen || SingleRaceMode || ChampionshipRunning || SplitScreen || NetworkGame)
        return;
    const int fee = RaceEntryFee < 0 ? 0 : RaceEntryFee > MONEY_LIMIT ? MONEY_LIMIT : RaceEntryFee;
    TargetMoney = TargetMoney > fee ? TargetMoney - fee : 0;
}

// Screen 5's start button without split screen or network play: the race
// of the choices made is set up and requested, unless its track cannot be
// loaded.
static int CarChoiceRaceStart() {
    const int code = NextRaceGroup() * 10 + NextRaceVariant();
    const int race = CurrentCupRace >= 0 && CurrentCupRace < 5 ? CurrentCupRace : 4;
    const int cars = CareerRecord.cups[RaceCupRow()].cars[race];
    if ((!ChampionshipRunning && !TrackFolderHolds(code)) || cars == 0) {
        char line[64];
        std::snprintf(line, sizeof line, "No race %d with its cars in the game folder", code);
        ConsoleAddLine(line);
        PlayErrorSound();
        return 1;
    }
    CupRaceSetup();
    ChargeEntryFee();
    StartRaceRequest = 1;
    ShowPageRoot(SingleRaceMode ? 2 : ChampionshipRunning ? 5 : 3);
    return 1;
}

int CarChoiceAction(int* screen, int item, void*) {
    RaceFromReplay = 0;
    if (item == 41 && NetworkGame)
        return NetworkRaceStart(screen);
    // The heats of split screen play are not built yet.
    if (item == 41 && !SplitScreen)
        return CarChoiceRaceStart();
    return 0;
}

// Not built yet: the car shop.
int CarShopAction(int*, int, void*) { return 0; }
