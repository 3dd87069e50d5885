// One menu frame.
#pragma once

struct PlatSurface;
struct PlatDevice;
struct RectI;

void RunMenuFrame(PlatSurface* renderTarget, PlatDevice* device, int viewport, const RectI* screenRect);

// A run starts the menu machine on screen 0 with its first-frame set-up
// (and --autorace's quick race) still to come.
void StartMenuMachine();
