// INI reading: sections and keys without regard to case, defaults.

#include <gtest/gtest.h>

#include <fstream>

#include "common/test_game.h"
#include "platform/plat_file.h"
#include "platform/plat_ini.h"

namespace {

class IniTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = MakeTestFolder("ini");
        std::ofstream out(root + "/vondel.ini", std::ios::binary);
        out << "; settings\r\n[Main]\r\nlanguage = french \r\n\r\n[Network]\r\nLatency1=4\r\nlatency2=\"7\"\r\n"
               "[Other]\r\nlanguage=spanish\r\n";
        out.close();
        ASSERT_TRUE(PlatSetCurrentDir(root.c_str()));
    }
    std::string root;
};

TEST_F(IniTest, SectionsAndKeysIgnoreCase) {
    char value[32];
    EXPECT_EQ(PlatIniGetString("VONDEL.INI", "main", "LANGUAGE", "english", value, sizeof value), 6);
    EXPECT_STREQ(value, "french");
    EXPECT_EQ(PlatIniGetInt("vondel.ini", "NETWORK", "latency1", 1), 4);
    EXPECT_EQ(PlatIniGetInt("vondel.ini", "Network", "latency2", 1), 7);
    PlatIniGetString("vondel.ini", "other", "language", "", value, sizeof value);
    EXPECT_STREQ(value, "spanish") << "a key is looked up in its own section only";
}

TEST_F(IniTest, MissingFileSectionOrKeyGivesTheDefault) {
    char value[32];
    PlatIniGetString("missing.ini", "Main", "language", "english", value, sizeof value);
    EXPECT_STREQ(value, "english");
    PlatIniGetString("vondel.ini", "Nowhere", "language", "english", value, sizeof value);
    EXPECT_STREQ(value, "english");
    EXPECT_EQ(PlatIniGetInt("vondel.ini", "Network", "latency8", 3), 3);
}

TEST_F(IniTest, LongValuesAreCutToTheBuffer) {
    char value[4];
    EXPECT_EQ(PlatIniGetString("vondel.ini", "Main", "language", "", value, sizeof value), 3);
    EXPECT_STREQ(value, "fre");
}

}  // namespace
