// The link interpreter: the data-driven part of a click.  An item's eight
// link slots change the flags of other items, of whole groups of items, or
// show another screen's page root and so switch to that screen.
#pragma once

// The screen the return flag (0x20000) leads to; nothing sets it.
extern int ReturnScreen;

// Runs the return flag and the links of item `item` of screen `itemScreen`,
// clicked in this frame.  *screen is the caller's screen variable (the
// screen the item's actions left) and *clicked the caller's click flag;
// both may change.  Links, group rows and members outside their tables are
// ignored.
void RunItemLinks(int* screen, int itemScreen, int item, int* clicked);
