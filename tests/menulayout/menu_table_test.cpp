// The item record's file image, link decoding, the colours, and the layout
// file config\menus.dat.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frontend/menu_init.h"
#include "menulayout/menu_table.h"
#include "platform/plat_file.h"

TEST(MenuTable, RecordImageIsLittleEndianAtItsOffsets) {
    MenuItem item = {};
    item.flags = 0x11223344;
    item.links[7] = MakeLink(3, 52);
    item.hitBottom = 0x0102;
    item.parent = 0xab;
    const unsigned char* bytes = (const unsigned char*)&item;
    EXPECT_EQ(bytes[24], 0x44);
    EXPECT_EQ(bytes[27], 0x11);
    int32_t link;
    memcpy(&link, bytes + 28 + 7 * 4, 4);
    EXPECT_EQ(link, (3 << 11) | 52);
    EXPECT_EQ(bytes[114], 0x02);
    EXPECT_EQ(bytes[115], 0x01);
    EXPECT_EQ(bytes[124], 0xab);
    EXPECT_EQ(sizeof MenuScreenTable, 720384u);
}

TEST(MenuTable, LinksDecodeToItemsOrGroupRows) {
    int screen = -1, item = -1;
    EXPECT_EQ(DecodeLink((3 << 11) | 52, &screen, &item), LINK_ITEM);
    EXPECT_EQ(screen, 3);
    EXPECT_EQ(item, 52);
    EXPECT_EQ(DecodeLink((99 << 11) | 184, &screen, &item), LINK_GROUP);
    EXPECT_EQ(screen, 99);
    EXPECT_EQ(item, 184);
    EXPECT_EQ(DecodeLink(-1, &screen, &item), LINK_NONE);
    EXPECT_EQ(DecodeLink((28 << 11) | 1, &screen, &item), LINK_NONE);    // no screen 28
    EXPECT_EQ(DecodeLink((5 << 11) | 201, &screen, &item), LINK_NONE);   // no item 201
    EXPECT_EQ(DecodeLink((99 << 11) | 208, &screen, &item), LINK_NONE);  // no row 208
    EXPECT_EQ(DecodeLink(0, &screen, &item), LINK_ITEM);                 // the main page root
}

TEST(MenuTable, ColoursFollowThePixelFormat) {
    GreenMaskBits = 5;
    FillMenuColourTable();
    EXPECT_EQ(MenuColourTable[4], 0x7fff);
    EXPECT_EQ(MenuColourTable[5], 0x7fd0);
    EXPECT_EQ(MenuColourTable[8], 0x6f7b);
    GreenMaskBits = 6;
    FillMenuColourTable();
    EXPECT_EQ(MenuColourTable[4], 0xffff);
    EXPECT_EQ(MenuColourTable[5], 0xffb0);
    EXPECT_EQ(MenuColourTable[8], 0xdefb);
}

namespace {

struct LayoutFile : ::testing::Test {
    std::string dir;
    std::vector<unsigned char> built;
    void SetUp() override {
        dir = MakeTestGameFolder("menus-dat");
        memset(MenuScreenTable, 0, sizeof MenuScreenTable);    // as the program starts
        InitMenus();
        built.assign((const unsigned char*)MenuScreenTable, (const unsigned char*)MenuScreenTable + sizeof MenuScreenTable);
    }
    void TearDown() override { memset(MenuScreenTable, 0, sizeof MenuScreenTable); }
    bool TableIsBuilt() const { return memcmp(MenuScreenTable, built.data(), built.size()) == 0; }
    void WriteFile(const std::vector<unsigned char>& image) {
        ASSERT_TRUE(PlatWriteFileAtomic("config\\menus.dat", image.data(), image.size()));
    }
};

}  // namespace

TEST_F(LayoutFile, RoundTripsByteForByte) {
    ASSERT_EQ(SaveMenuLayout(), 1);
    const std::string file = ReadHostFile(dir + "/Config/menus.dat");
    ASSERT_EQ(file.size(), 720384u);
    EXPECT_EQ(memcmp(file.data(), built.data(), built.size()), 0);

    MenuScreenTable[3][7].flags ^= 0xffff;
    MenuScreenTable[22][1].x = 12345.0f;
    ASSERT_EQ(LoadMenuLayout(), 1);
    EXPECT_TRUE(TableIsBuilt());
}

TEST_F(LayoutFile, RefusesShortLongCorruptAndMissingFiles) {
    EXPECT_EQ(LoadMenuLayout(), 0);   // no file yet
    EXPECT_TRUE(TableIsBuilt());

    std::vector<unsigned char> other(built);
    for (size_t i = 0; i < other.size(); i += 128)
        other[i + 24] ^= 0x20;   // a different but valid table

    WriteFile(std::vector<unsigned char>(other.begin(), other.end() - 1));
    EXPECT_EQ(LoadMenuLayout(), 0);
    EXPECT_TRUE(TableIsBuilt());

    std::vector<unsigned char> longer(other);
    longer.push_back(0);
    WriteFile(longer);
    EXPECT_EQ(LoadMenuLayout(), 0);
    EXPECT_TRUE(TableIsBuilt());

    // A link to screen 40 is corrupt.
    std::vector<unsigned char> corrupt(other);
    const int32_t bad = MakeLink(40, 1);
    memcpy(&corrupt[128 * 5 + 28], &bad, 4);
    WriteFile(corrupt);
    EXPECT_EQ(LoadMenuLayout(), 0);
    EXPECT_TRUE(TableIsBuilt());

    WriteFile(other);
    EXPECT_EQ(LoadMenuLayout(), 1);
    EXPECT_FALSE(TableIsBuilt());
    EXPECT_EQ(memcmp(MenuScreenTable, other.data(), other.size()), 0);
}

TEST_F(LayoutFile, SaveReportsAFailure) {
    // A folder where the file should be cannot be replaced by a file.
    const std::string path = dir + "/Config/menus.dat";
    ASSERT_TRUE(PlatWriteFileAtomic("config\\menus.dat", "x", 1));
    std::remove(path.c_str());
    ASSERT_EQ(system(("mkdir '" + path + "' && touch '" + path + "/keep'").c_str()), 0);
    EXPECT_EQ(SaveMenuLayout(), 0);
}
