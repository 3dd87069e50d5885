#include "render/model_sets.h"

void ClearRaceObjectCounters() {}
