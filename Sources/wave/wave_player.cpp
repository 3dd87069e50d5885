#include "wave/wave_player.h"
