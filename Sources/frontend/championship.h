// Championships: the championship table, its opponents by car class and the
// championship file (the standings: race_results.h).
#pragma once

// RacePoints and ChampionshipTotals: frontend_state.h (records.cpp).

enum { CHAMPIONSHIP_ROWS = 36 };

// Race `race` (0-7) of championship row `row` (0-35): its track code and car
// class; 0 outside the table or for a race the row does not have.
int ChampionshipTrackCode(int row, int race);
int ChampionshipRaceClass(int row, int race);
// The last race index of a row (0 outside the table).
int ChampionshipLastRace(int row);
// Car `car` (2-7) of the computer opponents of car class 1-3: 1 and the
// model and colour, 0 (nothing written) outside the table.
int ClassOpponentCar(int carClass, int car, int* model, int* colour);

// Not built yet: no championship file is read or written (0).
int LoadChampionship();
int SaveChampionship();
