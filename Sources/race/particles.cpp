#include "race/particles.h"

void UpdateParticles() {}
