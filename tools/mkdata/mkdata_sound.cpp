// The sound part of the game folder.

#include "mkdata.h"

bool MakeSoundData(const MkOptions&) { return true; }
