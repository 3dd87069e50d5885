// Shared state of the front end that the frame, the tick and the race read.
#pragma once

#include <atomic>

extern std::atomic<int> MenuScreenShown;
extern int MenuRefreshFlag;
extern int ScreenshotsEnabled;
extern int WireframeKeyArmed;
extern int SettingsInts[64];
extern unsigned char VisualSettings[48];
extern int EffectsEnabled;
extern int EffectsOption;
extern int SkyOption;
extern int VisualOptions[13];      // the other visual option bytes, by byte number
extern int AttractIdleTimer;
extern int ReplayFromFile;
extern int CareerWinMarker;
extern int MenuMusicHeld;
extern int TextEditActive;         // a text field is being edited
extern int TextEditHasText;        // ... and holds text
extern int MouseKeptOff;           // the front end keeps the mouse switched off
extern int InRaceMenuCounter;
extern int ChampionshipChosen;     // the championship mode was chosen in the menus

// Byte numbers of VisualSettings (CONFIG\visual.cfg, 48 bytes).
enum VisualSettingsByte {
    VISUAL_EFFECTS_ENABLED = 1,
    VISUAL_EFFECTS_OPTION = 2,
    VISUAL_SKY_OPTION = 3,
    VISUAL_VIEW_PLAYER1 = 11,   // view mode + 1
    VISUAL_VIEW_PLAYER2 = 12,
};
