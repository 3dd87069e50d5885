// The generated game folder's archives, quorvix-vfs on them, and the game's
// start-up on them.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>

#include "frame/fileio.h"
#include "frame/vfs.h"
#include "mkdata.h"
#include "platform/plat_headless.h"
#include "test_vfs_util.h"

// Runs quorvix-vfs with the arguments (already quoted) and returns its
// standard output; `status` receives its exit status.
static std::string RunVfsTool(const std::string& arguments, int* status) {
    const std::string command = std::string(QUORVIX_BIN_DIR) + "/quorvix-vfs " + arguments + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    if (!pipe) {
        *status = -1;
        return out;
    }
    char chunk[4096];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, pipe)) > 0)
        out.append(chunk, got);
    const int raw = pclose(pipe);
    *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return out;
}

static int CountArchives(const std::string& dataDir) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dataDir))
        count += entry.is_regular_file() && entry.path().extension() == ".dat";
    return count;
}

TEST(VfsGameFolder, StagedFilesArePackedIntoArchives) {
    const std::string dir = MakeTestGameFolder("staged");
    EXPECT_FALSE(std::filesystem::exists(dir + "/.stage"));
    EXPECT_GE(CountArchives(dir + "/data"), 1);
    EXPECT_EQ(VfsScanArchives(), 1);

    // A later subsystem stages its files, one spelling of a folder or another.
    ASSERT_TRUE(MkWriteArchived("Tst\\Sub\\file.bin", "abc", 3));
    ASSERT_TRUE(MkWriteArchived("TST\\sub\\other.bin", "de", 2));
    MkOptions options;
    options.outDir = dir;
    ASSERT_TRUE(FinishArchives(options));
    EXPECT_FALSE(std::filesystem::exists(dir + "/.stage"));
    EXPECT_TRUE(std::filesystem::exists(dir + "/data/Tst.dat"));
    EXPECT_FALSE(std::filesystem::exists(dir + "/data/base.dat"));   // the stand-in went

    ASSERT_EQ(VfsScanArchives(), 1);
    char buffer[8];
    ASSERT_EQ(ReadWholeFile("tst\\SUB\\file.bin", buffer, sizeof buffer), 1);
    EXPECT_EQ(std::string(buffer, (size_t)LastFileSize), "abc");
    ASSERT_EQ(ReadWholeFile("Tst\\Sub\\other.bin", buffer, sizeof buffer), 1);
    EXPECT_EQ(std::string(buffer, (size_t)LastFileSize), "de");
    EXPECT_EQ(QueryFileSize("Tst\\Sub\\file.bin"), 0);   // not left in a plain folder

    int status = 0;
    const std::string listing = RunVfsTool("ls '" + dir + "/data/Tst.dat'", &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(listing, "         -  Sub\\\n"
                       "         3  Sub\\file.bin\n"
                       "         2  Sub\\other.bin\n");
    EXPECT_EQ(RunVfsTool("cat '" + dir + "' 'TST\\SUB\\OTHER.BIN'", &status), "de");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(RunVfsTool("cat '" + dir + "' 'config\\vondel.ini'", &status).rfind("[Main]", 0), 0u);
    EXPECT_EQ(RunVfsTool("cat '" + dir + "' 'Tst\\Sub\\none.bin'", &status), "");
    EXPECT_EQ(status, 1);
}

TEST(VfsGameFolder, ToolPacksAndListsAFolder) {
    const std::string dir = MakeTestFolder("tool");
    PutFile(dir + "/src/Cars/Car01/body.ver", "12345");
    PutFile(dir + "/src/top.txt", "t");
    int status = 0;
    RunVfsTool("pack '" + dir + "/src' '" + dir + "/out.dat'", &status);
    ASSERT_EQ(status, 0);
    EXPECT_EQ(RunVfsTool("ls '" + dir + "/out.dat' cars", &status), "         -  Cars\\Car01\\\n"
                                                                    "         5  Cars\\Car01\\body.ver\n");
    EXPECT_EQ(status, 0);
    RunVfsTool("ls '" + dir + "/out.dat' Boats", &status);
    EXPECT_EQ(status, 1);
    PutFile(dir + "/junk.dat", "not an archive at all");
    RunVfsTool("ls '" + dir + "/junk.dat'", &status);
    EXPECT_EQ(status, 1);
    RunVfsTool("pack '" + dir + "/missing' '" + dir + "/x.dat'", &status);
    EXPECT_EQ(status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir + "/x.dat"));
}

TEST(VfsGameFolder, GameStartsOnTheGeneratedFolder) {
    MakeTestGameFolder("starts");
    PlatHeadlessClearMessageBoxes();
    EXPECT_EQ(RunHeadlessGame(60, 0), 0);
    EXPECT_EQ(PlatHeadlessMessageBoxCount(), 0);
}

TEST(VfsGameFolder, GameRefusesToStartWithoutAnArchive) {
    const std::string dir = MakeTestGameFolder("noarchive");
    for (const auto& entry : std::filesystem::directory_iterator(dir + "/data"))
        std::filesystem::remove(entry.path());
    PlatHeadlessClearMessageBoxes();
    RunHeadlessGame(60, 0);
    ASSERT_GE(PlatHeadlessMessageBoxCount(), 1);
    EXPECT_STREQ(PlatHeadlessMessageBoxCaption(0), "Virtual file system error!");
    EXPECT_STREQ(PlatHeadlessMessageBoxText(0), "You must reinstall the game.");
}
