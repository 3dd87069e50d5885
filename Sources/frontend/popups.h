// Pop-up messages: the message panel each screen carries in its layout,
// opened with a message chosen by type (and on the career screen by kind
// and sub-kind).  The pop-up's own buttons close it through their links and
// the screen's actions.
#pragma once

// Opens the pop-up of `screen`: freezes the screen's buttons, shows the
// panel, its button or buttons and the message, and plays the message
// sound.  A type without a case for the screen shows no message.
void ShowPopup(int screen, int type, int kind, int subKind);
// Re-opens the pop-up of the screen on display (screens 0, 9, 10 and 11
// once, screen 5 three times).
void RefreshPopups(int type);

// The car choice's pop-up 2 says why its race cannot start, by kind: no
// track was chosen (the single race screen's own greeting), or the race is
// not in the game folder.
enum { REFUSED_NO_TRACK = 0, REFUSED_NOT_IN_FOLDER = 1 };
enum { SLOT_NO_TRACK_CHOSEN = 978, SLOT_RACE_NOT_IN_FOLDER = 980 };

// The career's LOAD and SAVE with no profile logged in: type 10 of the
// career screen says how to log in.
enum { CAREER_NO_PROFILE = 10, SLOT_LOG_IN_FIRST = 2080 };

// The message slot a type shows on a screen (screen 3 type 1: by kind and
// sub-kind), or -1 when the type shows none.
int PopupMessageSlot(int screen, int type, int kind, int subKind);

// The items of `screen` whose hover test the last pop-up took away are
// given it back (the close buttons call this).
void GiveBackPopupFreeze(int screen);
// The board of the pop-up that `item` of `screen` belongs to (the board
// itself, what stands on it, its buttons), or 0.  The menu frame draws them
// after the screen's other items, so a pop-up stands over all of the screen.
int PopupItemOf(int screen, int item);
// Whether the open pop-up of `screen` froze `item`.
int PopupFroze(int screen, int item);
