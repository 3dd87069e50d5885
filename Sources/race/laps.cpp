#include "race/laps.h"

void LapAndFinish() {}
// The records tables come with the lap logic.
void CheckDistanceRecord() {}
