// Particles: smoke, sparks, wheel dust, impact debris and rain in fixed
// rings of effect slots, stepped by the tick and drawn by the car effects;
// and the scene's two sprite pools (turbo exhaust and ground sprites).
//
// Every entry point runs under the simulation lock: the tick steps them and
// spawns impacts and a crushed car's smoke, the frame spawns the rest, the
// network receive thread spawns impacts of remote hits.  Nothing is spawned
// or stepped while EffectsEnabled is 0; stepping and sparks stop while
// RacePaused, the other spawners while ParticleHold is 1.
#pragma once

// Spawns `count` particles (at most 32) into emitter `slot` (-1: the next of
// its own rolling counter) at (x, y, z), each with the velocity (vx, vy, vz)
// spread by `spread` x (r - 0.5) on every axis.  Returns the slot, or -1
// for a slot outside 0..191.
int SpawnEmitter(int slot, int count, int bounceLimit, int spread, float x, float y, float z, float vx, float vy,
                 float vz);
// One tick of the effect in `slot`: carried motion, age, movement, bounces.
void StepParticles(int slot);
// Every live effect, once per tick.
void UpdateParticles();
// Race start: every effect slot free, the rings back to their first slot;
// the spawners hold until the race frame runs.
void ResetParticles();
// Race start: both sprite pools free.
void FreeSpritePools();
// The positions of an emitter's particles t ticks after the spawn under
// gravity (nothing in the game asks for them).
void ParticlePositionsAt(int slot, float t, float* xyz);

// The spawners; each takes the next slot of its ring.  Returns the slot, or
// -1 when nothing was spawned.
int SpawnImpactParticle(float x, float z, int count, int car);
int EmitSmokeAt(const float point[3], int car);
int SpawnSpark(float px, float py, float pz, int kind, int flag);
int SpawnDustPuff(const float point[3], int car, int sprite);
int SpawnRainDrops(float x, float y, float z);

// The emitters the car step and the race frame call.
void EmitPointSmoke(int car);       // 25 smoke effects round a crushed car's body
void EmitSparks();                  // the local car's scraping wheels
void EmitWheelDust(int car);
void EmitRain();
// The JUMP turbo's two exhaust sprites of `car`, and the mark an arena prop
// knocked by CurrentCar leaves on the floor.
void SpawnTurboSprites(int car, int colour);
void SpawnGroundSprite(float x, float y, float z);
