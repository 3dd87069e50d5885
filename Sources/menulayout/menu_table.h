// The menu screen table: its raw image file, the link decoding and the menu
// colours.  The record, flags and tables are in menulayout_state.h.
#pragma once

#include "menulayout/menulayout_state.h"

// config\menus.dat: the whole table, 720,384 bytes, no header.
enum { MENU_LAYOUT_FILE_SIZE = (int)sizeof(MenuItem) * MENU_SCREENS * MENU_ITEMS };
static_assert(MENU_LAYOUT_FILE_SIZE == 720384, "config\\menus.dat is 720,384 bytes");

// 1 when the table was written whole, 0 when it could not be.
int SaveMenuLayout();
// 1 when a file of exactly the table's size with valid links replaced the
// table; 0 (the table unchanged) for a missing, short, long or corrupt file.
int LoadMenuLayout();

// What a link names.  Returns 0 for an empty or invalid link, 1 for an item
// (screen, item) and 2 for a group row (row in *item, *screen = 99).
enum { LINK_NONE = 0, LINK_ITEM = 1, LINK_GROUP = 2 };
int DecodeLink(int32_t link, int* screen, int* item);

// Fills MenuColourTable for the display's pixel format (GreenMaskBits).
void FillMenuColourTable();
