#include "frontend/file_names.h"

#include <cstring>

int FileNameSafe(const char* name, int maxLength) {
    if (!name || !name[0] || name[0] == '.')
        return 0;
    int length = 0;
    for (const char* c = name; *c; c++, length++) {
        const unsigned char u = (unsigned char)*c;
        if (length >= maxLength || u < 0x20 || u == 0x7F || std::strchr("\\/:*?\"<>|", u))
            return 0;
    }
    return 1;
}
