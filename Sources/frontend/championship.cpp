#include "frontend/championship.h"

#include "frontend/frontend_state.h"

int ChampionshipChoice, ChampionshipRace, ChampionshipClass;
int ChampionshipGroupOffset, ChampionshipLastIndex;
int SplitRoundLimit;
int HiddenRaceRequest;

// Not built yet: the championships.
int LoadChampionship() { return 0; }
int SaveChampionship() { return 0; }
int ChampionshipRaceClass(int, int) { return 0; }
int ChampionshipLastRace(int) { return 0; }
int ChampionshipTrackCode(int, int) { return 0; }
