#include "track/track_state.h"

char AssetFolder[128];
int ZoneTypeMask;
