// The profile file USERS\<name>.usr.
#include <cstdio>
#include <cstring>

#include "frame/fileio.h"
#include "frontend/file_names.h"
#include "frontend/player_files.h"
#include "frontend/profiles.h"

unsigned char PlayerProfile[256];

const char* ProfileImageProblem(const unsigned char* bytes, int size) {
    if (!bytes || size != (int)sizeof PlayerProfile)
        return "a profile file is 256 bytes";
    if (bytes[0] != 0xFF && (bytes[0] < 1 || bytes[0] > 12))
        return "the last slot is neither 1 to 12 nor 0xFF";
    return nullptr;
}

int ProfilePath(const char* name, char* path, int size) {
    return FileNameSafe(name, PROFILE_NAME_LISTED) && std::snprintf(path, (size_t)size, "USERS\\%s.usr", name) < size;
}

int ReadProfileFile(const char* name) {
    unsigned char staging[256];
    char path[64];
    if (!ProfilePath(name, path, (int)sizeof path) ||
        !ReadPlayerFile(path, nullptr, staging, (int)sizeof staging, ProfileImageProblem))
        return 0;
    memcpy(PlayerProfile, staging, sizeof PlayerProfile);
    return 1;
}
