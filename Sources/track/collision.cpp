#include "track/collision.h"

void CollideCars(int) {}
void CollideCarWalls(int) {}
void BuildCarBoxes() {}
