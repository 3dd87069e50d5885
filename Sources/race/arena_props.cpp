#include "race/arena_props.h"

// The arena props and their layout table are not built yet: the arena cars
// keep the places the grid gave them.
void PlaceArenaCars() {}
