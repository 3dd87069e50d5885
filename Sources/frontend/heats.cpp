// The heats of a split screen or network series: two local players at a
// time race each race of the championship row, in the pairings below.

#include <cstring>

#include "frontend/championship.h"
#include "frontend/frontend_state.h"
#include "race/race_state.h"

int HeatIndex, HeatPlayerA, HeatPlayerB, HeatSoloPlayer, HeatRace;
int HeatRound, NetRoundLimit;
// Entries of the pairing list by human players 0..8; entry 0 comes from the
// visual options at start-up.
int HeatLimit[9] = {1, 0, 2, 6, 12, 20, 30, 42, 56};

// Per number of human players, the players taken two at a time: heat k
// pairs entries 2k and 2k + 1.
static const signed char kPairs1[] = {0, 1};
static const signed char kPairs3[] = {0, 1, 0, 2, 1, 2};
static const signed char kPairs4[] = {0, 1, 2, 3, 0, 2, 1, 3, 3, 0, 1, 2};
static const signed char kPairs5[] = {0, 1, 2, 3, 4, 0, 1, 2, 3, 4, 0, 2, 1, 3, 4, 2, 0, 3, 4, 1};
static const signed char kPairs6[] = {0, 1, 2, 3, 4, 5, 1, 2, 3, 4, 5, 0, 1, 3, 2, 5,
                                      4, 0, 3, 5, 1, 4, 2, 0, 5, 1, 4, 2, 0, 3};
static const signed char kPairs7[] = {0, 1, 2, 3, 4, 5, 0, 2, 3, 4, 5, 6, 2, 4, 3, 5, 0, 6, 1, 2, 3,
                                      6, 0, 5, 1, 4, 2, 6, 1, 3, 0, 4, 2, 5, 1, 6, 4, 6, 0, 3, 1, 5};
static const signed char kPairs8[] = {0, 1, 2, 3, 4, 5, 6, 7, 0, 2, 3, 4, 5, 6, 1, 7, 2, 4, 3, 5,
                                      0, 6, 1, 2, 4, 7, 3, 6, 0, 5, 1, 4, 0, 7, 2, 6, 1, 3, 0, 4,
                                      2, 5, 1, 6, 3, 7, 4, 6, 0, 3, 5, 7, 1, 5, 2, 7};

struct PairingList {
    const signed char* entries;
    int count;
};
static const PairingList kPairings[9] = {
    {nullptr, 0},
    {kPairs1, (int)sizeof kPairs1},
    {kPairs1, (int)sizeof kPairs1},
    {kPairs3, (int)sizeof kPairs3},
    {kPairs4, (int)sizeof kPairs4},
    {kPairs5, (int)sizeof kPairs5},
    {kPairs6, (int)sizeof kPairs6},
    {kPairs7, (int)sizeof kPairs7},
    {kPairs8, (int)sizeof kPairs8},
};

int HeatPairing(int players, int index, int* a, int* b) {
    if (players < 1 || players > 8 || index < 0 || index + 1 >= kPairings[players].count)
        return 0;
    *a = kPairings[players].entries[index];
    *b = kPairings[players].entries[index + 1];
    return 1;
}

static int HeatLimitOf(int players) { return players >= 0 && players <= 8 ? HeatLimit[players] : 0; }

// The players of the heat at HeatIndex; past the list the last pair stays.
static void TakePairing() {
    int a, b;
    if (HeatPairing(HumanPlayers, HeatIndex, &a, &b)) {
        HeatPlayerA = a;
        HeatPlayerB = b;
    }
}

static void GiveCar(int car, int player) {
    if (player < 0 || player >= 8)
        return;
    CarModel[car] = PlayerCars[player][0];
    CarColour[car] = PlayerCars[player][1];
}

static void GiveOpponentCars(int from) {
    for (int car = from; car < 8; car++) {
        int model, colour;
        if (ClassOpponentCar(ChampionshipClass, car, &model, &colour)) {
            CarModel[car] = model;
            CarColour[car] = colour;
        }
    }
}

static void TakeRaceTrack(int row) {
    const int code = ChampionshipTrackCode(row, ChampionshipRace);
    TrackGroup = code / 10;
    TrackVariant = code % 10;
    ChampionshipClass = ChampionshipRaceClass(row, ChampionshipRace);
}

// The race's standings rows of the two local cars: the heat's players; the
// computer cars follow the human players.
static void SeatHeatPlayers() {
    PlayerStandingsRow[0] = HeatPlayerA;
    PlayerStandingsRow[1] = HeatPlayerB;
    StandingsPlayers = HumanPlayers;
}

static int SoloGroup() { return TrackGroup == 4 || TrackGroup == 5; }

void ResetHeats() {
    HeatIndex = HeatRace = HeatRound = HeatSoloPlayer = 0;
    HeatPlayerA = 0;
    HeatPlayerB = 1;
    ChampionshipRace = 0;
}

void SetupSplitScreenHeat() {
    const int row = ListSelection[SplitScreen ? 3 : 7] + ChampionshipGroupOffset;
    TakePairing();
    ChampionshipRace = HeatRace;
    if (SoloGroup()) {
        // One car a heat: each human player in turn, the last one ends
        // the race's heats.
        if (HeatSoloPlayer >= HumanPlayers) {
            HeatIndex = 1000;
        } else {
            HeatPlayerA = HeatSoloPlayer;
            HeatIndex += 1;
        }
    } else {
        HeatIndex += 2;
    }
    if (HeatIndex > HeatLimitOf(HumanPlayers)) {
        HeatIndex = 0;
        ChampionshipRace++;
        if (ChampionshipRace > ChampionshipLastRace(row) || ChampionshipRace > 7) {
            ChampionshipRace = 0;
            HeatRound++;
            if (HeatRound > SplitRoundLimit) {
                HeatIndex = 0;
                return;
            }
        }
        TakeRaceTrack(row);
        if (TrackGroup == 4)
            CarCount = 1;
        else if (TrackGroup == 5)
            CarCount = TrackVariant >= 0 && TrackVariant < 5 ? CareerRecord.cups[0].cars[TrackVariant] : 1;
        else if (SplitScreen)
            CarCount = ComputerPlayers + 2;
        else
            CarCount = ComputerPlayers + HumanPlayers;
        TakePairing();
        if (SplitScreen) {
            GiveCar(0, HeatPlayerA);
            GiveCar(1, HeatPlayerB);
        }
        GiveOpponentCars(2);
        HeatIndex += 2;
    } else {
        TakeRaceTrack(row);
        if (SplitScreen) {
            GiveCar(0, HeatPlayerA);
            if (!SoloGroup())
                GiveCar(1, HeatPlayerB);
        }
        GiveOpponentCars(2);
        RacePhase = 2;
    }
    SeatHeatPlayers();
}
