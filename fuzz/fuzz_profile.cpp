// libFuzzer target of a profile file: any bytes as USERS\<name>.usr.  Only a
// 256-byte file whose first byte is a slot 1..12 or 0xFF is taken, and a
// refused one leaves the profile as it was.

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "frame/fileio.h"
#include "frontend/profiles.h"

namespace {

const uint8_t* fileData;
size_t fileSize;

void Check(bool ok) {
    if (!ok)
        abort();
}

}  // namespace

int LastFileSize;
int ReadWholeFile(const char*, void* buffer, int capacity) {
    if (fileSize == 0 || fileSize > (size_t)capacity) {
        LastFileSize = 0;
        return -1;
    }
    memcpy(buffer, fileData, fileSize);
    LastFileSize = (int)fileSize;
    return 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fileData = data;
    fileSize = size;
    memset(PlayerProfile, 0x42, sizeof PlayerProfile);
    const int taken = ReadProfileFile("Fuzz");
    if (taken) {
        Check(size == 256);
        Check(PlayerProfile[0] == 0xFF || (PlayerProfile[0] >= 1 && PlayerProfile[0] <= 12));
    } else {
        Check(PlayerProfile[0] == 0x42 && PlayerProfile[255] == 0x42);
    }
    Check(ReadProfileFile("../up") == 0);
    return 0;
}
