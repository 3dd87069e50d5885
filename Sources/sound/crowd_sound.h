// Crowd sound: the spectators' loop of the track group and their reactions.
#pragma once

struct CarBody;

// Once per race frame with the local car and its body (sound on only).
void UpdateCrowdSound(int car, const CarBody* body);
