// Panels as the menu frame brings them up, on the sample layout and message
// file: the save and load screens' information panel, the records tab
// marked as chosen, the championship lists of screens 10 and 17 with the
// race list of the championship picked, the records file a profile pick
// loads, and the demo replay's cars.  Screens are entered and items clicked
// through the frame itself.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "common/test_game.h"
#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frontend/career_file.h"
#include "frontend/championship.h"
#include "frontend/file_lists.h"
#include "frontend/menu_frame.h"
#include "frontend/menu_actions.h"
#include "frontend/menu_init.h"
#include "frontend/menu_items.h"
#include "frontend/menu_panels.h"
#include "frontend/records.h"
#include "frontend/replay_header.h"
#include "frontend/text_slots.h"
#include "frontend_test_util.h"
#include "menulayout/menu_table.h"
#include "platform/plat_file.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"
#include "race/messages.h"
#include "race/presentation.h"
#include "race/race_state.h"
#include "race/replay.h"
#include "render/render_state.h"
#include "sound/music.h"
#include "sound/sound_state.h"

namespace {

std::string Slot(int slot) { return std::string(TextSlotBlob + TextSlotTable[slot].offset, TextSlotTable[slot].length); }

std::string SlotOfItem(int screen, int item) { return Slot(ItemAt(screen, item).textSlot); }

bool Chosen(int screen, int item) { return ItemAt(screen, item).colour == 5 && ItemAt(screen, item).hoverColour == 5; }

bool Plain(int screen, int item) { return ItemAt(screen, item).colour == 3 && ItemAt(screen, item).hoverColour == 4; }

// One game folder for the suite; each test writes only its own files.
std::string dir;

struct PanelFrames : FrontEndTest {
    static void SetUpTestSuite() { dir = MakeTestGameFolder("panels"); }
    void SetUp() override {
        FrontEndTest::SetUp();
        ASSERT_TRUE(PlatSetCurrentDir(dir.c_str()));
        ASSERT_TRUE(StartHeadlessMenus());
        MouseX = 600;
        MouseY = 470;
        MouseClick = 0;
        memset(&CareerRecord, 0, sizeof CareerRecord);
        memset(ListSelection, 0, sizeof ListSelection);
        memset(ListTop, 0, sizeof ListTop);
        ChampionshipGroupOffset = 0;
        strcpy(CurrentPlayerName, "Pia");
        ASSERT_TRUE(PlatIsDirectory("USERS\\Pia") || PlatMakeDir("USERS\\Pia"));
        Frames(1);
    }
    void TearDown() override {
        StopHeadlessMenus();
        MouseX = MouseY = MouseClick = 0;
        memset(&CareerRecord, 0, sizeof CareerRecord);
        memset(CurrentPlayerName, 0, sizeof CurrentPlayerName);
        memset(FileListCounts, 0, sizeof FileListCounts);
        memset(ListSelection, 0, sizeof ListSelection);
        memset(ListTop, 0, sizeof ListTop);
        memset(ListHoverItem, 0, sizeof ListHoverItem);
        memset(FileListRow, 0, sizeof FileListRow);
        ChampionshipGroupOffset = 0;
        ChampionshipClass = ChampionshipLastIndex = 0;
        InfoPanelValid = 0;
        PendingScreen = 0;
        RecordsPage = 236;
        LapRecordsPage = 286;
        RecordsAltHeading = 0;
        ClearRecordTables();
        FrontEndTest::TearDown();
    }
    static void Frames(int n) {
        for (int i = 0; i < n; i++)
            RunMenuFrame(nullptr, nullptr, 0, nullptr);
    }
    // A screen entered as a jump enters it, its slides given time to end.
    static void Enter(int screen) {
        PendingScreen = screen;
        Frames(30);
        ASSERT_EQ(MenuScreenShown, screen);
    }
    // One click on the middle of an item's hit box.
    static void Click(int screen, int item) {
        const MenuItem& it = ItemAt(screen, item);
        MouseX = (it.hitLeft + it.hitRight) / 2;
        MouseY = (it.hitTop + it.hitBottom) / 2;
        Frames(1);
        MouseClick = 1;
        Frames(1);
        MouseClick = 0;
        MouseX = 600;
        MouseY = 470;
        Frames(2);
    }
};

// Screen 21 shows the career about to be saved: the player and the wins of
// the career in memory, refreshed while no description is typed; screen 20
// the slot its list has selected, marked.
TEST_F(PanelFrames, TheSavePanelShowsTheCareerInMemoryAndTheLoadPanelTheSelectedSlot) {
    CareerRecordImage saved = {};
    strcpy(saved.playerName, "Pia");
    strcpy(saved.description, "AN OLD ONE");
    strcpy(saved.date, "01/02/26 - 03:04:05");
    saved.money = 1234.0f;
    saved.racesWon = 7;
    ASSERT_EQ(WriteCareerSlot(2, saved), 1);
    for (int slot = 780; slot <= 783; slot++)
        SetSlotText(slot, "LEFT OVER");

    CareerRecord.racesWon = 3;
    Enter(21);
    EXPECT_EQ(Slot(780), "Pia");
    EXPECT_EQ(SlotOfItem(21, 24), "3") << "the panel's wins";
    EXPECT_EQ(Slot(783).size(), 19u) << "the date of the save about to be made: " << Slot(783);
    CareerRecord.racesWon = 4;
    Frames(1);
    EXPECT_EQ(SlotOfItem(21, 24), "4") << "every frame";
    // A row picked to save into, an empty one: the panel still shows the
    // career to be saved, its date too.
    const std::string date = Slot(783);
    Click(21, 32);
    EXPECT_EQ(KeyboardJumpGate, 1) << "the description is typed";
    EXPECT_EQ(Slot(783), date);
    EXPECT_EQ(SlotOfItem(21, 24), "4");
    KeyboardJumpGate = 0;

    ListSelection[1] = 1;
    Enter(20);
    EXPECT_EQ(SlotOfItem(20, 22), "Pia");
    EXPECT_EQ(SlotOfItem(20, 23), "1234");
    EXPECT_EQ(SlotOfItem(20, 24), "7");
    EXPECT_EQ(SlotOfItem(20, 25), "01/02/26 - 03:04:05");
    EXPECT_TRUE(Chosen(20, 28)) << "the selected slot's row is marked";
    EXPECT_TRUE(Plain(20, 27));

    // An empty slot selected: the panel is blank, not the last one's.
    ListSelection[1] = 5;
    Enter(21);
    Enter(20);
    EXPECT_EQ(SlotOfItem(20, 22), "?");
    EXPECT_EQ(SlotOfItem(20, 24), "?");
}

// The records tab clicked shows in the selection colour, the others plain;
// a page change and a new visit clear the mark.
TEST_F(PanelFrames, TheRecordsTabChosenIsMarkedUntilThePageOrTheScreenChanges) {
    Enter(13);
    for (int item = 22; item <= 26; item++)
        ASSERT_TRUE(Plain(13, item)) << item;
    Click(13, 23);
    EXPECT_TRUE(Chosen(13, 23));
    EXPECT_EQ(RecordPanelCode, CareerTrackCode(1, 4)) << "the tab's record is shown";
    Click(13, 25);
    EXPECT_TRUE(Chosen(13, 25));
    EXPECT_TRUE(Plain(13, 23));
    Enter(14);
    Enter(13);
    EXPECT_TRUE(Plain(13, 25)) << "a new visit starts unmarked";

    Enter(1);
    Click(1, 24);
    EXPECT_TRUE(Chosen(1, 24));
    Click(1, 27);   // the next page names other tracks
    for (int item = 22; item <= 26; item++)
        EXPECT_TRUE(Plain(1, item)) << item;
}

// Screens 10 and 17 list the twelve championships of the group shown; the
// race list beside them names the picked championship's races by track,
// one row a race.
TEST_F(PanelFrames, TheChampionshipListsNameTwelveChampionshipsAndThePickedOnesRaces) {
    const auto trackName = [](int row, int race) {
        GetText(TrackLine(ChampionshipTrackCode(row, race)));
        return std::to_string(race + 1) + ". " + TextBufferB;
    };
    const auto racesShown = [&](int screen, int row) {
        const int races = ChampionshipLastRace(row) + 1;
        for (int race = 0; race < 8; race++) {
            EXPECT_EQ(ItemShown(screen, 23 + race), race < races) << "row " << row << " race " << race;
            if (race < races) {
                EXPECT_EQ(SlotOfItem(screen, 23 + race), trackName(row, race)) << "row " << row;
            }
        }
    };

    Enter(17);
    ASSERT_EQ(FileListCounts[3], 12);
    for (int i = 0; i < 12; i++) {
        GetText(784 + 2 * i);
        EXPECT_EQ(std::string(FileListRow[i]), std::string(TextBufferB).substr(0, 24)) << i;
    }
    GetText(784);
    EXPECT_EQ(SlotOfItem(17, 41), TextBufferB) << "the first row shown";
    racesShown(17, 0);

    Click(17, 45);   // the fifth row: championship 4, four races
    EXPECT_EQ(ListSelection[3], 4);
    racesShown(17, 4);

    Click(17, 22);   // the second group: rows 24 on, one or two races each
    GetText(784 + 24);
    EXPECT_EQ(std::string(FileListRow[0]), std::string(TextBufferB).substr(0, 24));
    racesShown(17, 24 + 4);

    Enter(10);
    ChampionshipGroupOffset = 0;
    Click(10, 21);
    EXPECT_EQ(FileListCounts[7], 12);
    racesShown(10, ListSelection[7]);
}

// A profile picked on screen 18 loads its records file: a file the checks
// pass is taken; one with a time out of range, a name that runs past its
// field or a record on a track code without one is refused whole, the
// built-in records stand and the console says so.
TEST_F(PanelFrames, APickedProfilesRecordsFileIsTakenOnlyWhenEveryRecordIsSound) {
    unsigned char profile[256];
    memset(profile, 0xFF, sizeof profile);
    ASSERT_EQ(WriteWholeFile("USERS\\Pia.usr", 256, profile), 1);
    LoadDefaultRecords();
    SetBestRaceTime(10, {1, 2, 3});
    SetRaceRecordName(10, "Pia");
    ASSERT_EQ(SaveRecords(), 1);
    const std::string good = ReadHostFile(dir + "/USERS/Pia/records.dat");
    ASSERT_EQ(good.size(), sizeof(SettingsRecord));
    ClearRecordTables();

    const auto pick = [&](const std::string& image) {
        ClearRecordTables();
        ASSERT_EQ(WriteWholeFile("USERS\\Pia\\records.dat", (int)image.size(), image.data()), 1);
        Enter(18);
        ASSERT_EQ(FileListCounts[0], 1);
        Click(18, 21);
    };
    pick(good);
    EXPECT_EQ(RecordTimeValue(BestRaceTimes[10]), RecordTimeValue({1, 2, 3}));
    EXPECT_STREQ(RaceRecordNames[10], "Pia");

    struct Bad {
        size_t at;
        std::string bytes;
        const char* what;
    };
    const Bad bad[] = {
        {0x234 + 3 * 10 + 1, "\xa3", "seconds 163"},
        {0x234 + 3 * 10 + 2, "\x64", "hundredths 100"},
        {0x35d + 3 * 42, "\x01", "a jump distance with minutes"},
        {0x486 + 20 * 10, std::string(20, 'x'), "a name with no end in its field"},
        {0x486 + 20 * 11, std::string("A\x07" "B", 3), "a name that is no text"},
        {0x234 + 3 * 16, std::string("\x01\x00\x00", 3), "a time on track 16, which has no record"},
        {0x0c42 + 20 * 90, "GHOST", "a holder on track 90"},
    };
    for (const Bad& b : bad) {
        std::string image = good;
        image.replace(b.at, b.bytes.size(), b.bytes);
        const int lines = ConsoleLineCount();
        pick(image);
        EXPECT_EQ(RecordTimeValue(BestRaceTimes[10]), RecordTimeValue({2, 22, 75})) << b.what << ": the built-ins";
        char after[CONSOLE_LIVE_LINES][CONSOLE_LINE_BYTES];
        const int now = ConsoleCopyLines(after);
        ASSERT_GE(now, 1) << b.what;
        EXPECT_TRUE(now > lines || now == CONSOLE_LIVE_LINES) << b.what;
        EXPECT_EQ(std::string(after[now - 1]).find("Records of Pia refused: "), 0u) << after[now - 1];
    }
}

// The idle demo takes its cars from the replay: models 18 and 19 race (on
// another model's parts), so they stay what the replay recorded.
TEST_F(PanelFrames, ADemoReplaysCarsAreTheRecordedOnesModels18And19Included) {
    std::vector<uint8_t> replay(124, 0);
    replay[26] = 10;   // track
    replay[27] = 3;    // cars
    replay[37] = 2;    // laps
    replay[84] = 15;
    replay[85] = 19;
    replay[86] = 18;
    replay[92 + 1] = 3;
    PutLe32(replay, 40);
    PutLe32(replay, 3);
    for (int k = 0; k < 5 * 3; k++) {
        PutLe32(replay, 0x461C4000);   // 10000.0
        PutLe32(replay, 0x461C4000);
        PutLe32(replay, 0);
    }
    replay.resize(replay.size() + 40 * 3, 0);
    ASSERT_EQ(replay.size(), (size_t)ReplayFileSize(40, 3));
    ASSERT_EQ(WriteWholeFile("Replay\\Users\\Buggy.rb", (int)replay.size(), replay.data()), 1);
    DemoCycle = 0;
    AttractIdleTimer = 5000;
    Frames(1);
    ASSERT_EQ(StartRaceRequest, 1) << "the demo was taken";
    EXPECT_EQ(CarModel[0], 15);
    EXPECT_EQ(CarModel[1], 19);
    EXPECT_EQ(CarModel[2], 18);
    EXPECT_EQ(CarColour[1], 3);
    StartRaceRequest = 0;
    RaceFromReplay = ReplayWatched = ReplayFromFile = 0;
    ReplayPlayback = ReplayPlaying = 0;
    AttractIdleTimer = -3000;
    memset(CarModel, 0, sizeof CarModel);
    memset(CarColour, 0, sizeof CarColour);
}

}  // namespace
