// The career.
#pragma once

void AwardRaceWin();
