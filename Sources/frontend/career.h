// The career: its record, money, cups and awards.
#pragma once

void AwardRaceWin();

// Not built yet: a new career, the money display, the cup pictures and the
// progress unpacking of a loaded slot.  Until they are, no money moves.
// LoadCareerSlot reads the selected slot's file (1 when it passed).
void ResetCareer();
void ShowMoney();
void AnimateMoney();
void ShowCupProgress();
int LoadCareerSlot();
void AddBonusMoney();
