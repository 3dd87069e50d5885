// OnMenuItem: the behaviour of the menu screens that the layout's links do
// not carry.  The menu frame calls it for every shown picture and text item
// of the current screen.
#pragma once

// screen: the caller's screen variable (an action may switch it); activated:
// set to the frame's click when the pointer is on the item; scrollDown and
// scrollUp: the list arrows' requests; device: passed to the showroom's
// graphics.  The font argument is not read.
void OnMenuItem(int* screen, int item, int font, int* activated, int* scrollDown, int* scrollUp, void* device);

// The pointer lies on the item's hit box (bounds inclusive) and its parent
// is on the screen.
int PointerOnItem(int screen, int item);

// The actions of one screen for a clicked item: 1 when the action ended the
// call (no scroll output, no links).  menu_actions_*.cpp.
int MainMenuAction(int* screen, int item);
int SingleRaceAction(int* screen, int item);
int CareerAction(int* screen, int item);
int DisplayOptionsAction(int* screen, int item);
int SoundOptionsAction(int* screen, int item);
int ControlsAction(int* screen, int item, int* activated);
int SessionsAction(int* screen, int item);
int ChampionshipListAction(int* screen, int item);
int LobbyAction(int* screen, int item);
int PlayerSetUpAction(int* screen, int item);
int RecordsAction(int* screen, int item);
int ReplaysAction(int* screen, int item);
int LoadSlotAction(int* screen, int item, int* activated);
int SaveSlotAction(int* screen, int item);
int ChampionshipAction(int* screen, int item);
// The race start of a network game from the car choice (screen 5).
int NetworkRaceStart(int* screen);

// The championship records (screen 14) show the tabs of their page (236 to
// 238) and hide the others'.
void ShowRecordsPage(int page);

// "Go to S": the screen becomes S with its page root shown.
void GoToScreen(int* screen, int target);

// The group of a track group for the unlock races' cup (0..6), and the
// track code of a cup row's race.
int CareerTrackCode(int cup, int race);
// The career's buttons under an open cup panel take no click.
void CoverCareerButtons();
// The car category tab of a cup (-1 for cups 5 and 6).
int CategoryOfCup(int cup);
