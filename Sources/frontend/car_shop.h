// The car shop (screen 19) and the car browsing it shares with the car
// choice (screen 5).
#pragma once

// The car on show as the player's choice (a copy of the showroom's car),
// and a purchase accepted whose price is taken from the money when the buy
// panel closes.
extern int ChosenModel, ChosenColour;
extern int PurchasePending, PurchasePrice;

// 1 when the click was handled; 0 lets the item's links run.
int CarShopAction(int* screen, int item, void* device);

// Items 27 / 28 of screens 5 and 19: the next (+1) or previous (-1) car of
// the list on show; a step past either end keeps the end and plays the
// error sound.
void StepShowroomCar(int screen, int step, void* device);

// The showroom scene of a category with the car on show, its texts and the
// texture reload.
void LoadShowroom(void* device, int category);

// Where a model and colour stands in the owned lists of the current garage
// mode (entries from GaragePage on): its category and entry, 1 when found.
int FindOwnedCar(int model, int colour, int* category, int* entry);
