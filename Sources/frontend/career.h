// The career: its record, money, cups and awards.
#pragma once

// Not built yet: the award after a won race (no prize is paid).
void AwardRaceWin();

// A new career: 400 money, the built-in cups and grids, the prizes' texts.
void ResetCareer();
// Text slot 651: the money shown.
void ShowMoney();
// Each menu frame: the money shown closes on TargetMoney by a tenth of the
// gap per tick and snaps to it within one unit.
void AnimateMoney();
// The career screen's cup pictures and won / not-won texts.
void ShowCupProgress();
// LoadCareerSlot reads the selected slot's file (1 when it passed).
int LoadCareerSlot();
// The developer key's 5,000 (the money saturates at 99,999,999).
void AddBonusMoney();
