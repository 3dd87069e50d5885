// The built-in layout of the 23 menu screens and its builder.
//
// The layout is kept as text, one block per screen (layout_screens_*.cpp),
// one line per item, so a person can read and change it:
//
//   <item> <kind> <flags> [field=value ...]       kind: root, pic or text
//   link <or|and-not|xor> <mask> <screen>:<item>  a link slot of the item above
//   link group:<row>                              a link to a MenuGroupTable row
//   link none                                     an empty slot (-1) before later ones
//
// Fields: pic=N (first picture), frames=N (extra animation frames), map=N
// (level map), at=X,Y (position), home=X,Y, to=X,Y or to=@N (target: the
// start position of item N; pictures default to their own start), slot=N
// (text slot), font=N, colour=N/H (normal/hover), parent=N, hit=L,R,T,B,
// value=N (pictures default to 1), bounds=LOW,HIGH.  '#' starts a comment.
#pragma once

#include "menulayout/menulayout_state.h"

extern const char* const MenuLayoutText[MENU_LAYOUT_SCREENS];

// Fills screens 0..22 of MenuScreenTable from the layout over a cleared
// table.  Returns the number of items filled, or -1 when the layout text has
// an error (MenuLayoutError then names the screen and line).
int BuildMenuLayout();
extern char MenuLayoutError[160];

// Parses one screen's text into the table; the same rules as above.
int BuildMenuScreen(int screen, const char* text);
