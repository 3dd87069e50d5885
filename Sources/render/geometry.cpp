#include "render/geometry.h"

#include <cmath>

void BuildLightClampTable() {}
void BuildSqrtTable() {}
void SetupLightDirection() {}

// Until the table-driven root is built this is the exact one.
float FastSqrt(float value) { return value <= 0.0f ? 0.0f : std::sqrt(value); }
