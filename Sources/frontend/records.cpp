// The record tables, standings rows and career values that the race's lap
// and record checks read and write, and the date stamps of new records.

#include <cstdio>
#include <cstring>

#include "frontend/frontend_state.h"
#include "frontend/records.h"
#include "platform/plat_localtime.h"

namespace {

// Every record starts at 9:59.99 with no holder until a records file is
// read: a table of zeros could never be beaten.
struct RecordTables {
    RecordTables() {
        for (int code = 0; code < RECORD_TRACK_CODES; code++)
            BestLapTimes[code] = BestRaceTimes[code] = {9, 59, 99};
    }
};

}  // namespace

RecordTime BestLapTimes[RECORD_TRACK_CODES];
RecordTime BestRaceTimes[RECORD_TRACK_CODES];
static RecordTables recordTables;
char LapRecordNames[RECORD_TRACK_CODES][RECORD_NAME_BYTES];
char RaceRecordNames[RECORD_TRACK_CODES][RECORD_NAME_BYTES];
char LapRecordDates[RECORD_TRACK_CODES][RECORD_DATE_BYTES];
char RaceRecordDates[RECORD_TRACK_CODES][RECORD_DATE_BYTES];
char CurrentPlayerName[24];
int TargetMoney;
int CareerRace;
int RacePrize;
int RacePoints[8], ChampionshipTotals[8];
int StandingsPlayers = 2;
int PlayerStandingsRow[8];
const int FinishPoints[16] = {50, 30, 20, 15, 10, 8, 5, 0, -1, -1, -1, -1, -1, -1, -1, -1};
int ReplayNewRecord;

int RecordTimeValue(RecordTime t) { return t.minutes << 16 | t.seconds << 8 | t.hundredths; }

void FormatDateTime(char text[20]) {
    PlatLocalTime t;
    PlatGetLocalTime(&t);
    std::snprintf(text, 20, "%02d/%02d/%02d - %02d:%02d:%02d", (int)((unsigned)t.day % 100), (int)((unsigned)t.month % 100),
                  (int)((unsigned)t.year % 100), (int)((unsigned)t.hour % 100), (int)((unsigned)t.minute % 100), (int)((unsigned)t.second % 100));
}

// 19 characters, no NUL (the rows are zero beyond).
static void StampDate(char* row) {
    char text[20];
    FormatDateTime(text);
    std::memcpy(row, text, 19);
}

SettingsRecord RecordsImage;
int RecordsFell;

static int ValidCode(int code) { return code >= 0 && code < RECORD_TRACK_CODES; }

void StampLapRecordDate(int code) {
    if (!ValidCode(code))
        return;
    StampDate(LapRecordDates[code]);
    SetLapRecordDate(code, LapRecordDates[code]);
    RecordsFell = 1;
}

void StampRaceRecordDate(int code) {
    if (!ValidCode(code))
        return;
    StampDate(RaceRecordDates[code]);
    SetRaceRecordDate(code, RaceRecordDates[code]);
    RecordsFell = 1;
}

// Each setter writes the live table, the records file's image and the
// settings record's copy together.
void SetBestLapTime(int code, RecordTime time) {
    if (!ValidCode(code))
        return;
    BestLapTimes[code] = time;
    std::memcpy(SettingsImage.bestLapTime[code], &time, 3);
    std::memcpy(RecordsImage.bestLapTime[code], &time, 3);
}

void SetBestRaceTime(int code, RecordTime time) {
    if (!ValidCode(code))
        return;
    BestRaceTimes[code] = time;
    std::memcpy(SettingsImage.bestRaceTime[code], &time, 3);
    std::memcpy(RecordsImage.bestRaceTime[code], &time, 3);
}

// A name keeps 19 characters and its NUL; a date its 19 characters, and
// bytes 19 to 21 of each copy keep what they held.
static void CopyName(char* row, char* settingsRow, char* imageRow, const char* name) {
    std::memset(row, 0, RECORD_NAME_BYTES);
    std::strncpy(row, name, 19);
    std::memcpy(settingsRow, row, RECORD_NAME_BYTES);
    std::memcpy(imageRow, row, RECORD_NAME_BYTES);
}

static void CopyDate(char* row, char* settingsRow, char* imageRow, const char* date) {
    char text[19];
    std::memcpy(text, date, 19);
    if (row != date)
        std::memcpy(row, text, 19);
    std::memcpy(settingsRow, text, 19);
    std::memcpy(imageRow, text, 19);
}

void SetLapRecordName(int code, const char* name) {
    if (ValidCode(code))
        CopyName(LapRecordNames[code], SettingsImage.bestLapHolder[code], RecordsImage.bestLapHolder[code], name);
}

void SetRaceRecordName(int code, const char* name) {
    if (ValidCode(code))
        CopyName(RaceRecordNames[code], SettingsImage.bestRaceHolder[code], RecordsImage.bestRaceHolder[code], name);
}

void SetLapRecordDate(int code, const char* date) {
    if (ValidCode(code))
        CopyDate(LapRecordDates[code], SettingsImage.bestLapDate[code], RecordsImage.bestLapDate[code], date);
}

void SetRaceRecordDate(int code, const char* date) {
    if (ValidCode(code))
        CopyDate(RaceRecordDates[code], SettingsImage.bestRaceDate[code], RecordsImage.bestRaceDate[code], date);
}

