#include "race/wrong_way.h"

void CheckWrongWay(PlatSurface*) {}
