// The logged-in player's career through the menus, pointed at by the
// layout's own items: a first run makes a profile through the single race,
// wins nothing and saves the career in slot 3, whose money the test then
// changes in the file.  A second run logs the profile in (which loads slot
// 3), goes back to the main menu, opens the career: the slot's money is
// shown there, and a save keeps it.
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>

#include "frontend/text_slots.h"
#include "layout_points.h"
#include "race_run_util.h"

namespace {

// Items of the built-in layout, by screen.
enum {
    MAIN_PLAY = 13, MAIN_SINGLE_RACE = 38, MAIN_CAREER = 39,                       // screen 0
    PROFILE_LOGIN = 13, PROFILE_NEW = 15, PROFILE_NAME_OK = 20,                    // screen 18
    SINGLE_BACK = 14, SINGLE_GREETING_OK = 47,                                     // screen 2
    CAREER_SAVE = 13, CAREER_GREETING_OK = 47,                                     // screen 3
    SAVE_OK = 12, SAVE_FIRST_ROW = 27, SAVE_MESSAGE_OK = 34,                       // screen 21
};
enum { SLOT_MONEY = 651, MONEY_OFFSET = 0x64, SAVE_COUNT_OFFSET = 0x84, SLOT_BYTES = 2384 };

// PLAY, then the career from the main menu: its greeting closed, SAVE, the
// row of slot 3, a description typed after what the row holds, OK and the
// saved message's OK, back on the career screen.  From `at`; returns the
// frame after it.
int CareerSave(std::string& s, int at, const std::string& typed) {
    s += ClickItem(at, 0, MAIN_PLAY) + ClickItem(at + 60, 0, MAIN_CAREER) + ExpectScreen(at + 130, 3) +
         ClickItem(at + 140, 3, CAREER_GREETING_OK) + ClickItem(at + 200, 3, CAREER_SAVE) + ExpectScreen(at + 270, 21) +
         ClickItem(at + 280, 21, SAVE_FIRST_ROW + 2) + TypeAt(at + 320, typed) + ClickItem(at + 360, 21, SAVE_OK) +
         ClickItem(at + 420, 21, SAVE_MESSAGE_OK) + ExpectScreen(at + 490, 3);
    return at + 500;
}

// From the single race screen, just entered: its greeting closed, BACK to
// the main menu.
int SingleRaceBack(std::string& s, int at) {
    s += ClickItem(at, 2, SINGLE_GREETING_OK) + ClickItem(at + 40, 2, SINGLE_BACK) + ExpectScreen(at + 110, 0);
    return at + 120;
}

struct SlotBytes {
    std::string bytes;
    float Money() const {
        float money;
        memcpy(&money, bytes.data() + MONEY_OFFSET, sizeof money);
        return money;
    }
    uint32_t SaveCount() const {
        uint32_t count;
        memcpy(&count, bytes.data() + SAVE_COUNT_OFFSET, sizeof count);
        return count;
    }
    std::string Description() const { return std::string(bytes.c_str() + 4, strnlen(bytes.c_str() + 4, 32)); }
};

struct CareerKeptRoute : RaceRunTest {
    void SetUp() override {
        RaceRunTest::SetUp();
        ASSERT_TRUE(BuildLayoutForPoints());
    }
};

TEST_F(CareerKeptRoute, TheLoggedInSlotsMoneyShowsInTheCareerAfterTheMainMenuAndASaveKeepsIt) {
    const std::string dir = MakeTestGameFolder("kept");
    const std::string slot3 = dir + "/USERS/KEEP/SAVE 03.rb";

    // First run: PLAY, SINGLE RACE, NEW, the name, OK, LOG IN; back to the
    // main menu, and the career saved in slot 3 with nothing won.
    std::string first = ClickItem(200, 0, MAIN_PLAY) + ClickItem(260, 0, MAIN_SINGLE_RACE) + ExpectScreen(330, 18) +
                        ClickItem(340, 18, PROFILE_NEW) + TypeAt(400, "KEEP") + ClickItem(430, 18, PROFILE_NAME_OK) +
                        ClickItem(490, 18, PROFILE_LOGIN) + ExpectScreen(550, 2);
    int end = CareerSave(first, SingleRaceBack(first, 560), "SLOT");
    std::ofstream(dir + "/first.txt") << first;
    ASSERT_EQ(RunGameLogged(dir, "--headless --recording-device --debug --frames " + std::to_string(end + 10) +
                                     " --script first.txt",
                            "first.log"),
              0)
        << ReadHostFile(dir + "/first.log");
    SlotBytes saved{ReadHostFile(slot3)};
    ASSERT_EQ(saved.bytes.size(), (size_t)SLOT_BYTES);
    ASSERT_EQ(saved.Money(), 400.0f) << "a new career, nothing won";
    ASSERT_EQ(saved.Description(), "SLOT");
    EXPECT_EQ((unsigned char)ReadHostFile(dir + "/USERS/KEEP.usr")[0], 3) << "slot 3 is the profile's last";

    // The slot's money, changed in the file.
    const float money = 12345.0f;
    memcpy(&saved.bytes[MONEY_OFFSET], &money, sizeof money);
    std::ofstream(slot3, std::ios::binary) << saved.bytes;

    // Second run, in this process: PLAY, SINGLE RACE, LOG IN with the
    // profile listed and selected; back to the main menu; the career, and a
    // save over slot 3.
    std::string second = ClickItem(200, 0, MAIN_PLAY) + ClickItem(260, 0, MAIN_SINGLE_RACE) + ExpectScreen(330, 18) +
                         ClickItem(360, 18, PROFILE_LOGIN) + ExpectScreen(420, 2);
    end = CareerSave(second, SingleRaceBack(second, 430), "2");
    ASSERT_EQ(RunScriptedGame(dir, second, end + 10), 0) << "a screen check failed";

    // Shown on the career screen: the money of the slot the log-in loaded.
    EXPECT_EQ(TargetMoney, 12345);
    GetText(SLOT_MONEY);
    EXPECT_STREQ(TextBufferB, "12345");
    // And saved again over the same slot, with its description typed on.
    const SlotBytes again{ReadHostFile(slot3)};
    ASSERT_EQ(again.bytes.size(), (size_t)SLOT_BYTES);
    EXPECT_EQ(again.Money(), 12345.0f);
    EXPECT_EQ(again.SaveCount(), 2u);
    EXPECT_EQ(again.Description(), "SLOT2");
}

}  // namespace
