// The race part of the game folder.

#include "mkdata.h"

bool MakeRaceData(const MkOptions&) { return true; }
