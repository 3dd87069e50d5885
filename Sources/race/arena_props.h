// The props of the arena events.
#pragma once

// The arena cars' places among the props; the car set-up calls it.
void PlaceArenaCars();
// Every tick of the race frame's sub-steps: the decorations' phase moves on
// by their drift.
void AnimateDecorations();
