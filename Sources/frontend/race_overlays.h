// In-race overlays: pause menu, help, name tags.
#pragma once

struct PlatSurface;

void RunPauseMenu(PlatSurface* surface);
void RunHelpOverlay(PlatSurface* surface);
void DrawCarNameTags(PlatSurface* surface);
// The pause menu's quit: back to the menus (a network race's to the sessions).
void QuitRace();
