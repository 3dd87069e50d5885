// The record tables, standings rows and career values that the race's lap
// and record checks read and write, and the date stamps of new records.

#include <cstdio>
#include <cstring>
#include <ctime>

#include "frontend/frontend_state.h"
#include "frontend/records.h"

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

// "dd/mm/yy - hh:mm:ss": 19 characters, no NUL (the rows are zero beyond).
static void StampDate(char* row) {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    char text[32] = "03/01/00 - 12:00:55";
    if (local)
        std::snprintf(text, sizeof text, "%02d/%02d/%02d - %02d:%02d:%02d", local->tm_mday % 100,
                      (local->tm_mon + 1) % 100, local->tm_year % 100, local->tm_hour % 100, local->tm_min % 100,
                      local->tm_sec % 100);
    std::memcpy(row, text, 19);
}

static int ValidCode(int code) { return code >= 0 && code < RECORD_TRACK_CODES; }

void StampLapRecordDate(int code) {
    if (!ValidCode(code))
        return;
    StampDate(LapRecordDates[code]);
    std::memcpy(SettingsImage.bestLapDate[code], LapRecordDates[code], 19);
}

void StampRaceRecordDate(int code) {
    if (!ValidCode(code))
        return;
    StampDate(RaceRecordDates[code]);
    std::memcpy(SettingsImage.bestRaceDate[code], RaceRecordDates[code], 19);
}

// The live tables and the settings record's copy together.
void SetBestLapTime(int code, RecordTime time) {
    if (!ValidCode(code))
        return;
    BestLapTimes[code] = time;
    std::memcpy(SettingsImage.bestLapTime[code], &time, 3);
}

void SetBestRaceTime(int code, RecordTime time) {
    if (!ValidCode(code))
        return;
    BestRaceTimes[code] = time;
    std::memcpy(SettingsImage.bestRaceTime[code], &time, 3);
}

static void CopyName(char* row, char* settingsRow, const char* name) {
    std::memset(row, 0, RECORD_NAME_BYTES);
    std::strncpy(row, name, 19);
    std::memcpy(settingsRow, row, RECORD_NAME_BYTES);
}

void SetLapRecordName(int code, const char* name) {
    if (ValidCode(code))
        CopyName(LapRecordNames[code], SettingsImage.bestLapHolder[code], name);
}

void SetRaceRecordName(int code, const char* name) {
    if (ValidCode(code))
        CopyName(RaceRecordNames[code], SettingsImage.bestRaceHolder[code], name);
}

int LoadRecords() { return 0; }
void SaveRecords() {}
void LoadDefaultRecords() {}
