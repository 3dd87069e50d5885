// The archive format: packing a tree, and the checks that keep a damaged
// archive from being trusted.

#include <gtest/gtest.h>

#include <climits>

#include "frame/vfs_archive.h"
#include "test_vfs_util.h"

static std::string EntryBytes(const VfsIndex& index, const std::string& image, int file) {
    const VfsFileEntry& record = index.files[(size_t)file];
    return image.substr((size_t)record.offset, (size_t)record.size);
}

TEST(VfsArchive, PackedTreeReadsBackAndPacksTheSameTwice) {
    const std::string dir = MakeTestFolder("pack");
    const std::string binary("\0\1\2\xff\0", 5);
    PutFile(dir + "/src/Cars/Car01/body.ver", "body");
    PutFile(dir + "/src/Cars/Car01/Wheels/wheel.ver", "wheel");
    PutFile(dir + "/src/Cars/Car02/body.ver", "other body");
    PutFile(dir + "/src/top.bin", binary);
    PutFile(dir + "/src/empty.bin", "");

    PackTree(dir + "/src", dir + "/one.dat");
    PackTree(dir + "/src", dir + "/two.dat");
    const std::string image = ReadHostFile(dir + "/one.dat");
    EXPECT_EQ(image, ReadHostFile(dir + "/two.dat"));

    VfsIndex index;
    ASSERT_TRUE(VfsIndexImage(&index, image.data(), (int64_t)image.size(), (int64_t)image.size()));
    EXPECT_EQ(index.rejected, 0);
    EXPECT_EQ(index.dirs.size(), 4u);
    EXPECT_EQ(index.files.size(), 5u);
    // Parents come before their children, so a reader may walk downwards.
    for (size_t d = 0; d < index.dirs.size(); d++)
        EXPECT_LT(index.dirs[d].parent, (int)d + 1);

    const struct {
        const char* path;
        std::string bytes;
    } expected[] = {{"Cars\\Car01\\body.ver", "body"},
                    {"cars\\CAR01\\WHEELS\\Wheel.ver", "wheel"},
                    {"Cars\\Car02\\body.ver", "other body"},
                    {"top.bin", binary},
                    {"empty.bin", ""}};
    for (const auto& entry : expected) {
        const int file = FindInIndex(index, entry.path);
        ASSERT_GE(file, 0) << entry.path;
        EXPECT_EQ(EntryBytes(index, image, file), entry.bytes) << entry.path;
    }
    EXPECT_LT(FindInIndex(index, "Cars\\body.ver"), 0);
    EXPECT_LT(FindInIndex(index, "Cars\\Car01"), 0);   // a folder is not a file

    char path[256];
    ASSERT_TRUE(VfsDirPath(&index, index.files[(size_t)FindInIndex(index, "Cars\\Car01\\Wheels\\wheel.ver")].parent,
                           path, sizeof path));
    EXPECT_STREQ(path, "Cars\\Car01\\Wheels\\");
    EXPECT_FALSE(VfsDirPath(&index, 3, path, 8));      // does not fit
}

TEST(VfsArchive, PackRefusesTreesTheGameCouldNotRead) {
    const std::string dir = MakeTestFolder("refuse");
    PutFile(dir + "/out.dat", "previous");
    char error[2048];

    PutFile(dir + "/long/" + std::string(VFS_NAME_SIZE, 'n'), "x");
    EXPECT_EQ(VfsPackFolder((dir + "/long").c_str(), (dir + "/out.dat").c_str(), error, sizeof error), -1);

    PutFile(dir + "/clash/Sub/a.txt", "1");
    PutFile(dir + "/clash/Sub/A.TXT", "2");
    EXPECT_EQ(VfsPackFolder((dir + "/clash").c_str(), (dir + "/out.dat").c_str(), error, sizeof error), -1);
    EXPECT_NE(strstr(error, "letter case"), nullptr) << error;

    EXPECT_EQ(VfsPackFolder((dir + "/missing").c_str(), (dir + "/out.dat").c_str(), error, sizeof error), -1);
    EXPECT_EQ(ReadHostFile(dir + "/out.dat"), "previous");

    // A name of exactly 127 characters is the longest that fits.
    PutFile(dir + "/fits/" + std::string(VFS_NAME_SIZE - 1, 'n'), "x");
    EXPECT_EQ(VfsPackFolder((dir + "/fits").c_str(), (dir + "/out.dat").c_str(), error, sizeof error), 1) << error;
}

TEST(VfsArchive, HeaderCountsMustFitTheArchive) {
    const int64_t records = 8 + 2 * 132 + 3 * 152;
    EXPECT_EQ(VfsDirectoryBytes({2, 3}, records), records);
    EXPECT_EQ(VfsDirectoryBytes({2, 3}, records - 1), -1);
    EXPECT_EQ(VfsDirectoryBytes({-1, 0}, 1 << 20), -1);
    EXPECT_EQ(VfsDirectoryBytes({0, -1}, 1 << 20), -1);
    EXPECT_EQ(VfsDirectoryBytes({INT_MAX, INT_MAX}, INT_MAX), -1);
    EXPECT_EQ(VfsDirectoryBytes({0, 0}, 8), 8);

    ArchiveBuilder builder;
    builder.File(0, "a", "abc");
    const std::string image = builder.Image();
    VfsIndex index;
    EXPECT_TRUE(VfsIndexImage(&index, image.data(), (int64_t)image.size(), (int64_t)image.size()));
    EXPECT_FALSE(VfsIndexImage(&index, image.data(), 7, 7));                       // no whole header
    EXPECT_FALSE(VfsIndexImage(&index, image.data(), 8 + 151, (int64_t)image.size()));   // records cut short
    EXPECT_TRUE(index.files.empty());
}

TEST(VfsArchive, BadEntriesAreRejectedOneByOne) {
    ArchiveBuilder b;
    const int good = b.Dir(0, "Good");        // 1
    const int loopA = b.Dir(3, "LoopA");      // 2: 2 -> 3 -> 2
    const int loopB = b.Dir(2, "LoopB");      // 3
    const int self = b.Dir(4, "Self");        // 4: its own parent
    const int below = b.Dir(loopA, "Below");  // 5: under a cycle
    const int stray = b.Dir(99, "Stray");     // 6: no such parent
    b.File(good, "ok.txt", "fine");
    b.File(good, "past.txt", "12345");
    b.File(good, "negative.txt", "x");
    b.File(loopB, "inloop.txt", "x");
    b.File(below, "below.txt", "x");
    b.File(self, "self.txt", "x");
    b.File(stray, "stray.txt", "x");
    b.File(7, "noparent.txt", "x");
    b.File(good, std::string(VFS_NAME_SIZE, 'L'), "long");   // no NUL inside its 128 bytes
    b.files[1].size = 1 << 20;                                 // runs past the end
    b.files[2].size = -5;
    const std::string image = b.Image();

    VfsIndex index;
    ASSERT_TRUE(VfsIndexImage(&index, image.data(), (int64_t)image.size(), (int64_t)image.size()));
    EXPECT_EQ(index.rejected, 5 + 7);   // dirs 2 to 6, and seven files
    EXPECT_EQ(FindInIndex(index, "good\\OK.TXT"), 0);
    EXPECT_EQ(EntryBytes(index, image, 0), "fine");
    for (const char* bad : {"Good\\past.txt", "Good\\negative.txt", "LoopB\\inloop.txt", "LoopA\\LoopB\\inloop.txt",
                            "LoopA\\Below\\below.txt", "Self\\self.txt", "Stray\\stray.txt", "noparent.txt"})
        EXPECT_LT(FindInIndex(index, bad), 0) << bad;
    EXPECT_EQ(VfsFindDir(&index, 3, "LoopA", 5), 0);
    char path[512];
    EXPECT_FALSE(VfsDirPath(&index, below, path, sizeof path));

    // The unterminated name is cut to 127 characters and found as such.
    EXPECT_EQ(FindInIndex(index, "Good\\" + std::string(VFS_NAME_SIZE - 1, 'l')), 8);
    EXPECT_LT(FindInIndex(index, "Good\\" + std::string(VFS_NAME_SIZE, 'L')), 0);
}

TEST(VfsArchive, FirstRecordOfANameWins) {
    ArchiveBuilder b;
    const int cars = b.Dir(0, "Cars");
    const int carsAgain = b.Dir(0, "CARS");
    b.File(carsAgain, "hidden.txt", "never");
    b.File(cars, "Same.txt", "first");
    b.File(cars, "same.TXT", "second");
    b.File(0, "same.txt", "root");
    b.File(0, "Cars", "a file named like the folder");
    const std::string image = b.Image();

    VfsIndex index;
    ASSERT_TRUE(VfsIndexImage(&index, image.data(), (int64_t)image.size(), (int64_t)image.size()));
    EXPECT_EQ(index.rejected, 0);
    EXPECT_EQ(VfsFindDir(&index, 0, "cars", 4), cars);
    EXPECT_LT(FindInIndex(index, "Cars\\hidden.txt"), 0);
    EXPECT_EQ(EntryBytes(index, image, FindInIndex(index, "cars\\SAME.txt")), "first");
    EXPECT_EQ(EntryBytes(index, image, FindInIndex(index, "same.txt")), "root");
    EXPECT_EQ(EntryBytes(index, image, FindInIndex(index, "CARS")), "a file named like the folder");
    EXPECT_LT(FindInIndex(index, "Same.tx"), 0);
    EXPECT_LT(FindInIndex(index, "Same.txt2"), 0);
}
