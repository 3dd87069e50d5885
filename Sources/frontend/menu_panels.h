// Menu panels: option toggles, sound options, record and championship
// panels, the shop's verdict, the special race, the lobby's host items,
// timed notices and the exit screen.
#pragma once

void SetOptionToggles(int a, int b, int c, int d, int e, int kind);
void ShowExitScreen();
void ShowTimedNotice(int arm);

void ApplySoundOptionsAtStart(int effects, int music, int number, int stereo);
void ApplySoundOptions(int effects, int music, int number, int stereo);
void ShowRecordPanel(int screen, int code);
void HighlightRecordChoice(int screen, int item, int clearOnly);
void FillChampionshipList();
void ShowChampionshipInfo(const char* name, int value);
void ShowShopVerdict();
void ShowSpecialRaceButton();
// The single race screen: the chosen track group on its lit button.
void ShowChosenTrackGroup();
void DisableLobbyItemA();
void DisableLobbyItemB();
void EnableLobbyItemA();
// A developer aid nothing calls: J and K presses count two numbers, H sets
// screen 3 up with them, O held clears both.
void CountKeysToScreen();
extern int CountKeysFirst, CountKeysSecond;

// The record panel last shown and whether it was filled.
extern int RecordPanelCode, RecordPanelShown;
// Ticks left of the timed notice; notices dropped on a blit that kept failing.
extern int NoticeTicks, NoticeBlitsDropped;
// The exit picture was presented (shutdown).
extern int ExitScreenShown;
// The shop's verdict on the car on show: 0 owned, 1 for sale, 2 locked.
extern int VerdictKind, BuyAllowed, CarOwned, NeededWins, SceneOptionFlag;   // DayCarArt: frame_state.h
// The career cup counted for each garage category, and the cup wins each
// model and colour needs before it is for sale.
extern const int CupOfCategory[5];
extern const int CarWinsTable[20][4];
