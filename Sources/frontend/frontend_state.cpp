#include "frontend/frontend_state.h"

std::atomic<int> MenuScreenShown;
int MenuRefreshFlag;
int ScreenshotsEnabled;
int WireframeKeyArmed;
int SettingsInts[64];
unsigned char VisualSettings[48];
int EffectsEnabled;
int EffectsOption;
int SkyOption;
int VisualOptions[13];
int AttractIdleTimer = -3000;
int ReplayFromFile;
int CareerWinMarker;
int MenuMusicHeld;
int TextEditActive;
int TextEditHasText;
int MouseKeptOff;
int InRaceMenuCounter;
int ChampionshipChosen;
int ChampionshipRunning;
int SingleRaceMode;
int DeveloperSwitch;
int NetworkChosen;
int RecordsViaProfiles;
char FileListRow[FILE_LIST_ROWS][32];
KeyBinding ControlBindings[4][11];
