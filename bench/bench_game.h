// The benchmarks' game folder: the sample folder made once under the
// temporary folder, made current and its archives mounted.
#pragma once

#include <cstdlib>
#include <string>

#include "frame/vfs.h"
#include "mkdata.h"
#include "platform/plat_file.h"

inline bool MakeBenchGameFolder(const char* tag) {
    MkOptions options;
    const char* tmp = getenv("TMPDIR");
    options.outDir = std::string(tmp && *tmp ? tmp : "/tmp") + "/quorvix-bench-" + tag;
    return MakeGameFolder(options) && PlatSetCurrentDir(options.outDir.c_str()) && VfsScanArchives() == 1;
}
