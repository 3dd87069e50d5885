// Championships: the championship file and the championship table's rows
// (the standings: race_results.h).
#pragma once

// RacePoints and ChampionshipTotals: frontend_state.h (records.cpp).

// Not built yet: until the championship table exists every row has class 0
// and last race 0, and no championship file is read or written (0).
int LoadChampionship();
int SaveChampionship();
int ChampionshipRaceClass(int row, int race);
int ChampionshipLastRace(int row);
int ChampionshipTrackCode(int row, int race);
