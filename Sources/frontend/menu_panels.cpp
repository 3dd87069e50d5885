#include "frontend/menu_panels.h"

void SetOptionToggles(int, int, int, int, int, int) {}
void ShowExitScreen() {}
void ShowTimedNotice(int) {}

// Not built yet: the panels.
void ApplySoundOptionsAtStart(int, int, int, int) {}
void ApplySoundOptions(int, int, int, int) {}
void ShowRecordPanel(int, int) {}
void HighlightRecordChoice(int, int, int) {}
void FillChampionshipList() {}
void ShowChampionshipInfo(const char*, int) {}
void ShowShopVerdict() {}
void ShowSpecialRaceButton() {}
void DisableLobbyItemA() {}
void DisableLobbyItemB() {}
void EnableLobbyItemA() {}
