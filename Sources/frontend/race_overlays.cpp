#include "frontend/race_overlays.h"

#include "frame/frame_state.h"
#include "race/race_state.h"

// Until the pause menu is built, Escape leaves the race for the menus.
void RunPauseMenu(PlatSurface*) {
    if (!FrontEndActive && TypedChar == 27)
        BackToMenusRequest = 1;
}

void RunHelpOverlay(PlatSurface*) {}
void DrawCarNameTags(PlatSurface*) {}
