// Front-end start-up: the table left by InitMenus, the translated control
// names and the profile screen's reset.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frame/startup.h"
#include "frontend/menu_init.h"
#include "frontend/text_slots.h"
#include "menulayout/menulayout_state.h"
#include "frontend_test_util.h"

namespace {

struct InitFixture : FrontEndTest {
    void SetUp() override {
        FrontEndTest::SetUp();
        MakeTestGameFolder("init");
        LoadMessageFile();
        ASSERT_GT(TextFileSize, 0);
        GreenMaskBits = 6;
    }
};

bool AllZero(const MenuItem& item) {
    const unsigned char* bytes = (const unsigned char*)&item;
    for (size_t i = 0; i < sizeof item; i++) {
        if (bytes[i])
            return false;
    }
    return true;
}

}  // namespace

TEST_F(InitFixture, LeavesUnusedItemsZeroAndEmptyLinksMinusOne) {
    InitMenus();
    for (int s = 0; s < MENU_SCREENS; s++)
        EXPECT_TRUE(AllZero(MenuScreenTable[s][MENU_ITEMS - 1])) << "screen " << s;
    for (int s : {26, 27}) {
        for (int i = 0; i < MENU_ITEMS; i++)
            ASSERT_TRUE(AllZero(MenuScreenTable[s][i])) << s << "/" << i;
    }
    // Screens 23 and 24 have no layout but are cleared with the others.
    for (int s : {23, 24}) {
        for (int i = 0; i < MENU_ITEMS - 1; i++)
            ASSERT_EQ(MenuScreenTable[s][i].flags, 0u) << s << "/" << i;
    }
    for (int s = 0; s < 25; s++) {
        for (int i = 0; i < MENU_ITEMS - 1; i++) {
            const MenuItem& item = MenuScreenTable[s][i];
            if (item.flags == 0) {
                for (int32_t link : item.links)
                    ASSERT_EQ(link, -1) << s << "/" << i;
            }
        }
    }
    // Screen 7 holds 35 items; the links of a button are followed by empties.
    EXPECT_EQ(MenuScreenTable[7][35].flags, 0u);
    EXPECT_NE(MenuScreenTable[7][12].links[0], -1);
    EXPECT_EQ(MenuScreenTable[7][12].links[1], -1);
}

TEST_F(InitFixture, KeepsThePositionsOfTheMainScreen) {
    InitMenus();
    for (int i = 0; i < MENU_ITEMS - 1; i++) {
        const MenuItem& main = MenuScreenTable[0][i];
        const MenuItem& copy = MenuScreenTable[MENU_BACKUP_SCREEN][i];
        ASSERT_EQ(copy.flags, main.flags) << i;
        ASSERT_EQ(copy.x, main.x) << i;
        ASSERT_EQ(copy.y, main.y) << i;
        ASSERT_EQ(copy.targetX, main.targetX) << i;
        ASSERT_EQ(copy.targetY, main.targetY) << i;
        ASSERT_EQ(copy.homeX, main.homeX) << i;
        ASSERT_EQ(copy.homeY, main.homeY) << i;
        ASSERT_EQ(copy.textSlot, 0) << i;   // only the positions and flags
    }
    EXPECT_EQ(MenuScreenTable[MENU_BACKUP_SCREEN][13].homeX, MenuScreenTable[0][13].homeX);
    EXPECT_EQ(MenuScreenTable[MENU_BACKUP_SCREEN][1].x, -500.0f);
}

TEST_F(InitFixture, TranslatesKeyAndJoystickNames) {
    // Point slot 520 at a long text to see it cut to 14 characters.
    TextSlotTable[520] = TextSlotTable[2006];
    InitMenus();
    EXPECT_STREQ((const char*)&KeyNameTable[0][1], "1");   // rows before 47 keep their names
    EXPECT_EQ(KeyNameTable[47][0], 0x0C);                    // the scan code is kept
    GetText(501);
    EXPECT_STREQ((const char*)&KeyNameTable[47][1], TextBufferB);
    GetText(2006);
    EXPECT_EQ(std::string((const char*)&KeyNameTable[66][1]), std::string(TextBufferB, 14));
    EXPECT_STREQ((const char*)&KeyNameTable[108][1], "APPS");

    GetText(563);
    EXPECT_STREQ(JoystickNameTable[0], TextBufferB);
    for (int i = (int)strlen(JoystickNameTable[0]); i < 24; i++)
        ASSERT_EQ(JoystickNameTable[0][i], 0);
}

TEST_F(InitFixture, PreparesTheTextAndListTables) {
    InitMenus();
    for (int f = 0; f < MENU_FONT_COUNT; f++) {
        int sum = 0;
        for (int g = 0; g < MENU_FONT_GLYPHS; g++) {
            ASSERT_EQ(GlyphStartTable[f][g], sum) << f << "/" << g;
            sum += MenuFontMetrics[f].widths[g];
        }
        EXPECT_LE(sum, FONT_STRIP_WIDTH);
    }
    for (const auto& set : ControlBindings) {
        for (const KeyBinding& b : set)
            ASSERT_EQ(b.nameIndex, -1);
    }
    for (const auto& row : FileListRow)
        ASSERT_TRUE(row[0] == ' ' && row[1] == ' ');
}

TEST_F(InitFixture, ResetsTheProfileScreen) {
    InitMenus();
    const uint32_t item3 = MenuScreenTable[18][3].flags, item18 = MenuScreenTable[18][18].flags;
    TypedCharCount = 5;
    ResetProfileScreen();
    for (int i = 13; i <= 16; i++) {
        EXPECT_FALSE(MenuScreenTable[18][i].flags & MENU_HOVER_TEST);
        EXPECT_EQ(MenuScreenTable[18][i].colour, 3);
        EXPECT_EQ(MenuScreenTable[18][i].hoverColour, 3);
    }
    EXPECT_EQ(MenuScreenTable[18][3].flags, item3 ^ (MENU_SLIDE_IN | MENU_SLIDE_OUT));
    EXPECT_EQ(MenuScreenTable[18][18].flags, item18 ^ (MENU_SLIDE_IN | MENU_SLIDE_OUT));
    // One of the two panels slides in, the other out.
    EXPECT_NE(MenuScreenTable[18][3].flags & MENU_SLIDE_IN, MenuScreenTable[18][18].flags & MENU_SLIDE_IN);
    EXPECT_TRUE(MenuScreenTable[18][37].flags & MENU_SHOWN);
    EXPECT_EQ(KeyboardJumpGate, 1);
    EXPECT_EQ(TypedCharCount, 0);
    EXPECT_EQ(MenuStateWord, 0);
}

// The whole start-up on the sample folder: the controls screen shows the
// names of the keys, not whatever else the message file holds near them.
TEST(StartUpNames, TheKeyAndJoystickRowsHoldTheirNamesAfterStartUp) {
    MakeTestGameFolder("startup");
    ASSERT_EQ(RunHeadlessGame(1, 0), 0);
    ASSERT_EQ(FramesRun, 1);
    EXPECT_EQ(KeyNameTable[47 + 19][0], 0x39);
    EXPECT_STREQ((const char*)&KeyNameTable[47 + 19][1], "Space");
    EXPECT_STREQ((const char*)&KeyNameTable[47 + 6][1], "Return");
    EXPECT_STREQ((const char*)&KeyNameTable[47 + 60][1], "Right Win");
    EXPECT_STREQ(JoystickNameTable[4], "Fire");
    EXPECT_STREQ(JoystickNameTable[15], "Button 10");
}
