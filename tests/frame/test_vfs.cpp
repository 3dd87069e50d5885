// The mounted archives as the game sees them: lookup, handles, seeking,
// switching archives, damaged archives and the archive table.

#include <gtest/gtest.h>

#include <climits>

#include "frame/vfs.h"
#include "platform/plat_file.h"
#include "test_vfs_util.h"

// A game folder with data\3D.dat (a nested tree) and data\Wave.dat, scanned.
static std::string MountSampleArchives() {
    const std::string dir = MakeTestFolder("game");
    PutFile(dir + "/tree/Cars/Car01/body.ver", "body bytes");
    PutFile(dir + "/tree/Cars/Car01/Wheels/w.ver", "wheel");
    PutFile(dir + "/tree/README.TXT", "top");
    PutFile(dir + "/tree/Digits/ten.bin", "0123456789");
    PutFile(dir + "/tree/Digits/tail.bin", "ABC");   // packed right after ten.bin
    PutFile(dir + "/tree/Digits/zero.bin", "");
    PutFile(dir + "/wave/IENGINES/engine.wav", "vroom");
    PutFile(dir + "/Config/config.cfg", "plain");
    std::filesystem::create_directories(dir + "/data");
    PackTree(dir + "/tree", dir + "/data/3D.dat");
    PackTree(dir + "/wave", dir + "/data/Wave.dat");
    EXPECT_TRUE(PlatSetCurrentDir(dir.c_str()));
    EXPECT_EQ(VfsScanArchives(), 1);
    return dir;
}

static std::string LoadArchived(const char* path) {
    unsigned char* bytes = nullptr;
    const int size = VfsLoadFile(path, &bytes);
    std::string text(bytes ? (const char*)bytes : "", (size_t)(size > 0 ? size : 0));
    free(bytes);
    return text;
}

TEST(Vfs, FindsEntriesAcrossFoldersWithoutRegardToCase) {
    const std::string dir = MountSampleArchives();
    EXPECT_EQ(LoadArchived("3d\\cars\\CAR01\\wheels\\W.VER"), "wheel");
    EXPECT_EQ(LoadArchived("3D\\Cars\\Car01\\body.ver"), "body bytes");
    EXPECT_EQ(LoadArchived("3d\\readme.txt"), "top");
    EXPECT_EQ(LoadArchived("WAVE\\iengines\\Engine.wav"), "vroom");

    VfsHandle* handle = VfsOpen("3d\\Cars\\car01\\BODY.ver");
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(VfsSize(handle), 10);
    EXPECT_STREQ(handle->fileName, "BODY.ver");
    EXPECT_STREQ(handle->dirPath, "3d\\Cars\\car01");
    VfsFree(handle);

    EXPECT_EQ(VfsOpen("3d\\Cars\\Car01\\none.ver"), nullptr);
    EXPECT_EQ(VfsOpen("3d\\Cars"), nullptr);         // a folder is not a file
    EXPECT_EQ(VfsOpen("3d"), nullptr);               // nor is an archive
    EXPECT_EQ(VfsOpen("3d\\Cars\\Car01\\"), nullptr);
    EXPECT_EQ(VfsOpen("3d\\Boats\\Car01\\body.ver"), nullptr);
    EXPECT_EQ(VfsLastError(), 2);

    // Paths in no archive are not found and leave the current folder alone,
    // whether their folders exist on the disk or not.
    const std::string current = PlatGetCurrentDir();
    EXPECT_EQ(VfsOpen("Config\\config.cfg"), nullptr);
    EXPECT_EQ(std::string(PlatGetCurrentDir()), current);
    EXPECT_EQ(VfsOpen("Config\\Missing\\config.cfg"), nullptr);
    EXPECT_EQ(VfsLastError(), 2);
    EXPECT_EQ(std::string(PlatGetCurrentDir()), current);
}

TEST(Vfs, SeeksAndReadsStayInsideTheEntry) {
    MountSampleArchives();
    VfsHandle* h = VfsOpen("3d\\Digits\\ten.bin");
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(VfsSize(h), 10);

    EXPECT_EQ(VfsSeek(h, 10, 1), 0);   // the size itself is past the end
    EXPECT_EQ(VfsTell(h), 0);
    EXPECT_EQ(VfsSeek(h, -1, 1), 0);
    EXPECT_EQ(VfsSeek(h, 9, 1), 1);
    EXPECT_EQ(VfsTell(h), 9);

    char buffer[16];
    memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(VfsRead(buffer, 1, 5, h), 1);   // clipped: tail.bin follows in the archive
    EXPECT_EQ(std::string(buffer, 2), "9#");
    EXPECT_EQ(VfsRead(buffer, 1, 5, h), 0);

    EXPECT_EQ(VfsSeek(h, -3, 2), 1);
    EXPECT_EQ(VfsTell(h), 7);
    EXPECT_EQ(VfsSeek(h, 0, 2), 0);
    EXPECT_EQ(VfsSeek(h, -4, 3), 1);
    EXPECT_EQ(VfsTell(h), 3);
    EXPECT_EQ(VfsSeek(h, 7, 3), 0);
    EXPECT_EQ(VfsSeek(h, INT_MAX, 3), 0);
    EXPECT_EQ(VfsSeek(h, 0, 0), 0);
    EXPECT_EQ(VfsSeek(h, 0, 4), 0);
    EXPECT_EQ(VfsTell(h), 3);

    EXPECT_EQ(VfsRead(buffer, 2, 2, h), 4);
    EXPECT_EQ(std::string(buffer, 4), "3456");
    // A request whose byte count overflows an int is still clipped.
    ASSERT_EQ(VfsSeek(h, 0, 1), 1);
    EXPECT_EQ(VfsRead(buffer, 1 << 20, 1 << 12, h), 10);
    EXPECT_EQ(std::string(buffer, 10), "0123456789");
    VfsFree(h);
}

TEST(Vfs, EmptyEntryReadsNothing) {
    MountSampleArchives();
    VfsHandle* h = VfsOpen("3d\\digits\\zero.bin");
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(VfsSize(h), 0);
    EXPECT_EQ(VfsSeek(h, 0, 1), 0);
    char byte = '#';
    EXPECT_EQ(VfsRead(&byte, 1, 1, h), 0);
    VfsFree(h);

    char buffer[4];
    EXPECT_EQ(VfsReadFile("3d\\digits\\zero.bin", buffer, sizeof buffer), 0);
    unsigned char* loaded = (unsigned char*)&byte;
    EXPECT_EQ(VfsLoadFile("3d\\digits\\zero.bin", &loaded), 0);
    EXPECT_EQ(loaded, nullptr);
}

TEST(Vfs, HandleReadsNothingOnceAnotherArchiveIsOpen) {
    MountSampleArchives();
    char buffer[16] = {};
    VfsHandle* body = VfsOpen("3d\\Cars\\Car01\\body.ver");
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(VfsRead(buffer, 1, 4, body), 4);

    VfsHandle* engine = VfsOpen("wave\\IENGINES\\engine.wav");
    ASSERT_NE(engine, nullptr);
    memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(VfsRead(buffer, 1, 4, body), 0);
    EXPECT_EQ(buffer[0], '#');
    EXPECT_EQ(VfsRead(buffer, 1, 5, engine), 5);
    EXPECT_EQ(std::string(buffer, 5), "vroom");

    // Switching back and forth keeps reading the right archive.
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(VfsReadFile("3d\\Digits\\ten.bin", buffer, sizeof buffer), 10);
        EXPECT_EQ(std::string(buffer, 10), "0123456789");
        EXPECT_EQ(VfsReadFile("wave\\IENGINES\\engine.wav", buffer, sizeof buffer), 5);
        EXPECT_EQ(std::string(buffer, 5), "vroom");
    }
    // The engine handle was made under an earlier opening of its archive.
    EXPECT_EQ(VfsRead(buffer, 1, 1, engine), 0);

    VfsHandle* fresh = VfsOpen("wave\\IENGINES\\engine.wav");
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(VfsOpen("Config\\config.cfg"), nullptr);   // a plain path gives the archive up too
    EXPECT_EQ(VfsRead(buffer, 1, 1, fresh), 0);
    VfsFree(fresh);

    fresh = VfsOpen("wave\\IENGINES\\engine.wav");
    ASSERT_NE(fresh, nullptr);
    VfsClose();
    EXPECT_EQ(VfsRead(buffer, 1, 1, fresh), 0);
    EXPECT_EQ(VfsOpen("wave\\IENGINES\\engine.wav"), nullptr);
    VfsFree(fresh);
    VfsFree(engine);
    VfsFree(body);
}

TEST(Vfs, DamagedArchivesAreSkippedAtTheScan) {
    const std::string dir = MakeTestFolder("damaged");
    ArchiveBuilder good;
    good.File(0, "fine.txt", "fine");
    PutFile(dir + "/data/good.dat", good.Image());

    ArchiveBuilder huge;
    huge.File(0, "fine.txt", "fine");
    std::string image = huge.Image();
    const int32_t manyFiles = 1000000;
    memcpy(&image[4], &manyFiles, 4);
    PutFile(dir + "/data/huge.dat", image);
    PutFile(dir + "/data/short.dat", std::string("\1\0\0", 3));
    std::filesystem::create_directories(dir + "/data/folder.dat");

    ASSERT_TRUE(PlatSetCurrentDir(dir.c_str()));
    EXPECT_EQ(VfsScanArchives(), 1);
    char buffer[8];
    EXPECT_EQ(VfsReadFile("good\\fine.txt", buffer, sizeof buffer), 4);
    EXPECT_EQ(VfsReadFile("huge\\fine.txt", buffer, sizeof buffer), 0);
    EXPECT_EQ(VfsReadFile("short\\fine.txt", buffer, sizeof buffer), 0);

    // With only damaged archives there is nothing to start on.
    std::filesystem::remove(dir + "/data/good.dat");
    EXPECT_EQ(VfsScanArchives(), 0);
    EXPECT_EQ(VfsReadFile("good\\fine.txt", buffer, sizeof buffer), 0);
}

TEST(Vfs, TableHoldsSixteenArchivesAndTakesAddedOnes) {
    const std::string dir = MakeTestFolder("table");
    for (int i = 0; i < 17; i++) {
        ArchiveBuilder b;
        b.File(0, "id.txt", std::to_string(i));
        PutFile(dir + "/data/a" + std::to_string(i) + ".dat", b.Image());
    }
    ArchiveBuilder mods;
    const int maps = mods.Dir(0, "Maps");
    mods.File(maps, "m.txt", "mod");
    PutFile(dir + "/extra/Mods.v2.dat", mods.Image());

    ASSERT_TRUE(PlatSetCurrentDir(dir.c_str()));
    ASSERT_EQ(VfsScanArchives(), 1);
    int mounted = 0;
    char buffer[8];
    for (int i = 0; i < 17; i++) {
        const std::string path = "A" + std::to_string(i) + "\\ID.TXT";
        const int got = VfsReadFile(path.c_str(), buffer, sizeof buffer);
        if (got > 0) {
            EXPECT_EQ(std::string(buffer, (size_t)got), std::to_string(i));
            mounted++;
        }
    }
    EXPECT_EQ(mounted, 16);
    EXPECT_EQ(VfsAddArchive("extra\\Mods.v2.dat"), 0);   // the table is full

    std::filesystem::remove(dir + "/data/a0.dat");
    std::filesystem::remove(dir + "/data/a1.dat");
    std::filesystem::remove(dir + "/data/a2.dat");
    ASSERT_EQ(VfsScanArchives(), 1);
    EXPECT_EQ(VfsAddArchive("extra\\Mods.v2.dat"), 15);
    EXPECT_EQ(VfsReadFile("mods\\maps\\M.TXT", buffer, sizeof buffer), 3);
    EXPECT_EQ(std::string(buffer, 3), "mod");
    EXPECT_EQ(VfsAddArchive("extra\\missing.dat"), 0);
    EXPECT_EQ(VfsLastError(), 1);
}
