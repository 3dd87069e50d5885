// Race selection and race start.
#pragma once

void PrepareRace();
void ShowWorldPreview();

// Not built yet: the showroom's garage car, the selection price and the
// championship race list.
void SelectGarageCar(void* device);
void ShowSelectionPrice();
void ShowChampionshipRaceList();

// The showroom scene of a car category, and the shop's car at a pick of a
// category (model and colour 0 outside the lists).
void ShowroomSceneOf(int category, int* group, int* variant);
void CatalogueCar(int category, int pick, int* model, int* colour);
