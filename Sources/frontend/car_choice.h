// The car choice before a race (screen 5) and the car shop (screen 19).
#pragma once

// Not built yet: the actions of screens 5 and 19 (but a network game's race
// start).  Until they are, a click there does nothing of its own (0: the
// item's links still run).
int CarChoiceAction(int* screen, int item, void* device);
int CarShopAction(int* screen, int item, void* device);
