// Packing a folder tree into a data archive (quorvix-vfs pack, and the
// generator of the sample game folder).
//
// Directories are numbered breadth first, so a parent always comes before
// its children; names are sorted, so the same tree always gives the same
// archive.  The whole archive is built in memory and written in one go.

#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <string>

#include "frame/vfs_archive.h"
#include "platform/plat_file.h"

struct PackDir {
    int parent;
    std::string name;
    std::string hostPath;
};

struct PackFile {
    int parent;
    std::string name;
    std::string hostPath;
    int64_t size;
};

static int Fail(char* error, int errorSize, const char* format, ...) {
    if (error && errorSize > 0) {
        va_list args;
        va_start(args, format);
        vsnprintf(error, (size_t)errorSize, format, args);
        va_end(args);
    }
    return -1;
}

static std::string Lower(const std::string& name) {
    std::string lower = name;
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = (char)(c + ('a' - 'A'));
    }
    return lower;
}

// Two names of one kind in one folder that differ only in letter case would
// be one name to the game.
static int FindCaseClash(std::vector<std::string> names, std::string* clash) {
    for (std::string& name : names)
        name = Lower(name);
    std::sort(names.begin(), names.end());
    for (size_t i = 1; i < names.size(); i++) {
        if (names[i] == names[i - 1]) {
            *clash = names[i];
            return 1;
        }
    }
    return 0;
}

// Lists one folder into the tables; -1 with the reason in `error` on failure.
static int ListFolder(const std::string& hostPath, int number, std::vector<PackDir>& dirs, std::vector<PackFile>& files,
                      char* error, int errorSize) {
    std::vector<std::string> dirNames, fileNames;
    PlatFindData data;
    PlatFind* find = PlatFindFirst((hostPath + "/*").c_str(), &data);
    if (find) {
        do {
            (data.isDirectory ? dirNames : fileNames).push_back(data.name);
        } while (PlatFindNext(find, &data));
        PlatFindClose(find);
    }
    std::sort(dirNames.begin(), dirNames.end());
    std::sort(fileNames.begin(), fileNames.end());
    std::string clash;
    if (FindCaseClash(dirNames, &clash) || FindCaseClash(fileNames, &clash))
        return Fail(error, errorSize, "%s: two names differ only in letter case (%s)", hostPath.c_str(), clash.c_str());
    for (const std::vector<std::string>* names : {&dirNames, &fileNames}) {
        for (const std::string& name : *names) {
            if (name.size() >= VFS_NAME_SIZE)
                return Fail(error, errorSize, "%s/%s: name longer than %d characters", hostPath.c_str(), name.c_str(),
                            VFS_NAME_SIZE - 1);
        }
    }
    for (const std::string& name : dirNames)
        dirs.push_back({number, name, hostPath + "/" + name});
    for (const std::string& name : fileNames) {
        const std::string path = hostPath + "/" + name;
        const int64_t size = PlatFileSize(path.c_str());
        if (size < 0)
            return Fail(error, errorSize, "%s: not a readable file", path.c_str());
        files.push_back({number, name, path, size});
    }
    return 1;
}

static int ReadInto(const std::string& hostPath, unsigned char* out, int64_t size) {
    FILE* file = PlatFopen(hostPath.c_str(), "rb");
    if (!file)
        return 0;
    const size_t got = size > 0 ? fread(out, 1, (size_t)size, file) : 0;
    fclose(file);
    return (int64_t)got == size;
}

int VfsPackFolder(const char* folder, const char* outPath, char* error, int errorSize) {
    if (!PlatIsDirectory(folder))
        return Fail(error, errorSize, "%s: not a folder", folder);
    char root[PLAT_MAX_PATH];
    if (!PlatResolvePath(folder, root, sizeof root))
        return Fail(error, errorSize, "%s: path too long", folder);

    std::vector<PackDir> dirs;
    std::vector<PackFile> files;
    if (ListFolder(root, 0, dirs, files, error, errorSize) < 0)
        return -1;
    for (size_t i = 0; i < dirs.size(); i++) {   // grows while it is walked: breadth first
        const std::string hostPath = dirs[i].hostPath;
        if (ListFolder(hostPath, (int)i + 1, dirs, files, error, errorSize) < 0)
            return -1;
    }

    const int64_t dataStart = (int64_t)sizeof(VfsArchiveHeader) + (int64_t)dirs.size() * (int64_t)sizeof(VfsDirRecord) +
                              (int64_t)files.size() * (int64_t)sizeof(VfsFileRecord);
    int64_t total = dataStart;
    for (const PackFile& file : files)
        total += file.size;
    if (total > 0x7fffffff)
        return Fail(error, errorSize, "%s: an archive holds at most 2 GB", folder);

    std::vector<unsigned char> image((size_t)total, 0);
    const VfsArchiveHeader header = {(int32_t)dirs.size(), (int32_t)files.size()};
    memcpy(image.data(), &header, sizeof header);
    unsigned char* p = image.data() + sizeof header;
    for (const PackDir& dir : dirs) {
        VfsDirRecord record = {};
        record.parent = dir.parent;
        memcpy(record.name, dir.name.data(), dir.name.size());
        memcpy(p, &record, sizeof record);
        p += sizeof record;
    }
    int64_t offset = dataStart;
    for (const PackFile& file : files) {
        VfsFileRecord record = {};
        record.parent = file.parent;
        memcpy(record.name, file.name.data(), file.name.size());
        record.offset = (int32_t)offset;
        record.size = (int32_t)file.size;
        memcpy(p, &record, sizeof record);
        p += sizeof record;
        if (!ReadInto(file.hostPath, image.data() + offset, file.size))
            return Fail(error, errorSize, "%s: cannot read", file.hostPath.c_str());
        offset += file.size;
    }
    if (!PlatWriteFileAtomic(outPath, image.data(), image.size()))
        return Fail(error, errorSize, "%s: cannot write", outPath);
    return (int)files.size();
}
