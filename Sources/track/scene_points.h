// Built-in scene point tables and the crowd points.
#pragma once

void SetCrowdPoints();
