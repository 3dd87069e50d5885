#include "frontend/career.h"

#include "frontend/career_file.h"
#include "frontend/frontend_state.h"

CareerRecordImage CareerRecord;
int PendingPrize;
int CurrentCup, CurrentCupRace;
int Cup5Mode, Cup6Mode;
int SpecialRaceUnlocked;
int SpecialRaceMode;
int ReplayWatched;
int RaceEntryFee;

int8_t& NextRaceGroup() { return *(int8_t*)((char*)&CareerRecord + CAREER_NEXT_GROUP); }
int8_t& NextRaceVariant() { return *(int8_t*)((char*)&CareerRecord + CAREER_NEXT_VARIANT); }

void AwardRaceWin() {}

// The selected slot of the load list (ListSelection[1]) into the career
// record, when its file passes the checks (1).
int LoadCareerSlot() { return ReadCareerSlot(ListSelection[1] + 1, &CareerRecord); }

// Not built yet: the career's rules.
void ResetCareer() {}
void ShowMoney() {}
void AnimateMoney() {}
void ShowCupProgress() {}
void AddBonusMoney() {}
