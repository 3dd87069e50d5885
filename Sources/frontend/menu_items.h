// Small helpers of the menu code: items by screen and number, and text
// slots written with their length.  Out-of-range items and slots are
// ignored.
#pragma once

#include "menulayout/menulayout_state.h"

// The item, or a scratch item for numbers outside the table (writes to it
// land nowhere that is drawn or handled).
MenuItem& ItemAt(int screen, int item);

inline void ShowItem(int screen, int item) { ItemAt(screen, item).flags |= MENU_SHOWN; }
inline void HideItem(int screen, int item) { ItemAt(screen, item).flags &= ~MENU_SHOWN; }
inline void ThawItem(int screen, int item) { ItemAt(screen, item).flags |= MENU_HOVER_TEST; }
inline void FreezeItem(int screen, int item) { ItemAt(screen, item).flags &= ~MENU_HOVER_TEST; }
inline int ItemShown(int screen, int item) { return (ItemAt(screen, item).flags & MENU_SHOWN) != 0; }
void ShowItems(int screen, int first, int last);
void HideItems(int screen, int first, int last);
void ThawItems(int screen, int first, int last);
void FreezeItems(int screen, int first, int last);
void SetItemColours(int screen, int item, int normal, int hover);
// Slides home (0x2000 on, 0x40000 off), or away to its target.
void SlideItemHome(int screen, int item);
void SlideItemAway(int screen, int item);
// Copies an item's position, target and home (what the position backup of
// screen 25 keeps).
void CopyItemPositions(MenuItem& to, const MenuItem& from);
// Shows a screen's page root: its background loads at the next pass.
inline void ShowPageRoot(int screen) { ShowItem(screen, 0); }

// Writes a text into a slot and stores its length (both within the slot's
// room).
void SetSlotText(int slot, const char* text);
