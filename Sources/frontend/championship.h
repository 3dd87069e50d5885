// Championships: the championship table, its opponents by car class, the
// choice of the championship mode, the heats of split screen and network
// series, the points and the championship file (the standings screens are
// called through race_results.h).
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

// The championship mode's choice on screen 22: NEW (item 12) starts the
// first championship of rows 12, 13, 14 not yet won (the career's stage)
// from its first race, CONTINUE (13) takes the championship under way to
// the car choice of its next race, with its points, DELETE (14) ends it;
// with none under way the last two show pop-up 1.  1 when the item was
// handled.
int ChampionshipChoiceAction(int* screen, int item);
// 1 from NEW until the championship's last race is scored or DELETE: the
// championship and car choice screens keep its race and points meanwhile.
extern int ChampionshipUnderWay;
// The row NEW starts.
int NewChampionshipRow();
// No championship under way: its race and points back to 0.
void EndChampionship();
// The name and description texts of the championship selected in the
// current list (slots 776, 777 and ChampionshipName).
void ShowChampionshipInfo();
extern char ChampionshipName[32];

// USERS\<profile>\Camp.r-b: the whole CareerRecord.  Load takes it only when
// it passes the career save's checks; both return 1 on success.
int LoadChampionship();
int SaveChampionship();
// The file itself (championship_file.cpp): its path for the current
// profile (0 when none can be formed), and a checked read into `out` (left
// alone when refused) or a whole write.
struct CareerRecordImage;
int ChampionshipFilePath(char* path, int size);
int ReadChampionshipFile(CareerRecordImage* out);
int WriteChampionshipFile(const CareerRecordImage& record);

// Heats (heats.cpp).  HeatLimit[p]: entries of the pairing list of p human
// players (entry 0 from the visual options).
extern int HeatIndex, HeatPlayerA, HeatPlayerB, HeatSoloPlayer, HeatRace;
extern int HeatRound, NetRoundLimit;
extern int HeatLimit[9];
// The two players of pairing entry `index` for `players` human players: 1,
// or 0 (nothing written) past the list.
int HeatPairing(int players, int index, int* a, int* b);
// A new series starts from its first heat of its first race and round.
void ResetHeats();
// The track, cars and players of the next heat of a split screen series.
void SetupSplitScreenHeat();

// Points (standings.cpp): by finishing place, 0 from the eighth on.
int PlacePoints(int place);
// Scores the cars still racing by their place.
void AddRacePoints();
// Scores every car by its place, finished or not.
void AddRacePointsAll();
// The first HumanPlayers race points become the points of their rank,
// equal points sharing a place.
void RankRacePoints();
// The championship mode's end of a race: 1 when the player won the
// championship just finished (entry 0 has at least the most points).
int PlayerWonChampionship();
// The bookkeeping of the standings after a race (scores, the next race or
// heat, the end of the series): 1 when the standings screens are shown,
// 0 when another heat of the race starts at once.
int ScoreStandings();
// The rows of the standings: entries by descending points, equal points in
// entry order.
void StandingsOrder(const int* points, int rows, int* order);
