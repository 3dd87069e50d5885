// The replay files of the menus: the replays screen's list and info panel,
// loading and deleting the selected replay, and the idle demos.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/fresh_state.h"
#include "common/test_game.h"
#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frame/vfs.h"
#include "frontend/file_lists.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_actions.h"
#include "frontend/menu_items.h"
#include "frontend/menu_panels.h"
#include "frontend/replay_header.h"
#include "frontend/text_entry.h"
#include "frontend/text_slots.h"
#include "menulayout/layout_builder.h"
#include "frontend_test_util.h"
#include "platform/plat_file.h"
#include "race/race_state.h"
#include "race/replay.h"

namespace {

// A playable replay file: `cars` cars, 24 ticks, keyframes at the origin.
std::vector<uint8_t> ReplayFile(const char* name, const char* player, int trackCode, int mode, int cars = 2) {
    ReplayHeaderRecord h{};
    std::memcpy(h.tag, "V1.0", 4);
    std::snprintf(h.replayName, sizeof h.replayName, "%s", name);
    std::snprintf(h.playerName, sizeof h.playerName, "%s", player);
    std::snprintf(h.date, sizeof h.date, "%s", "03/04/26 - 10:11:12");
    h.trackCode = (int8_t)trackCode;
    h.carCount = (int8_t)cars;
    h.laps = 2;
    h.mode = (int8_t)mode;
    for (int car = 0; car < 8; car++)
        h.carModels[car] = (int8_t)(car + 1);
    std::vector<uint8_t> b((const uint8_t*)&h, (const uint8_t*)&h + sizeof h);
    const int ticks = 24;
    PutLe32(b, ticks);
    PutLe32(b, (uint32_t)cars);
    b.resize((size_t)ReplayFileSize(ticks, cars), 0);
    return b;
}

void WriteReplay(const std::string& path, const std::vector<uint8_t>& bytes) {
    ASSERT_EQ(WriteWholeFile(path.c_str(), (int)bytes.size(), bytes.data()), 1) << path;
}

// The game folder holds the track: its world object's file is there.
void HoldTrack(int code) {
    char path[64];
    PlatMakeDir("3d");
    PlatMakeDir("3d\\Tracks");
    std::snprintf(path, sizeof path, "3d\\Tracks\\Track-%d", code);
    PlatMakeDir(path);
    std::snprintf(path, sizeof path, "3d\\Tracks\\Track-%d\\MUNDO%d.ver", code, code);
    ASSERT_EQ(WriteWholeFile(path, 4, "VER1"), 1);
}

std::string Slot(int s) { return std::string(TextSlotBlob + TextSlotTable[s].offset, TextSlotTable[s].length); }

struct ReplayFiles : ::testing::Test {
    void SetUp() override {
        const std::string dir = MakeTestFolder("replays");
        ASSERT_TRUE(PlatSetCurrentDir(dir.c_str()));
        VfsClose();   // another suite's archives would hold tracks this folder lacks
        ASSERT_TRUE(PlatMakeDir("Replay"));
        ASSERT_TRUE(PlatMakeDir("Replay\\Users"));
        Reset();
        int at = 0;
        for (int slot : {51, 52, 860, 640, 641, 642, 643, 644, 645, 780, 781, 782, 783}) {
            TextSlotTable[slot] = {(uint32_t)at, 0};
            TextSlotRoom[slot] = 40;
            at += 40;
        }
        SetSlotText(51, "Single race");
        SetSlotText(52, "Championship");
        SetSlotText(860, "Career");
        for (int code : {10, 20, 30, 40, 41, 70, 71})
            HoldTrack(code);
    }
    void TearDown() override { Reset(); }
    static void Reset() {
        ResetFrontEndGlobals();
        FreshFrameAndRace();
        memset(FileListCounts, 0, sizeof FileListCounts);
        memset(ListSelection, 0, sizeof ListSelection);
        memset(ListTop, 0, sizeof ListTop);
        memset(ListHoverItem, 0, sizeof ListHoverItem);
        memset(FileListRow, 0, sizeof FileListRow);
        memset(ReplayFileNames, 0, sizeof ReplayFileNames);
        memset(&ReplayHeader, 0, sizeof ReplayHeader);
        MenuListId = 0;
        InfoPanelValid = 0;
        RaceFromReplay = ReplayWatched = ReplayFromFile = 0;
        InternetReplays = 0;
        DemoCycle = 0;
        AttractIdleTimer = -3000;
        PendingScreen = 0;
        StartRaceRequest = 0;
        MenuScreenShown = 0;
        LastFrameTicks = 0;
        MouseX = MouseY = 0;
        ReplaySavedCount = 0;
        ReplayCarCount = 0;
        ListScrollDown = ListScrollUp = 0;
        ListThumbDrag = 0;
        MouseClick = MouseButtons = 0;
    }
};

TEST_F(ReplayFiles, ListShowsTheFolderAndThePanelTheFirstRow) {
    ListReplays();
    EXPECT_EQ(FileListCounts[9], 0);
    EXPECT_EQ(InfoPanelValid, 0);
    for (int s = 780; s <= 783; s++)
        EXPECT_EQ(Slot(s), "?");
    EXPECT_EQ(LoadSelectedReplay(), 0) << "an empty list has no replay to load";

    WriteReplay("Replay\\Users\\zed.rb", ReplayFile("zed", "Zoe", 10, 0));
    WriteReplay("Replay\\Users\\alp.rb", ReplayFile("alp", "Al", 41, 1));
    WriteReplay("Replay\\Users\\notes.txt", ReplayFile("x", "X", 10, 0));
    ListReplays();
    EXPECT_EQ(MenuListId, 9);
    ASSERT_EQ(FileListCounts[9], 2);
    EXPECT_STREQ(ReplayFileNames[0], "alp.rb");
    EXPECT_STREQ(FileListRow[1], "zed");
    EXPECT_EQ(ListSelection[9], 0);
    EXPECT_EQ(ListHoverItem[9], 20);
    EXPECT_EQ(FileListRow[0][25], 5);
    EXPECT_EQ(ReplayHeader.trackCode, 41);
    EXPECT_EQ(InfoPanelValid, 1);
    EXPECT_EQ(Slot(780), "Al");
    EXPECT_EQ(Slot(781), "JUMP");
    EXPECT_EQ(Slot(782), "Championship");
    EXPECT_EQ(Slot(783), "03/04/26 - 10:11:12");

    // The panel follows the row under the pointer, scrolled or not.
    ListHoverItem[9] = 21;
    ShowFileInfo(0);
    EXPECT_EQ(Slot(780), "Zoe");
    EXPECT_EQ(Slot(781), "SPEED");
    EXPECT_EQ(Slot(782), "Single race");
    // Off the rows, the panel shows the selected row.
    ListHoverItem[9] = 12;
    ShowFileInfo(0);
    EXPECT_EQ(Slot(780), "Al");
    // A type or mode the panel has no text for shows "?"; a head that can
    // no longer be read shows an empty panel, not the last one.
    WriteReplay("Replay\\Users\\zed.rb", ReplayFile("zed", "Zoe", 90, 7));
    ListHoverItem[9] = 21;
    ShowFileInfo(0);
    EXPECT_EQ(Slot(780), "Zoe");
    EXPECT_EQ(Slot(781), "?");
    EXPECT_EQ(Slot(782), "?");
    PlatDeleteFile("Replay\\Users\\zed.rb");
    ShowFileInfo(0);
    EXPECT_EQ(InfoPanelValid, 0);
    EXPECT_EQ(Slot(780), "?");
    WriteReplay("Replay\\Users\\aa.rb", ReplayFile("aa", "", 70, 2));
    ListReplays();
    EXPECT_EQ(InfoPanelValid, 0) << "a header with no player blanks the panel";
    EXPECT_EQ(Slot(780), "?");
}

TEST_F(ReplayFiles, LoadReadsTheSelectedRowOnly) {
    WriteReplay("Replay\\Users\\a.rb", ReplayFile("a", "Ann", 20, 0, 2));
    WriteReplay("Replay\\Users\\b.rb", ReplayFile("b", "Bo", 71, 0, 3));
    ListReplays();
    ListSelection[9] = 1;
    ASSERT_EQ(LoadSelectedReplay(), 1);
    EXPECT_EQ(ReplayHeader.trackCode, 71);
    EXPECT_EQ(ReplayCarCount, 3);
    EXPECT_EQ(ReplayFromFile, 1);

    // A file that stopped being a replay after it was listed loads nothing
    // and leaves the header that was read.
    std::vector<uint8_t> bad = ReplayFile("a", "Ann", 20, 0, 2);
    bad[27] = 5;   // the header's cars differ from the body's
    WriteReplay("Replay\\Users\\a.rb", bad);
    ReplayFromFile = 0;
    ListSelection[9] = 0;
    EXPECT_EQ(LoadSelectedReplay(), 0);
    EXPECT_EQ(ReplayHeader.trackCode, 71);
    EXPECT_EQ(ReplayFromFile, 0);
    // One byte more than its counts give, or too few ticks: refused whole.
    for (int change : {0, 1}) {
        std::vector<uint8_t> f = ReplayFile("a", "Ann", 20, 0, 2);
        if (change == 0)
            f.push_back(0);
        else
            f[124] = 19;
        WriteReplay("Replay\\Users\\a.rb", f);
        EXPECT_EQ(LoadSelectedReplay(), 0) << change;
    }
    ListSelection[9] = 2;
    EXPECT_EQ(LoadSelectedReplay(), 0) << "a selection past the rows";
    WriteReplay("Replay\\Users\\a.rb", ReplayFile("a", "Ann", 79, 0, 2));
    ListSelection[9] = 0;
    EXPECT_EQ(LoadSelectedReplay(), 0) << "a track the folder lacks";
}

// WATCH plays only a replay that loads; one the game refuses brings up the
// screen's notice instead of a race.
TEST_F(ReplayFiles, WatchOnARefusedReplayShowsTheNoticeAndStartsNothing) {
    std::vector<uint8_t> bad = ReplayFile("a", "Ann", 20, 0, 2);
    bad.push_back(0);   // one byte more than its counts give
    WriteReplay("Replay\\Users\\a.rb", bad);
    WriteReplay("Replay\\Users\\b.rb", ReplayFile("b", "Bo", 79, 0, 2));   // a track the folder lacks
    WriteReplay("Replay\\Users\\c.rb", ReplayFile("c", "Cy", 71, 0, 2));
    ListReplays();
    ASSERT_EQ(FileListCounts[9], 3);
    FrontEndActive = 1;
    MenuScreen = 15;
    RequestedScreen = -1;
    int screen = 15;
    for (int row : {0, 1}) {
        NoticeTicks = 0;
        ListSelection[9] = row;
        ReplaysAction(&screen, 12);
        EXPECT_GT(NoticeTicks, 0) << row;
        EXPECT_EQ(StartRaceRequest, 0) << row;
        EXPECT_EQ(RaceFromReplay, 0) << row;
    }
    NoticeTicks = 0;
    ListSelection[9] = 2;
    ReplaysAction(&screen, 12);
    EXPECT_EQ(NoticeTicks, 0) << "a replay that loads says nothing";
    EXPECT_EQ(StartRaceRequest, 1);
    EXPECT_EQ(PendingScreen, 15);
    FrontEndActive = 0;
    MenuScreen = 0;
}

TEST_F(ReplayFiles, DeleteRemovesTheNamedReplayAndRelists) {
    WriteReplay("Replay\\Users\\a.rb", ReplayFile("a", "Ann", 20, 0));
    WriteReplay("Replay\\Users\\b.rb", ReplayFile("b", "Bo", 30, 0));
    ListReplays();
    EXPECT_EQ(DeleteSelectedReplay(), 1);
    EXPECT_EQ(QueryFileSize("Replay\\Users\\a.rb"), 0);
    ASSERT_EQ(FileListCounts[9], 1);
    EXPECT_STREQ(FileListRow[0], "b");
    EXPECT_EQ(ListSelection[9], 0);
    EXPECT_EQ(FileListRow[0][25], 5);
    EXPECT_EQ(Slot(780), "Bo") << "the panel shows the replay now first";

    // The listed file goes, whatever its header names.
    WriteReplay("victim.rb", ReplayFile("v", "V", 10, 0));
    WriteReplay("Replay\\Users\\c.rb", ReplayFile("..\\..\\victim", "C", 10, 0));
    ListReplays();
    ListSelection[9] = 1;
    EXPECT_EQ(DeleteSelectedReplay(), 1);
    EXPECT_NE(QueryFileSize("victim.rb"), 0);
    EXPECT_EQ(QueryFileSize("Replay\\Users\\c.rb"), 0);
    EXPECT_EQ(FileListCounts[9], 1);

    ListReplays();
    EXPECT_EQ(DeleteSelectedReplay(), 1);
    EXPECT_EQ(FileListCounts[9], 0) << "the last replay gone, the list is empty";
    EXPECT_EQ(DeleteSelectedReplay(), 0) << "deleting what is not there changes nothing";
}

// Writes the three demos with track codes 70, 40 and 10 in DemoCycle order.
void WriteDemos() {
    WriteReplay("Replay\\Users\\Buggy.rb", ReplayFile("Buggy", "Q", 70, 0));
    WriteReplay("Replay\\Users\\jump.rb", ReplayFile("jump", "Q", 40, 0));
    WriteReplay("Replay\\Users\\NewVondel.rb", ReplayFile("NewVondel", "Q", 10, 0));
}

// Menu frames of 100 ticks on the main screen until a demo starts; the
// ticks counted, or -1.
int IdleTicksToDemo() {
    LastFrameTicks = 100;
    for (int ticks = 100; ticks <= 20000; ticks += 100) {
        UpdateAttractMode();
        if (StartRaceRequest)
            return ticks;
    }
    return -1;
}

TEST_F(ReplayFiles, IdleMainMenuPlaysTheDemosInTurn) {
    WriteDemos();
    UpdateAttractMode();   // the pointer's place is taken
    AttractIdleTimer = -3000;
    EXPECT_EQ(IdleTicksToDemo(), 7900) << "the first demo after start-up";
    EXPECT_EQ(ReplayHeader.trackCode, 70);
    EXPECT_EQ(TrackCode, 70);
    EXPECT_EQ(RaceFromReplay, 1);
    EXPECT_EQ(ReplayWatched, 1);
    EXPECT_EQ(ReplayFromFile, 1);
    EXPECT_EQ(ReplayPlayback, 1);
    EXPECT_EQ(PendingScreen, 0);
    UpdateAttractMode();
    EXPECT_EQ(DemoCycle, 1) << "no second demo while the first one's race is pending";

    const int next[2] = {40, 10};
    for (int code : next) {
        StartRaceRequest = 0;
        AttractIdleTimer = 0;   // as the return to the menus leaves it
        EXPECT_EQ(IdleTicksToDemo(), 4900);
        EXPECT_EQ(ReplayHeader.trackCode, code);
    }
    StartRaceRequest = 0;
    AttractIdleTimer = 0;
    IdleTicksToDemo();
    EXPECT_EQ(ReplayHeader.trackCode, 70) << "back to the first demo";
}

TEST_F(ReplayFiles, PointerOrOtherScreenRestartsTheIdleCount) {
    WriteDemos();
    UpdateAttractMode();
    AttractIdleTimer = 4000;
    MouseX = 12;
    LastFrameTicks = 100;
    UpdateAttractMode();
    EXPECT_EQ(AttractIdleTimer, -2900);
    UpdateAttractMode();
    EXPECT_EQ(AttractIdleTimer, -2800) << "a pointer that rests counts on";
    AttractIdleTimer = 4790;
    MenuScreenShown = 15;
    UpdateAttractMode();
    EXPECT_EQ(AttractIdleTimer, -2900);
    EXPECT_EQ(StartRaceRequest, 0);

    // A demo file that is missing starts nothing; the next demo has its turn.
    MenuScreenShown = 0;
    PlatDeleteFile("Replay\\Users\\Buggy.rb");
    AttractIdleTimer = 4800;
    UpdateAttractMode();
    EXPECT_EQ(StartRaceRequest, 0);
    EXPECT_EQ(RaceFromReplay, 0);
    EXPECT_EQ(DemoCycle, 1);
}

TEST_F(ReplayFiles, DemoButtonsPlayTheirFiles) {
    WriteDemos();
    const int items[3] = {17, 18, 19}, codes[3] = {10, 70, 40};
    for (int i = 0; i < 3; i++) {
        StartRaceRequest = RaceFromReplay = 0;
        ASSERT_EQ(PlayDemoReplay(items[i]), 1);
        EXPECT_EQ(ReplayHeader.trackCode, codes[i]);
        EXPECT_EQ(StartRaceRequest, 1);
        EXPECT_EQ(RaceFromReplay, 1);
        EXPECT_EQ(ReplayFromFile, 1);
    }
    StartRaceRequest = 0;
    EXPECT_EQ(PlayDemoReplay(16), 0);
    EXPECT_EQ(StartRaceRequest, 0) << "no demo behind other items";
}

// The list box on the replays screen: ten rows, six shown.
TEST_F(ReplayFiles, ListBoxScrollsWithinItsRowsAndPlacesTheThumb) {
    FileListCounts[9] = 10;
    for (int r = 0; r < 10; r++) {
        std::snprintf(FileListRow[r], 25, "row %d", r);
        FileListRow[r][25] = (char)(r == 5 ? 5 : 3);
        FileListRow[r][26] = 4;
    }
    auto frame = [] { UpdateListWidget(15, 18, 20, 9, 6, 640, &FileListRow[0][0], 32); };
    // The built-in layout's thumb stands on its own at the top of its scroll
    // bar: its track (23 to 139, 116 long) is measured from 23 above where
    // it rests.
    ASSERT_GT(BuildMenuLayout(), 0) << MenuLayoutError;
    const float top = ItemAt(15, 18).homeY;
    ASSERT_GT(top, 60.0f) << "below the screen's title";
    const float origin = top - 23.0f;
    frame();
    EXPECT_EQ(Slot(640), "row 0");
    EXPECT_EQ(Slot(645), "row 5");
    EXPECT_EQ(ItemAt(15, 25).colour, 5);
    EXPECT_EQ(ItemAt(15, 25).hoverColour, 4);
    EXPECT_EQ(ItemAt(15, 18).y, top);
    ListScrollUp = 1;
    frame();
    EXPECT_EQ(ListTop[9], 0);
    ListScrollUp = 0;
    ListScrollDown = 1;
    for (int i = 0; i < 3; i++)
        frame();
    EXPECT_EQ(ListTop[9], 3);
    EXPECT_EQ(ItemAt(15, 18).y, top + 3 * 29) << "116 pixels over the four rows hidden";
    for (int i = 0; i < 3; i++)
        frame();
    EXPECT_EQ(ListTop[9], 4) << "the last row stays on the last line";
    EXPECT_EQ(Slot(640), "row 4");
    EXPECT_EQ(Slot(645), "row 9");
    EXPECT_EQ(ItemAt(15, 21).colour, 5);
    EXPECT_EQ(ItemAt(15, 18).y, origin + 139.0f);
    ListScrollDown = 0;

    // A list that shrank under the rows shown starts again at its top.
    FileListCounts[9] = 3;
    frame();
    EXPECT_EQ(ListTop[9], 0);
    EXPECT_EQ(ItemAt(15, 18).y, top);

    // Dragging the thumb: a click on it, then the held button moves it and
    // the rows with it; letting go ends the drag.
    FileListCounts[9] = 10;
    MenuItem& thumb = ItemAt(15, 18);
    thumb.hitLeft = 600;
    thumb.hitRight = 610;
    thumb.hitTop = 20;
    thumb.hitBottom = 30;
    MouseX = 605;
    MouseY = 25;
    MouseClick = 1;
    frame();
    EXPECT_EQ(ListThumbDrag, 1);
    MouseClick = 0;
    MouseButtons = 0x80;
    MouseY = (int)origin + 90;
    frame();
    EXPECT_EQ(thumb.y, origin + 90.0f);
    EXPECT_EQ(ListTop[9], (90 - 23) / 29);
    MouseY = 400;
    frame();
    EXPECT_EQ(thumb.y, origin + 139.0f) << "held to the bottom of the track";
    EXPECT_EQ(ListTop[9], 4);
    MouseButtons = 0;
    frame();
    EXPECT_EQ(ListThumbDrag, 0);
}

TEST_F(ReplayFiles, ChatBoxShowsItsLongLines) {
    for (int slot = 700; slot < 703; slot++) {
        TextSlotTable[slot] = {(uint32_t)(1000 + 200 * (slot - 700)), 0};
        TextSlotRoom[slot] = 180;
    }
    static char lines[MESSAGE_LOG_LINES][MESSAGE_LOG_WIDTH];
    memset(lines, 'x', sizeof lines);
    for (int i = 0; i < MESSAGE_LOG_LINES; i++)
        lines[i][0] = (char)('0' + i);
    FileListCounts[11] = MESSAGE_LOG_LINES;
    ListTop[11] = 6;
    ItemAt(11, 25).homeY = 108;   // where the built-in layout rests the chat thumb
    UpdateListWidget(11, 25, 39, 11, 3, 700, &lines[0][0], MESSAGE_LOG_WIDTH);
    EXPECT_EQ(Slot(700).size(), 144u) << "a chat line shows its first 144 characters";
    EXPECT_EQ(Slot(700)[0], '6');
    EXPECT_EQ(Slot(702)[0], '8');
    EXPECT_EQ(ItemAt(11, 25).y, 108.0f - 23 + 51) << "the chat thumb's shorter track, at its bottom";
}

// A whole headless run left alone in the main menu: the first demo plays on
// its own track and the menus come back when it ends.
TEST(DemoRun, IdleMainMenuPlaysBuggyAndComesBack) {
    const std::string dir = MakeTestGameFolder("demo", false, {10, 70});
    EXPECT_EQ(RunGameLogged(dir, "--headless --debug --frames 12000", "demo.log"), 0);
    const std::string log = ReadHostFile(dir + "/demo.log");
    const size_t demo = log.find("demo replay Replay\\Users\\Buggy.rb");
    ASSERT_NE(demo, std::string::npos) << log;
    EXPECT_NE(log.find("Tracks\\Track-07", demo), std::string::npos) << "the demo's own track loads";
    EXPECT_NE(log.find("menu screen 0", demo), std::string::npos) << "the menus come back after the demo";
}

}  // namespace
