// The fuzzer's input as the one file a target reads: ReadWholeFile,
// QueryFileSize (and LastFileSize) serve it as the game's reader would, the
// message console counts its lines, and Check stops the
// run when a target's promise is broken.  Included by one source per
// target.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace fuzzinput {
inline const uint8_t* fileData;
inline size_t fileSize;
inline int consoleLines;   // lines put on the message console
}  // namespace fuzzinput

inline void Check(bool ok) {
    if (!ok)
        abort();
}

// The input becomes the file's contents.
inline void SetFuzzFile(const uint8_t* data, size_t size) {
    fuzzinput::fileData = data;
    fuzzinput::fileSize = size;
}

int LastFileSize;
int ReadWholeFile(const char*, void* buffer, int capacity) {
    if (fuzzinput::fileSize == 0 || fuzzinput::fileSize > (size_t)capacity) {
        LastFileSize = 0;
        return -1;
    }
    memcpy(buffer, fuzzinput::fileData, fuzzinput::fileSize);
    LastFileSize = (int)fuzzinput::fileSize;
    return 1;
}
int QueryFileSize(const char*) {
    LastFileSize = (int)fuzzinput::fileSize;
    return fuzzinput::fileSize > 0;
}
void ConsoleAddLine(const char*) { fuzzinput::consoleLines++; }
