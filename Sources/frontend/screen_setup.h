// Screen set-up: what each menu screen does when it is entered, and the
// per-frame list and panel handling of the screen shown.
#pragma once

// The entry actions of MenuScreen, run in the first frame of a new screen
// before its items are handled.  `device` goes to the showroom's graphics.
void RunScreenEntry(void* device);
// The list box and panels of a screen, every frame.
void RunScreenLists(int screen);
// The description lines and name of the car on show (screens 4, 5, 19).
void ShowCarTexts();
// The career screen's car row: the car in use in the chosen cup's class.
void ShowCareerCar();
// Shows the selected pictures of a category tab and the other tabs'
// unselected ones.
void ShowCategoryTabs(int screen, int category);

// A developer's look at the records: the minutes, seconds and hundredths of
// the first best race time, one "mejor_tiempo[0]:%d" line each, printed at
// (10, 30), (10, 40) and (10, 50) on the back buffer; nothing calls it.
void PrintBestTimeDebug();
void BestTimeDebugLines(char lines[3][32]);

// Garage category of a car class (0..7): -1 none.
int ClassToCategory(int carClass);
extern const signed char CategoryTabTables[5][2][15];   // [category][shown, hidden][i]

// The selected session's user words (the hosted one's on the host): its
// championship row, its lobby count and its group offset; 0 when there is
// no such session.
int SelectedSessionWord(int word);
// The network screens take the championship from the selected session's
// words: the host screen's row (list 7) and the group's offset.
void TakeSessionChampionship();
// The championship information panel: the selected session's name and
// lobby count on the sessions screen and in a network game, else the
// championship's name and 0.
void RefreshChampionshipInfo();
