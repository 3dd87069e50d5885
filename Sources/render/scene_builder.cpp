#include "render/scene_builder.h"

void BuildScene(int, int) {}
