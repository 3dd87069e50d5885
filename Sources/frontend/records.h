// Record tables: the setters that write a record into the live tables and
// the settings record's copy, the date stamps, and the records file of a
// profile.
#pragma once

#include "frontend/frontend_state.h"

int RecordTimeValue(RecordTime t);
// The local date and time as "dd/mm/yy - hh:mm:ss": 19 characters and a NUL.
void FormatDateTime(char text[20]);
void SetBestLapTime(int code, RecordTime time);
void SetBestRaceTime(int code, RecordTime time);
void SetLapRecordName(int code, const char* name);
void SetRaceRecordName(int code, const char* name);
void SetLapRecordDate(int code, const char* date);     // 19 bytes copied, whatever they hold
void SetRaceRecordDate(int code, const char* date);
// The current date and time into row `code` of the lap or race record dates
// (the race calls them when a record falls: RecordsFell).
void StampLapRecordDate(int code);
void StampRaceRecordDate(int code);

// The records file of the current profile, USERS\<name>\records.dat: the
// image of a settings record (RecordsImage) whose record tables are the
// profile's.  LoadRecords takes a whole 9,484-byte file into the image and
// the tables (1); a missing or refused file gives the built-in records (0).
// SaveRecords writes the live tables through the image (1 written).
extern SettingsRecord RecordsImage;
extern int RecordsFell;            // a record fell since the records were last saved
// Why a records file is refused, or null: it must be a whole image whose
// times are in range (clock times up to 99:59.99, jump distances with no
// minutes), whose names and dates are text ending inside their fields,
// and whose rows hold no record for a track code without a built-in one.
// The check of LoadRecords and quorvix-save.
const char* RecordsFileProblem(const unsigned char* bytes, int size);
// A refused file is named on the message console.
int LoadRecords();
int SaveRecords();
// The built-in records: the 46 rows of the tracks the game ships, every
// other row 0:00.00 with no holder, every date 03/01/00 - 12:00:55.
void LoadDefaultRecords();
// The return to the menus: the profile's records file is rewritten when a
// record fell during the race.
void SaveFallenRecords();
// USERS\<profile>\records.dat; 0 when no profile name can form it.
int RecordsPath(char* path, int size);
