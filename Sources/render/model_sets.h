// The race model sets: the world, its sky and scenery, every car's parts and
// wheels and the collision meshes, loaded in a fixed order and then bound to
// per-car object slots; and the single showroom car of the menus.
#pragma once

// Forgets the objects of the last race (the pools are emptied beside it).
void ClearRaceObjectCounters();

// The whole race set; nothing in the menus.
void LoadRaceModels();
// The track's world "MUNDO<group><variant>", registered as "MUNDO%02d".
void LoadWorldModel();
void LoadSceneryModels();

// One car's parts, from its model's folder (the caller sets it).
void LoadCarBodySet(int car);
void LoadCarChassis(int car);
void LoadCarHood(int car);
void LoadCarWheels(int car);

// Looks every part up once and keeps its slot.
void BindRaceModels();
// Every car's built-in model geometry, and RaceCarCount.
void CopyCarParams();
// The menus' single car; all four 0 repeat the previous call.
void LoadShowroomCar(int model, int paint, int group, int variant);
void StoreCarSelection();
void ClearHoodFlags(int value);

// 1 for the car models whose parts include lamp beams and suspension arms.
int ModelHasLamps(int model);
int ModelHasArms(int model);
// The built-in wheel positions of a car model (wheels 0..3: front left and
// right, rear left and right; x across, z along); a model outside 0..19
// gives model 0's.
void ModelWheelOffsets(int model, float xs[4], float zs[4]);
