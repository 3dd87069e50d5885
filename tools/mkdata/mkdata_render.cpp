// The render part of the game folder.

#include "mkdata.h"

bool MakeRenderData(const MkOptions&) { return true; }
