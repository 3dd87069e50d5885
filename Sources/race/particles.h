// Particles.
#pragma once

void UpdateParticles();
// The spawners the race calls.  The particle rings come with their own
// part; until then a spawn shows nothing.
// An impact effect of `kind` (3 sparks, 6 light car hit, 12 wall impact).
void SpawnImpactParticle(float x, float z, int kind, int car);
void SpawnWheelDust(int car);
void SpawnTurboSprites(int car, int colour);
void SpawnExhaustSmoke(float x, float y, float z, int car);
void UpdateRain();
void UpdateSparks();
