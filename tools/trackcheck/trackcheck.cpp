// quorvix-trackcheck GAMEDIR CODE
//
// Loads track CODE (group x 10 + variant) of the game folder as a race does
// and checks what a race needs of it.  Exit status 0 when it passes, 1 when
// it does not, 2 when it cannot be run.

#include <cstdio>
#include <cstdlib>

#include "track_checks.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: quorvix-trackcheck GAMEDIR CODE\n");
        return 2;
    }
    const int code = atoi(argv[2]);
    TrackCheckReport report;
    const int failures = RunTrackCheck(argv[1], code, report);
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
