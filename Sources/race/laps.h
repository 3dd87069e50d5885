// Laps, checkpoints, finishing and records.
#pragma once

// One car's laps and finish; the frame runs it with CurrentCar set.
void LapAndFinish();
// The distance record of the JUMP events; the body step calls it when a
// jump ends at or beyond the variant's record.
void CheckDistanceRecord();
