// libFuzzer target of a profile file: any bytes as USERS\<name>.usr.  Only a
// 256-byte file whose first byte is a slot 1..12 or 0xFF is taken, and a
// refused one leaves the profile as it was and puts one console line.

#include <cstdint>
#include <cstring>

#include "frame/fileio.h"
#include "fuzz_input_file.h"
#include "frontend/profiles.h"


extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SetFuzzFile(data, size);
    memset(PlayerProfile, 0x42, sizeof PlayerProfile);
    fuzzinput::consoleLines = 0;
    const int taken = ReadProfileFile("Fuzz");
    // A file that is there and refused says so on the console, once.
    Check(fuzzinput::consoleLines == (taken || size == 0 ? 0 : 1));
    if (taken) {
        Check(size == 256);
        Check(PlayerProfile[0] == 0xFF || (PlayerProfile[0] >= 1 && PlayerProfile[0] <= 12));
    } else {
        Check(PlayerProfile[0] == 0x42 && PlayerProfile[255] == 0x42);
    }
    Check(ReadProfileFile("../up") == 0);
    return 0;
}
