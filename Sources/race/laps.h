// Laps, checkpoints, finishing and records.
#pragma once

// One car's laps and finish; the frame runs it with CurrentCar set.
void LapAndFinish();
