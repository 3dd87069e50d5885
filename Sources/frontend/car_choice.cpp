#include "frontend/car_choice.h"

// Not built yet: the car choice and the car shop.
int CarChoiceAction(int*, int, void*) { return 0; }
int CarShopAction(int*, int, void*) { return 0; }
