// A championship through the menus of a fresh folder, clicked by the labels
// a player reads (labelled_route.h) and run in this process, its first race
// ended by the finish-order hook: a new profile, PLAY, CHAMPIONSHIP, the
// greeting's OK, NEW, START RACE; the results and standings after the race;
// back on the car choice, BACK to the championship screen, CONTINUE, and
// START RACE again: the second race of the championship starts, with the
// points of the first.
#include <string>
#include <vector>

#include "frontend/menu_items.h"
#include "labelled_route.h"
#include "menulayout/layout_builder.h"
#include "race_run_util.h"

namespace {

struct ChampionshipRoute : RaceRunTest {};

TEST_F(ChampionshipRoute, TheSecondRaceStartsFromContinueWithTheFirstRacesPoints) {
    // Championship 12: track 12 and then track 69; the showrooms of the
    // classes 2 and 1 stand on tracks 10 and 60.
    const std::string dir = MakeTestGameFolder("champroute", false, {10, 12, 60, 69});
    LabelledRoute route(dir);
    route.NewProfileToSingleRace("CHAMP");
    route.Click(2, "BACK", 70);
    route.Expect(0);
    route.Click(0, "PLAY");
    route.ClickBeside(0, "CHAMPIONSHIP", "CAREER", 70);   // the records' panel has one too
    route.Expect(22);
    route.Click(22, "OK", 40);
    route.Click(22, "NEW", 70);
    route.Expect(5);
    route.Click(5, "START RACE", 70);
    route.Key("SPACE");   // the fly-by
    // The hook brings the cars in; then each Space, tapped inside one frame,
    // ends a standings screen (the menus ignore the ones after them),
    // however long the race takes.
    for (int i = 0; i < 14; i++)
        route.Tap("SPACE", 100);
    route.Expect(5);
    route.Click(5, "BACK", 70);
    route.Expect(22);
    route.Click(22, "CONTINUE", 70);
    route.Expect(5);
    route.Click(5, "START RACE", 70);
    route.Key("SPACE", 200);

    // The player wins the first race: 50 points.
    OrderFinishes({{0, 1, 2, 3, 4, 5, 6, 7}});
    ASSERT_EQ(RunScriptedGame(dir, route.script, route.frame), 0) << "a screen check failed";
    EXPECT_EQ(TestFinishRacesRun, 1);
    EXPECT_EQ(FrontEndActive, 0) << "the second race runs";
    EXPECT_EQ(ChampionshipUnderWay, 1);
    EXPECT_EQ(ChampionshipChoice, 12);
    EXPECT_EQ(ChampionshipRace, 1);
    EXPECT_EQ(TrackCode, ChampionshipTrackCode(12, 1));
    EXPECT_EQ(ChampionshipTotals[0], 50);
    EXPECT_EQ(ChampionshipTotals[1], 30);

    // Every label clicked stood where it was clicked (the layout as built).
    memset(MenuScreenTable, 0, sizeof MenuScreenTable);
    ASSERT_EQ(BuildMenuLayout(), 1188);
    route.CheckShots();
}

}  // namespace
