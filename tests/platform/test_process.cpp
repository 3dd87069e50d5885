// Starting programs: exit codes, the ".exe" names of the game, and failures.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "common/test_game.h"
#include "platform/plat_file.h"
#include "platform/plat_process.h"

namespace {

void Script(const std::string& path, const std::string& body) {
    std::ofstream out(path);
    out << "#!/bin/sh\n" << body << "\n";
    out.close();
    chmod(path.c_str(), 0755);
}

TEST(Process, ExitStatusComesBackAndTheProgramRunsInTheCurrentFolder) {
    const std::string root = MakeTestFolder("proc");
    Script(root + "/setup", "echo ran > marker; exit 4");
    ASSERT_TRUE(PlatSetCurrentDir(root.c_str()));
    EXPECT_EQ(PlatRunProgramAndWait(".\\setup"), 4);
    EXPECT_EQ(ReadHostFile(root + "/marker"), "ran\n");
}

TEST(Process, WindowsProgramNamesFindOurPrograms) {
    const std::string root = MakeTestFolder("proc");
    Script(root + "/videosetup", "exit 0");
    ASSERT_TRUE(PlatSetCurrentDir(root.c_str()));
    EXPECT_EQ(PlatRunProgramAndWait(".\\VideoSetup.exe"), 0);
    EXPECT_EQ(PlatRunProgramAndWait(".\\Missing.exe"), -1);
    EXPECT_EQ(PlatRunProgramAndWait("nothing"), -1);
}

}  // namespace
