// Menu actions of the network screens: the session list, hosting, the
// championship list and the lobby.
#include <cstdio>

#include "frame/frame_state.h"
#include "frame/sim_lock.h"
#include "frontend/championship.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_actions.h"
#include "frontend/menu_items.h"
#include "frontend/menu_panels.h"
#include "frontend/popups.h"
#include "frontend/screen_setup.h"
#include "frontend/text_slots.h"
#include "net/net_messages.h"
#include "net/net_state.h"
#include "net/net_wire.h"
#include "net/session.h"
#include "race/race_state.h"
#include "sound/music.h"

int SessionsAction(int* screen, int item) {
    if (item == 12) {
        if (JoinSession(ListSelection[6], CurrentPlayerName)) {
            StartReceiveThread();
            Joined = 1;
            GoToScreen(screen, 11);
            return 1;
        }
        const int status = GetNetStatus();
        if (status == NETSTATUS_NOT_OPEN)
            RefreshPopups(2);
        else if (status == NETSTATUS_ACCESS_DENIED)
            RefreshPopups(3);
    }
    if (item == 33) {
        HideItems(9, 32, 35);
        GiveBackPopupFreeze(9);
        ThawItems(9, 12, 14);
        ThawItems(9, 16, 23);
        ThawItem(9, 25);
        NetworkLostPopup = 0;
        GoToScreen(screen, 0);
        return 1;
    }
    return 0;
}

// Hosting: the players chosen (items 17, 18, 19), the championship and the
// player's name make the session.
static int HostChampionshipSession(int* screen) {
    int players = 1;
    for (int k = 0; k < 3; k++) {
        if (ItemShown(10, 17 + k)) {
            players = k + 1;
            break;
        }
    }
    char count[4];
    snprintf(count, sizeof count, "%d", players);
    SetSlotText(313, count);
    const int user[3] = {ListSelection[7], players, ChampionshipGroupOffset};
    GetText(784 + ChampionshipGroupOffset + 2 * ListSelection[7]);
    char name[80];
    snprintf(name, sizeof name, "%.40s\t%.24s", TextBufferB, CurrentPlayerName);
    if (HostSession(name, CurrentPlayerName, user, 8)) {
        StartReceiveThread();
        Hosting = 1;
        GoToScreen(screen, 11);
        return 1;
    }
    const int status = GetNetStatus();
    if (status == NETSTATUS_CREATE_FAILED)
        RefreshPopups(0);
    else if (status == NETSTATUS_NO_PLAYER)
        RefreshPopups(1);
    PlayClickSound();
    return 0;
}

int ChampionshipListAction(int* screen, int item) {
    const int s = *screen;
    if (item == 21 || item == 22) {
        ChampionshipGroupOffset = item == 21 ? 0 : 24;
        FillChampionshipList();   // the other group's names
        RefreshChampionshipInfo();
        ChampionshipLastIndex =
            ChampionshipLastRace(ListSelection[MenuListId >= 0 && MenuListId < MENU_LISTS ? MenuListId : 0] +
                                 ChampionshipGroupOffset);
    }
    if (item == 12 && s == 10)
        return HostChampionshipSession(screen);
    if (item == 12 && s == 17)
        ChampionshipListVisited = 1;
    if (item == 51) {
        HideItems(s, 50, 53);
        GiveBackPopupFreeze(s);
        ThawItems(s, 12, 13);
        ThawItems(s, 17, 19);
        ThawItems(s, 21, 22);
        ThawItems(s, 41, 46);
        GoToScreen(screen, 0);
        return 1;
    }
    return 0;
}

int LobbyAction(int* screen, int item) {
    if (item == 11) {
        KeyboardJumpGate = 0;
        TypedCharCount = 0;
        if (Hosting || Joined) {
            CloseSession();
            Hosting = 0;
            Joined = 0;
        }
    }
    if (item == 10) {
        PlayClickSound();
        KeyboardJumpGate = 0;
        TypedCharCount = 0;
        ShowCategoryTabs(5, CurrentCup);
        SendCommand(1, 1);
        return 1;
    }
    if (item == 44) {
        ThawItems(11, 10, 11);
        GiveBackPopupFreeze(11);
        HideItems(11, 43, 46);
        GoToScreen(screen, 0);
        return 1;
    }
    return 0;
}

// The car shown is this machine's choice: it goes to every machine, and the
// race starts once every player has chosen (the menu frame's one-shot jump
// starts it when some are still choosing).  The race has a car per player.
int NetworkRaceStart(int* screen) {
    RaceFromReplay = 0;
    {
        SimLockGuard lock;   // the showroom scene reads the cars on the tick
        const int players = NetPlayerCount;
        CarCount = players < 1 ? 1 : players > MAX_CARS ? MAX_CARS : players;
        CarModel[0] = ShowroomModel >= 0 && ShowroomModel < NET_CAR_MODELS ? ShowroomModel : 0;
        CarColour[0] = ShowroomColour >= 0 && ShowroomColour < NET_CAR_COLOURS ? ShowroomColour : 0;
    }
    StartRaceRequest = 1;
    SendCarChoice();
    if (WaitingForChoices) {
        ShowPopup(*screen, 0, 0, 0);
        JumpToScreen5Local = 1;
        StartRaceRequest = 0;
    }
    ShowPageRoot(5);
    return 1;
}
