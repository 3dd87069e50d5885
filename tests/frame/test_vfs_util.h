// Helpers of the archive and file tests: host files, hand-made archives.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/test_game.h"
#include "frame/vfs_archive.h"

// Writes a host file, making its folders.
inline void PutFile(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), (std::streamsize)bytes.size());
    ASSERT_TRUE(out.good()) << path;
}

// Packs a host folder into an archive with the game's packer.
inline void PackTree(const std::string& folder, const std::string& archive) {
    char error[2048] = "";
    ASSERT_GE(VfsPackFolder(folder.c_str(), archive.c_str(), error, sizeof error), 0) << error;
}

// An archive built record by record, so tests can damage any field.  File
// offsets are given from the start of the data area and fixed up by Image().
struct ArchiveBuilder {
    std::vector<VfsDirRecord> dirs;
    std::vector<VfsFileRecord> files;
    std::string data;

    int Dir(int parent, const std::string& name) {
        VfsDirRecord record = {};
        record.parent = parent;
        memcpy(record.name, name.data(), std::min(name.size(), sizeof record.name));
        dirs.push_back(record);
        return (int)dirs.size();
    }
    int File(int parent, const std::string& name, const std::string& bytes) {
        VfsFileRecord record = {};
        record.parent = parent;
        memcpy(record.name, name.data(), std::min(name.size(), sizeof record.name));
        record.offset = (int32_t)data.size();
        record.size = (int32_t)bytes.size();
        data += bytes;
        files.push_back(record);
        return (int)files.size() - 1;
    }
    std::string Image() const {
        const VfsArchiveHeader header = {(int32_t)dirs.size(), (int32_t)files.size()};
        const int32_t dataStart = (int32_t)(sizeof header + dirs.size() * sizeof(VfsDirRecord) +
                                            files.size() * sizeof(VfsFileRecord));
        std::string image((const char*)&header, sizeof header);
        image.append((const char*)dirs.data(), dirs.size() * sizeof(VfsDirRecord));
        for (VfsFileRecord record : files) {
            record.offset += dataStart;
            image.append((const char*)&record, sizeof record);
        }
        return image + data;
    }
};

// The file record of an in-archive path ("Cars\Car01\body.ver"), -1 when
// the index does not find it.
inline int FindInIndex(const VfsIndex& index, const std::string& path) {
    int dir = 0;
    size_t start = 0;
    for (size_t cut; (cut = path.find('\\', start)) != std::string::npos; start = cut + 1) {
        dir = VfsFindDir(&index, dir, path.data() + start, (int)(cut - start));
        if (!dir)
            return -1;
    }
    return VfsFindFile(&index, dir, path.data() + start, (int)(path.size() - start));
}
