#include "race/particles.h"

void UpdateParticles() {}
void SpawnImpactParticle(float, float, int, int) {}
void SpawnWheelDust(int) {}
void SpawnTurboSprites(int, int) {}
void SpawnExhaustSmoke(float, float, float, int) {}
void UpdateRain() {}
void UpdateSparks() {}
