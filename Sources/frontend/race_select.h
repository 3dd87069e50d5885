// Race selection and race start.
#pragma once

// Writes the race set-up from the mode flags and the choices made: 1, or 0
// when the track it comes to has no folder in the game folder (or its group
// or variant is out of range) and the race must not be loaded.
int PrepareRace();
// The chosen track's preview picture onto the screen copy, under the
// loading screen.
void ShowWorldPreview();
// The track code whose preview picture a code shows (some share another's).
int PreviewCodeOf(int code);

// The car at the current place of the garage list into the showroom, with
// its texts, counters and price; `device` is the render target the car's
// textures are prepared for.
void SelectGarageCar(void* device);
// The same from the shop's fixed car lists (CatalogueCar of GarageCategory
// and GaragePick); nothing in the menus asks for it.
void SelectCatalogueCar(void* device);
// Text slot 232: slot 231's caption and the price of the car on show.
void ShowSelectionPrice();
// The price of a model and colour (0 where the model has no such colour).
int CarPrice(int model, int colour);
// The race list of the championship selected on screens 10 and 17: items
// 23 to 30 show its races by track name in text slots SLOT_RACE_LIST on,
// the rows past its last race hidden.
void ShowChampionshipRaceList();

// The showroom scene of a car category, and the shop's car at a pick of a
// category (model and colour 0 outside the lists).
void ShowroomSceneOf(int category, int* group, int* variant);
void CatalogueCar(int category, int pick, int* model, int* colour);
