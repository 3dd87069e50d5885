// Packing the staged archive trees into the game's data archives.
//
// MkWriteArchived stages a file under .stage\<archive>\...; here each staged
// top folder becomes data\<archive>.dat, written by the same packer as
// `quorvix-vfs pack`, and the staging tree goes.

#include <cstdio>
#include <string>

#include "frame/vfs_archive.h"
#include "mkdata.h"
#include "platform/plat_file.h"

bool MkRemoveTree(const std::string& hostPath);

bool FinishArchives(const MkOptions& options) {
    const std::string stage = options.outDir + "/.stage";
    const std::string dataDir = options.outDir + "/data";
    if (!MkMakeDirs("data"))
        return false;

    int packed = 0;
    bool ok = true;
    PlatFindData data;
    if (PlatFind* find = PlatFindFirst((stage + "/*").c_str(), &data)) {
        do {
            if (!data.isDirectory) {
                fprintf(stderr, "mkdata: %s/%s: a staged file must lie in an archive's folder\n", stage.c_str(),
                        data.name);
                ok = false;
                continue;
            }
            const std::string archive = dataDir + "/" + data.name + ".dat";
            char error[PLAT_MAX_PATH + 128];
            if (VfsPackFolder((stage + "/" + data.name).c_str(), archive.c_str(), error, sizeof error) < 0) {
                fprintf(stderr, "mkdata: %s\n", error);
                ok = false;
                continue;
            }
            packed++;
        } while (PlatFindNext(find, &data));
        PlatFindClose(find);
    }
    if (!ok)
        return false;
    MkRemoveTree(stage);

    // The game refuses to start without an archive: until something is
    // staged, an empty one stands in, and it goes once real ones exist.
    const VfsArchiveHeader empty = {0, 0};
    const std::string placeholder = dataDir + "/base.dat";
    if (!packed)
        return MkWriteFile("data\\base.dat", &empty, sizeof empty);
    if (PlatFileSize(placeholder.c_str()) == (int64_t)sizeof empty)   // a header alone holds nothing
        PlatDeleteFile(placeholder.c_str());
    return true;
}
