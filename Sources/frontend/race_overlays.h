// In-race overlays: pause menu, help, name tags.
#pragma once

struct PlatSurface;

void RunPauseMenu(PlatSurface* surface);
void RunHelpOverlay(PlatSurface* surface);
void DrawCarNameTags(PlatSurface* surface);
