// INI reading: [section] lines and key=value lines, ';' comments.

#include "platform/plat_ini.h"

#include <strings.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/plat_file.h"

static char* Trim(char* s) {
    while (*s == ' ' || *s == '\t')
        s++;
    char* end = s + strlen(s);
    while (end > s && (end[-1] == ' ' || end[-1] == '\t' || end[-1] == '\r' || end[-1] == '\n'))
        *--end = 0;
    return s;
}

static int CopyOut(const char* value, char* out, int size) {
    if (!out || size <= 0)
        return 0;
    snprintf(out, (size_t)size, "%s", value ? value : "");
    return (int)strlen(out);
}

int PlatIniGetString(const char* gamePath, const char* section, const char* key, const char* defaultValue,
                     char* out, int size) {
    FILE* file = PlatFopen(gamePath, "rb");
    if (!file)
        return CopyOut(defaultValue, out, size);
    char line[1024];
    int inSection = 0;
    int found = 0;
    while (!found && fgets(line, sizeof line, file)) {
        char* s = Trim(line);
        if (*s == ';' || *s == 0)
            continue;
        if (*s == '[') {
            char* close = strchr(s, ']');
            if (close)
                *close = 0;
            inSection = strcasecmp(Trim(s + 1), section) == 0;
            continue;
        }
        char* equals = strchr(s, '=');
        if (!inSection || !equals)
            continue;
        *equals = 0;
        if (strcasecmp(Trim(s), key) != 0)
            continue;
        char* value = Trim(equals + 1);
        const size_t length = strlen(value);
        if (length >= 2 && (value[0] == '"' || value[0] == '\'') && value[length - 1] == value[0]) {
            value[length - 1] = 0;
            value++;
        }
        CopyOut(value, out, size);
        found = 1;
    }
    fclose(file);
    return found ? (int)strlen(out) : CopyOut(defaultValue, out, size);
}

int PlatIniGetInt(const char* gamePath, const char* section, const char* key, int defaultValue) {
    char value[64];
    if (PlatIniGetString(gamePath, section, key, "", value, sizeof value) == 0)
        return defaultValue;
    return (int)strtol(value, nullptr, 10);
}
