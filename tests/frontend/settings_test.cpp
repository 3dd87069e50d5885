// The settings file: what a load unpacks and a save packs, the defaults
// file, short and missing files, and the factory settings the sample folder
// ships.

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "common/test_game.h"
#include "frame/fileio.h"
#include "frontend/frontend_state.h"
#include "frontend/settings.h"
#include "mkdata.h"
#include "platform/plat_file.h"
#include "platform/plat_keys.h"
#include "race/race_state.h"

namespace {

struct Settings : ::testing::Test {
    std::string dir;
    void SetUp() override {
        dir = MakeTestFolder("settings");
        ASSERT_TRUE(PlatSetCurrentDir(dir.c_str()));
        ASSERT_TRUE(PlatMakeDir("Config"));
        memset(&SettingsImage, 0, sizeof SettingsImage);
        memset(ControlBindings, 0, sizeof ControlBindings);
    }
    void TearDown() override {
        memset(&SettingsImage, 0, sizeof SettingsImage);
        for (int i = 0; i < 16; i++)
            SettingsInts[i] = 0;
        for (int& flag : ManualGearbox)
            flag = 0;
        (void)system(("rm -rf '" + dir + "'").c_str());
    }
    static void Write(const char* path, const SettingsRecord& record, int size = (int)sizeof(SettingsRecord)) {
        ASSERT_EQ(WriteWholeFile(path, size, &record), 1);
    }
};

TEST_F(Settings, ASaveWritesTheWorkingVariablesWholeUnderTheTag) {
    FactorySettings(&SettingsImage);
    memcpy(ControlBindings, SettingsImage.bindings, sizeof ControlBindings);
    memcpy(SettingsImage.tag, "XXXX", 4);
    SettingsImage.manualGearbox[1] = 1;
    SettingsInts[0] = 1;
    SettingsInts[7] = 5;
    SettingsInts[8] = 42;   // the controls screen's player: not saved
    ControlBindings[3][10] = {0x800, 1, 11};
    ASSERT_EQ(SaveSettings(), 1);
    const std::string file = ReadHostFile(dir + "/Config/config.cfg");
    ASSERT_EQ(file.size(), 9484u);
    EXPECT_EQ(file.substr(0, 4), "V1.0");
    SettingsRecord saved;
    memcpy(&saved, file.data(), sizeof saved);
    EXPECT_EQ(saved.settingsInts[0], 1);
    EXPECT_EQ(saved.settingsInts[7], 5);
    EXPECT_EQ(saved.bindings[3][10].code, 0x800);
    EXPECT_EQ(saved.bindings[3][10].nameIndex, 11);
    EXPECT_EQ(saved.manualGearbox[1], 1) << "the gearbox bytes as they stand in the record";

    // And back.
    SettingsInts[0] = 0;
    ControlBindings[3][10] = {};
    LoadSettings(0);
    EXPECT_EQ(SettingsInts[0], 1);
    EXPECT_EQ(SettingsInts[8], 42);
    EXPECT_EQ(ControlBindings[3][10].code, 0x800);
    EXPECT_EQ(ManualGearbox[1], 1);
}

TEST_F(Settings, TheDefaultsKeepTheGearboxChoicesTheSavedFileReplacesThem) {
    SettingsRecord record;
    FactorySettings(&record);
    record.manualGearbox[0] = 1;   // bindings[0][0]: UP
    Write("Config\\config.cfg", record);
    record.bindings[0][0] = {0x11, 0, 11};
    ManualGearbox[0] = 0;
    record.manualGearbox[0] = 1;
    Write("Config\\config.def", record);
    LoadSettings(1);
    EXPECT_EQ(ManualGearbox[0], 0) << "the defaults keep the gearbox";
    EXPECT_EQ(ControlBindings[0][0].code, 0x11);
    LoadSettings(0);
    EXPECT_EQ(ManualGearbox[0], 1);
    EXPECT_EQ(ControlBindings[0][0].code, 0xC8);
}

TEST_F(Settings, AShortOrMissingFileGivesTheDefaultsFileAndThatTheFactoryTable) {
    SettingsRecord def;
    FactorySettings(&def);
    def.bindings[2][5] = {0x2A, 0, 58};   // LSHIFT
    Write("Config\\config.def", def);
    LoadSettings(0);   // no config.cfg
    EXPECT_EQ(ControlBindings[2][5].code, 0x2A);
    SettingsRecord record = def;
    record.settingsInts[1] = 1;
    Write("Config\\config.cfg", record, 36);
    LoadSettings(0);
    EXPECT_EQ(SettingsInts[1], 0) << "a short file is refused whole";
    EXPECT_EQ(ControlBindings[2][5].code, 0x2A);
}

TEST(FactorySettings, BothPlayersOnTheKeyboardNoKeyTwiceJoystickSetsOnTheStickAndButtons) {
    SettingsRecord record;
    FactorySettings(&record);
    EXPECT_EQ(memcmp(record.tag, "V1.0", 4), 0);
    EXPECT_EQ(record.settingsInts[0], 0);
    EXPECT_EQ(record.settingsInts[1], 0);
    // Player 1 on the arrow keys, player 2 on W A S D.
    const int arrows[4] = {SCAN_UP, SCAN_DOWN, SCAN_LEFT, SCAN_RIGHT};
    const int wasd[4] = {0x11, 0x1F, 0x1E, 0x20};
    for (int a = 0; a < 4; a++) {
        EXPECT_EQ(record.bindings[0][a].code, arrows[a]);
        EXPECT_EQ(record.bindings[2][a].code, wasd[a]);
    }
    std::set<int> keys;
    for (int set : {0, 2}) {
        for (int a = 0; a < 11; a++) {
            const KeyBinding& b = record.bindings[set][a];
            EXPECT_EQ(b.isJoystick, 0);
            ASSERT_GE(b.nameIndex, 0);
            ASSERT_LT(b.nameIndex, KEY_NAME_ROWS);
            EXPECT_EQ(KeyNameTable[b.nameIndex][0], b.code) << "the name row of the key";
            EXPECT_TRUE(keys.insert(b.code).second) << "key " << b.code << " bound twice";
        }
    }
    for (int set : {1, 3}) {
        std::set<int> inputs;
        for (int a = 0; a < 11; a++) {
            const KeyBinding& b = record.bindings[set][a];
            EXPECT_EQ(b.isJoystick, 1);
            EXPECT_EQ(b.code, 1 << b.nameIndex) << "one input bit, named by its number";
            EXPECT_TRUE(inputs.insert(b.code).second);
        }
        EXPECT_EQ(record.bindings[set][0].code, 2) << "accelerate: stick forward";
    }
}

}  // namespace
