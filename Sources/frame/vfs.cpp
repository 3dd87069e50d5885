// The data archives: the table of mounted archives, lookup by path, and
// reads through handles.
//
// Every archive of data\ is checked and indexed once, when it is mounted at
// start-up, and its file stays open; "opening" an archive for a lookup only
// makes it the open one.  So switching between archives costs nothing, and a
// damaged archive is refused before any lookup can trust it.

#include "frame/vfs.h"

#include <cstdlib>
#include <cstring>

#include "frame/fileio.h"
#include "frame/vfs_archive.h"
#include "platform/plat_file.h"

struct VfsArchiveEntry {
    char name[VFS_NAME_SIZE];       // the file name up to its first '.'
    char folder[PLAT_MAX_PATH];     // the folder of an added archive
    int fromFolder;                 // 0: the archive lives in data\ .
    FILE* file;
    VfsIndex index;
};

static VfsArchiveEntry ArchiveTable[VFS_MAX_ARCHIVES];
static int ArchiveCount;
static int OpenArchive = -1;        // the archive lookups last went into
static int OpenSerial;              // counts changes of the open archive
static char BaseDir[PLAT_MAX_PATH]; // the current folder at the scan
static int LastError;

static int LowerAscii(int c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

static int SameName(const char* name, const char* part, int length) {
    for (int i = 0; i < length; i++) {
        if (!name[i] || LowerAscii((unsigned char)name[i]) != LowerAscii((unsigned char)part[i]))
            return 0;
    }
    return name[length] == 0;
}

static int IsSeparator(char c) { return c == '\\' || c == '/'; }

// out = base + "/" + the first `length` bytes of part (part alone when base
// is empty); 0 when it does not fit.
static int JoinPath(char* out, size_t size, const char* base, const char* part, size_t length) {
    const size_t baseLength = strlen(base);
    const size_t total = baseLength + (baseLength ? 1 : 0) + length;
    if (total >= size)
        return 0;
    memcpy(out, base, baseLength);
    if (baseLength)
        out[baseLength] = '/';
    memcpy(out + total - length, part, length);
    out[total] = 0;
    return 1;
}

static void LogArchive(const char* path, const char* what) {
    char line[PLAT_MAX_PATH + 128];
    snprintf(line, sizeof line, "VFS: %s: %s", path, what);
    DebugLogText(line);
}

static int MountArchive(const char* hostPath, const char* name, int nameLength, const char* folder, int fromFolder) {
    if (ArchiveCount >= VFS_MAX_ARCHIVES) {
        LogArchive(hostPath, "ignored, the archive table is full");
        return 0;
    }
    if (nameLength <= 0 || nameLength >= VFS_NAME_SIZE) {
        LogArchive(hostPath, "ignored, its name is empty or too long");
        return 0;
    }
    FILE* file = PlatFopen(hostPath, "rb");
    if (!file) {
        LastError = 1;
        LogArchive(hostPath, "cannot be opened");
        return 0;
    }
    VfsArchiveEntry& entry = ArchiveTable[ArchiveCount];
    long size = -1;
    if (fseek(file, 0, SEEK_END) == 0)
        size = ftell(file);
    if (size < 0 || !VfsIndexFile(&entry.index, file, size)) {
        fclose(file);
        VfsIndexClear(&entry.index);
        LastError = 1;
        LogArchive(hostPath, "skipped, its header does not fit the file");
        return 0;
    }
    if (entry.index.rejected) {
        char what[64];
        snprintf(what, sizeof what, "%d bad entries ignored", entry.index.rejected);
        LogArchive(hostPath, what);
    }
    snprintf(entry.name, sizeof entry.name, "%.*s", nameLength, name);
    snprintf(entry.folder, sizeof entry.folder, "%s", folder);
    entry.fromFolder = fromFolder;
    entry.file = file;
    return ++ArchiveCount;
}

// Length of a file name up to its first '.'.
static int ArchiveNameLength(const char* fileName) {
    const char* dot = strchr(fileName, '.');
    return dot ? (int)(dot - fileName) : (int)strlen(fileName);
}

void VfsClose() {
    for (int i = 0; i < ArchiveCount; i++) {
        fclose(ArchiveTable[i].file);
        ArchiveTable[i].file = nullptr;
        VfsIndexClear(&ArchiveTable[i].index);
    }
    ArchiveCount = 0;
    OpenArchive = -1;
    OpenSerial++;
}

int VfsScanArchives() {
    VfsClose();
    snprintf(BaseDir, sizeof BaseDir, "%s", PlatGetCurrentDir());
    PlatFindData data;
    PlatFind* find = PlatFindFirst("data\\*.dat", &data);
    if (find) {
        do {
            if (data.isDirectory)
                continue;
            char folder[PLAT_MAX_PATH], path[PLAT_MAX_PATH];
            if (!JoinPath(folder, sizeof folder, BaseDir, "data", 4) ||
                !JoinPath(path, sizeof path, folder, data.name, strlen(data.name))) {
                LogArchive(data.name, "ignored, its path is too long");
                continue;
            }
            MountArchive(path, data.name, ArchiveNameLength(data.name), "", 0);
        } while (PlatFindNext(find, &data));
        PlatFindClose(find);
    }
    OpenArchive = -1;
    LastError = 0;
    return ArchiveCount > 0;
}

int VfsAddArchive(const char* path) {
    const char* fileName = path;
    for (const char* p = path; *p; p++) {
        if (IsSeparator(*p))
            fileName = p + 1;
    }
    char folder[PLAT_MAX_PATH], hostPath[PLAT_MAX_PATH];
    const char* base = IsSeparator(path[0]) ? "" : BaseDir;
    if (!JoinPath(folder, sizeof folder, "", path, (size_t)(fileName - path)) ||
        !JoinPath(hostPath, sizeof hostPath, base, path, strlen(path))) {
        LastError = 1;
        return 0;
    }
    return MountArchive(hostPath, fileName, ArchiveNameLength(fileName), folder, 1);
}

int VfsLastError() { return LastError; }

// Steps over separators and "." to the next component of [*p, end).
static int NextComponent(const char** p, const char* end, const char** start) {
    for (;;) {
        while (*p < end && IsSeparator(**p))
            (*p)++;
        if (*p >= end)
            return 0;
        *start = *p;
        while (*p < end && !IsSeparator(**p))
            (*p)++;
        const int length = (int)(*p - *start);
        if (length != 1 || **start != '.')
            return length;
    }
}

// Finds the archived file of `path` and fills `handle`; 0 when the path is
// not in an archive.
static int Locate(const char* path, VfsHandle* handle) {
    if (!path)
        return 0;
    const char* cut = nullptr;
    for (const char* p = path; *p; p++) {
        if (IsSeparator(*p))
            cut = p;
    }
    const char* dirEnd = cut ? cut : path;
    const char* filePart = cut ? cut + 1 : path;

    const char* p = path;
    const char* component = nullptr;
    int length = NextComponent(&p, dirEnd, &component);
    int archive = -1;
    for (int i = 0; length > 0 && i < ArchiveCount; i++) {
        if (SameName(ArchiveTable[i].name, component, length)) {
            archive = i;
            break;
        }
    }

    if (archive < 0) {
        // Not archived.  The open archive is given up, and a folder chain
        // missing from the disk is noted, as a plain read will fail there.
        if (OpenArchive != -1) {
            OpenArchive = -1;
            OpenSerial++;
        }
        if (dirEnd > path) {
            char folder[PLAT_MAX_PATH];
            if (!JoinPath(folder, sizeof folder, BaseDir, path, (size_t)(dirEnd - path)) || !PlatIsDirectory(folder))
                LastError = 2;
        }
        return 0;
    }

    if (archive != OpenArchive) {
        OpenArchive = archive;
        OpenSerial++;
    }
    const VfsIndex* index = &ArchiveTable[archive].index;
    int dir = 0;
    while ((length = NextComponent(&p, dirEnd, &component)) > 0) {
        dir = VfsFindDir(index, dir, component, length);
        if (!dir) {
            LastError = 2;
            return 0;
        }
    }
    const int fileIndex = VfsFindFile(index, dir, filePart, (int)strlen(filePart));
    if (fileIndex < 0)
        return 0;

    const VfsFileEntry& record = index->files[(size_t)fileIndex];
    *handle = VfsHandle{};
    handle->found = 1;
    handle->dirIndex = dir;
    handle->fileIndex = fileIndex;
    handle->position = 0;
    handle->dataOffset = record.offset;
    handle->size = record.size;
    handle->reserved = 0;
    snprintf(handle->dirPath, sizeof handle->dirPath, "%.*s", (int)(dirEnd - path), path);
    snprintf(handle->fileName, sizeof handle->fileName, "%s", filePart);
    handle->archive = archive;
    handle->openSerial = OpenSerial;
    return 1;
}

VfsHandle* VfsOpen(const char* path) {
    VfsHandle found;
    if (!Locate(path, &found))
        return nullptr;
    VfsHandle* handle = (VfsHandle*)malloc(sizeof(VfsHandle));
    if (handle)
        *handle = found;
    return handle;
}

void VfsFree(VfsHandle* handle) { free(handle); }

// The archive file a handle may read, or null when its archive is no longer
// the open one.
static FILE* HandleFile(const VfsHandle* handle) {
    if (!handle || handle->archive < 0 || handle->archive != OpenArchive || handle->openSerial != OpenSerial)
        return nullptr;
    return ArchiveTable[handle->archive].file;
}

int VfsRead(void* buffer, int elementSize, int count, VfsHandle* handle) {
    FILE* file = HandleFile(handle);
    if (!file || !buffer || elementSize <= 0 || count <= 0)
        return 0;
    int64_t wanted = (int64_t)elementSize * count;
    const int64_t left = (int64_t)handle->size - handle->position;
    if (wanted > left)
        wanted = left;
    if (wanted <= 0 || fseek(file, (long)handle->dataOffset + handle->position, SEEK_SET) != 0)
        return 0;
    const size_t got = fread(buffer, 1, (size_t)wanted, file);
    handle->position += (int32_t)got;
    return (int)got;
}

int VfsSeek(VfsHandle* handle, int offset, int origin) {
    if (!handle)
        return 0;
    int64_t from;
    switch (origin) {
    case 1: from = 0; break;
    case 2: from = handle->size; break;
    case 3: from = handle->position; break;
    default: return 0;
    }
    const int64_t position = from + offset;
    if (position < 0 || position >= handle->size)
        return 0;
    handle->position = (int32_t)position;
    return 1;
}

int VfsSize(const VfsHandle* handle) { return handle ? handle->size : 0; }
int VfsTell(const VfsHandle* handle) { return handle ? handle->position : 0; }

int VfsReadFile(const char* path, void* buffer, int capacity) {
    VfsHandle handle;
    if (!Locate(path, &handle))
        return 0;
    if (handle.size > capacity)
        return -1;
    return VfsRead(buffer, 1, handle.size, &handle);
}

int VfsLoadFile(const char* path, unsigned char** buffer) {
    *buffer = nullptr;
    VfsHandle handle;
    if (!Locate(path, &handle) || handle.size <= 0)
        return 0;
    unsigned char* bytes = (unsigned char*)malloc((size_t)handle.size);
    if (!bytes)
        return 0;
    const int got = VfsRead(bytes, 1, handle.size, &handle);
    if (got <= 0) {
        free(bytes);
        return 0;
    }
    *buffer = bytes;
    return got;
}
