// Record tables: the setters that write a record into the live tables and
// the settings record's copy, and the date stamps.
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
