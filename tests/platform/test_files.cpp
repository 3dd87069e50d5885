// The file layer: Windows paths mapped onto the disk without regard to case,
// the virtual current folder, searches, safe writes and deletions.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <set>
#include <string>

#include "common/test_game.h"
#include "platform/plat_file.h"

namespace {

void Touch(const std::string& path, const std::string& text = "x") {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = MakeTestFolder("files");
        mkdir((root + "/Config").c_str(), 0755);
        mkdir((root + "/Replay").c_str(), 0755);
        mkdir((root + "/Replay/Users").c_str(), 0755);
        Touch(root + "/Config/Visual.CFG", "visual");
        ASSERT_TRUE(PlatSetCurrentDir(root.c_str()));
    }
    std::string root;
};

TEST_F(FilesTest, AnyLetterCaseAndEitherSeparatorFindsTheFile) {
    char host[PLAT_MAX_PATH];
    for (const char* path : {"Config\\Visual.CFG", "config\\visual.cfg", "CONFIG/VISUAL.cfg", ".\\Config\\visual.cfg"}) {
        ASSERT_TRUE(PlatResolvePath(path, host, sizeof host)) << path;
        EXPECT_EQ(std::string(host), root + "/Config/Visual.CFG") << path;
        EXPECT_EQ(PlatFileSize(path), 6) << path;
    }
}

TEST_F(FilesTest, MissingComponentsKeepTheirSpelling) {
    char host[PLAT_MAX_PATH];
    ASSERT_TRUE(PlatResolvePath("CONFIG\\New\\File.dat", host, sizeof host));
    EXPECT_EQ(std::string(host), root + "/Config/New/File.dat");
    EXPECT_EQ(PlatFileSize("config\\new\\file.dat"), -1);
    EXPECT_FALSE(PlatFileExists("Config"));
    EXPECT_TRUE(PlatIsDirectory("config"));
}

TEST_F(FilesTest, TheCurrentFolderIsVirtual) {
    char before[PLAT_MAX_PATH];
    ASSERT_TRUE(getcwd(before, sizeof before));
    ASSERT_TRUE(PlatSetCurrentDir("replay\\users"));
    EXPECT_EQ(std::string(PlatGetCurrentDir()), root + "/Replay/Users");
    char after[PLAT_MAX_PATH];
    ASSERT_TRUE(getcwd(after, sizeof after));
    EXPECT_STREQ(before, after) << "the process folder never changes";
    EXPECT_EQ(PlatFileSize("..\\..\\config\\visual.cfg"), 6);
    EXPECT_FALSE(PlatSetCurrentDir("nowhere"));
    EXPECT_EQ(std::string(PlatGetCurrentDir()), root + "/Replay/Users");
}

TEST_F(FilesTest, SearchMatchesWildcardsWithoutCase) {
    Touch(root + "/Replay/Users/one.RB");
    Touch(root + "/Replay/Users/two.rb");
    Touch(root + "/Replay/Users/three.txt");
    mkdir((root + "/Replay/Users/folder.rb").c_str(), 0755);
    std::set<std::string> names;
    PlatFindData data;
    PlatFind* find = PlatFindFirst("REPLAY\\users\\*.rb", &data);
    ASSERT_NE(find, nullptr);
    do {
        names.insert(std::string(data.name) + (data.isDirectory ? "/" : ""));
    } while (PlatFindNext(find, &data));
    PlatFindClose(find);
    EXPECT_EQ(names, (std::set<std::string>{"one.RB", "two.rb", "folder.rb/"}));
    EXPECT_EQ(PlatFindFirst("Replay\\Users\\*.zip", &data), nullptr);
    EXPECT_EQ(PlatFindFirst("Nowhere\\*", &data), nullptr);
}

TEST(Wildcard, MatchesLikeTheShell) {
    EXPECT_TRUE(PlatWildcardMatch("*.dat", "3D.DAT"));
    EXPECT_TRUE(PlatWildcardMatch("SAVE ??.rb", "save 07.RB"));
    EXPECT_TRUE(PlatWildcardMatch("*a*b*", "xxaYYbzz"));
    EXPECT_FALSE(PlatWildcardMatch("*.dat", "3d.dat.bak"));
    EXPECT_FALSE(PlatWildcardMatch("?", ""));
    EXPECT_TRUE(PlatWildcardMatch("*", ""));
}

TEST_F(FilesTest, AtomicWriteReplacesWholeOrNotAtAll) {
    ASSERT_TRUE(PlatWriteFileAtomic("config\\visual.cfg", "new contents", 12));
    EXPECT_EQ(ReadHostFile(root + "/Config/Visual.CFG"), "new contents");
    // A write that cannot be completed leaves the old file as it was.
    Touch(root + "/Config/blocker", "file");
    EXPECT_FALSE(PlatWriteFileAtomic("Config\\blocker\\inside.cfg", "x", 1));
    EXPECT_EQ(ReadHostFile(root + "/Config/blocker"), "file");
    EXPECT_EQ(ReadHostFile(root + "/Config/Visual.CFG"), "new contents");
    // No temporary file is left behind.
    PlatFindData data;
    PlatFind* find = PlatFindFirst("Config\\*.tmp*", &data);
    EXPECT_EQ(find, nullptr);
    PlatFindClose(find);
}

TEST_F(FilesTest, DeletionNeverFollowsALink) {
    Touch(root + "/precious.txt", "keep");
    ASSERT_EQ(symlink((root + "/precious.txt").c_str(), (root + "/Replay/link").c_str()), 0);
    ASSERT_EQ(symlink(root.c_str(), (root + "/Replay/dirlink").c_str()), 0);
    EXPECT_TRUE(PlatIsSymlink("replay\\link"));
    EXPECT_TRUE(PlatDeleteFile("replay\\link"));
    EXPECT_EQ(ReadHostFile(root + "/precious.txt"), "keep");
    EXPECT_FALSE(PlatRemoveDir("replay\\dirlink")) << "a link to a folder is not a folder";
    EXPECT_TRUE(PlatDeleteFile("replay\\dirlink"));
    EXPECT_TRUE(PlatIsDirectory("Config"));
    EXPECT_FALSE(PlatDeleteFile("Config")) << "folders are not files";
    EXPECT_TRUE(PlatMakeDir("Replay\\Empty"));
    EXPECT_TRUE(PlatRemoveDir("REPLAY\\EMPTY"));
}

TEST_F(FilesTest, FreeSpaceIsReported) {
    EXPECT_GT(PlatDiskFreeBytes("."), 0u);
}

}  // namespace
