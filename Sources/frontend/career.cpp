#include "frontend/career.h"

void AwardRaceWin() {}
