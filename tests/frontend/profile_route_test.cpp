// A player's careers and records through the menus, clicked by the labels a
// player reads (labelled_route.h), each run the whole game in this process:
// profile ADA saves a career, a second profile is made and deleted and the
// career shown is ADA's again; after a restart CAREER asks for the log-in
// first and LOAD then lists ADA's slot; the race records show what
// ADA's records.dat holds.
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>

#include "frontend/career.h"
#include "frontend/career_file.h"
#include "frontend/menu_actions.h"
#include "frontend/profiles.h"
#include "frontend/text_slots.h"
#include "labelled_route.h"
#include "platform/plat_file.h"
#include "race_run_util.h"

namespace {

enum { SLOT_MONEY = 651, SLOT_LOAD_ROWS = 640, SLOT_HOLDER = 780, SLOT_TIME = 782, MONEY_OFFSET = 0x64 };

std::string Text(int slot) {
    GetText(slot);
    return TextBufferB;
}

// The money of a saved slot file, or -1 when it is no whole career.
float SlotMoney(const std::string& path) {
    const std::string bytes = ReadHostFile(path);
    if (bytes.size() != sizeof(CareerRecordImage))
        return -1.0f;
    float money;
    memcpy(&money, bytes.data() + MONEY_OFFSET, sizeof money);
    return money;
}

struct ProfileRoute : RaceRunTest {
    std::string dir;
    void SetUp() override {
        RaceRunTest::SetUp();
        dir = MakeTestGameFolder("profiles");
    }
    void TearDown() override {
        SingleRaceScreenPrepared = CareerScreenPrepared = ChampionshipScreenPrepared = 0;
        RecordsViaProfiles = 0;
        RaceRunTest::TearDown();
    }

    // Runs the route to its end in this process; a failed expect-screen
    // fails the run.  The shots are checked against the layout as built,
    // not as the run left it.
    void Run(LabelledRoute& route) {
        // A run of the program greets its first visits again.
        SingleRaceScreenPrepared = CareerScreenPrepared = ChampionshipScreenPrepared = 0;
        NewUnlockNotice = 0;
        ASSERT_EQ(RunScriptedGame(dir, route.script, route.frame + 10), 0) << "a screen check failed";
        static char kept[sizeof TextSlotBlob];
        memcpy(kept, TextSlotBlob, sizeof kept);
        static TextSlot keptTable[TEXT_SLOT_COUNT];
        memcpy(keptTable, TextSlotTable, sizeof keptTable);
        LabelledRoute built(dir);
        built.clicks = route.clicks;
        built.CheckShots();
        memcpy(TextSlotBlob, kept, sizeof kept);   // the texts the run left, for the checks after it
        memcpy(TextSlotTable, keptTable, sizeof keptTable);
    }

    // From the main menu: PLAY, SINGLE RACE, the profile screen.
    static void ToProfiles(LabelledRoute& route) {
        route.Click(0, "PLAY");
        route.Click(0, "SINGLE RACE", 70);
        route.Expect(18);
    }
    // A new profile on the profile screen: NEW, the name, Enter.
    static void NewProfile(LabelledRoute& route, const std::string& name) {
        route.Click(18, "NEW");
        route.Type(name);
        route.Key("RETURN");
    }
    // OK on the profile screen logs in; the single race screen's greeting
    // closed, BACK to the main menu.
    static void LogInToSingleRaceAndBack(LabelledRoute& route) {
        route.Click(18, "OK", 70);
        route.Expect(2);
        route.Click(2, "OK", 40);
        route.Click(2, "BACK", 70);
        route.Expect(0);
    }
    // PLAY, CAREER (a profile logged in): the career screen, its greeting
    // closed.
    static void ToCareer(LabelledRoute& route) {
        route.Click(0, "PLAY");
        route.Click(0, "CAREER", 70);
        route.Expect(3);
        route.Click(3, "OK", 40);
    }
    // SAVE, the second slot's row, a description, SAVE and the message's OK.
    static void SaveInSlot2(LabelledRoute& route, const std::string& description) {
        route.Click(3, "SAVE", 70);
        route.Expect(21);
        route.ClickItem(21, LabelledRoute::Row(21, SLOT_LOAD_ROWS + 1), 40);
        route.Type(description);
        route.Click(21, "SAVE");
        route.Click(21, "OK", 70);
        route.Expect(3);
    }
    // The first run of a fresh folder: ADA made through the single race and
    // logged in; her new career saved in slot 2 under `saved` when given.
    void MakeAda(const char* saved) {
        LabelledRoute route(dir);
        ToProfiles(route);
        NewProfile(route, "ADA");
        LogInToSingleRaceAndBack(route);
        if (saved) {
            ToCareer(route);
            SaveInSlot2(route, saved);
        }
        Run(route);
    }
};

TEST_F(ProfileRoute, AProfileMadeAndDeletedLeavesTheSavedCareerShownAndKept) {
    const std::string slot2 = dir + "/USERS/ADA/SAVE 02.rb";
    MakeAda("MINE");
    ASSERT_EQ(SlotMoney(slot2), 400.0f);
    // The career has earned money since: the slot holds 2,533.
    std::string bytes = ReadHostFile(slot2);
    const float earned = 2533.0f;
    memcpy(&bytes[MONEY_OFFSET], &earned, sizeof earned);
    std::ofstream(slot2, std::ios::binary) << bytes;

    // ADA logs in (her slot 2 loads), BO is made and deleted; then the
    // career: ADA's money, and a save over her slot keeps it.
    LabelledRoute route(dir);
    route.shotPrefix = "again-";
    ToProfiles(route);
    LogInToSingleRaceAndBack(route);
    ToProfiles(route);
    NewProfile(route, "BO");
    route.Click(18, "DELETE", 50);
    route.ClickInPanel(18, "YES", 60);
    route.Click(18, "BACK", 70);
    route.Expect(0);
    ToCareer(route);
    SaveInSlot2(route, "2");
    Run(route);
    EXPECT_STREQ(CurrentPlayerName, "ADA") << "logged in to the profile left";
    EXPECT_FALSE(PlatIsDirectory("USERS\\BO")) << "BO is deleted";
    EXPECT_EQ(Text(SLOT_MONEY), "2533") << "the career shown is ADA's own";
    EXPECT_EQ(SlotMoney(slot2), 2533.0f) << "ADA's slot keeps her money";
}

TEST_F(ProfileRoute, AfterARestartTheCareerAsksForTheLogInAndLoadThenListsTheSlot) {
    MakeAda("KEPT");
    // A new run: nobody is logged in, so CAREER opens the profile screen,
    // whose OK logs ADA in and opens the career; LOAD lists slot 2.
    memset(CurrentPlayerName, 0, sizeof CurrentPlayerName);
    CareerOwner[0] = 0;
    LabelledRoute route(dir);
    route.shotPrefix = "again-";
    route.Click(0, "PLAY");
    route.Click(0, "CAREER", 70);
    route.Expect(18);
    route.Click(18, "OK", 70);
    route.Expect(3);
    route.Click(3, "OK", 40);
    route.Click(3, "LOAD", 70);
    route.Expect(20);
    route.Wait(10);
    Run(route);
    EXPECT_STREQ(CurrentPlayerName, "ADA");
    EXPECT_EQ(Text(SLOT_LOAD_ROWS + 1), "KEPT") << "the second row is the saved slot";
    GetText(613);
    EXPECT_EQ(Text(SLOT_LOAD_ROWS), TextBufferB) << "the first slot is empty";
}

TEST_F(ProfileRoute, TheRaceRecordsShowTheHolderAndTimeOfTheProfilesRecordsFile) {
    MakeAda(nullptr);
    // ADA's records.dat holds a record of the arena cup's last race.
    ResetCareer();
    const int code = CareerTrackCode(0, 4);
    ASSERT_GT(code, 0);
    strcpy(CurrentPlayerName, "ADA");
    LoadDefaultRecords();
    SetBestRaceTime(code, {1, 23, 45});
    SetRaceRecordName(code, "ZED");
    ASSERT_EQ(SaveRecords(), 1);
    ClearRecordTables();
    memset(CurrentPlayerName, 0, sizeof CurrentPlayerName);

    // RECORDS, SINGLE RACES, the profile screen's OK, the MONSTER tab.
    LabelledRoute route(dir);
    route.shotPrefix = "again-";
    route.Click(0, "RECORDS");
    route.Click(0, "SINGLE RACES", 70);
    route.Expect(18);
    route.Click(18, "OK", 70);
    route.Expect(13);
    route.Click(13, "MONSTER", 30);
    route.Wait(10);
    Run(route);
    EXPECT_EQ(Text(SLOT_HOLDER), "ZED");
    EXPECT_EQ(Text(SLOT_TIME), "01:23:45");
    for (int item = 30; item <= 32; item++)
        EXPECT_TRUE(MenuScreenTable[13][item].flags & MENU_SHOWN) << "record row " << item;
}

}  // namespace
