// Wall and car collision.
#pragma once

void CollideCars(int car);
void CollideCarWalls(int car);
void BuildCarBoxes();
