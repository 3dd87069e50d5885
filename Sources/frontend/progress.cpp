#include "frontend/progress.h"

#include "frontend/frontend_state.h"

int GarageCategory, GaragePick, GarageMode, GaragePage;
int GarageLast[5][5];
int GarageCurrent[5][7];
int GarageLists[25][15][2];
int CategoryPick[5];
int UnlockFlags[4];

void CheckProgressNotice() {}

// Not built yet: nothing is unlocked until the progress rules exist.
int CountUnlockLevels() { return 0; }
void RestoreProgressDefaults() {}
void ShowGarageCounters() {}
