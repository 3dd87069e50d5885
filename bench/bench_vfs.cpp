// The data archives: the cost of mounting 16 archives of 20,000 entries,
// of 10,000 lookups across them, and of reading a 1 MB file from an archive
// against the same file from a plain folder.
//
// Goal: mounting and the lookups together under 50 ms; the archived read no
// slower than the plain one.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "frame/fileio.h"
#include "frame/vfs.h"
#include "frame/vfs_archive.h"
#include "platform/plat_file.h"

enum {
    ARCHIVES = 16,
    DIRS_PER_ARCHIVE = 100,
    FILES_PER_DIR = 199,   // 100 folders + 19,900 files = 20,000 entries
    LOOKUPS = 10000,
    BIG_FILE = 1 << 20,
};

static std::vector<std::string> TempFolders;

static void RemoveTempFolders() {
    for (const std::string& dir : TempFolders)
        std::filesystem::remove_all(dir);
}

static std::string MakeTempFolder(const char* tag) {
    std::string dir = std::string("/tmp/quorvix-bench-") + tag + "-" + std::to_string(getpid());
    std::filesystem::remove_all(dir);
    if (TempFolders.empty())
        atexit(RemoveTempFolders);
    TempFolders.push_back(dir);
    std::filesystem::create_directories(dir + "/data");
    return dir;
}

static void WriteHostFile(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary).write(bytes.data(), (std::streamsize)bytes.size());
}

// An archive image of `dirs` folders under the root, each with `files`
// files of 4 bytes, plus the extra files given (in the root).
static std::string ArchiveImage(int dirs, int files, const std::vector<std::pair<std::string, std::string>>& extra) {
    const int fileCount = dirs * files + (int)extra.size();
    const VfsArchiveHeader header = {dirs, fileCount};
    int64_t offset = (int64_t)sizeof header + (int64_t)dirs * (int64_t)sizeof(VfsDirRecord) +
                     (int64_t)fileCount * (int64_t)sizeof(VfsFileRecord);
    std::string image((const char*)&header, sizeof header);
    std::string data;
    for (int d = 0; d < dirs; d++) {
        VfsDirRecord record = {};
        snprintf(record.name, sizeof record.name, "Dir%03d", d);
        image.append((const char*)&record, sizeof record);
    }
    auto addFile = [&](int parent, const std::string& name, const std::string& bytes) {
        VfsFileRecord record = {};
        record.parent = parent;
        snprintf(record.name, sizeof record.name, "%s", name.c_str());
        record.offset = (int32_t)(offset + (int64_t)data.size());
        record.size = (int32_t)bytes.size();
        image.append((const char*)&record, sizeof record);
        data += bytes;
    };
    for (int d = 0; d < dirs; d++) {
        for (int f = 0; f < files; f++)
            addFile(d + 1, "file" + std::to_string(f) + ".bin", "abcd");
    }
    for (const auto& [name, bytes] : extra)
        addFile(0, name, bytes);
    return image + data;
}

static const std::string& ManyArchivesFolder() {
    static const std::string dir = [] {
        const std::string folder = MakeTempFolder("mount");
        for (int a = 0; a < ARCHIVES; a++) {
            char name[32];
            snprintf(name, sizeof name, "/data/a%02d.dat", a);
            WriteHostFile(folder + name, ArchiveImage(DIRS_PER_ARCHIVE, FILES_PER_DIR, {}));
        }
        return folder;
    }();
    return dir;
}

static const std::vector<std::string>& LookupPaths() {
    static const std::vector<std::string> paths = [] {
        std::mt19937 random(1234);
        std::vector<std::string> list;
        for (int i = 0; i < LOOKUPS; i++) {
            char path[96];
            snprintf(path, sizeof path, "A%02u\\dir%03u\\FILE%u.bin", (unsigned)(random() % ARCHIVES),
                     (unsigned)(random() % DIRS_PER_ARCHIVE), (unsigned)(random() % FILES_PER_DIR));
            list.push_back(path);
        }
        return list;
    }();
    return paths;
}

static int RunLookups() {
    int found = 0;
    for (const std::string& path : LookupPaths()) {
        VfsHandle* handle = VfsOpen(path.c_str());
        found += handle != nullptr;
        VfsFree(handle);
    }
    return found;
}

static void BM_MountSixteenArchives(benchmark::State& state) {
    PlatSetCurrentDir(ManyArchivesFolder().c_str());
    for (auto _ : state)
        benchmark::DoNotOptimize(VfsScanArchives());
    VfsClose();
}
BENCHMARK(BM_MountSixteenArchives)->Unit(benchmark::kMillisecond);

static void BM_TenThousandLookups(benchmark::State& state) {
    PlatSetCurrentDir(ManyArchivesFolder().c_str());
    VfsScanArchives();
    LookupPaths();
    for (auto _ : state) {
        if (RunLookups() != LOOKUPS)
            state.SkipWithError("a lookup failed");
    }
    VfsClose();
}
BENCHMARK(BM_TenThousandLookups)->Unit(benchmark::kMillisecond);

static void BM_MountAndLookups(benchmark::State& state) {
    PlatSetCurrentDir(ManyArchivesFolder().c_str());
    LookupPaths();
    for (auto _ : state) {
        VfsScanArchives();
        if (RunLookups() != LOOKUPS)
            state.SkipWithError("a lookup failed");
    }
    VfsClose();
}
BENCHMARK(BM_MountAndLookups)->Unit(benchmark::kMillisecond);

static const std::string& BigFileFolder() {
    static const std::string dir = [] {
        const std::string folder = MakeTempFolder("read");
        std::string bytes(BIG_FILE, 0);
        for (size_t i = 0; i < bytes.size(); i++)
            bytes[i] = (char)(i * 7);
        WriteHostFile(folder + "/data/Big.dat", ArchiveImage(0, 0, {{"file.bin", bytes}}));
        WriteHostFile(folder + "/Plain/file.bin", bytes);
        return folder;
    }();
    return dir;
}

static void ReadWhole(benchmark::State& state, const char* path) {
    PlatSetCurrentDir(BigFileFolder().c_str());
    VfsScanArchives();
    std::vector<unsigned char> buffer(BIG_FILE);
    for (auto _ : state) {
        if (ReadWholeFile(path, buffer.data(), (int)buffer.size()) != 1 || LastFileSize != BIG_FILE)
            state.SkipWithError("the read failed");
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed((int64_t)state.iterations() * BIG_FILE);
    VfsClose();
}

static void BM_ReadOneMegabyteArchived(benchmark::State& state) { ReadWhole(state, "big\\file.bin"); }
BENCHMARK(BM_ReadOneMegabyteArchived)->Unit(benchmark::kMicrosecond);

static void BM_ReadOneMegabytePlain(benchmark::State& state) { ReadWhole(state, "plain\\file.bin"); }
BENCHMARK(BM_ReadOneMegabytePlain)->Unit(benchmark::kMicrosecond);
