// The software frame: draws the race views into WorkSurface.
#pragma once

void DrawRaceFrame();
