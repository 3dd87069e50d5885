#include "frontend/car_choice.h"

#include <cstdio>

#include "frame/frame_state.h"
#include "frame/sim_lock.h"
#include "frontend/car_shop.h"
#include "frontend/career.h"
#include "frontend/championship.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_actions.h"
#include "frontend/menu_items.h"
#include "frontend/popups.h"
#include "frontend/screen_setup.h"
#include "frontend/settings.h"
#include "frontend/text_entry.h"
#include "frontend/text_slots.h"
#include "net/net_state.h"
#include "race/messages.h"
#include "race/race_state.h"
#include "race/race_switches.h"
#include "render/render_state.h"
#include "sound/music.h"

int NetworkLeaveAsked;

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
    int colour = ChosenColour;
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
    CarModel[0] = ChosenModel;
    CarColour[0] = ChosenColour;
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

// The screen whose root the menus show when they come back from the race.
static int ReturnScreen() {
    if (SplitScreen || ChampionshipRunning)
        return 5;
    return SingleRaceMode ? 2 : 3;
}

// The menus change to the screen they come back to after the race: with
// its root only marked, they would come back on the car choice with no
// page to show.
static void RequestRace(int* screen) {
    StartRaceRequest = 1;
    TriangleTotal = 0;
    GoToScreen(screen, ReturnScreen());
}

// A race that cannot start says why on the screen, not on the console
// alone: no track chosen yet (a group 0), or no such race in the folder.
static void RefuseRace(int code) {
    char line[64];
    std::snprintf(line, sizeof line, "No race %d with its cars in the game folder", code);
    ConsoleAddLine(line);
    ShowPopup(5, 2, code / 10 == 0 ? REFUSED_NO_TRACK : REFUSED_NOT_IN_FOLDER, 0);
    PlayErrorSound();
}

// Screen 5's start button without split screen or network play: the race
// of the choices made is set up and requested, unless its track cannot be
// loaded.
static void CarChoiceRaceStart(int* screen) {
    const int code = NextRaceGroup() * 10 + NextRaceVariant();
    const int race = CurrentCupRace >= 0 && CurrentCupRace < 5 ? CurrentCupRace : 4;
    const int cars = CareerRecord.cups[RaceCupRow()].cars[race];
    if ((!ChampionshipRunning && !TrackFolderHolds(code)) || cars == 0) {
        RefuseRace(code);
        return;
    }
    {
        SimLockGuard lock;   // the showroom scene reads the cars on the tick
        CupRaceSetup();
    }
    ChargeEntryFee();
    RequestRace(screen);
}

// The car count of a split screen race: one car on the jump tracks, the
// career's count on the event tracks, else the humans' two and the
// computer players.
static int SplitScreenCarCount(int group, int variant) {
    int cars = ComputerPlayers + 2;
    if (group == 4)
        cars = 1;
    else if (group == 5 && variant >= 0 && variant < 5)
        cars = CareerRecord.cups[0].cars[variant];
    return cars < 1 ? 1 : cars > MAX_CARS ? (int)MAX_CARS : cars;
}

// The last human player has chosen: the cars the players chose, the first
// race of the chosen championship row, and the cup's grid behind them.
static void SplitScreenRaceSetup(int code) {
    NextRaceGroup() = (int8_t)(code / 10);
    NextRaceVariant() = (int8_t)(code % 10);
    TrackCode = code;
    LapsToRun = 1;
    CurrentCupRace = 4;
    CarCount = SplitScreenCarCount(code / 10, code % 10);
    const int cup = CurrentCup >= 0 && CurrentCup < 7 ? CurrentCup : 0;
    for (int car = 0; car < 8; car++) {
        const signed char* pair = car < 2 ? PlayerCars[car] : CareerOpponentPair(cup, 4, car);
        CarModel[car] = pair[0];
        CarColour[car] = pair[1];
    }
}

// The gearbox pictures of the player now choosing.
static void ShowGearbox(int player) {
    if (ManualGearbox[player] == 1) {
        HideItem(5, 82);
        ShowItem(5, 83);
    } else {
        ShowItem(5, 82);
        HideItem(5, 83);
    }
}

// In split screen each human player confirms a car in turn; the race is
// requested when the last one has.
static void SplitScreenConfirm(int* screen) {
    const int last = HumanPlayers < 1 ? 0 : HumanPlayers > 8 ? 7 : HumanPlayers - 1;
    const int player = PlayerBeingSet < 0 ? 0 : PlayerBeingSet > last ? last : PlayerBeingSet;
    PlayerCars[player][0] = (signed char)ChosenModel;
    PlayerCars[player][1] = (signed char)ChosenColour;
    if (player == last) {
        const int code = ChampionshipTrackCode(ListSelection[3] + ChampionshipGroupOffset, 0);
        if (!TrackFolderHolds(code)) {
            RefuseRace(code);
            return;
        }
        {
            SimLockGuard lock;
            SplitScreenRaceSetup(code);
        }
        PlayerBeingSet = 0;   // the next race's choices start again with player 1
        RequestRace(screen);
        return;
    }
    PlayerBeingSet = player + 1;
    PendingScreen = 5;
    PlayClickSound();
    ShowGearbox(PlayerBeingSet);
    GetText(SLOT_PLAYER_NAMES + PlayerBeingSet);
    SetSlotText(253, TextBufferB);
    ShowCategoryTabs(5, CategoryOfCup(CurrentCup));
}

void ShowGearboxSwitch() {
    const int shopUp = ItemShown(5, 85);
    for (int item : {80, 81}) {
        if (shopUp)
            HideItem(5, item);
        else
            ShowItem(5, item);
    }
}

// Item 81: the gearbox of the player choosing, saved with the settings.
static void ToggleGearbox() {
    const int player = SplitScreen && PlayerBeingSet > 0 && PlayerBeingSet < 8 ? PlayerBeingSet : 0;
    ManualGearbox[player] = ManualGearbox[player] == 1 ? 0 : 1;
    SettingsImage.manualGearbox[player] = (int8_t)ManualGearbox[player];
    SaveSettings();
    ShowGearbox(player);
}

// Item 89 closes the message panel, and item 72 the panel of a refused
// race start.
static void CloseMessagePanel() {
    GiveBackPopupFreeze(5);
    static const int buttons[5] = {27, 28, 41, 42, 81};
    for (int item : buttons)
        ThawItem(5, item);
    static const int panel[5] = {69, 71, 72, 89, 92};
    for (int item : panel)
        HideItem(5, item);
    PopupOpenFlag = 1;
}

// Item 42 leads back to the screen of the mode; a network player is asked
// first whether to leave the game.
static void LeaveCarChoice() {
    if (CareerChosen)
        PendingScreen = 3;
    else if (ChampionshipChosen)
        PendingScreen = 22;
    else if (SingleRaceMode)
        PendingScreen = 2;
    else if (NetworkChosen) {
        NetworkLeaveAsked = 1;
        ShowPopup(5, 6, 0, 0);
    }
}

int CarChoiceAction(int* screen, int item, void* device) {
    RaceFromReplay = 0;
    switch (item) {
    case 41:
        ChosenModel = ShowroomModel;
        ChosenColour = ShowroomColour;
        if (NetworkGame)
            return NetworkRaceStart(screen);
        if (SplitScreen)
            SplitScreenConfirm(screen);
        else
            CarChoiceRaceStart(screen);
        return 1;
    case 27: StepShowroomCar(5, 1, device); return 0;
    case 28: StepShowroomCar(5, -1, device); return 0;
    case 81: ToggleGearbox(); return 1;
    case 72:
        // The refused start's OK: the car on show comes back with the screen.
        CloseMessagePanel();
        PopupOpenFlag = 0;
        return 1;
    case 89: CloseMessagePanel(); return 1;
    case 42: LeaveCarChoice(); return 1;
    case 85: ShopFromCarChoice = 1; return 0;
    default: return 0;
    }
}
