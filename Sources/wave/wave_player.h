// The DirectSound 3D wave player: nothing in the game calls it.
#pragma once
