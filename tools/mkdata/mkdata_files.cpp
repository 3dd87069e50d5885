// The generator's file writing: plain files and staged archive files.

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "mkdata.h"
#include "platform/plat_file.h"

static std::string outRoot;

static std::string HostPath(const std::string& gamePath) {
    std::string path = outRoot;
    for (char c : gamePath)
        path += c == '\\' ? '/' : c;
    return path;
}

// Makes a folder chain.  Folders that exist in another letter case are
// used as they are ("3D" goes into an existing "3d"), so the staged trees
// never hold two spellings of one folder.
static bool MakeHostDirs(const std::string& wanted) {
    char resolved[PLAT_MAX_PATH];
    if (!PlatResolvePath(wanted.c_str(), resolved, sizeof resolved))
        return false;
    const std::string hostDir = resolved;
    std::string partial;
    for (size_t i = 0; i <= hostDir.size(); i++) {
        if (i == hostDir.size() || hostDir[i] == '/') {
            if (!partial.empty())
                mkdir(partial.c_str(), 0755);
        }
        if (i < hostDir.size())
            partial += hostDir[i];
    }
    struct stat st;
    return stat(hostDir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Removes a folder tree; links are removed, never followed.
bool MkRemoveTree(const std::string& hostPath) {
    if (!PlatIsDirectory(hostPath.c_str()) || PlatIsSymlink(hostPath.c_str()))
        return !PlatFileExists(hostPath.c_str()) || PlatDeleteFile(hostPath.c_str());
    PlatFindData data;
    bool ok = true;
    if (PlatFind* find = PlatFindFirst((hostPath + "/*").c_str(), &data)) {
        do {
            const std::string child = hostPath + "/" + data.name;
            ok = (data.isDirectory ? MkRemoveTree(child) : PlatDeleteFile(child.c_str()) != 0) && ok;
        } while (PlatFindNext(find, &data));
        PlatFindClose(find);
    }
    return PlatRemoveDir(hostPath.c_str()) && ok;
}

// A staging tree left by an interrupted run would be packed with this one.
void MkSetRoot(const std::string& root) {
    outRoot = root.empty() || root.back() == '/' ? root : root + "/";
    MkRemoveTree(outRoot + ".stage");
}

bool MkMakeDirs(const std::string& gamePath) { return MakeHostDirs(HostPath(gamePath)); }

bool MkWriteFile(const std::string& gamePath, const void* data, size_t size) {
    const std::string host = HostPath(gamePath);
    const size_t slash = host.rfind('/');
    if (slash != std::string::npos && !MakeHostDirs(host.substr(0, slash)))
        return false;
    // A plain write, never synced: the folder is made again whole when a
    // run is cut short, and most files are staged only to be packed.  A sync
    // for each of its thousands of files costs more than the rest of the run.
    // The old file goes first, so a running videosetup or a link to the file
    // is never written through.
    // The name is resolved as the game resolves it: "TST\sub" is "Tst/Sub".
    char resolved[PLAT_MAX_PATH];
    if (!PlatResolvePath(host.c_str(), resolved, sizeof resolved)) {
        fprintf(stderr, "mkdata: cannot write %s\n", host.c_str());
        return false;
    }
    unlink(resolved);
    FILE* file = fopen(resolved, "wb");
    const bool ok = file && (size == 0 || fwrite(data, 1, size, file) == size);
    if (!file || fclose(file) != 0 || !ok) {
        fprintf(stderr, "mkdata: cannot write %s\n", host.c_str());
        return false;
    }
    return true;
}

bool MkWriteText(const std::string& gamePath, const std::string& text) {
    return MkWriteFile(gamePath, text.data(), text.size());
}

// Archive contents are staged under .stage\ until FinishArchives packs them.
bool MkWriteArchived(const std::string& archivePath, const void* data, size_t size) {
    return MkWriteFile(".stage\\" + archivePath, data, size);
}
