// The lobby lists: the sessions found (screen 9) and the players of the
// selected or joined session (screens 9 and 11), copied into the text slots
// their menu items show.
#pragma once

#include "net/net_messages.h"   // SendPlayerList, which the tick calls

enum {
    SESSION_ROW_SLOT = 622,
    SESSION_ROWS = 6,
    PLAYER_ROW_SLOT = 628,
    ROW_TEXT_MAX = 24,
    SESSION_SCREEN = 9,
    JOIN_ITEM = 12,
    SESSION_INFO_ITEM = 5,
};

void ShowSessionList();
void ShowPlayerList();
void ClearPlayerList();
// The tick, while screen 9 is shown: a cue when more sessions are listed.
void OnNetListGrew();
