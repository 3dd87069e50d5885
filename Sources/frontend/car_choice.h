// The car choice before a race (screen 5) and the car shop (screen 19).
#pragma once

#include "frontend/car_shop.h"

// Screen 5: browsing the owned cars, the gearbox, the message panel, the
// way back and the start button, which sets up and requests the race of the
// choices made (a network game's, the career cup row's, or in split screen,
// once every human player has chosen in turn, the first race of the chosen
// championship row).  A race whose track cannot be loaded, or whose cup row
// is not set up, is refused with the error sound.
// 1 when the click was handled; 0 lets the item's links run.
int CarChoiceAction(int* screen, int item, void* device);

// The gearbox switch (items 80, 81) and the shop button (84, 85) share one
// place below the car: the switch is offered whenever the mode leaves the
// shop out, and hidden while the shop button is up.  Run on entering the
// screen, after the mode has chosen the shop button's state.
void ShowGearboxSwitch();

// A network player asked from the car choice whether to leave the game.
extern int NetworkLeaveAsked;
