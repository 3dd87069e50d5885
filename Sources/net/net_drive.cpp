#include "net/net_drive.h"

#include <cstdio>

#include "frame/frame_state.h"
#include "frame/sim_lock.h"
#include "frame/window_proc.h"
#include "frontend/car_choice.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_actions.h"
#include "net/net_messages.h"
#include "net/net_state.h"
#include "net/session.h"
#include "platform/plat_system.h"
#include "race/race_state.h"

enum {
    LIST_SETTLE_FRAMES = 30,     // a session listed this long is joined
    LOBBY_SETTLE_FRAMES = 60,    // the last joiner's rows reach every lobby first
    CAR_SETTLE_FRAMES = 30,
    START_WAIT_FRAMES = 60,      // the host's Space, once every machine has loaded
    FINISH_TICKS = 240,          // the cars roll to a stop after the race is over
    HOST_STAY_TICKS = 150,       // the host's states keep coming while the others print
                                 // (before the race's standings at 450 ticks)
    OPEN_WAIT_FRAMES = 300,
};

static int Driving() { return CommandLine.netHost > 0 || CommandLine.netJoin; }

static int settleFrames, chosen, started, raceStarted, printed, overAt = -1;

static void GiveUp(const char* why) {
    fprintf(stderr, "quorvix: network run: %s\n", why);
    fflush(stderr);
    ScriptExitStatus = 1;
    ExitRequested = 1;
}

// Waits the given number of frames on the same step, then says go.
static int Settled(int frames) {
    if (++settleFrames < frames)
        return 0;
    settleFrames = 0;
    return 1;
}

void NetDriveMenus() {
    if (!CommandLine.network)
        return;
    static int opened;
    if (!opened) {
        // Network play from the start: the profile screen, whose login leads
        // to the sessions.
        opened = 1;
        NetworkChosen = 1;
        GoToScreen(&MenuScreen, 18);
        return;
    }
    if (!Driving() || FirstMenuFrame)
        return;
    switch (MenuScreen) {
    case 18:
        snprintf(CurrentPlayerName, sizeof CurrentPlayerName, "%.23s", CommandLine.player ? CommandLine.player : "Player");
        GoToScreen(&MenuScreen, 9);
        settleFrames = 0;
        break;
    case 9:
        if (!NetSessionOpen) {
            if (Settled(OPEN_WAIT_FRAMES)) {
                char why[96];
                if (NetBusyPort)
                    snprintf(why, sizeof why, "network play could not be opened: UDP port %d is busy",
                             NetBusyPort.load());
                else
                    snprintf(why, sizeof why, "network play could not be opened");
                GiveUp(why);
            }
            break;
        }
        if (CommandLine.netHost) {
            GoToScreen(&MenuScreen, 10);
        } else if (NetSessionCount > 0 && Settled(LIST_SETTLE_FRAMES)) {
            ListSelection[6] = 0;
            SessionsAction(&MenuScreen, 12);
        } else if (NetSessionCount == 0 && EmptySessionSearches >= JOIN_SEARCH_ROUNDS) {
            char why[96];
            snprintf(why, sizeof why, "no network session found in %d searches", (int)JOIN_SEARCH_ROUNDS);
            GiveUp(why);
        }
        break;
    case 10:
        if (CommandLine.netHost && !Hosting) {
            ListSelection[7] = 0;
            ChampionshipListAction(&MenuScreen, 12);
        }
        break;
    case 11:
        if (Hosting && !started && NetPlayerCount >= CommandLine.netHost && Settled(LOBBY_SETTLE_FRAMES)) {
            started = 1;
            LobbyAction(&MenuScreen, 10);
        }
        break;
    case 5:
        if (CountdownDone && !chosen && Settled(CAR_SETTLE_FRAMES)) {
            chosen = 1;
            CarChoiceAction(&MenuScreen, 41, nullptr);
        }
        break;
    default:
        break;
    }
}

// Each player's car position on this machine, in player order.
static void PrintPositions(const char* title) {
    printf("%s", title);
    for (int p = 0; p < NetPlayerCount && p < NET_MAX_PLAYERS; p++) {
        const int car = SlotSwap(p);
        printf(" %.1f %.1f", SimPosX[car], SimPosZ[car]);
    }
    printf("\n");
}

static void PrintRaceEnd() {
    SimLockGuard lock;
    const int players = NetPlayerCount;
    const int n = players < CarCount ? players : (int)CarCount;
    printf("race order:");
    for (int r = 0; r < n && r < MAX_CARS; r++)
        printf(" %d", SlotSwap(rank_coche[r]));
    printf("\n");
    PrintPositions("car positions:");
    fflush(stdout);
}

static void PrintLine(const char* kind, const char* text) {
    if (!Driving())
        return;
    printf("%s: %s\n", kind, text);
    fflush(stdout);
}

void NetDriveConsoleLine(const char* text) { PrintLine("console", text); }
void NetDriveChatLine(const char* text) { PrintLine("chat", text); }

void NetDriveFrame() {
    if (!Driving())
        return;
    // Headless network runs keep the real clock: a short rest each frame
    // leaves the machine to the other players' processes.
    if (CommandLine.headless)
        PlatSleepMs(4);
    if (printed && FrontEndActive) {
        ExitRequested = 1;   // the race is left for its standings: the host stayed long enough
        return;
    }
    // Lost in the lobby, or put out of the session and back from the race.
    if (FrontEndActive && SessionLostPending) {
        GiveUp("the network session was lost");
        return;
    }
    if (FrontEndActive || SceneReady != 1)
        return;
    if (RacePhase == 2) {
        if (NetIsHost && NetAllLoaded && Settled(START_WAIT_FRAMES))
            EndPresentationWait();
        return;
    }
    if (!raceStarted) {
        raceStarted = 1;
        SimLockGuard lock;
        printf("players: %d own index: %d\n", NetPlayerCount.load(), NetOwnIndex.load());
        PrintPositions("grid positions:");
        fflush(stdout);
    }
    if (RaceOver != 1)
        return;
    if (overAt < 0)
        overAt = TimerTicks;
    if (TimerTicks - overAt < FINISH_TICKS)
        return;
    if (!printed) {
        printed = 1;
        PrintRaceEnd();
    }
    // A client that lost the host's states would carry the cars on along
    // their last velocities: the host leaves last.
    if (!NetIsHost || TimerTicks - overAt >= FINISH_TICKS + HOST_STAY_TICKS)
        ExitRequested = 1;
}
