// Whole-file reading and writing: archives before plain folders, the
// caller's capacity, the error line, and saves that never lose the old file.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "frame/fileio.h"
#include "frame/vfs.h"
#include "frontend/text_slots.h"
#include "platform/plat_file.h"
#include "race/race_state.h"
#include "test_vfs_util.h"

// A game folder whose data\cfg.dat holds Config\shadowed.cfg (also on the
// disk, different), Config\empty.cfg (a plain copy exists) and
// Config\archived.cfg (only archived).
static std::string MakeFolder() {
    const std::string dir = MakeTestFolder("io");
    PutFile(dir + "/tree/shadowed.cfg", "from the archive");
    PutFile(dir + "/tree/empty.cfg", "");
    PutFile(dir + "/tree/archived.cfg", "only archived");
    PutFile(dir + "/Config/shadowed.cfg", "from the disk");
    PutFile(dir + "/Config/empty.cfg", "plain copy");
    PutFile(dir + "/Config/plain.cfg", "0123456789");
    PutFile(dir + "/Config/nothing.cfg", "");
    std::filesystem::create_directories(dir + "/data");
    PackTree(dir + "/tree", dir + "/data/Config.dat");
    EXPECT_TRUE(PlatSetCurrentDir(dir.c_str()));
    EXPECT_EQ(VfsScanArchives(), 1);
    return dir;
}

TEST(FileIo, ReadWholeFileLooksInTheArchivesFirst) {
    MakeFolder();
    char buffer[64] = {};
    EXPECT_EQ(ReadWholeFile("config\\SHADOWED.cfg", buffer, sizeof buffer), 1);
    EXPECT_EQ(LastFileSize, 16);
    EXPECT_EQ(std::string(buffer, 16), "from the archive");

    // An empty archived entry counts as missing: the disk copy is read.
    EXPECT_EQ(ReadWholeFile("Config\\empty.cfg", buffer, sizeof buffer), 1);
    EXPECT_EQ(std::string(buffer, (size_t)LastFileSize), "plain copy");

    EXPECT_EQ(ReadWholeFile("CONFIG\\plain.CFG", buffer, sizeof buffer), 1);
    EXPECT_EQ(std::string(buffer, (size_t)LastFileSize), "0123456789");
    EXPECT_EQ(ReadWholeFile("Config\\archived.cfg", buffer, sizeof buffer), 1);
    EXPECT_EQ(std::string(buffer, (size_t)LastFileSize), "only archived");
}

TEST(FileIo, ReadWholeFileNeverWritesPastTheCapacity) {
    MakeFolder();
    char buffer[32];
    memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(ReadWholeFile("Config\\plain.cfg", buffer, 9), -1);
    EXPECT_EQ(LastFileSize, 0);
    EXPECT_EQ(buffer[9], '#');
    EXPECT_EQ(ReadWholeFile("Config\\plain.cfg", buffer, 10), 1);
    EXPECT_EQ(LastFileSize, 10);
    EXPECT_EQ(buffer[10], '#');

    // An archived entry too large for the record fails; a smaller plain copy
    // does not stand in for it.
    memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(ReadWholeFile("Config\\shadowed.cfg", buffer, 15), -1);
    EXPECT_EQ(LastFileSize, 0);
    EXPECT_EQ(buffer[0], '#');
    EXPECT_EQ(ReadWholeFile("Config\\shadowed.cfg", buffer, 0), -1);
}

TEST(FileIo, FailedReadLeavesItsErrorLine) {
    MakeFolder();
    TrackGroup = 3;
    TrackVariant = 5;
    char buffer[16];
    LastFileSize = 99;
    EXPECT_EQ(ReadWholeFile("Config\\missing.cfg", buffer, sizeof buffer), -1);
    EXPECT_EQ(LastFileSize, 0);
    EXPECT_STREQ(TextBufferB, "ERROR (Track=3,5) (Config\\missing.cfg)");

    EXPECT_EQ(ReadWholeFile("Config\\nothing.cfg", buffer, sizeof buffer), -1);   // empty
    EXPECT_EQ(LastFileSize, 0);
    EXPECT_STREQ(TextBufferB, "ERROR (Track=3,5) (Config\\nothing.cfg)");
    EXPECT_EQ(ReadWholeFile("Config", buffer, sizeof buffer), -1);                  // a folder
}

TEST(FileIo, ReadFileBytesAndQueryFileSizeSeeOnlyPlainFiles) {
    MakeFolder();
    char buffer[32];
    memset(buffer, '#', sizeof buffer);
    LastFileSize = 77;
    EXPECT_EQ(ReadFileBytes("Config\\plain.cfg", buffer, 4), 1);
    EXPECT_EQ(std::string(buffer, 5), "0123#");
    EXPECT_EQ(LastFileSize, 0);
    EXPECT_EQ(ReadFileBytes("Config\\plain.cfg", buffer, sizeof buffer), 1);   // shorter than asked
    EXPECT_EQ(std::string(buffer, 10), "0123456789");
    EXPECT_EQ(ReadFileBytes("Config\\archived.cfg", buffer, sizeof buffer), -1);
    EXPECT_EQ(ReadFileBytes("Config\\shadowed.cfg", buffer, 13), 1);
    EXPECT_EQ(std::string(buffer, 13), "from the disk");

    EXPECT_EQ(QueryFileSize("config\\plain.cfg"), 1);
    EXPECT_EQ(LastFileSize, 10);
    EXPECT_EQ(QueryFileSize("Config\\shadowed.cfg"), 1);
    EXPECT_EQ(LastFileSize, 13);
    EXPECT_EQ(QueryFileSize("Config\\archived.cfg"), 0);
    EXPECT_EQ(QueryFileSize("Config"), 0);
}

TEST(FileIo, WriteWholeFileReplacesTheFileWholeOrNotAtAll) {
    const std::string dir = MakeFolder();
    EXPECT_EQ(WriteWholeFile("USERS\\save.dat", 4, "abcd"), 0);   // no USERS folder
    EXPECT_FALSE(std::filesystem::exists(dir + "/USERS"));

    const std::string first(1000, 'a');
    ASSERT_EQ(WriteWholeFile("config\\save.dat", (int)first.size(), first.data()), 1);
    EXPECT_EQ(ReadHostFile(dir + "/Config/save.dat"), first);   // into the existing folder
    ASSERT_EQ(WriteWholeFile("Config\\SAVE.DAT", 3, "xyz"), 1);
    EXPECT_EQ(ReadHostFile(dir + "/Config/save.dat"), "xyz");

    // The disk fills up half way through the next save.
    struct rlimit old;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string big(64 * 1024, 'b');
    const int result = WriteWholeFile("Config\\save.dat", (int)big.size(), big.data());
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadHostFile(dir + "/Config/save.dat"), "xyz");
    int leftovers = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir + "/Config"))
        leftovers += entry.path().filename().string().find("save.dat.") == 0;
    EXPECT_EQ(leftovers, 0);
}
