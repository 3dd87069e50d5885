// Championship 12 played whole through the menus of a fresh folder: a new
// profile, PLAY and its championships, the first championship, then its
// three races started from the car choice and ended by the finish-order
// hook in orders that leave the player tied for the most points.  Scripted
// Space presses end each race's two standings screens.
#include <string>
#include <vector>

#include "frontend/menu_items.h"
#include "frontend/popups.h"
#include "race_run_util.h"

namespace {

enum { CAREER_STAGE_OFFSET = 0x6b, CAREER_RECORD_BYTES = 2384 };

// From the main menu: PLAY, the championships (screen 22), its greeting
// closed (its OK under NEW, CONTINUE and DELETE), championship 12 (the car choice opens).  Then, every 100 frames, START RACE on the car
// choice and Space a little later: each start is taken only on the car
// choice, each Space ends a fly-by or a standings screen.
std::string ChampionshipScript(int lastFrame) {
    std::string script = NewProfileScript("CHAMP") + ClickAt(670, 342, 26) + ClickAt(730, 306, 71) +
                         "800 expect-screen 22\n" + ClickAt(810, 320, 368) + ClickAt(870, 349, 137) +
                         "940 expect-screen 5\n";
    for (int frame = 950; frame + 60 < lastFrame; frame += 100)
        script += ClickAt(frame, 115, 427) + SpaceAt(frame + 50);
    return script + std::to_string(lastFrame - 1) + " expect-screen 22\n";
}

// Championship 12 on a fresh folder, its three races ending in `orders`.
struct ChampionshipRun : RaceRunTest {
    std::string dir;

    void Play(const std::vector<std::vector<int>>& orders) {
        dir = MakeTestGameFolder("champ", false, {10, 12, 69, 78});
        OrderFinishes(orders);
        const int frames = 6000;
        ASSERT_EQ(RunScriptedGame(dir, ChampionshipScript(frames), frames), 0) << "a screen check failed";
        EXPECT_EQ(TestFinishRacesRun, 3) << "three races ran";
        EXPECT_EQ(ChampionshipChoice, 12);
        EXPECT_EQ(ChampionshipRace, 0) << "the championship is over";
    }
    static int PopupShown() { return ItemAt(22, 17).textSlot; }
};

// Points 50 30 20 15 10 8 5 0 by place.  The first two races: the player
// 50 + 20, car 1 30 + 50, car 2 20 + 30.
TEST_F(ChampionshipRun, ATieForTheMostPointsWinsChampionship12AndRaisesTheStage) {
    // The third: the player 30 (100), car 2 50 (100), car 1 15 (95).
    Play({{0, 1, 2, 3, 4, 5, 6, 7}, {1, 2, 0, 3, 4, 5, 6, 7}, {2, 0, 3, 1, 4, 5, 6, 7}});
    EXPECT_EQ(CareerRecord.championshipStage, 1) << "won";
    EXPECT_EQ(VideoRequest, 1);
    EXPECT_EQ(PopupShown(), PopupMessageSlot(22, 3, 0, 0)) << "the first championship's pop-up";

    const std::string saved = ReadHostFile(dir + "/USERS/CHAMP/Camp.r-b");
    ASSERT_EQ(saved.size(), (size_t)CAREER_RECORD_BYTES);
    EXPECT_EQ(saved[CAREER_STAGE_OFFSET], 1);

    // The hook's laps were never driven: no record fell.
    const RecordTables after = RecordTables::Now();
    LoadDefaultRecords();
    EXPECT_TRUE(after == RecordTables::Now());
    EXPECT_EQ(ReadHostFile(dir + "/USERS/CHAMP/records.dat").find("CHAMP"), std::string::npos);
}

// One place lower in the last race: the player 20 (90) against car 2's 100.
TEST_F(ChampionshipRun, TenPointsShortLosesAndKeepsTheStage) {
    Play({{0, 1, 2, 3, 4, 5, 6, 7}, {1, 2, 0, 3, 4, 5, 6, 7}, {2, 3, 0, 1, 4, 5, 6, 7}});
    EXPECT_EQ(CareerRecord.championshipStage, 0);
    EXPECT_EQ(VideoRequest, 0);
    EXPECT_EQ(PopupShown(), PopupMessageSlot(22, 7, 0, 0)) << "the lost championship's pop-up";
    // The menus keep the championship file; it never holds a stage.
    const std::string saved = ReadHostFile(dir + "/USERS/CHAMP/Camp.r-b");
    ASSERT_EQ(saved.size(), (size_t)CAREER_RECORD_BYTES);
    EXPECT_EQ(saved[CAREER_STAGE_OFFSET], 0);
}

}  // namespace
