// Progress and unlocks: the garage lists (the cars owned per category and
// game mode), the cars in use, the unlock levels that follow from the main
// cup races won, and the special race's notice.
#pragma once

#include "frontend/frontend_state.h"

// Four unlock flags: 1 once 3, 7, 11 and 15 main races are won.
extern int UnlockFlags[4];
// The last pick of each category on the car shop screen (not saved).
extern const int CategoryPickLast[5];

// Recomputes UnlockFlags from the won flags of races 0-3 of cups 0-4 and
// returns how many are set (0 to 4).
int CountUnlockLevels();
// 1 when races 0-3 of cups 0-4, the twenty main races, are all won.
int AllMainRacesWon();
// Cup-5 races won, 0 to 5.
int CountCup5Wins();
// The won flag of a cup race; 0 for a cup or race that does not exist.
int IsCupRaceWon(int cup, int race);

// A bought car into the current category's list of the current mode:
// 1 when added (it becomes the last and the car in use); 0 when any list of
// the mode already holds it, the list has no free entry, or the mode or
// category is out of range.
int AddGarageCar(int model, int colour);

// The index of the last car of garage row `row` (category x 5 + mode),
// -1 when it holds none or the row does not exist.
int GarageListLast(int row);

// The garage tables into the record as signed bytes (the low byte of each
// number), and back, sign-extended.
void PackProgressInto(CareerRecordImage* record);
void PackProgress();
// Unpacking ends each list at its first entry that is not a car and keeps
// the last indexes, the cars in use and the picks on cars the lists hold.
void UnpackProgress();
// The garage tables as the game starts with them.
void RestoreProgressDefaults();
// Text slots 155-159: " current/last" of each category, counted from 1.
void ShowGarageCounters();
// Back from a race: a won special race (not a replay) plays the ending and
// leads to the credits.
void CheckProgressNotice();
