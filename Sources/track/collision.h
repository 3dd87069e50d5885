// Wall and car collisions in the plan: each car's footprint against the
// collision lines of its cell and against the other cars.  Timer thread.
#pragma once

// The footprint of every car from its box and the tick's pose (and, when
// CarBoxesDirty is 1, each car's box from the collision objects first).
// Nothing in the menus.
void BuildCarBoxes();
// The car against every car of a lower index: each pair once a tick.
void CollideCars(int car);
// The car against the walls of the cell its centre lies in.
void CollideCarWalls(int car);
