// quorvix-trackcheck GAMEDIR CODE
// quorvix-trackcheck --all GAMEDIR
//
// Loads track CODE (group x 10 + variant) of the game folder as a race does
// and checks what a race needs of it; --all checks every code a race can
// start on.  Exit status 0 when all pass, 1 when one does not, 2 when a
// check cannot be run.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "track/asset_paths.h"
#include "track_checks.h"

namespace {

// 0 passed, 1 failed, 2 not run.
int CheckOne(const char* gameDir, int code) {
    TrackCheckReport report;
    const int failures = RunTrackCheck(gameDir, code, report);
    if (failures < 0) {
        fprintf(stderr, "quorvix-trackcheck: %s\n", report.failures.empty() ? "cannot load" : report.failures[0].c_str());
        return 2;
    }
    for (const std::string& line : report.failures)
        printf("FAIL: %s\n", line.c_str());
    for (const std::string& line : report.notes)
        printf("      %s\n", line.c_str());
    if (failures)
        printf("track %d: %d problem%s\n", code, failures, failures == 1 ? "" : "s");
    else
        printf("track %d: OK\n", code);
    return failures ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: quorvix-trackcheck GAMEDIR CODE | quorvix-trackcheck --all GAMEDIR\n");
        return 2;
    }
    if (strcmp(argv[1], "--all") == 0) {
        // Each check makes the folder current: a relative path would not
        // name it a second time.
        std::error_code error;
        const std::string dir = std::filesystem::absolute(argv[2], error).string();
        int worst = 0, failed = 0;
        for (int code : RaceTrackCodes) {
            const int result = CheckOne(dir.c_str(), code);
            worst = result > worst ? result : worst;
            failed += result != 0;
        }
        printf("%d of %d tracks pass\n", RACE_TRACK_CODES - failed, (int)RACE_TRACK_CODES);
        return worst;
    }
    return CheckOne(argv[1], atoi(argv[2]));
}
