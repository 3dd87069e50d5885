// The championship file USERS\<profile>\Camp.r-b: the whole career record,
// believed only when it passes the career save's checks.

#include <cstdio>

#include "frame/fileio.h"
#include "frontend/career_file.h"
#include "frontend/championship.h"
#include "frontend/file_names.h"

int ChampionshipFilePath(char* path, int size) {
    if (!FileNameSafe(CurrentPlayerName, PROFILE_NAME_LISTED))
        return 0;
    const int length = std::snprintf(path, (size_t)size, "USERS\\%s\\Camp.r-b", CurrentPlayerName);
    return length > 0 && length < size;
}

int ReadChampionshipFile(CareerRecordImage* out) {
    char path[96];
    return ChampionshipFilePath(path, (int)sizeof path) && ReadCareerRecordFile(path, out);
}

int WriteChampionshipFile(const CareerRecordImage& record) {
    char path[96];
    return ChampionshipFilePath(path, (int)sizeof path) && WriteWholeFile(path, (int)sizeof record, &record);
}
