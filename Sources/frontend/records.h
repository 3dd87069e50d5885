// Record tables: the setters that write a record into the live tables and
// the settings record's copy, the date stamps, and the records file of a
// profile.
#pragma once

#include "frontend/frontend_state.h"

int RecordTimeValue(RecordTime t);
void SetBestLapTime(int code, RecordTime time);
void SetBestRaceTime(int code, RecordTime time);
void SetLapRecordName(int code, const char* name);
void SetRaceRecordName(int code, const char* name);
// The current date and time into row `code` of the lap or race record dates.
void StampLapRecordDate(int code);
void StampRaceRecordDate(int code);

// The records file of a profile is not read or written yet: LoadRecords
// reads nothing (0) and the others leave the tables as they are.
int LoadRecords();
void SaveRecords();
void LoadDefaultRecords();
