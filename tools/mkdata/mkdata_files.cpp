// The generator's file writing: plain files and staged archive files.

#include <sys/stat.h>

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

static bool MakeHostDirs(const std::string& hostDir) {
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

void MkSetRoot(const std::string& root) { outRoot = root.empty() || root.back() == '/' ? root : root + "/"; }

bool MkMakeDirs(const std::string& gamePath) { return MakeHostDirs(HostPath(gamePath)); }

bool MkWriteFile(const std::string& gamePath, const void* data, size_t size) {
    const std::string host = HostPath(gamePath);
    const size_t slash = host.rfind('/');
    if (slash != std::string::npos && !MakeHostDirs(host.substr(0, slash)))
        return false;
    if (!PlatWriteFileAtomic(host.c_str(), data, size)) {
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
