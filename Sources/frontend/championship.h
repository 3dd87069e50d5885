// Championships: standings, the championship file and the championship
// table's rows.
#pragma once

extern int RacePoints[8];
extern int ChampionshipTotals[8];

// Not built yet: until the championship table exists every row has class 0
// and last race 0, no championship file is read or written (0) and the
// standings show nothing.
void ShowStandings();
int LoadChampionship();
int SaveChampionship();
int ChampionshipRaceClass(int row, int race);
int ChampionshipLastRace(int row);
int ChampionshipTrackCode(int row, int race);
