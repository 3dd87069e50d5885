// Pop-ups on the sample layout and message file: every message a pop-up
// names is a real text, and closing gives back exactly what opening froze.
// The display options file: only a whole file is taken, each byte held to
// its range, and the screen's OK and BACK write and read it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/test_game.h"
#include "frame/fileio.h"
#include "frontend/menu_actions.h"
#include "frontend/menu_init.h"
#include "frontend/popups.h"
#include "frontend/text_slots.h"
#include "frontend/visual_settings.h"
#include "sound/music.h"
#include "frontend_test_util.h"

namespace {

struct OnSampleMenus : FrontEndTest {
    static void SetUpTestSuite() { MakeTestGameFolder("popups"); }
    void SetUp() override {
        FrontEndTest::SetUp();
        LoadMessageFile();
        InitMenus();
        memset(VisualSettings, 0, sizeof VisualSettings);
    }
    void TearDown() override {
        for (int s = 0; s < MENU_LAYOUT_SCREENS; s++)
            GiveBackPopupFreeze(s);
        memset(VisualSettings, 0, sizeof VisualSettings);
        memset(MenuSoundRequests, 0, sizeof MenuSoundRequests);
        PopupOpenFlag = NetworkLostPopup = NewUnlockNotice = NewBonusNotice = RewardNotice = 0;
        FrontEndTest::TearDown();
    }
    static std::string Text(int slot) {
        return std::string(TextSlotBlob + TextSlotTable[slot].offset, TextSlotTable[slot].length);
    }
};

using Popups = OnSampleMenus;
using VisualFile = OnSampleMenus;

TEST_F(Popups, EveryMessageAPopupNamesIsARealText) {
    int named = 0;
    for (int screen = 0; screen < MENU_LAYOUT_SCREENS; screen++) {
        for (int type = 0; type <= 10; type++) {
            const int kinds = screen == 3 && type == 1 ? 7 : 1;
            for (int kind = 0; kind < kinds; kind++) {
                for (int sub = 0; sub < (kinds > 1 ? 5 : 1); sub++) {
                    const int slot = PopupMessageSlot(screen, type, kind, sub);
                    if (slot < 0)
                        continue;
                    named++;
                    ASSERT_LT(slot, TEXT_SLOT_COUNT);
                    const std::string text = Text(slot);
                    EXPECT_GT(text.size(), 2u) << "screen " << screen << " type " << type << " kind " << kind
                                               << "." << sub << ": slot " << slot;
                }
            }
        }
    }
    EXPECT_GT(named, 60);
    // The career's rewards: kind 6, and kind 5 with its fifth sub-kind.
    EXPECT_EQ(PopupMessageSlot(3, 1, 6, 0), 1787);
    EXPECT_EQ(PopupMessageSlot(3, 1, 5, 4), 1799);
    EXPECT_EQ(PopupMessageSlot(3, 1, 9, 0), PopupMessageSlot(3, 1, 0, 4)) << "an unknown kind keeps type 1's text";
    EXPECT_EQ(PopupMessageSlot(3, 42, 0, 0), -1);
    EXPECT_EQ(PopupMessageSlot(40, 0, 0, 0), -1);
}

TEST_F(Popups, ClosingGivesBackTheHoverTestOfEveryItemTheOpeningFroze) {
    for (int screen : {0, 2, 7, 8, 9, 10, 11, 15, 18, 20, 21, 22}) {
        uint32_t before[MENU_ITEMS];
        for (int i = 0; i < MENU_ITEMS; i++)
            before[i] = MenuScreenTable[screen][i].flags & MENU_HOVER_TEST;
        ShowPopup(screen, 0, 0, 0);
        int frozen = 0;
        for (int i = 0; i < MENU_ITEM_COUNT; i++) {
            if (before[i] && !(MenuScreenTable[screen][i].flags & MENU_HOVER_TEST)) {
                frozen++;
                EXPECT_TRUE(PopupFroze(screen, i)) << screen << "/" << i;
            }
        }
        EXPECT_GT(frozen, 0) << "screen " << screen << "'s pop-up froze nothing";
        GiveBackPopupFreeze(screen);
        for (int i = 0; i < MENU_ITEM_COUNT; i++) {
            if (before[i]) {
                EXPECT_TRUE(MenuScreenTable[screen][i].flags & MENU_HOVER_TEST) << screen << "/" << i;
            }
            EXPECT_FALSE(PopupFroze(screen, i));
        }
    }
}

TEST_F(Popups, TheUnlockPopupClearsItsNoticeAndTheRewardSetsTheSpecialRace) {
    NewUnlockNotice = 1;
    ShowPopup(3, 6, 0, 0);
    EXPECT_EQ(NewUnlockNotice, 0);
    EXPECT_EQ(NewBonusNotice, 1);
    EXPECT_TRUE(MenuScreenTable[3][47].flags & MENU_HOVER_TEST) << "its OK button";
    CareerRecord.specialRace = 0;
    ShowPopup(3, 1, 5, 4);
    EXPECT_EQ(RewardNotice, 1);
    EXPECT_EQ(CareerRecord.specialRace, 1);
    EXPECT_EQ(MenuScreenTable[3][48].textSlot, 1799);
    CareerRecord.specialRace = 0;
    // Type 3 asks a question: two buttons.
    ShowPopup(3, 3, 0, 0);
    EXPECT_TRUE(MenuScreenTable[3][157].flags & MENU_SHOWN);
    EXPECT_TRUE(MenuScreenTable[3][158].flags & MENU_SHOWN);
    EXPECT_EQ(MenuSoundRequests[MENU_SOUND_MESSAGE], 3);
}

TEST_F(VisualFile, OnlyAWholeFileIsTakenEachByteHeldToItsRange) {
    unsigned char image[48];
    memset(image, 0x7f, sizeof image);
    image[0] = 0xff;     // -1
    image[5] = 0;
    image[11] = 9;
    EXPECT_EQ(TakeVisualSettings(image, 47), 0);
    EXPECT_EQ(TakeVisualSettings(image, 49), 0);
    EXPECT_EQ(TakeVisualSettings(nullptr, 48), 0);
    EXPECT_EQ(VisualSettings[1], 0) << "a refused image leaves the settings";
    ASSERT_EQ(TakeVisualSettings(image, 48), 1);
    const int expected[13] = {0, 1, 1, 1, 1, 1, 5, 5, 0x7f, 1, 0x7f, 3, 3};
    for (int i = 0; i < 13; i++)
        EXPECT_EQ(VisualSettings[i], expected[i]) << "byte " << i;
    EXPECT_EQ(VisualSettings[47], 0x7f) << "bytes nothing reads are kept";
}

TEST_F(VisualFile, OkWritesTheWholeFileAndBackReadsItBack) {
    int screen = 6;
    VisualSettings[VISUAL_EFFECTS_ENABLED] = 1;
    VisualSettings[VISUAL_TEXTURE_FILTER] = 2;
    VisualSettings[40] = 9;
    DisplayOptionsAction(&screen, 12);
    unsigned char file[64];
    ASSERT_EQ(ReadWholeFile("CONFIG\\visual.cfg", file, sizeof file), 1);
    ASSERT_EQ(LastFileSize, 48);
    EXPECT_EQ(memcmp(file, VisualSettings, 48), 0);
    VisualSettings[VISUAL_EFFECTS_ENABLED] = 0;
    VisualSettings[40] = 0;
    DisplayOptionsAction(&screen, 13);
    EXPECT_EQ(VisualSettings[VISUAL_EFFECTS_ENABLED], 1);
    EXPECT_EQ(VisualSettings[40], 9);
    EXPECT_EQ(EffectsEnabled, 1);
    EXPECT_EQ(screen, 6);
}

}  // namespace
