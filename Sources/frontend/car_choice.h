// The car choice before a race (screen 5) and the car shop (screen 19).
#pragma once

// Screen 5's start button sets up and requests the race of the choices
// made (a network game's, or without split screen the career cup row's);
// a race whose track cannot be loaded, or whose cup row is not set up, is
// refused with the error sound.  Not built yet: the rest of screen 5
// (browsing, gearbox, split screen turns) and the car shop of screen 19.
// 1 when the click was handled; 0 lets the item's links run.
int CarChoiceAction(int* screen, int item, void* device);
int CarShopAction(int* screen, int item, void* device);
