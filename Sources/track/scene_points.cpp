#include "track/scene_points.h"

void SetCrowdPoints() {}
