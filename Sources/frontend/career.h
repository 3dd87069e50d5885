// The career: its record, money, cups and awards.
#pragma once

void AwardRaceWin();

// Not built yet: a new career, the money display, the cup pictures and the
// slot loader.  Until they are, nothing changes: no money moves and no slot
// loads (LoadCareerSlot reports 0).
void ResetCareer();
void ShowMoney();
void AnimateMoney();
void ShowCupProgress();
int LoadCareerSlot();
void AddBonusMoney();
