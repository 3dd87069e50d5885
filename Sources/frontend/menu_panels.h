// Menu panels: option toggles, sound options, record and championship
// panels, the shop's verdict, the special race, the lobby's host items,
// timed notices and the exit screen.
#pragma once

void SetOptionToggles(int a, int b, int c, int d, int e, int kind);
void ShowExitScreen();
void ShowTimedNotice(int mode);

// Not built yet: the panels.  Until they are, each changes nothing on the
// screen.
void ApplySoundOptionsAtStart(int effects, int music, int number, int stereo);
void ApplySoundOptions(int effects, int music, int number, int stereo);
void ShowRecordPanel(int screen, int code);
void HighlightRecordChoice(int screen, int item, int clearOnly);
void FillChampionshipList();
void ShowChampionshipInfo(const char* name, int value);
void ShowShopVerdict();
void ShowSpecialRaceButton();
void DisableLobbyItemA();
void DisableLobbyItemB();
void EnableLobbyItemA();
