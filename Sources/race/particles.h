// Particles.
#pragma once

void UpdateParticles();
