// Progress and unlocks: the garage lists and the unlock levels.
#pragma once

void CheckProgressNotice();

// Not built yet: the unlock levels (none is unlocked), the garage tables'
// defaults and counters.
extern int UnlockFlags[4];
int CountUnlockLevels();
void RestoreProgressDefaults();
void ShowGarageCounters();
