#include "race/arena_props.h"

#include "race/race_state.h"

// The arena props and their layout table are not built yet: the arena cars
// keep the places the grid gave them.
void PlaceArenaCars() {}

void AnimateDecorations() { DecorationPhase += DecorationDrift; }
