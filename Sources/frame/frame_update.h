// The per-frame driver and the two hand-overs between menus and race.
#pragma once

enum { FRAME_E_FAIL = (int)0x80004005u };

// One displayed frame: 0, or FRAME_E_FAIL when the scene drawing failed.
int FrameUpdate();

// The hand-overs, run by FrameUpdate when their request is set.
void StartRaceHandover();
void BackToMenusHandover();
