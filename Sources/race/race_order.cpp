#include "race/race_order.h"

void CheckFinishZone() {}
