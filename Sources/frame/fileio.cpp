#include "frame/fileio.h"

#include <cstdio>
#include <cstring>

#include "frame/vfs.h"
#include "frontend/text_slots.h"
#include "platform/plat_file.h"
#include "platform/plat_system.h"
#include "race/messages.h"
#include "race/race_state.h"

int LastFileSize;

static void ReportReadFailure(const char* path) {
    snprintf(TextBufferB, sizeof TextBufferB, "ERROR (Track=%d,%d) (%s)", TrackGroup, TrackVariant, path);
    DebugLogText(TextBufferB);
}

int ReadWholeFile(const char* path, void* buffer, int capacity) {
    const int archived = VfsReadFile(path, buffer, capacity);
    if (archived > 0) {
        LastFileSize = archived;
        return 1;
    }
    LastFileSize = 0;
    if (archived < 0) {
        // Archived, but larger than the caller's record: a plain copy on the
        // disk must not stand in for it.
        ReportReadFailure(path);
        return -1;
    }

    // Not archived (or archived empty): the plain file.  A file larger than
    // the buffer, or one that cannot be read whole, is a failure.
    FILE* file = PlatFopen(path, "rb");
    long size = -1;
    size_t got = 0;
    if (file && fseek(file, 0, SEEK_END) == 0) {
        size = ftell(file);
        if (size > 0 && size <= capacity && fseek(file, 0, SEEK_SET) == 0)
            got = fread(buffer, 1, (size_t)size, file);
    }
    if (file)
        fclose(file);
    if (got > 0 && (long)got == size) {
        DebugLogLoaded(path);
        LastFileSize = (int)size;
        return 1;
    }
    ReportReadFailure(path);
    return -1;
}

int ReadFileBytes(const char* path, void* buffer, int count) {
    LastFileSize = 0;
    FILE* file = PlatFopen(path, "rb");
    size_t got = 0;
    if (file && count > 0) {
        got = fread(buffer, 1, (size_t)count, file);
    }
    if (file)
        fclose(file);
    if (got > 0) {
        DebugLogLoaded(path);
        return 1;
    }
    ReportReadFailure(path);
    return -1;
}

int WriteWholeFile(const char* path, int count, const void* buffer) {
    if (count < 0 || (!buffer && count > 0) || !PlatWriteFileAtomic(path, buffer, (size_t)count)) {
        char line[300];
        snprintf(line, sizeof line, "ERROR!! File save failed   >> %s bytes:%d <<", path, count);
        ConsoleAddLine(line);
        return 0;
    }
    char line[300];
    snprintf(line, sizeof line, "(Grabado) %s", path);
    DebugLogLoaded(line);
    return 1;
}

// A folder is not a file: fopen would open it on this platform.
int QueryFileSize(const char* path) {
    const int64_t size = PlatFileSize(path);
    if (size < 0)
        return 0;
    FILE* file = PlatFopen(path, "rb");
    if (!file)
        return 0;
    fclose(file);
    LastFileSize = size > 0x7fffffff ? 0x7fffffff : (int)size;
    return 1;
}

void DebugLogText(const char* text) { PlatDebugOut(text); }
void DebugLogLoaded(const char* path) { PlatDebugOut(path); }
void DebugLogLine(const char* text, int) { PlatDebugOut(text); }
