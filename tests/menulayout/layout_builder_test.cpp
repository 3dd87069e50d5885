// The reader of the layout text: what it fills and what it refuses.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "menulayout/layout_builder.h"

namespace {

struct Builder : ::testing::Test {
    void SetUp() override {
        memset(MenuScreenTable, 0, sizeof MenuScreenTable);
        for (auto& screen : MenuScreenTable) {
            for (MenuItem& item : screen) {
                for (int32_t& link : item.links)
                    link = -1;
            }
        }
    }
    void TearDown() override { memset(MenuScreenTable, 0, sizeof MenuScreenTable); }
    int Build(const char* text) { return BuildMenuScreen(9, text); }
};

}  // namespace

TEST_F(Builder, FillsTheFieldsOfEachItem) {
    const char* text = R"(
# a comment line
  0 root 0x820 slot=3
  1 pic  0x6460 pic=351 frames=49 map=1 at=-500,1 home=130,1   # trailing comment
  2 pic  0x2460 pic=5 at=1140,20 home=200,20 to=@1
  3 text 0x339  slot=31 font=1 colour=3/4 parent=2 at=80,-1 hit=262,422,14,39
    link xor 0x2000 0:20
    link group:24
    link and-not 0x8 5:7
    link none
    link or 0x20 4:0
  4 pic  0x469  pic=54 value=4 bounds=0,5
)";
    ASSERT_EQ(Build(text), 5) << MenuLayoutError;
    const MenuItem* s = MenuScreenTable[9];
    EXPECT_EQ(s[0].flags, 0x820u);
    EXPECT_EQ(s[0].textSlot, 3);
    EXPECT_EQ(s[1].currentPicture, 351);   // a looping picture starts on its first
    EXPECT_EQ(s[1].extraFrames, 49);
    EXPECT_EQ(s[1].targetX, -500.0f);      // a picture's target is its start
    EXPECT_EQ(s[1].value, 1);
    EXPECT_EQ(s[2].currentPicture, 0);
    EXPECT_EQ(s[2].targetX, -500.0f);      // ... or another picture's start
    EXPECT_EQ(s[2].targetY, 1.0f);
    EXPECT_EQ(s[3].parent, 2);
    EXPECT_EQ(s[3].hitRight, 422);
    EXPECT_EQ(s[3].hitBottom, 39);
    EXPECT_EQ(s[3].colour, 3);
    EXPECT_EQ(s[3].hoverColour, 4);
    EXPECT_EQ(s[3].targetX, 0.0f);
    EXPECT_EQ(s[3].links[0], MakeLink(0, 20));
    EXPECT_EQ(s[3].links[1], MakeLink(99, 24));
    EXPECT_EQ(s[3].links[2], MakeLink(5, 7));
    EXPECT_EQ(s[3].links[3], -1);          // an empty slot before a later one
    EXPECT_EQ(s[3].links[4], MakeLink(4, 0));
    EXPECT_EQ(s[3].links[5], -1);
    EXPECT_EQ(s[3].masks[1], 0u);
    EXPECT_EQ(s[3].masks[4], 0x20u);
    EXPECT_EQ(s[3].operations, (uint32_t)(LINK_XOR | LINK_OR << 2 | LINK_AND_NOT << 4 | LINK_OR << 8));
    EXPECT_EQ(s[4].value, 4);
    EXPECT_EQ(s[4].lowerBound, 0);
    EXPECT_EQ(s[4].upperBound, 5);
}

TEST_F(Builder, RefusesBrokenLinesAndNamesThem) {
    const char* broken[] = {
        "1 pic 0x200 pic=5",                  // a picture without its flag
        "1 button 0x400 pic=5",               // an unknown kind
        "1 text 0x200 slot=5\n1 text 0x200 slot=6",
        "link or 0x20 0:0",                   // a link before any item
        "1 text 0x200 slot=5\nlink or 0x20 30:0",
        "1 text 0x200 slot=5\nlink group:208",
        "1 text 0x200 slot=5\nlink nand 0x20 0:0",
        "1 text 0x200 colour=3/12",
        "1 text 0x200 font=3",
        "1 text 0x200 hit=1,2,3",
        "1 text 0x200 slot",
        "1 pic 0x400 to=@7",                  // an item not given yet
        "200 text 0x200 slot=5",              // item 200 is never used
        "1 text 0x200 speed=5",
    };
    for (const char* text : broken) {
        SetUp();
        EXPECT_EQ(Build(text), -1) << text;
        EXPECT_NE(strstr(MenuLayoutError, "screen 9 line"), nullptr) << text;
    }
    SetUp();
    std::string nine = "1 text 0x200 slot=5\n";
    for (int i = 0; i < 9; i++)
        nine += "link or 0x20 0:" + std::to_string(i) + "\n";
    EXPECT_EQ(Build(nine.c_str()), -1);
    EXPECT_NE(strstr(MenuLayoutError, "line 10"), nullptr) << MenuLayoutError;
}

TEST_F(Builder, TheBuiltInLayoutReadsWithoutError) {
    EXPECT_EQ(BuildMenuLayout(), 1188) << MenuLayoutError;
    EXPECT_EQ(MenuLayoutError[0], 0);
}
