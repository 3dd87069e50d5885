// The career: its record, money, cups and awards.
#pragma once

// After a won race (CareerWinMarker), not a watched replay: the first win of
// a cup race is marked, counted and its prize becomes PendingPrize; a single
// race only shows its pop-up, the special race leads to the credits.
void AwardRaceWin();

// A new career: 400 money, the built-in cups, grids and garage, the prizes'
// texts.
void ResetCareer();
// Text slot 651: the money shown.
void ShowMoney();
// Each menu frame: the money shown closes on TargetMoney by a tenth of the
// gap per tick and snaps to it within one unit.
void AnimateMoney();
// The career screen's cup pictures and won / not-won texts.
void ShowCupProgress();
// LoadCareerSlot reads the selected slot's file (1 when it passed) and
// shows its money and cups.
int LoadCareerSlot();
// 1 while the career in memory is a save slot of the logged-in profile
// (loaded from it or saved into it since).
int CareerOfPlayer();
// The built-in grid's {model, colour} of a car (0-7) of a cup's (0-6) race (0-4).
const signed char* CareerOpponentPair(int cup, int race, int car);
// money + amount (a negative amount adds nothing), at most 99,999,999.
int AddMoney(int money, int amount);
// The developer key's 5,000 (the money saturates at 99,999,999).
void AddBonusMoney();
// The money against the fees of one cup's races: the won markers of the
// career screen's race buttons and the hover test of those the player can
// pay for.
void ShowCupRaceButtons(int cup);
// The display is made again on the way back to the menus, with the video
// played in between.
void RequestVideo(int video);
