#include "frontend/championship.h"

#include "frontend/frontend_state.h"

int RacePoints[8];
int ChampionshipTotals[8];
int ChampionshipChoice, ChampionshipRace, ChampionshipClass;
int ChampionshipGroupOffset, ChampionshipLastIndex;
int SplitRoundLimit;
int HiddenRaceRequest;

// Not built yet: the championships.
void ShowStandings() {}
int LoadChampionship() { return 0; }
int SaveChampionship() { return 0; }
int ChampionshipRaceClass(int, int) { return 0; }
int ChampionshipLastRace(int) { return 0; }
int ChampionshipTrackCode(int, int) { return 0; }
