// Menu actions of the main menu, the single race, the career, the player
// set-up and the championship screens.
#include <cstdio>

#include "frame/frame_state.h"
#include "frontend/career.h"
#include "frontend/championship.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_actions.h"
#include "frontend/menu_items.h"
#include "frontend/menu_panels.h"
#include "frontend/popups.h"
#include "frontend/profiles.h"
#include "frontend/progress.h"
#include "frontend/replay_header.h"
#include "frontend/screen_setup.h"
#include "menulayout/menulayout_state.h"
#include "race/race_state.h"
#include "sound/music.h"

static void Notice() { ShowTimedNotice(1); }

// The car choice's items that belong to the career: the money stands on
// frame 20, which goes with it, and the price of the car on frame 86, in
// place of the price row of the car panel.
static void CareerCarChoiceItems(int show) {
    static const int items[9] = {3, 19, 20, 25, 43, 79, 84, 85, 86};
    for (int item : items) {
        if (show)
            ShowItem(5, item);
        else
            HideItem(5, item);
    }
    for (int item : {48, 50}) {
        if (show)
            HideItem(5, item);
        else
            ShowItem(5, item);
    }
}

// The profile screen's moving picture: the first of a mode's board.
static void ProfilePicture(int first, int frames, int current) {
    MenuItem& picture = ItemAt(18, 4);
    picture.firstPicture = (int16_t)first;
    picture.extraFrames = (int8_t)frames;
    picture.currentPicture = (int16_t)current;
}

// PLAY's modes: single race, career or championship (never the network's).
static void ChooseGameMode(int single, int career, int championship) {
    SingleRaceMode = single;
    CareerChosen = career;
    ChampionshipChosen = championship;
    NetworkChosen = 0;
    ItemAt(5, 42).textSlot = 49;
    CareerCarChoiceItems(career);
    ProfilePicture(351, 49, 351);
}

// The link of an item that shows a page root is pointed at another
// screen's root.
static void LeadToScreen(int screen, int item, int target) {
    for (int32_t& link : ItemAt(screen, item).links) {
        const int to = link >> LINK_SCREEN_SHIFT;
        if (link >= 0 && to != LINK_GROUP_SCREEN && (link & LINK_ITEM_MASK) == 0)
            link = MakeLink(target, 0);
    }
}

int MainMenuAction(int*, int item) {
    switch (item) {
    case 40: case 41: case 47: case 48: case 50: case 62: case 65: Notice(); break;
    }
    switch (item) {
    case 18:
        PlayClickSound();
        PlayScrollSound(1, 1);
        ItemAt(0, 56).flags ^= MENU_SLIDE_IN;
        FreezeItems(0, 13, 18);
        FreezeItems(0, 40, 41);
        FreezeItem(0, 62);
        ShowItem(0, 36);
        ShowItem(0, 37);
        break;
    case 58:
        PlayClickSound();
        ExitRequested = 1;   // the quit request: the frame loop closes the window
        break;
    case 59:
        PlayClickSound();
        PlayScrollSound(1, 1);
        ThawItems(0, 13, 18);
        ThawItems(0, 40, 41);
        ItemAt(0, 56).flags ^= MENU_SLIDE_IN;
        HideItem(0, 36);
        HideItem(0, 37);
        ShowItem(0, 12);
        ShowItem(0, 18);
        ThawItem(0, 62);
        ThawItem(0, 65);
        break;
    case 52:
        PlayClickSound();
        HideItems(0, 51, 53);
        HideItem(0, 60);
        GiveBackPopupFreeze(0);
        ThawItems(0, 13, 18);
        ThawItems(0, 40, 41);
        break;
    case 38:
        ChooseGameMode(1, 0, 0);
        ItemAt(18, 13).links[0] = MakeLink(2, 0);
        break;
    case 39:
        ChooseGameMode(0, 1, 0);
        ItemAt(18, 13).links[0] = MakeLink(3, 0);
        // A career is a profile's: with none logged in, the profile screen
        // comes first, and its OK then opens the career.
        LeadToScreen(0, 39, ProfileLoggedIn() ? 3 : 18);
        break;
    case 49:
        ChooseGameMode(0, 0, 1);
        break;
    case 41:
        ChampionshipChosen = CareerChosen = SingleRaceMode = 0;
        ItemAt(5, 42).textSlot = 49;
        CareerCarChoiceItems(0);
        break;
    case 13: ProfilePicture(351, 49, ItemAt(0, 4).firstPicture); break;
    case 14: ProfilePicture(401, 49, ItemAt(0, 4).firstPicture); break;
    }
    return 0;
}

int SingleRaceAction(int*, int item) {
    if (item >= 15 && item <= 21) {
        CurrentCup = item - 15;
        NextRaceGroup() = (int8_t)CareerRecord.cups[CurrentCup].group[4];
        NextRaceVariant() = (int8_t)CareerRecord.cups[CurrentCup].variant[4];
        TrackCode = CareerTrackCode(CurrentCup, 4);
        CurrentCupRace = 4;
        if (item >= 17 && item <= 19) {
            PlayClickSound();
            HideItem(2, 32);
            HideItem(2, 33);
            ShowItem(2, 10);
            ShowItem(2, 16);
            ItemAt(2, 23).flags &= ~MENU_SLIDE_IN;
            PlayDemoReplay(item);
            return 1;
        }
    }
    if (item == 47) {
        HideItems(2, 46, 48);
        HideItem(2, 52);
        GiveBackPopupFreeze(2);
        ThawItems(2, 14, 19);
        ThawItems(2, 24, 30);
        PlayClickSound();
    }
    return 0;
}

// The cup of the unlock races' track groups, and the car tab of a cup.
static int CupOfTrackGroup(int group) {
    static const signed char cups[8] = {0, 2, 2, 2, 4, 0, 1, 3};
    return group >= 0 && group < 8 ? cups[group] : 0;
}
int CategoryOfCup(int cup) {
    static const signed char categories[7] = {1, 2, 0, 4, 3, -1, -1};
    return cup >= 0 && cup < 7 ? categories[cup] : -1;
}

// A career race costs its entry fee: with less money than that it is
// refused, and the pop-up says so.
static int CanPayFee(int cup, int race) {
    if (CareerRecord.cups[cup].fee[race] <= TargetMoney)
        return 1;
    ShowPopup(3, 7, 0, 0);
    PlayErrorSound();
    return 0;
}

static void TakeCareerRace(int cup, int race) {
    const CupRow& row = CareerRecord.cups[cup];
    NextRaceGroup() = (int8_t)row.group[race];
    NextRaceVariant() = (int8_t)row.variant[race];
    TrackCode = CareerTrackCode(cup, race);
}

// Closing the career's message panel: its pop-up's frozen buttons thaw.
static void CloseCareerPanel() {
    HideItem(3, 46);
    HideItem(3, 47);
    HideItem(3, 48);
    HideItem(3, 163);
}

static void LeaveCareerPanel() {
    PlayClickSound();
    HideItem(3, 46);
    HideItem(3, 157);
    HideItem(3, 158);
    HideItem(3, 48);
    ItemAt(3, 48).textSlot = 1009;
    HideItem(3, 163);
    GiveBackPopupFreeze(3);
    ThawItems(3, 11, 21);
    ThawItems(3, 24, 30);
    ThawItem(3, 156);
}

// The cup list on the career screen: rows 24 to 28 are cups 0 to 4, row 29
// the unlock races (cup row 6), row 30 the bonus races (cup row 5).  The
// row's links show the cup's panel and slide its frame (item 52) in; the
// panel shown before goes first.  While a panel is up the rows under it
// take no click, so a click on one of its races reaches the race.
static int ChooseCareerCup(int item) {
    if (ItemAt(3, 52).flags & MENU_SLIDE_IN)
        return 1;
    HideItems(3, 53, 148);
    if (item <= 28) {
        CurrentCup = item - 24;
        ShowCareerCar();
    }
    PlayClickSound();
    return 0;
}

// A cup panel (or the bonus races' panel) lies over LOAD, SAVE, BACK and the
// cup list: while one is up they take no click, and when it has gone they
// take clicks again (once no message stands over the screen, whose OK gives
// them back itself).  Run every frame of the career screen.
void CoverCareerButtons() {
    static int covered;
    const int up = (ItemAt(3, 52).flags & MENU_SLIDE_IN) || ItemShown(3, 53) || ItemShown(3, 145);
    if (up) {
        FreezeItems(3, 12, 14);
        FreezeItems(3, 24, 30);
        covered = 1;
    } else if (covered && !ItemShown(3, 46)) {
        ThawItems(3, 12, 14);
        ThawItems(3, 24, 30);
        covered = 0;
    }
}

// The cup whose panel is up, by its title (items 54 to 58 name cups 0 to
// 4); -1 when none is.  The panel stays up across races and other screens,
// where `CurrentCup` may change (the single race screen's groups, an award
// of cup 5 or 6), so its races take their cup from the panel.
static int CupOfShownPanel() {
    for (int cup = 0; cup < 5; cup++) {
        if (ItemShown(3, 54 + cup))
            return cup;
    }
    return -1;
}

int CareerAction(int* screen, int item) {
    ShowItem(3, 162);
    if (!SingleRaceMode) {
        ShowItem(5, 84);
        ShowItem(5, 85);
        ShowItem(5, 86);
    }
    if (item != 156)
        ShopFromCareer = 0;
    if (item == 14) {
        PlayClickSound();
        ShowPopup(3, 3, 0, 0);
    }
    if ((item == 12 || item == 13) && !ProfileLoggedIn()) {
        // The slots are a profile's: with none logged in there are none to
        // list or to write, and the pop-up says how to log in.
        ShowPopup(3, CAREER_NO_PROFILE, 0, 0);
        PlayErrorSound();
        return 1;
    }
    if (item == 12 || item == 13 || (item >= 15 && item <= 21))
        Notice();
    if (item >= 24 && item <= 30 && ChooseCareerCup(item))
        return 1;
    if (item >= 71 && item <= 74) {
        const int race = item - 71;
        const int shown = CupOfShownPanel();
        if (shown >= 0)
            CurrentCup = shown;
        const int cup = CurrentCup >= 0 && CurrentCup < 7 ? CurrentCup : 0;
        TakeCareerRace(cup, race);
        CurrentCupRace = race;
        if (!DeveloperSwitch && race > 0 && !CareerRecord.cups[cup].won[race - 1]) {
            ShowPopup(3, 2, 0, 0);
            PlayErrorSound();
            return 1;
        }
        if (!CanPayFee(cup, race))
            return 1;
        ShowItem(5, 79);
    }
    if (item >= 105 && item <= 109) {
        const int cup = item - 105;
        CurrentCupRace = cup;
        ShowItem(5, 84);
        ShowItem(5, 85);
        ShowItem(5, 86);
        const uint8_t* won = CareerRecord.cups[cup].won;
        const int sum = DeveloperSwitch ? 4 : won[0] + won[1] + won[2] + won[3];
        if (sum != 4) {
            PlayErrorSound();
            return 1;
        }
        if (!CanPayFee(5, cup))
            return 1;
        CurrentCup = cup;
        TakeCareerRace(5, cup);
        Cup5Mode = 1;
        ShowItem(5, 79);
    }
    if (item >= 95 && item <= 98) {
        const int race = item - 95;
        HideItem(5, 79);
        HideItem(5, 84);
        HideItem(5, 85);
        HideItem(5, 86);
        CountUnlockLevels();
        if (!DeveloperSwitch && !UnlockFlags[race]) {
            ShowPopup(3, 9, 0, 0);
            PlayErrorSound();
            return 1;
        }
        if (!CanPayFee(6, race))
            return 1;
        TakeCareerRace(6, race);
        CurrentCupRace = race;
        CurrentCup = CupOfTrackGroup(CareerRecord.cups[6].group[race]);
        ShowCategoryTabs(5, CategoryOfCup(CurrentCup));
        Cup6Mode = 3;
        const int model = CareerRecord.cups[6].variant[race] == 5 ? 8 : 5;
        for (int k = 0; k < 3; k++)
            GarageLists[8][k][0] = model;
    }
    if (item == 156) {
        ShopFromCareer = 1;
        Notice();
    }
    if (item == 47) {
        CloseCareerPanel();
        if (NewUnlockNotice) {
            PlayClickSound();
            FreezeItems(3, 15, 21);
            FreezeItems(3, 24, 30);
            ShowPopup(3, 6, 0, 0);
        } else {
            GiveBackPopupFreeze(3);
            ThawItems(3, 11, 14);
            ThawItem(3, 156);
            PlayClickSound();
            TargetMoney = AddMoney(TargetMoney, PendingPrize);
            if (PendingPrize)
                PlayPointsSound(0);
            PendingPrize = 0;
            ThawItems(3, 15, 21);
            ThawItems(3, 24, 30);
            if (SpecialRaceUnlocked) {
                ShowSpecialRaceButton();
                ThawItem(3, 164);
                ThawItem(3, 165);
            }
        }
    }
    if (item == 157) {
        CareerScreenPrepared = 0;
        LeaveCareerPanel();
        GoToScreen(screen, 0);
        return 1;
    }
    if (item == 158)
        LeaveCareerPanel();
    return 0;
}

// The number of computer players in slot 118: "Off" or "%d  ".
static void ShowComputerPlayers() {
    char text[16];
    if (ComputerPlayers > 0)
        snprintf(text, sizeof text, "%d  ", ComputerPlayers);
    else
        snprintf(text, sizeof text, "Off");
    SetSlotText(118, text);
}

int PlayerSetUpAction(int* screen, int item) {
    switch (item) {
    case 13:
        PlayClickSound();
        HideItems(12, 40, 42);
        HideItem(12, 55);
        HideItem(12, 56);
        ChampionshipListVisited = 0;
        GoToScreen(screen, 0);
        return 1;
    case 15:
        ComputerPlayers = OpponentsChoice - 1;
        if (ComputerPlayers < 0)
            ComputerPlayers = 6;
        ShowComputerPlayers();
        OpponentsChoice = ComputerPlayers;
        HumanPlayers = 8 - ComputerPlayers;
        PlayClickSound();
        break;
    case 16:
        if (ComputerPlayers > 0)
            ComputerPlayers--;
        else
            ComputerPlayers = OpponentsChoice;
        ShowComputerPlayers();
        PlayClickSound();
        break;
    }
    return 0;
}

int ChampionshipAction(int* screen, int item) {
    if (ChampionshipChoiceAction(screen, item))
        return 1;
    if (item >= 7 && item <= 9)
        Notice();
    if (item == 16) {
        GiveBackPopupFreeze(22);
        ThawItems(22, 7, 9);
        ThawItems(22, 11, 14);
        HideItems(22, 15, 18);
    }
    return 0;
}
