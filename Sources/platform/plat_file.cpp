// Files and folders: Windows game paths mapped onto the disk.

#include "platform/plat_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>

static std::mutex currentDirMutex;
static char currentDir[PLAT_MAX_PATH];

static void EnsureCurrentDir() {
    if (currentDir[0])
        return;
    if (!getcwd(currentDir, sizeof currentDir))
        snprintf(currentDir, sizeof currentDir, "/");
}

const char* PlatGetCurrentDir() {
    std::lock_guard<std::mutex> lock(currentDirMutex);
    EnsureCurrentDir();
    return currentDir;
}

static int LstatExists(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

// Finds `name` in `dir` without regard to case; empty when nothing matches.
static std::string FindNoCase(const std::string& dir, const char* name) {
    DIR* d = opendir(dir.empty() ? "/" : dir.c_str());
    if (!d)
        return std::string();
    std::string found;
    while (struct dirent* entry = readdir(d)) {
        if (strcasecmp(entry->d_name, name) == 0) {
            found = entry->d_name;
            break;
        }
    }
    closedir(d);
    return found;
}

int PlatResolvePath(const char* gamePath, char* hostPath, int size) {
    if (!gamePath || !hostPath || size <= 0)
        return 0;
    std::string base;
    const char* p = gamePath;
    if (*p == '/' || *p == '\\') {
        base = "";   // an absolute host path
    } else {
        std::lock_guard<std::mutex> lock(currentDirMutex);
        EnsureCurrentDir();
        base = currentDir;
        if (base == "/")
            base = "";
    }
    int missing = 0;   // once a component is missing, the rest keep their spelling
    while (*p) {
        while (*p == '/' || *p == '\\')
            p++;
        const char* end = p;
        while (*end && *end != '/' && *end != '\\')
            end++;
        if (end == p)
            break;
        std::string component(p, (size_t)(end - p));
        p = end;
        if (component == ".")
            continue;
        if (component == "..") {
            const size_t slash = base.rfind('/');
            base = slash == std::string::npos ? "" : base.substr(0, slash);
            continue;
        }
        std::string candidate = base + "/" + component;
        if (!missing && !LstatExists(candidate)) {
            const std::string match = FindNoCase(base, component.c_str());
            if (!match.empty())
                candidate = base + "/" + match;
            else
                missing = 1;
        }
        base = candidate;
    }
    if (base.empty())
        base = "/";
    if ((int)base.size() >= size)
        return 0;
    memcpy(hostPath, base.c_str(), base.size() + 1);
    return 1;
}

int PlatSetCurrentDir(const char* gamePath) {
    char host[PLAT_MAX_PATH];
    if (!PlatResolvePath(gamePath, host, sizeof host))
        return 0;
    struct stat st;
    if (stat(host, &st) != 0 || !S_ISDIR(st.st_mode))
        return 0;
    std::lock_guard<std::mutex> lock(currentDirMutex);
    snprintf(currentDir, sizeof currentDir, "%s", host);
    return 1;
}

FILE* PlatFopen(const char* gamePath, const char* mode) {
    char host[PLAT_MAX_PATH];
    if (!PlatResolvePath(gamePath, host, sizeof host))
        return nullptr;
    return fopen(host, mode);
}

static int StatOf(const char* gamePath, struct stat* st, int follow) {
    char host[PLAT_MAX_PATH];
    if (!PlatResolvePath(gamePath, host, sizeof host))
        return 0;
    return (follow ? stat(host, st) : lstat(host, st)) == 0;
}

int PlatFileExists(const char* gamePath) {
    struct stat st;
    return StatOf(gamePath, &st, 1) && S_ISREG(st.st_mode);
}

int PlatIsDirectory(const char* gamePath) {
    struct stat st;
    return StatOf(gamePath, &st, 1) && S_ISDIR(st.st_mode);
}

int PlatIsSymlink(const char* gamePath) {
    struct stat st;
    return StatOf(gamePath, &st, 0) && S_ISLNK(st.st_mode);
}

int64_t PlatFileSize(const char* gamePath) {
    struct stat st;
    if (!StatOf(gamePath, &st, 1) || !S_ISREG(st.st_mode))
        return -1;
    return (int64_t)st.st_size;
}

int PlatDeleteFile(const char* gamePath) {
    char host[PLAT_MAX_PATH];
    if (!PlatResolvePath(gamePath, host, sizeof host))
        return 0;
    struct stat st;
    if (lstat(host, &st) != 0 || S_ISDIR(st.st_mode))
        return 0;
    return unlink(host) == 0;   // a symbolic link is removed, never followed
}

int PlatRemoveDir(const char* gamePath) {
    char host[PLAT_MAX_PATH];
    if (!PlatResolvePath(gamePath, host, sizeof host))
        return 0;
    struct stat st;
    if (lstat(host, &st) != 0 || !S_ISDIR(st.st_mode))
        return 0;
    return rmdir(host) == 0;
}

int PlatMakeDir(const char* gamePath) {
    char host[PLAT_MAX_PATH];
    if (!PlatResolvePath(gamePath, host, sizeof host))
        return 0;
    return mkdir(host, 0755) == 0;
}

int PlatWriteFileAtomic(const char* gamePath, const void* data, size_t size) {
    char host[PLAT_MAX_PATH];
    if (!PlatResolvePath(gamePath, host, sizeof host))
        return 0;
    char temp[PLAT_MAX_PATH + 32];
    snprintf(temp, sizeof temp, "%s.tmp%ld", host, (long)getpid());
    const int fd = open(temp, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return 0;
    const char* bytes = (const char*)data;
    size_t done = 0;
    int ok = 1;
    while (done < size) {
        const ssize_t n = write(fd, bytes + done, size - done);
        if (n <= 0) {
            ok = 0;
            break;
        }
        done += (size_t)n;
    }
    if (ok && fsync(fd) != 0)
        ok = 0;
    if (close(fd) != 0)
        ok = 0;
    if (ok && rename(temp, host) != 0)
        ok = 0;
    if (!ok)
        unlink(temp);
    return ok;
}

uint64_t PlatDiskFreeBytes(const char* gamePath) {
    char host[PLAT_MAX_PATH];
    if (!PlatResolvePath(gamePath, host, sizeof host))
        return 0;
    struct statvfs vfs;
    if (statvfs(host, &vfs) != 0)
        return 0;
    return (uint64_t)vfs.f_bavail * (uint64_t)vfs.f_frsize;
}

int PlatWildcardMatch(const char* pattern, const char* name) {
    // Iterative match with one backtrack point for the last '*'.
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*name) {
        const int p = (unsigned char)*pattern;
        const int n = (unsigned char)*name;
        if (p == '*') {
            star = pattern++;
            resume = name;
        } else if (p == '?' || (p && tolower(p) == tolower(n))) {
            pattern++;
            name++;
        } else if (star) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return 0;
        }
    }
    while (*pattern == '*')
        pattern++;
    return *pattern == 0;
}

struct PlatFind {
    DIR* dir;
    std::string folder;
    std::string pattern;
};

static int FindFill(PlatFind* find, PlatFindData* data) {
    while (struct dirent* entry = readdir(find->dir)) {
        if (strcmp(entry->d_name, ".") == 0 || strcmp(entry->d_name, "..") == 0)
            continue;
        if (!PlatWildcardMatch(find->pattern.c_str(), entry->d_name))
            continue;
        const std::string full = find->folder + "/" + entry->d_name;
        struct stat st;
        if (lstat(full.c_str(), &st) != 0)
            continue;
        snprintf(data->name, sizeof data->name, "%s", entry->d_name);
        data->isDirectory = S_ISDIR(st.st_mode);
        data->size = S_ISREG(st.st_mode) ? (int64_t)st.st_size : 0;
        return 1;
    }
    return 0;
}

PlatFind* PlatFindFirst(const char* pattern, PlatFindData* data) {
    std::string path(pattern);
    const size_t cut = path.find_last_of("\\/");
    const std::string folder = cut == std::string::npos ? std::string(".") : path.substr(0, cut);
    const std::string last = cut == std::string::npos ? path : path.substr(cut + 1);
    char host[PLAT_MAX_PATH];
    if (!PlatResolvePath(folder.empty() ? "\\" : folder.c_str(), host, sizeof host))
        return nullptr;
    DIR* dir = opendir(host);
    if (!dir)
        return nullptr;
    PlatFind* find = new PlatFind{dir, host, last};
    if (!FindFill(find, data)) {
        PlatFindClose(find);
        return nullptr;
    }
    return find;
}

int PlatFindNext(PlatFind* find, PlatFindData* data) { return find && FindFill(find, data); }

void PlatFindClose(PlatFind* find) {
    if (!find)
        return;
    closedir(find->dir);
    delete find;
}
