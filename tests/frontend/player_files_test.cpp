// The player's files: the settings checks and fallbacks, the records file
// and the built-in records, profiles and their slots, and the file lists.

#include <gtest/gtest.h>

#include <unistd.h>

#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "common/test_game.h"
#include "frontend_test_util.h"
#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frontend/career.h"
#include "frontend/career_file.h"
#include "frontend/championship.h"
#include "frontend/controls.h"
#include "frontend/file_lists.h"
#include "frontend/file_names.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_actions.h"
#include "frontend/menu_items.h"
#include "frontend/popups.h"
#include "frontend/profiles.h"
#include "frontend/progress.h"
#include "frontend/records.h"
#include "frontend/screen_setup.h"
#include "frontend/settings.h"
#include "frontend/text_slots.h"
#include "frontend/visual_settings.h"
#include "race/replay.h"
#include "platform/plat_file.h"
#include "platform/plat_keys.h"
#include "platform/plat_localtime.h"
#include "race/messages.h"
#include "race/race_state.h"
#include "sound/music.h"

namespace {

struct PlayerFiles : ::testing::Test {
    std::string dir;
    void SetUp() override {
        dir = MakeTestFolder("playerfiles");
        ASSERT_TRUE(PlatSetCurrentDir(dir.c_str()));
        ASSERT_TRUE(PlatMakeDir("Config"));
        ASSERT_TRUE(PlatMakeDir("USERS"));
        memset(&SettingsImage, 0, sizeof SettingsImage);
        memset(&RecordsImage, 0, sizeof RecordsImage);
        memset(ControlBindings, 0, sizeof ControlBindings);
        memset(CurrentPlayerName, 0, sizeof CurrentPlayerName);
        memset(&CareerRecord, 0, sizeof CareerRecord);
        memset(FileListCounts, 0, sizeof FileListCounts);
        memset(ListSelection, 0, sizeof ListSelection);
        memset(ListTop, 0, sizeof ListTop);
        MenuListId = 0;
        RecordsViaProfiles = 0;
        RecordsFell = 0;
        // The slots these files' code types into and shows, 40 bytes each.
        ResetFrontEndGlobals();
        int at = 0;
        for (int slot : {613, 621, 640, 641, 642, 643, 644, 645, 754, 780, 781, 782, 783}) {
            TextSlotTable[slot] = {(uint32_t)at, 0};
            TextSlotRoom[slot] = 40;
            at += 40;
        }
    }
    void TearDown() override {
        // The pop-ups the profile and slot screens opened, and the lists.
        for (int screen = 0; screen < MENU_LAYOUT_SCREENS; screen++)
            GiveBackPopupFreeze(screen);
        PopupOpenFlag = 0;
        memset(MenuSoundRequests, 0, sizeof MenuSoundRequests);
        memset(FileListCounts, 0, sizeof FileListCounts);
        memset(ListSelection, 0, sizeof ListSelection);
        memset(ListTop, 0, sizeof ListTop);
        memset(FileListRow, 0, sizeof FileListRow);
        memset(PlayerProfile, 0, sizeof PlayerProfile);
        InfoPanelValid = 0;
        EditedRow = 0;
        TargetMoney = 0;
        ResetFrontEndGlobals();
        memset(&SettingsImage, 0, sizeof SettingsImage);
        memset(CurrentPlayerName, 0, sizeof CurrentPlayerName);
        memset(&CareerRecord, 0, sizeof CareerRecord);
        CareerOwner[0] = 0;
        for (int i = 0; i < 16; i++)
            SettingsInts[i] = 0;
        for (int& flag : ManualGearbox)
            flag = 0;
        FpsDisplay = 0;
        MenuListId = 0;
        RecordsViaProfiles = 0;
        RecordsFell = 0;
        PendingScreen = 0;
        PlatFixLocalTime(nullptr);
        LoadDefaultRecords();
        (void)system(("rm -rf '" + dir + "'").c_str());
    }
    std::string Host(const std::string& rel) const { return dir + "/" + rel; }
};

// --- Settings -------------------------------------------------------------

TEST_F(PlayerFiles, SettingsRefusedFieldByFieldFallBackOnTheDefaultsThenTheFactoryTable) {
    SettingsRecord factory;
    FactorySettings(&factory);
    ASSERT_EQ(SettingsRecordProblem(factory), nullptr);

    SettingsRecord def = factory;
    def.bindings[0][0] = {0x11, 0, 11};   // W, row 11
    ASSERT_EQ(SettingsRecordProblem(def), nullptr);
    ASSERT_EQ(WriteWholeFile("Config\\config.def", (int)sizeof def, &def), 1);

    // Each bad field refuses the saved file: the defaults' keys are used.
    struct Bad {
        const char* what;
        void (*spoil)(SettingsRecord&);
    } bads[] = {
        {"device 2", [](SettingsRecord& r) { r.settingsInts[1] = 2; }},
        {"isJoystick 2", [](SettingsRecord& r) { r.bindings[2][3].isJoystick = 2; }},
        {"name index past the table", [](SettingsRecord& r) { r.bindings[0][4].nameIndex = KEY_NAME_ROWS; }},
        {"code not the row's", [](SettingsRecord& r) { r.bindings[0][4].code ^= 1; }},
        {"joystick code not its bit", [](SettingsRecord& r) { r.bindings[1][0].code = 3; }},
        {"force feedback 3", [](SettingsRecord& r) { r.forceFeedbackLevel = 3; }},
        {"gearbox 2", [](SettingsRecord& r) { r.manualGearbox[1] = 2; }},
    };
    for (const Bad& bad : bads) {
        SettingsRecord cfg = factory;
        bad.spoil(cfg);
        EXPECT_NE(SettingsRecordProblem(cfg), nullptr) << bad.what;
        ASSERT_EQ(WriteWholeFile("Config\\config.cfg", (int)sizeof cfg, &cfg), 1);
        const std::string before = ReadHostFile(Host("Config/config.cfg"));
        memset(ControlBindings, 0, sizeof ControlBindings);
        LoadSettings(0);
        EXPECT_EQ(ControlBindings[0][0].code, 0x11) << bad.what;
        EXPECT_EQ(ReadHostFile(Host("Config/config.cfg")), before) << "a load never rewrites " << bad.what;
    }
    // One byte short or long, or empty.
    for (int size : {(int)sizeof factory - 1, 0}) {
        ASSERT_EQ(WriteWholeFile("Config\\config.cfg", size, &factory), 1);
        memset(ControlBindings, 0, sizeof ControlBindings);
        LoadSettings(0);
        EXPECT_EQ(ControlBindings[0][0].code, 0x11) << size;
    }
    std::string longer((const char*)&factory, sizeof factory);
    longer += 'x';
    ASSERT_EQ(WriteWholeFile("Config\\config.cfg", (int)longer.size(), longer.data()), 1);
    LoadSettings(0);
    EXPECT_EQ(ControlBindings[0][0].code, 0x11);

    // Without a usable defaults file the factory table keeps the keys.
    PlatDeleteFile("Config\\config.def");
    memset(ControlBindings, 0, sizeof ControlBindings);
    LoadSettings(0);
    EXPECT_EQ(memcmp(ControlBindings, factory.bindings, sizeof ControlBindings), 0);
}

TEST_F(PlayerFiles, SettingsRoundTripByteForByteAndTheDefaultsTakeOnlyIntsBindingsAndForceFeedback) {
    SettingsRecord cfg;
    FactorySettings(&cfg);
    cfg.manualGearbox[0] = 1;
    cfg.forceFeedbackLevel = 2;
    cfg.bestRaceTime[10][1] = 33;
    ASSERT_EQ(WriteWholeFile("Config\\config.cfg", (int)sizeof cfg, &cfg), 1);
    const std::string before = ReadHostFile(Host("Config/config.cfg"));
    LoadSettings(0);
    ASSERT_EQ(SaveSettings(), 1);
    EXPECT_EQ(ReadHostFile(Host("Config/config.cfg")), before);

    SettingsRecord def;
    FactorySettings(&def);
    def.settingsInts[0] = 1;
    ASSERT_EQ(WriteWholeFile("Config\\config.def", (int)sizeof def, &def), 1);
    LoadSettings(1);
    EXPECT_EQ(SettingsInts[0], 1);
    EXPECT_EQ(SettingsImage.forceFeedbackLevel, 1);
    EXPECT_EQ(ManualGearbox[0], 1) << "the gearbox stays";
    EXPECT_EQ(SettingsImage.manualGearbox[0], 1);
    EXPECT_EQ(SettingsImage.bestRaceTime[10][1], 33) << "the record tables stay";
}

// --- Records --------------------------------------------------------------

TEST_F(PlayerFiles, TheBuiltInRecordsHave46RowsFifteenHoldersAndTheFixedDate) {
    LoadDefaultRecords();
    int rows = 0;
    std::set<std::string> holders;
    for (int code = 0; code < RECORD_TRACK_CODES; code++) {
        EXPECT_EQ(std::string(RaceRecordDates[code], 19), "03/01/00 - 12:00:55");
        if (RecordTimeValue(BestRaceTimes[code]) != 0) {
            rows++;
            holders.insert(RaceRecordNames[code]);
            holders.insert(LapRecordNames[code]);
            EXPECT_NE(RecordTimeValue(BestLapTimes[code]), 0) << code;
        } else {
            EXPECT_EQ(RaceRecordNames[code][0], 0) << code;
        }
    }
    EXPECT_EQ(rows, 46);
    EXPECT_EQ(holders.size(), 15u);
    EXPECT_EQ(RecordTimeValue(BestRaceTimes[10]), RecordTimeValue({2, 22, 75}));
    EXPECT_EQ(RecordTimeValue(BestLapTimes[79]), RecordTimeValue({0, 40, 46}));
    EXPECT_EQ(BestLapTimes[43].seconds, 112);
    EXPECT_EQ(BestLapTimes[43].hundredths, 50);
    EXPECT_EQ(memcmp(SettingsImage.bestRaceTime[10], &BestRaceTimes[10], 3), 0) << "the settings copy too";
}

TEST_F(PlayerFiles, RecordsLoadThenSaveKeepsDateTailsAndTheSettingsPartARefusedFileGivesTheBuiltIns) {
    strcpy(CurrentPlayerName, "ANNA");
    ASSERT_TRUE(PlatMakeDir("USERS\\ANNA"));
    // The built-in records, with a pattern in every byte the tables do not
    // keep: the settings part and the tails of the date fields.
    LoadDefaultRecords();
    ASSERT_EQ(SaveRecords(), 1);
    std::string image = ReadHostFile(Host("USERS/ANNA/records.dat"));
    ASSERT_EQ(image.size(), sizeof(SettingsRecord));
    const auto pattern = [&](size_t from, size_t count) {
        for (size_t i = from; i < from + count; i++)
            image[i] = (char)(i * 7 + 1);
    };
    pattern(4, 560);
    pattern(9474, 10);
    for (int code = 0; code < RECORD_TRACK_CODES; code++) {
        pattern(5118 + 22 * code + 19, 3);
        pattern(7296 + 22 * code + 19, 3);
    }
    strcpy(&image[0xc42 + 20 * 12], "NINETEEN CHARACTERS");   // a holder of 19, its NUL the last byte
    ASSERT_EQ(WriteWholeFile("USERS\\ANNA\\records.dat", (int)image.size(), image.data()), 1);
    ASSERT_EQ(LoadRecords(), 1);
    EXPECT_STREQ(LapRecordNames[12], "NINETEEN CHARACTERS");
    ASSERT_EQ(SaveRecords(), 1);
    const std::string saved = ReadHostFile(Host("USERS/ANNA/records.dat"));
    ASSERT_EQ(saved.size(), image.size());
    EXPECT_EQ(saved.substr(0, 4), "V1.0");
    EXPECT_EQ(saved.substr(4, 560), image.substr(4, 560)) << "settings part carried";
    EXPECT_EQ(saved.substr(9474), image.substr(9474));
    for (int code = 0; code < RECORD_TRACK_CODES; code++) {
        const size_t race = 5118 + 22 * code, lap = 7296 + 22 * code;
        EXPECT_EQ(saved.substr(race, 22), image.substr(race, 22)) << code;
        EXPECT_EQ(saved.substr(lap, 22), image.substr(lap, 22)) << code;
    }

    // One byte short: refused, the built-in records instead, the file kept.
    ASSERT_EQ(WriteWholeFile("USERS\\ANNA\\records.dat", (int)image.size() - 1, image.data()), 1);
    EXPECT_EQ(LoadRecords(), 0);
    EXPECT_EQ(RecordTimeValue(BestRaceTimes[10]), RecordTimeValue({2, 22, 75}));
    EXPECT_EQ(ReadHostFile(Host("USERS/ANNA/records.dat")).size(), image.size() - 1);
}

TEST_F(PlayerFiles, AFallenRecordIsSavedOnTheWayBackOnlyThenWithADayFirstStamp) {
    strcpy(CurrentPlayerName, "BOB");
    ASSERT_TRUE(PlatMakeDir("USERS\\BOB"));
    LoadDefaultRecords();
    SaveFallenRecords();
    EXPECT_EQ(PlatFileExists("USERS\\BOB\\records.dat"), 0) << "nothing fell";
    const PlatLocalTime when = {2026, 12, 9, 7, 5, 3};
    PlatFixLocalTime(&when);
    SetBestLapTime(10, {0, 40, 0});
    StampLapRecordDate(10);
    EXPECT_EQ(std::string(LapRecordDates[10], 19), "09/12/26 - 07:05:03");
    SaveFallenRecords();
    const std::string saved = ReadHostFile(Host("USERS/BOB/records.dat"));
    ASSERT_EQ(saved.size(), 9484u);
    EXPECT_EQ(saved.substr(7296 + 22 * 10, 19), "09/12/26 - 07:05:03");
    EXPECT_EQ(RecordsFell, 0);
}

// --- Names, profiles and slots --------------------------------------------

TEST(FileNames, UnsafeNamesAreRefused) {
    EXPECT_TRUE(FileNameSafe("Racer 1", 15));
    EXPECT_TRUE(FileNameSafe("fifteen-chars15", 15));
    EXPECT_FALSE(FileNameSafe("sixteen-chars-16", 15));
    for (const char* bad : {"", ".", "..", ".hidden", "a/b", "a\\b", "c:", "a*", "a?", "a\"", "a<", "a>", "a|",
                            "tab\there", "\x7f"})
        EXPECT_FALSE(FileNameSafe(bad, 24)) << bad;
}

TEST_F(PlayerFiles, SpecialNamesMakeNoProfileAndToggle) {
    for (int pass = 0; pass < 2; pass++) {
        SetSlotText(621, "--qzv");
        EXPECT_EQ(CommitProfileName(), 1);
        EXPECT_EQ(FpsDisplay, pass == 0 ? 1 : 0);
    }
    for (const auto& word : SpecialProfileNames) {
        // -kiro and -sarpo leave the menus; -mundi starts the points loop.
        if (strncmp(word, "-sarpo", 6) == 0 || strcmp(word, "-kiro") == 0 || strcmp(word, "-mundi") == 0)
            continue;
        SetSlotText(621, word);
        EXPECT_EQ(CommitProfileName(), 1) << word;
    }
    PlatFindData data;
    PlatFind* find = PlatFindFirst("USERS\\*", &data);
    int entries = 0;
    if (find) {
        do {
            entries += data.name[0] != '.';
        } while (PlatFindNext(find, &data));
        PlatFindClose(find);
    }
    EXPECT_EQ(entries, 0) << "no profile folder or file";
    DeveloperSwitch = 0;
    ScreenshotsEnabled = 0;
    Wireframe = 1;
    TargetMoney = 0;
}

TEST_F(PlayerFiles, CreationLoginAndSlotSaveAndAnUnsafeNameIsRefused) {
    SetSlotText(621, "../x");
    CommitProfileName();
    EXPECT_EQ(PlatFileExists("USERS\\..\\x.usr"), 0);
    EXPECT_EQ(PlatFileExists("x.usr"), 0);

    SetSlotText(621, "Maria");
    EXPECT_EQ(CommitProfileName(), 0);
    EXPECT_STREQ(CurrentPlayerName, "Maria");
    const std::string usr = ReadHostFile(Host("USERS/Maria.usr"));
    ASSERT_EQ(usr.size(), 256u);
    EXPECT_EQ((unsigned char)usr[0], 0xFF);
    for (int slot = 1; slot <= 12; slot++) {
        char name[64];
        snprintf(name, sizeof name, "USERS/Maria/SAVE %02d.rb", slot);
        EXPECT_EQ(ReadHostFile(Host(name)).size(), 2384u) << slot;
    }
    EXPECT_EQ(ReadHostFile(Host("USERS/Maria/records.dat")).size(), 9484u);

    // The same name again: nothing made.
    SetSlotText(621, "Maria");
    EXPECT_EQ(CommitProfileName(), 1);

    // Saving into row 5 writes slot 06 and the profile's byte 0 = 6.
    EditedRow = 5;
    ListTop[2] = 0;
    TargetMoney = 1234;
    SetSlotText(645, "Sunday");
    EXPECT_EQ(CommitSaveSlot(), 1);
    EXPECT_EQ((unsigned char)ReadHostFile(Host("USERS/Maria.usr"))[0], 6);
    CareerRecordImage slot = {};
    ASSERT_EQ(ReadCareerSlot(6, &slot), 1);
    EXPECT_STREQ(slot.description, "Sunday");
    EXPECT_EQ(slot.money, 1234.0f);
    EXPECT_EQ(slot.saveCount, 1u);

    memset(&CareerRecord, 0, sizeof CareerRecord);
    memset(PlayerProfile, 0, sizeof PlayerProfile);
    EXPECT_EQ(ProfileLogin(), 1);
    EXPECT_EQ(ListSelection[1], 5);
    EXPECT_STREQ(CareerRecord.description, "Sunday");
    EXPECT_EQ(PendingScreen, 3);
    TargetMoney = 0;
    EditedRow = 0;
}

// The main menu is entered as the menu frame enters it, from the career.
static void EnterMainMenu() {
    PreviousScreen = 3;
    MenuScreen = 0;
    RunScreenEntry(nullptr);
    MenuScreenShown = 0;
    NetRefreshTicks = 0;
}

// The first car bought in the career's speed category, or -1.
static int BoughtCar() { return GarageLists[0][1][0]; }

TEST_F(PlayerFiles, TheLoggedInCareerOutlastsTheMainMenuAndOnlyANewOrAnotherProfileStartsNew) {
    // Ada's career with money won and a car bought, saved in slot 3.
    SetSlotText(621, "Ada");
    ASSERT_EQ(CommitProfileName(), 0);
    GarageLists[0][1][0] = 1;
    GarageLists[0][1][1] = 2;
    GarageLast[0][0] = 1;
    TargetMoney = 5000;
    EditedRow = 2;
    ListTop[2] = 0;
    SetSlotText(642, "Ada's");
    ASSERT_EQ(CommitSaveSlot(), 1);
    EXPECT_EQ(CareerOfPlayer(), 1);

    // The main menu keeps it, cars and all, while Ada is logged in; so does
    // a pick of her own row on the profile screen.
    EnterMainMenu();
    EXPECT_EQ(TargetMoney, 5000);
    EXPECT_EQ(BoughtCar(), 1);
    MenuListId = 0;
    FileListCounts[0] = 1;
    strcpy(FileListRow[0], "Ada");
    ListHoverItem[0] = 21;
    MouseClick = 1;
    RunScreenLists(18);
    MouseClick = 0;
    ListHoverItem[0] = 0;
    EXPECT_EQ(CareerOfPlayer(), 1) << "the championship file stays out of the career";
    EnterMainMenu();
    EXPECT_EQ(TargetMoney, 5000);

    // Another profile logged in: the main menu starts a new career.
    strcpy(CurrentPlayerName, "Bo");
    EnterMainMenu();
    EXPECT_EQ(TargetMoney, 400);
    EXPECT_EQ(BoughtCar(), -1) << "the built-in garage";

    // Ada's log-in loads slot 3 again; the championship file taken into
    // the record is no career of hers, and the main menu brings her last
    // save back.
    strcpy(CurrentPlayerName, "Ada");
    ProfileLogin();
    EXPECT_EQ(TargetMoney, 5000);
    EXPECT_EQ(BoughtCar(), 1);
    ASSERT_EQ(LoadChampionship(), 1);
    EXPECT_EQ(CareerOfPlayer(), 0);
    EnterMainMenu();
    EXPECT_EQ(TargetMoney, 5000);
    EXPECT_EQ(CareerOfPlayer(), 1);

    // A profile made after Ada's career starts new, its slots too.
    ProfileLogin();
    ASSERT_EQ(BoughtCar(), 1);
    SetSlotText(621, "Cy");
    ASSERT_EQ(CommitProfileName(), 0);
    EXPECT_EQ(TargetMoney, 400);
    EXPECT_EQ(BoughtCar(), -1);
    CareerRecordImage slot = {};
    ASSERT_EQ(ReadCareerSlot(1, &slot), 1);
    EXPECT_EQ(slot.money, 400.0f);
    EXPECT_EQ(((const int8_t*)&slot)[0x661 + 2], -1) << "the built-in garage, packed";

    // Cy has saved nothing: logged in after Ada's career, Cy gets a new one
    // of Cy's own, which the main menu keeps.
    strcpy(CurrentPlayerName, "Ada");
    ProfileLogin();
    ASSERT_EQ(TargetMoney, 5000);
    strcpy(CurrentPlayerName, "Cy");
    ProfileLogin();
    EXPECT_EQ(TargetMoney, 400);
    EXPECT_EQ(BoughtCar(), -1);
    EXPECT_EQ(CareerOfPlayer(), 1);
    TargetMoney = 900;
    EnterMainMenu();
    EXPECT_EQ(TargetMoney, 900);

    MenuScreen = PreviousScreen = 0;
    RestoreProgressDefaults();
}

// A profile deleted: the game is logged in to the profile the list then
// selects, with that profile's own career, so a save keeps its money; the
// last profile deleted leaves none logged in and asks for a new one.
TEST_F(PlayerFiles, ADeletionLogsInToTheSelectedProfileWithItsOwnCareer) {
    SetSlotText(621, "Ada");
    ASSERT_EQ(CommitProfileName(), 0);
    TargetMoney = 2533;
    EditedRow = 1;
    ListTop[2] = 0;
    SetSlotText(641, "Mine");
    ASSERT_EQ(CommitSaveSlot(), 1);
    SetSlotText(621, "Bo");
    ASSERT_EQ(CommitProfileName(), 0);
    ASSERT_EQ(FileListCounts[0], 2);
    ASSERT_EQ(ListSelection[0], 1) << "the new profile is selected";
    ASSERT_EQ(TargetMoney, 400);

    int screen = 18;
    EXPECT_EQ(ProfileScreenAction(&screen, 33), 1);   // YES: Bo is deleted
    EXPECT_STREQ(CurrentPlayerName, "Ada");
    EXPECT_EQ(ProfileLoggedIn(), 1);
    EXPECT_EQ(CareerOfPlayer(), 1);
    EXPECT_EQ(TargetMoney, 2533) << "Ada's last save, not a new career under her name";
    EnterMainMenu();
    EXPECT_EQ(TargetMoney, 2533);
    SetSlotText(641, "Again");
    ASSERT_EQ(CommitSaveSlot(), 1);
    CareerRecordImage slot = {};
    ASSERT_EQ(ReadCareerSlot(2, &slot), 1);
    EXPECT_EQ(slot.money, 2533.0f);

    ListSelection[0] = 0;
    EXPECT_EQ(ProfileScreenAction(&screen, 33), 1);   // and Ada
    EXPECT_EQ(FileListCounts[0], 0);
    EXPECT_STREQ(CurrentPlayerName, "");
    EXPECT_EQ(ProfileLoggedIn(), 0);
    EXPECT_EQ(CareerOfPlayer(), 0);
    EXPECT_EQ(TargetMoney, 400);
    EXPECT_TRUE(MenuScreenTable[18][18].flags & MENU_SLIDE_IN) << "the new profile's name panel comes in";
    EXPECT_EQ(KeyboardJumpGate, 1);
    MenuScreen = PreviousScreen = 0;
    RestoreProgressDefaults();
}

// With no profile logged in the career's LOAD and SAVE open no slot screen:
// the career's pop-up says how to log in; a logged-in profile's go on.
TEST_F(PlayerFiles, WithNoProfileTheCareersLoadAndSaveSayHowToLogIn) {
    for (int item : {12, 13}) {
        int screen = 3;
        EXPECT_EQ(CareerAction(&screen, item), 1) << "no links: the slot screen does not open";
        EXPECT_EQ(screen, 3);
        EXPECT_TRUE(MenuScreenTable[3][46].flags & MENU_SHOWN) << item;
        EXPECT_EQ(MenuScreenTable[3][48].textSlot, SLOT_LOG_IN_FIRST) << item;
        MenuScreenTable[3][46].flags = MenuScreenTable[3][48].textSlot = 0;
    }
    SetSlotText(621, "Ada");
    ASSERT_EQ(CommitProfileName(), 0);
    int screen = 3;
    EXPECT_EQ(CareerAction(&screen, 12), 0) << "the links lead on to the load screen";
    EXPECT_EQ(MenuScreenTable[3][48].textSlot, 0);
}

TEST_F(PlayerFiles, BadProfileAndSlotFilesChangeNothing) {
    strcpy(CurrentPlayerName, "Kim");
    ASSERT_TRUE(PlatMakeDir("USERS\\Kim"));
    unsigned char image[256];
    memset(image, 0xFF, sizeof image);
    for (int first : {0, 13}) {
        image[0] = (unsigned char)first;
        ASSERT_EQ(WriteWholeFile("USERS\\Kim.usr", 256, image), 1);
        memset(PlayerProfile, 0x42, sizeof PlayerProfile);
        EXPECT_EQ(ReadProfileFile("Kim"), 0) << first;
        EXPECT_EQ(PlayerProfile[0], 0x42);
    }
    image[0] = 12;
    ASSERT_EQ(WriteWholeFile("USERS\\Kim.usr", 255, image), 1);
    EXPECT_EQ(ReadProfileFile("Kim"), 0) << "one byte short";

    CareerRecordImage good = {};
    good.money = 500.0f;
    ASSERT_EQ(CareerRecordProblem(good), nullptr);
    struct Bad {
        const char* what;
        void (*spoil)(CareerRecordImage&);
    } bads[] = {
        {"NaN money", [](CareerRecordImage& r) { r.money = std::nanf(""); }},
        {"negative money", [](CareerRecordImage& r) { r.money = -1.0f; }},
        {"unlock level 5", [](CareerRecordImage& r) { r.unlockLevel = 5; }},
        {"group 8", [](CareerRecordImage& r) { r.cups[2].group[1] = 8; }},
        {"opponent model 20", [](CareerRecordImage& r) {
             r.cups[0].group[0] = 1;
             r.cups[0].opponentModel[0][3] = 20;
         }},
        {"garage index 15", [](CareerRecordImage& r) { ((int8_t*)&r)[0x620] = 15; }},
        {"garage list colour 4", [](CareerRecordImage& r) { ((int8_t*)&r)[0x662] = 4; }},
    };
    for (const Bad& bad : bads) {
        CareerRecordImage r = good;
        bad.spoil(r);
        EXPECT_NE(CareerRecordProblem(r), nullptr) << bad.what;
        ASSERT_EQ(WriteWholeFile("USERS\\Kim\\SAVE 01.rb", (int)sizeof r, &r), 1);
        CareerRecordImage out = {};
        out.money = 7.0f;
        EXPECT_EQ(ReadCareerSlot(1, &out), 0) << bad.what;
        EXPECT_EQ(out.money, 7.0f);
    }
}

// The console lines a load put, with the lines of earlier tests aged out.
struct ConsoleWatch {
    ConsoleWatch() {
        for (int tick = 0; tick <= CONSOLE_LINE_LIFE; tick++)
            ConsoleAge();
    }
    std::vector<std::string> Lines() const {
        char lines[CONSOLE_LIVE_LINES][CONSOLE_LINE_BYTES];
        const int count = ConsoleCopyLines(lines);
        return std::vector<std::string>(lines, lines + count);
    }
};

// A player file that is there but refused, and replaced by its fall-back,
// says which file and why in one console line; a missing one says nothing.
TEST_F(PlayerFiles, ARefusedPlayerFileNamesItselfAndTheReasonOnTheConsole) {
    strcpy(CurrentPlayerName, "Kim");
    ASSERT_TRUE(PlatMakeDir("USERS\\Kim"));
    SettingsRecord def;
    FactorySettings(&def);
    ASSERT_EQ(WriteWholeFile("Config\\config.def", (int)sizeof def, &def), 1);
    {
        ConsoleWatch console;
        LoadSettings(0);
        EXPECT_TRUE(console.Lines().empty()) << "no config.cfg yet: nothing to tell";
    }
    SettingsRecord cfg = def;
    cfg.settingsInts[1] = 2;
    ASSERT_EQ(WriteWholeFile("Config\\config.cfg", (int)sizeof cfg, &cfg), 1);
    {
        ConsoleWatch console;
        LoadSettings(0);
        EXPECT_EQ(console.Lines(), std::vector<std::string>{"Config\\config.cfg refused: an input device is neither "
                                                            "0 (keyboard) nor 1 (joystick)"});
    }

    unsigned char profile[256];
    memset(profile, 0xFF, sizeof profile);
    profile[0] = 13;
    ASSERT_EQ(WriteWholeFile("USERS\\Kim.usr", 256, profile), 1);
    {
        ConsoleWatch console;
        EXPECT_EQ(ReadProfileFile("Kim"), 0);
        EXPECT_EQ(console.Lines(),
                  std::vector<std::string>{"USERS\\Kim.usr refused: the last slot is neither 1 to 12 nor 0xFF"});
    }
    {
        ConsoleWatch console;
        EXPECT_EQ(ReadProfileFile("Nobody"), 0);
        EXPECT_TRUE(console.Lines().empty()) << "a missing profile";
    }

    // The career shown falls back on a new one when the last slot is refused.
    profile[0] = 1;
    ASSERT_EQ(WriteWholeFile("USERS\\Kim.usr", 256, profile), 1);
    CareerRecordImage slot = {};
    slot.money = std::nanf("");
    ASSERT_EQ(WriteWholeFile("USERS\\Kim\\SAVE 01.rb", (int)sizeof slot, &slot), 1);
    {
        ConsoleWatch console;
        TakeProfileCareer();
        const std::vector<std::string> lines = console.Lines();
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].find("USERS\\Kim\\SAVE 01.rb refused: "), 0u) << lines[0];
        EXPECT_EQ(std::string(CareerOwner), "Kim") << "a new career of the profile's own";
    }
    // A file too long for its record is refused by its size.
    std::string longer((const char*)&slot, sizeof slot);
    longer += 'x';
    ASSERT_EQ(WriteWholeFile("USERS\\Kim\\SAVE 01.rb", (int)longer.size(), longer.data()), 1);
    {
        ConsoleWatch console;
        CareerRecordImage out = {};
        EXPECT_EQ(ReadCareerSlot(1, &out), 0);
        EXPECT_EQ(console.Lines(), std::vector<std::string>{"USERS\\Kim\\SAVE 01.rb refused: a career slot or "
                                                            "championship file is 2,384 bytes"});
    }
}

TEST_F(PlayerFiles, DeletingAProfileLeavesALinkTargetUntouched) {
    SetSlotText(621, "Lee");
    ASSERT_EQ(CommitProfileName(), 0);
    ASSERT_EQ(WriteWholeFile("outside.txt", 4, "keep"), 1);
    ASSERT_EQ(symlink((dir + "/outside.txt").c_str(), (dir + "/USERS/Lee/link").c_str()), 0);
    ASSERT_EQ(symlink(dir.c_str(), (dir + "/USERS/Lee/linkdir").c_str()), 0);
    MenuListId = 0;
    ListFiles("USERS\\*", ".usr");
    ASSERT_EQ(FileListCounts[0], 1);
    strcpy(TextBufferA, "USERS\\Lee");
    DeleteProfileFiles(0);
    EXPECT_EQ(FileListCounts[0], 0);
    EXPECT_EQ(ReadHostFile(dir + "/outside.txt"), "keep");
    EXPECT_FALSE(PlatIsDirectory("USERS\\Lee"));
    EXPECT_FALSE(PlatFileExists("USERS\\Lee.usr"));
    EXPECT_TRUE(PlatIsDirectory("USERS")) << "never the folder itself";
}

// --- Lists ----------------------------------------------------------------

TEST(FileListNames, HasExtension) {
    EXPECT_EQ(HasExtension("SAVE 01.rb", ".rb"), 1);
    EXPECT_EQ(HasExtension("Camp.r-b", ".rb"), 0);
    EXPECT_EQ(HasExtension("records.dat", ".rb"), 0);
    EXPECT_EQ(HasExtension(".rb", ".rb"), 0);
    EXPECT_EQ(HasExtension("rb", ".rb"), 0);
    EXPECT_EQ(HasExtension("a.rbx", ".rb"), 0);
    EXPECT_EQ(HasExtension("a.b.usr", ".usr"), 1);
}

TEST_F(PlayerFiles, ProfileListsSortHideLongNamesAndStopAt127Rows) {
    unsigned char image[256];
    memset(image, 0xFF, sizeof image);
    for (const char* name : {"Zed", "Amy", "Sixteen-letters!", "Mo"})
        ASSERT_EQ(WriteWholeFile((std::string("USERS\\") + name + ".usr").c_str(), 256, image), 1);
    ASSERT_EQ(WriteWholeFile("USERS\\bad:name.usr", 256, image), 1);
    ASSERT_EQ(WriteWholeFile("USERS\\notes.txt", 4, "abcd"), 1);
    MenuListId = 0;
    ListFiles("USERS\\*", ".usr");
    ASSERT_EQ(FileListCounts[0], 3);
    EXPECT_STREQ(FileListRow[0], "Amy");
    EXPECT_STREQ(FileListRow[1], "Mo");
    EXPECT_STREQ(FileListRow[2], "Zed");
    RecordsViaProfiles = 1;
    ListFiles("USERS\\*", ".usr");
    EXPECT_EQ(FileListCounts[0], 4);
    RecordsViaProfiles = 0;
    for (int i = 0; i < 140; i++)
        ASSERT_EQ(WriteWholeFile(("USERS\\p" + std::to_string(1000 + i) + ".usr").c_str(), 256, image), 1);
    ListFiles("USERS\\*", ".usr");
    EXPECT_EQ(FileListCounts[0], 127);
}

TEST_F(PlayerFiles, SlotRowsFollowSlotNumbersWhateverTheFolderOrder) {
    strcpy(CurrentPlayerName, "Ivo");
    ASSERT_TRUE(PlatMakeDir("USERS\\Ivo"));
    for (int slot = 12; slot >= 1; slot--) {
        if (slot == 4)
            continue;
        CareerRecordImage r = {};
        snprintf(r.description, sizeof r.description, "slot %d", slot);
        ASSERT_EQ(WriteCareerSlot(slot, r), 1);
    }
    MenuListId = 1;
    ListFiles("USERS\\*", ".rb");
    ASSERT_EQ(FileListCounts[1], 12);
    for (int row = 0; row < 12; row++) {
        if (row == 3)
            continue;
        EXPECT_EQ(std::string(FileListRow[row]), "slot " + std::to_string(row + 1)) << row;
    }
}

}  // namespace

namespace {

TEST_F(PlayerFiles, TheSaveToolAcceptsWhatTheGameTakesAndRefusesTheRest) {
    SettingsRecord settings;
    FactorySettings(&settings);
    ASSERT_EQ(WriteWholeFile("good.cfg", (int)sizeof settings, &settings), 1);
    settings.forceFeedbackLevel = 7;
    ASSERT_EQ(WriteWholeFile("bad.cfg", (int)sizeof settings, &settings), 1);
    unsigned char profile[256];
    memset(profile, 0xFF, sizeof profile);
    ASSERT_EQ(WriteWholeFile("good.usr", 256, profile), 1);
    ASSERT_EQ(WriteWholeFile("short.usr", 255, profile), 1);
    CareerRecordImage career = {};
    ASSERT_EQ(WriteWholeFile("SAVE 01.rb", (int)sizeof career, &career), 1);
    // A replay header naming track group 9, with a body of the right size.
    std::vector<uint8_t> replay(124, 0);
    replay[26] = 90;
    replay[27] = 1;
    replay[37] = 1;
    PutLe32(replay, 24);
    PutLe32(replay, 1);
    replay.resize(132 + 12 * 3 + 24, 0);
    ASSERT_EQ(WriteWholeFile("bad.rb", (int)replay.size(), replay.data()), 1);
    replay[26] = 10;
    ASSERT_EQ(WriteWholeFile("good_replay.rb", (int)replay.size(), replay.data()), 1);
    for (const char* good : {"good.cfg", "good.usr", "SAVE 01.rb", "good_replay.rb"})
        EXPECT_EQ(RunBuiltProgram("quorvix-save", {good}, dir), 0) << good;
    for (const char* bad : {"bad.cfg", "short.usr", "bad.rb", "missing.usr"})
        EXPECT_EQ(RunBuiltProgram("quorvix-save", {bad}, dir), 1) << bad;
}

// The tool's verdict and reason, from its output.
struct ToolVerdict {
    int status;
    std::string output;
};
ToolVerdict RunSaveTool(const std::string& dir, const std::string& file) {
    const std::string command = "cd '" + dir + "' && '" QUORVIX_BIN_DIR "/quorvix-save' '" + file + "' > tool.txt";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadHostFile(dir + "/tool.txt")};
}

// The tool judges each file with the check the game's loader uses: a replay
// the game refuses (a keyframe that is no number, seven laps, a body cut
// short) it refuses, one the game plays (five ticks, models 18 and 19) it
// takes; a career slot cut short gets the career's reason; the championship
// file, the records file and the visual options are read as the game reads
// them.
TEST_F(PlayerFiles, TheSaveToolGivesTheVerdictOfTheGamesLoaders) {
    const auto replay = [](int ticks, int laps, int model) {
        std::vector<uint8_t> b(124, 0);
        b[26] = 10;
        b[27] = 2;
        b[37] = (uint8_t)laps;
        b[84] = (uint8_t)model;
        b[85] = 19;
        PutLe32(b, (uint32_t)ticks);
        PutLe32(b, 2);
        for (int k = 0; k < ticks / 8 * 2 * 3; k++)
            PutLe32(b, 0x461C4000);   // 10000.0
        b.resize(b.size() + 2 * (size_t)ticks, 0);
        return b;
    };
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    std::vector<Case> replays = {{"five.rb", replay(5, 3, 0)},
                                 {"models.rb", replay(64, 6, 18)},
                                 {"seven_laps.rb", replay(64, 7, 0)},
                                 {"nan.rb", replay(64, 3, 0)},
                                 {"short.rb", replay(64, 3, 0)}};
    const float nan = std::nanf("");
    memcpy(&replays[3].bytes[132 + 12 * 5 + 8], &nan, 4);
    replays[4].bytes.resize(replays[4].bytes.size() - 10);
    for (const Case& c : replays) {
        ASSERT_EQ(WriteWholeFile(c.name, (int)c.bytes.size(), c.bytes.data()), 1);
        ReplayHeaderRecord header;
        const int taken = LoadReplayData(c.name, &header) != 0;
        EXPECT_EQ(RunSaveTool(dir, c.name).status, taken ? 0 : 1) << c.name;
        EXPECT_EQ(taken, c.name == std::string("five.rb") || c.name == std::string("models.rb")) << c.name;
    }

    CareerRecordImage career = {};
    career.money = 400.0f;
    ASSERT_TRUE(PlatMakeDir("USERS\\Ana"));
    ASSERT_EQ(WriteWholeFile("USERS\\Ana\\SAVE 03.rb", 1000, &career), 1);
    ToolVerdict v = RunSaveTool(dir, "USERS/Ana/SAVE 03.rb");
    EXPECT_EQ(v.status, 1);
    EXPECT_NE(v.output.find(CareerFileProblem(nullptr, 1000)), std::string::npos) << v.output;
    ASSERT_EQ(WriteWholeFile("USERS\\Ana\\Camp.r-b", (int)sizeof career, &career), 1);
    CareerRecordImage read;
    ASSERT_EQ(ReadCareerRecordFile("USERS\\Ana\\Camp.r-b", &read), 1);
    EXPECT_EQ(RunSaveTool(dir, "USERS/Ana/Camp.r-b").status, 0);
    career.money = -5.0f;
    ASSERT_EQ(WriteWholeFile("USERS\\Ana\\Camp.r-b", (int)sizeof career, &career), 1);
    ASSERT_EQ(ReadCareerRecordFile("USERS\\Ana\\Camp.r-b", &read), 0);
    v = RunSaveTool(dir, "USERS/Ana/Camp.r-b");
    EXPECT_EQ(v.status, 1);
    EXPECT_NE(v.output.find("money"), std::string::npos) << v.output;
    // A replay that happens to be named like a slot, in the replay folder.
    ASSERT_TRUE(PlatMakeDir("Replay"));
    ASSERT_TRUE(PlatMakeDir("Replay\\Users"));
    ASSERT_EQ(WriteWholeFile("Replay\\Users\\SAVE 01.rb", (int)replays[0].bytes.size(), replays[0].bytes.data()), 1);
    EXPECT_EQ(RunSaveTool(dir, "Replay/Users/SAVE 01.rb").status, 0);

    strcpy(CurrentPlayerName, "Ana");
    LoadDefaultRecords();
    ASSERT_EQ(SaveRecords(), 1);
    EXPECT_EQ(RunSaveTool(dir, "USERS/Ana/records.dat").status, 0);
    std::string records = ReadHostFile(Host("USERS/Ana/records.dat"));
    records[0x234 + 3 * 10 + 1] = (char)163;   // 2:163.75
    ASSERT_EQ(WriteWholeFile("USERS\\Ana\\records.dat", (int)records.size(), records.data()), 1);
    EXPECT_EQ(LoadRecords(), 0);
    EXPECT_EQ(RunSaveTool(dir, "USERS/Ana/records.dat").status, 1);

    unsigned char visual[48] = {};
    ASSERT_EQ(WriteWholeFile("Config\\visual.cfg", 48, visual), 1);
    EXPECT_EQ(RunSaveTool(dir, "Config/visual.cfg").status, 0) << "a visual file is no settings file";
    ASSERT_EQ(WriteWholeFile("Config\\visual.cfg", 47, visual), 1);
    EXPECT_EQ(RunSaveTool(dir, "Config/visual.cfg").status, 1);
}

}  // namespace

namespace {

TEST_F(PlayerFiles, TheSlotPanelShowsTheSlotAndBlanksAMissingOneNeverTheLastOne) {
    strcpy(CurrentPlayerName, "Pia");
    ASSERT_TRUE(PlatMakeDir("USERS\\Pia"));
    CareerRecordImage r = {};
    strcpy(r.playerName, "Pia");
    strcpy(r.date, "09/12/26 - 07:05:03");
    r.money = 2500.75f;
    r.racesWon = 4;
    ASSERT_EQ(WriteCareerSlot(1, r), 1);
    r.money = std::nanf("");
    ASSERT_EQ(WriteWholeFile("USERS\\Pia\\SAVE 02.rb", (int)sizeof r, &r), 1);
    MenuListId = 1;
    auto slot = [](int s) { return std::string(TextSlotBlob + TextSlotTable[s].offset, TextSlotTable[s].length); };
    ShowFileInfo(0);
    EXPECT_EQ(InfoPanelValid, 1);
    EXPECT_EQ(slot(780), "Pia");
    EXPECT_EQ(slot(781), "2500");
    EXPECT_EQ(slot(782), "4");
    EXPECT_EQ(slot(783), "09/12/26 - 07:05:03");
    ShowFileInfo(1);
    EXPECT_EQ(slot(781), "?") << "money that is no number";
    ShowFileInfo(2);   // no such file
    EXPECT_EQ(InfoPanelValid, 0);
    EXPECT_EQ(slot(780), "?");
}

}  // namespace

namespace {

struct Binding : PlayerFiles {
    void SetUp() override {
        PlayerFiles::SetUp();
        int at = 1000;
        for (int slot = 762; slot <= 772; slot++) {
            TextSlotTable[slot] = {(uint32_t)at, 0};
            TextSlotRoom[slot] = 24;
            at += 24;
        }
        memset(KeyState, 0, sizeof KeyState);
        memset(MenuSoundRequests, 0, sizeof MenuSoundRequests);
        SettingsInts[0] = SettingsInts[1] = SettingsInts[8] = 0;
        JoystickActive = 0;
        ClearBindings();
        BindingAction = 0;
        BindingCapture = 1;
        // Every key is seen up once before the capture counts presses.
        CaptureBinding();
    }
    void TearDown() override {
        memset(KeyState, 0, sizeof KeyState);
        memset(ControlBindings, 0, sizeof ControlBindings);
        BindingCapture = BindingAction = 0;
        PlatHeadlessSetKeyLetter(-1, 0);
        PlayerFiles::TearDown();
    }
    static std::string Slot(int s) { return std::string(TextSlotBlob + TextSlotTable[s].offset, TextSlotTable[s].length); }
    static void Press(int scan) {
        KeyState[scan] = 0x80;
        CaptureBinding();
        KeyState[scan] = 0;
        CaptureBinding();
    }
};

TEST_F(Binding, AKeyTwiceIsRefusedAHeldKeyWaitsAndElevenEndTheCapture) {
    Press(0x11);   // W
    EXPECT_EQ(BindingAction, 1);
    EXPECT_EQ(ControlBindings[0][0].code, 0x11);
    EXPECT_EQ(ControlBindings[0][0].nameIndex, 11);
    EXPECT_EQ(Slot(762), "W");
    Press(0x11);
    EXPECT_EQ(BindingAction, 1) << "the same key again is refused";
    EXPECT_EQ(MenuSoundRequests[MENU_SOUND_ERROR], 1);
    EXPECT_EQ(ItemAt(8, 40).colour, 9);
    EXPECT_EQ(ItemAt(8, 41).colour, 9);
    // A key binds on its press, once: held on, it binds nothing more until
    // it was let go.
    KeyState[0x1F] = 0x80;
    CaptureBinding();
    EXPECT_EQ(BindingAction, 2);
    EXPECT_EQ(ControlBindings[0][1].code, 0x1F);
    CaptureBinding();
    CaptureBinding();
    EXPECT_EQ(BindingAction, 2);
    EXPECT_EQ(MenuSoundRequests[MENU_SOUND_ERROR], 1) << "a held key is not a second press";
    KeyState[0x1F] = 0;
    CaptureBinding();
    for (int scan : {0x1E, 0x20, 0x10, 0x12, 0x13, 0x21, 0x2E, 0x2D, 0x2C})
        Press(scan);
    EXPECT_EQ(BindingAction, 11);
    EXPECT_EQ(BindingCapture, 0);
    EXPECT_EQ(MenuPointerShown, 1);
    RefreshControls();
    EXPECT_EQ(Slot(772), "Z");
    ControlBindings[0][3] = {0, 0, -1};
    RefreshControls();
    EXPECT_EQ(Slot(765), "-") << "an unbound entry";
}

// Under a French layout the key in the Q position prints A and the one in
// the A position prints Q: the screen names what is printed, the binding
// keeps the scan code.
TEST_F(Binding, LetterKeysAreNamedAsTheLayoutPrintsThem) {
    PlatHeadlessSetKeyLetter(0x10, 'A');
    PlatHeadlessSetKeyLetter(0x1E, 'Q');
    Press(0x10);
    Press(0x1E);
    Press(0x39);   // space keeps its table name
    EXPECT_EQ(ControlBindings[0][0].code, 0x10);
    EXPECT_EQ(Slot(762), "A");
    EXPECT_EQ(Slot(763), "Q");
    const int space = ControlBindings[0][2].nameIndex;
    ASSERT_GE(space, 0);
    EXPECT_EQ(Slot(764), std::string((const char*)&KeyNameTable[space][1], strnlen((const char*)&KeyNameTable[space][1], 15)))
        << "a key that is no letter keeps its table name";
    PlatHeadlessSetKeyLetter(-1, 0);
    RefreshControls();
    EXPECT_EQ(Slot(762), "Q") << "back on the table's layout";
    EXPECT_EQ(Slot(763), "A");
}

}  // namespace
