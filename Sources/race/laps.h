// Laps, checkpoints, finishing and records.
#pragma once

// One car's laps and finish; the frame runs it with CurrentCar set.
void LapAndFinish();
// At each lap of a local car: the race's best lap, then the track's lap and
// race records.
void CheckLapRecords();
// The distance record of the JUMP events; the body step calls it when a
// jump ends at or beyond the variant's record.
void CheckDistanceRecord();
// Tick: the car's running lap clock into its LapTimeTable entry.
void WriteRunningLapTime(int car);
