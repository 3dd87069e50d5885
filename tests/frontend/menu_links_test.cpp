// The link interpreter: what a clicked item's link slots do to other items,
// to groups and to the screen.
#include <gtest/gtest.h>

#include <cstring>

#include "frontend/frontend_state.h"
#include "frontend/menu_links.h"
#include "menulayout/menulayout_state.h"
#include "sound/music.h"
#include "frontend_test_util.h"

namespace {

struct Links : FrontEndTest {
    // The group rows are the layout's initial data: kept and put back.
    float groups[MENU_GROUP_ROWS][16];

    void SetUp() override {
        FrontEndTest::SetUp();
        memcpy(groups, MenuGroupTable, sizeof groups);
        memset(MenuGroupTable, 0, sizeof MenuGroupTable);
        memset(ItemDoneMarks, 0, sizeof ItemDoneMarks);
        memset(MenuSoundRequests, 0, sizeof MenuSoundRequests);
        MenuRefreshFlag = 0;
        ParentItem = 0;
        ReturnScreen = 0;
        Clicked(2, 1);   // item 1 of screen 2 is the clicked button
    }
    void TearDown() override {
        memcpy(MenuGroupTable, groups, sizeof groups);
        ParentItem = 0;
        memset(ItemDoneMarks, 0, sizeof ItemDoneMarks);
        memset(MenuSoundRequests, 0, sizeof MenuSoundRequests);
        MenuRefreshFlag = 0;
        FrontEndTest::TearDown();
    }

    // A linked item with every slot empty; its page root on screen.
    MenuItem& Clicked(int screen, int item) {
        MenuItem& it = MenuScreenTable[screen][item];
        it.flags = MENU_LINKED | MENU_SHOWN | MENU_HOVER_TEST;
        for (int32_t& link : it.links)
            link = -1;
        MenuScreenTable[screen][0].screenX = 0.0f;
        return it;
    }
    void SetLink(int k, int screen, int item, uint32_t mask, int op) {
        MenuItem& it = MenuScreenTable[2][1];
        it.links[k] = MakeLink(screen, item);
        it.masks[k] = mask;
        it.operations = (it.operations & ~(3u << (2 * k))) | ((uint32_t)op << (2 * k));
    }
    // Runs the clicked item's links; the screen the caller ends on.
    int Run(int* clicked = nullptr) {
        int screen = 2, click = 1;
        MenuStateWord = 1;
        RunItemLinks(&screen, 2, 1, clicked ? clicked : &click);
        return screen;
    }
};

TEST_F(Links, OnlyALinkedItemWithItsParentOnScreenRunsItsLinks) {
    SetLink(0, 2, 7, MENU_SHOWN, LINK_OR);
    MenuScreenTable[2][1].flags &= ~MENU_LINKED;
    Run();
    EXPECT_EQ(MenuScreenTable[2][7].flags, 0u) << "no 0x1 flag: no links";

    MenuScreenTable[2][1].flags |= MENU_LINKED;
    ParentItem = 5;
    for (float x : {-1.0f, 641.0f}) {
        MenuScreenTable[2][5].screenX = x;
        Run();
        EXPECT_EQ(MenuScreenTable[2][7].flags, 0u) << "parent at x " << x;
    }
    for (float x : {0.0f, 640.0f}) {
        MenuScreenTable[2][7].flags = 0;
        MenuScreenTable[2][5].screenX = x;
        Run();
        EXPECT_EQ(MenuScreenTable[2][7].flags, MENU_SHOWN) << "parent at x " << x << " is on screen";
    }
}

TEST_F(Links, EmptySlotsAreSkippedAndTheEighthRunsLikeTheOthers) {
    SetLink(3, 2, 9, MENU_SHOWN, LINK_OR);
    SetLink(7, 2, 1, MENU_SHOWN, LINK_AND_NOT);   // the button hides itself
    Run();
    EXPECT_TRUE(MenuScreenTable[2][9].flags & MENU_SHOWN);
    EXPECT_FALSE(MenuScreenTable[2][1].flags & MENU_SHOWN);
    EXPECT_EQ(MenuSoundRequests[MENU_SOUND_CLICK], 2) << "one click per applied link";
}

TEST_F(Links, OperationsAndTheScreenSwitch) {
    MenuScreenTable[2][8].flags = MENU_SHOWN | MENU_HOVER_TEST;
    MenuScreenTable[5][0].flags = MENU_PAGE_ROOT;
    MenuScreenTable[9][0].flags = MENU_PAGE_ROOT;
    SetLink(0, 2, 8, MENU_SHOWN | MENU_LOOPING, LINK_XOR);
    SetLink(1, 2, 8, MENU_HOVER_TEST, 3);                 // op 3 leaves the flags
    SetLink(2, 5, 0, MENU_SHOWN, LINK_OR);
    SetLink(3, 9, 0, MENU_SHOWN, LINK_OR);
    EXPECT_EQ(Run(), 9) << "the last page-root link wins";
    EXPECT_EQ(MenuScreenTable[2][8].flags, MENU_HOVER_TEST | MENU_LOOPING);
    EXPECT_TRUE(MenuScreenTable[5][0].flags & MENU_SHOWN);
    EXPECT_TRUE(MenuScreenTable[9][0].flags & MENU_SHOWN);

    // Without a page root among the targets the screen stays.
    Clicked(2, 1);
    SetLink(0, 2, 8, MENU_SHOWN, LINK_AND_NOT);
    EXPECT_EQ(Run(), 2);
    EXPECT_FALSE(MenuScreenTable[2][8].flags & MENU_SHOWN);
}

TEST_F(Links, AnEmptyMaskStillTakesTheClickAndReMarksTheTarget) {
    MenuScreenTable[2][6].flags = MENU_SHOWN;
    ItemDoneMarks[6] = 1;
    SetLink(0, 2, 6, 0, LINK_OR);
    int clicked = 1;
    Run(&clicked);
    EXPECT_EQ(MenuScreenTable[2][6].flags, MENU_SHOWN);
    EXPECT_EQ(clicked, 0);
    EXPECT_EQ(MenuStateWord, 0);
    EXPECT_EQ(ItemDoneMarks[6], 0) << "the frame handles the target again in this frame";
    EXPECT_EQ(MenuSoundRequests[MENU_SOUND_CLICK], 1);
    EXPECT_EQ(MenuRefreshFlag, 0);
}

TEST_F(Links, SlideBitsRaiseTheRefreshFlag) {
    // A link with 0x2000 raises it whatever its op.
    for (int op : {(int)LINK_OR, (int)LINK_AND_NOT, (int)LINK_XOR, 3}) {
        Clicked(2, 1);
        MenuRefreshFlag = 0;
        SetLink(0, 2, 6, MENU_SLIDE_IN, op);
        Run();
        EXPECT_EQ(MenuRefreshFlag, 1) << "op " << op;
    }
    // A group clearing 0x2000 does not; one setting it, or clearing 0x40000, does.
    const float rows[3][2] = {{0, (float)MENU_SLIDE_IN}, {(float)MENU_SLIDE_IN, 0}, {0, (float)MENU_SLIDE_OUT}};
    const int raised[3] = {0, 1, 1};
    for (int r = 0; r < 3; r++) {
        Clicked(2, 1);
        MenuRefreshFlag = 0;
        MenuGroupTable[4][0] = 2;
        MenuGroupTable[4][1] = 6;
        MenuGroupTable[4][14] = rows[r][0];
        MenuGroupTable[4][15] = rows[r][1];
        MenuScreenTable[2][1].links[0] = MakeLink(LINK_GROUP_SCREEN, 4);
        Run();
        EXPECT_EQ(MenuRefreshFlag, raised[r]) << "group row " << r;
    }
}

TEST_F(Links, AGroupSetsAndClearsItsMembersWithoutSwitchingOrReMarking) {
    MenuScreenTable[3][0].flags = MENU_PAGE_ROOT;
    MenuScreenTable[3][10].flags = MENU_HOVER_TEST;
    MenuScreenTable[3][11].flags = MENU_HOVER_TEST | MENU_PAGE_ROOT;
    ItemDoneMarks[10] = 1;
    float* row = MenuGroupTable[7];
    row[0] = 3;
    row[1] = 10;
    row[5] = 11;     // empty columns between members are skipped
    row[13] = 0;
    row[14] = (float)MENU_SHOWN;
    row[15] = (float)MENU_HOVER_TEST;
    MenuScreenTable[2][1].links[0] = MakeLink(LINK_GROUP_SCREEN, 7);
    int clicked = 1;
    EXPECT_EQ(Run(&clicked), 2) << "a group never switches the screen";
    EXPECT_EQ(MenuScreenTable[3][10].flags, MENU_SHOWN);
    EXPECT_EQ(MenuScreenTable[3][11].flags, MENU_SHOWN | MENU_PAGE_ROOT);
    EXPECT_EQ(ItemDoneMarks[10], 1);
    EXPECT_EQ(clicked, 0);
    EXPECT_EQ(MenuSoundRequests[MENU_SOUND_CLICK], 2) << "one click per member";
}

TEST_F(Links, TheReturnFlagLeadsToReturnScreenUnlessALinkSwitches) {
    MenuScreenTable[2][1].flags = MENU_RETURN;
    int clicked = 1;
    EXPECT_EQ(Run(&clicked), 0);
    EXPECT_EQ(clicked, 0);
    EXPECT_EQ(MenuStateWord, 0);

    // With links the new screen starts as the one the actions left.
    Clicked(2, 1);
    MenuScreenTable[2][1].flags |= MENU_RETURN;
    SetLink(0, 2, 6, MENU_SHOWN, LINK_OR);
    EXPECT_EQ(Run(), 2);
}

TEST_F(Links, TargetsOutsideTheTablesChangeNothing) {
    MenuItem before[MENU_SCREENS][MENU_ITEMS];
    MenuScreenTable[2][1].links[0] = MakeLink(LINK_GROUP_SCREEN, MENU_GROUP_ROWS);   // no such row
    MenuScreenTable[2][1].links[1] = MakeLink(27, 0) + MENU_ITEMS;                  // item past the screen
    MenuScreenTable[2][1].links[2] = MakeLink(60, 3);                               // no such screen
    MenuScreenTable[2][1].masks[0] = MenuScreenTable[2][1].masks[1] = MenuScreenTable[2][1].masks[2] = MENU_SHOWN;
    MenuGroupTable[5][0] = 40;          // a group row naming no screen
    MenuGroupTable[5][1] = 3;
    MenuGroupTable[5][2] = 5000;        // and no item
    MenuGroupTable[5][14] = (float)MENU_SHOWN;
    MenuScreenTable[2][1].links[3] = MakeLink(LINK_GROUP_SCREEN, 5);
    memcpy(before, MenuScreenTable, sizeof before);
    EXPECT_EQ(Run(), 2);
    EXPECT_EQ(memcmp(before, MenuScreenTable, sizeof before), 0);
    // A parent number past the screen is read as the page root.
    ParentItem = 4000;
    MenuScreenTable[2][1].links[0] = MakeLink(2, 6);
    Run();
    EXPECT_TRUE(MenuScreenTable[2][6].flags & MENU_SHOWN);
}

}  // namespace
