// The car choice: the race start (the cup row's grid, laps and cars with
// the car on show as car 0, the entry fee of a career race, the races it
// refuses, split screen players choosing in turn), the gearbox and the way
// back.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frame/startup.h"
#include "frame/vfs.h"
#include "frontend/car_choice.h"
#include "frontend/career.h"
#include "frontend/championship.h"
#include "frontend/menu_actions.h"
#include "frontend/menu_init.h"
#include "frontend/menu_items.h"
#include "frontend/popups.h"
#include "frontend/progress.h"
#include "frontend/race_select.h"
#include "frontend/screen_setup.h"
#include "frontend/settings.h"
#include "frontend/frontend_state.h"
#include "frontend/text_slots.h"
#include "frontend_test_util.h"
#include "menulayout/layout_builder.h"
#include "race/race_state.h"
#include "sound/music.h"
#include "track/asset_paths.h"

namespace {

struct CarChoiceStart : FrontEndTest {
    static void SetUpTestSuite() { MakeTestGameFolder("carchoice", false, {20}); }
    void SetUp() override {
        FrontEndTest::SetUp();
        LoadMessageFile();
        // Cup 1, race 0 on track 20: four cars, three laps, a fee of 200.
        CupRow& row = CareerRecord.cups[1];
        row.group[0] = 2;
        row.variant[0] = 0;
        row.cars[0] = 4;
        row.laps[0] = 3;
        row.fee[0] = 200;
        for (int car = 0; car < 8; car++) {
            row.opponentModel[0][car] = (uint8_t)(car + 1);
            row.opponentColour[0][car] = (uint8_t)(car % 4);
        }
        CurrentCup = 1;
        CurrentCupRace = 0;
        NextRaceGroup() = 2;
        NextRaceVariant() = 0;
        ShowroomModel = 12;
        ShowroomColour = 3;
        CareerChosen = 1;
        TargetMoney = 400;
    }
    void TearDown() override {
        memset(&CareerRecord, 0, sizeof CareerRecord);
        CurrentCup = CurrentCupRace = 0;
        ShowroomModel = ShowroomColour = 0;
        CareerChosen = SingleRaceMode = Cup5Mode = Cup6Mode = 0;
        TargetMoney = 0;
        RaceEntryFee = 0;
        StartRaceRequest = 0;
        CarCount = 0;
        LapsToRun = 3;
        ChosenModel = ChosenColour = 0;
        SplitScreen = 0;
        HumanPlayers = 2;
        ComputerPlayers = 4;
        PlayerBeingSet = 0;
        PendingScreen = 0;
        ListSelection[3] = 0;
        memset(PlayerCars, 0, sizeof PlayerCars);
        memset(ManualGearbox, 0, sizeof ManualGearbox);
        memset(SettingsImage.manualGearbox, 0, sizeof SettingsImage.manualGearbox);
        ChampionshipChosen = NetworkChosen = 0;
        NetworkLeaveAsked = 0;
        PopupOpenFlag = 0;
        GiveBackPopupFreeze(5);
        memset(MenuSoundRequests, 0, sizeof MenuSoundRequests);
        memset(CarModel, 0, sizeof CarModel);
        memset(CarColour, 0, sizeof CarColour);
        FrontEndTest::TearDown();
    }
    static int Click(int item) {
        int screen = 5;
        return CarChoiceAction(&screen, item, nullptr);
    }
    static int Start() { return Click(41); }
    static void Confirm(int model, int colour) {
        ShowroomModel = model;
        ShowroomColour = colour;
        Start();
    }
};

TEST_F(CarChoiceStart, CareerRaceTakesItsCupRowAndPaysItsFeeOnce) {
    EXPECT_EQ(Start(), 1);
    EXPECT_EQ(StartRaceRequest, 1);
    EXPECT_EQ(CarCount, 4);
    EXPECT_EQ(LapsToRun, 3);
    EXPECT_EQ(CarModel[0], 12);   // the car on show
    EXPECT_EQ(CarColour[0], 3);
    EXPECT_EQ(CarModel[1], 2);
    EXPECT_EQ(CarColour[1], 1);
    EXPECT_EQ(RaceEntryFee, 200);
    EXPECT_EQ(TargetMoney, 200);
    // A fee larger than the money leaves 0, never less.
    StartRaceRequest = 0;
    CareerRecord.cups[1].fee[0] = 500;
    EXPECT_EQ(Start(), 1);
    EXPECT_EQ(TargetMoney, 0);
}

TEST_F(CarChoiceStart, SingleRacePaysNoFee) {
    CareerChosen = 0;
    SingleRaceMode = 1;
    EXPECT_EQ(Start(), 1);
    EXPECT_EQ(StartRaceRequest, 1);
    EXPECT_EQ(TargetMoney, 400);
}

TEST_F(CarChoiceStart, MissingTrackOrEmptyCupRowIsRefusedWithoutAFee) {
    NextRaceGroup() = 7;   // no folder for track 70 here
    EXPECT_EQ(Start(), 1);
    EXPECT_EQ(StartRaceRequest, 0);
    EXPECT_EQ(TargetMoney, 400);
    NextRaceGroup() = 2;
    CareerRecord.cups[1].cars[0] = 0;   // a race not set up
    EXPECT_EQ(Start(), 1);
    EXPECT_EQ(StartRaceRequest, 0);
    EXPECT_EQ(TargetMoney, 400);
}

// The refusal says why on the screen: the car choice's pop-up with the
// reason and its OK, which closes it and gives the buttons back.
TEST_F(CarChoiceStart, ARefusedStartSaysWhyInAPopUpItsOkCloses) {
    ASSERT_GT(BuildMenuLayout(), 0) << MenuLayoutError;
    NextRaceGroup() = 0;   // no track chosen on the single race screen
    NextRaceVariant() = 0;
    EXPECT_EQ(Start(), 1);
    EXPECT_EQ(StartRaceRequest, 0);
    EXPECT_TRUE(ItemShown(5, 69));
    EXPECT_TRUE(ItemShown(5, 71));
    EXPECT_EQ(ItemAt(5, 71).textSlot, SLOT_NO_TRACK_CHOSEN);
    EXPECT_TRUE(ItemShown(5, 72));
    EXPECT_TRUE(ItemAt(5, 72).flags & MENU_HOVER_TEST) << "its OK takes a click";
    EXPECT_FALSE(ItemAt(5, 41).flags & MENU_HOVER_TEST) << "START RACE waits under the panel";
    EXPECT_GE(MenuSoundRequests[MENU_SOUND_ERROR], 1);
    Click(72);
    for (int item : {69, 71, 72})
        EXPECT_FALSE(ItemShown(5, item)) << item;
    EXPECT_TRUE(ItemAt(5, 41).flags & MENU_HOVER_TEST);

    NextRaceGroup() = 7;   // no folder for track 70 here
    Start();
    EXPECT_EQ(ItemAt(5, 71).textSlot, SLOT_RACE_NOT_IN_FOLDER);
    EXPECT_EQ(StartRaceRequest, 0);
}

TEST_F(CarChoiceStart, Cup6RacesThePlayersCarInTheOtherColours) {
    CupRow& row = CareerRecord.cups[6];
    row.cars[0] = 8;
    row.laps[0] = 2;
    Cup6Mode = 1;
    ShowroomColour = 2;
    EXPECT_EQ(Start(), 1);
    EXPECT_EQ(CurrentCup, 6);
    EXPECT_EQ(CarCount, 8);
    EXPECT_EQ(LapsToRun, 2);
    const int expected[8] = {2, 3, 0, 1, 2, 3, 0, 1};
    for (int car = 0; car < 8; car++)
        EXPECT_EQ(CarColour[car], expected[car]) << car;
}

TEST_F(CarChoiceStart, ThreeSplitScreenPlayersChooseInTurnAndTheThirdStartsTheRace) {
    SplitScreen = 1;
    HumanPlayers = 3;
    ComputerPlayers = 2;
    ListSelection[3] = 1;   // championship row 1 starts on track 20
    SetSlotText(755, "Second");
    Confirm(12, 1);
    EXPECT_EQ(StartRaceRequest, 0) << "the first player only stores a car";
    EXPECT_EQ(PlayerBeingSet, 1);
    EXPECT_EQ(PendingScreen, 5);
    GetText(253);
    EXPECT_STREQ(TextBufferB, "Second") << "the next player's name is shown";
    Confirm(5, 2);
    EXPECT_EQ(StartRaceRequest, 0) << "nor does the second";
    EXPECT_EQ(PlayerBeingSet, 2);
    Confirm(8, 3);
    EXPECT_EQ(StartRaceRequest, 1);
    EXPECT_EQ(PlayerCars[0][0], 12);
    EXPECT_EQ(PlayerCars[1][1], 2);
    EXPECT_EQ(PlayerCars[2][0], 8);
    EXPECT_EQ(PlayerCars[2][1], 3);
    EXPECT_EQ(NextRaceGroup(), 2);
    EXPECT_EQ(NextRaceVariant(), 0);
    EXPECT_EQ(LapsToRun, 1);
    EXPECT_EQ(CurrentCupRace, 4);
    EXPECT_EQ(CarCount, 4) << "two players' cars and the computer players";
    EXPECT_EQ(CarModel[0], 12);
    EXPECT_EQ(CarColour[0], 1);
    EXPECT_EQ(CarModel[1], 5);
    EXPECT_EQ(CarColour[1], 2);
    // Behind them, cup 1's grid of its fifth race.
    const int grid[6][2] = {{14, 0}, {12, 1}, {12, 3}, {12, 0}, {5, 1}, {14, 2}};
    for (int car = 2; car < 8; car++) {
        EXPECT_EQ(CarModel[car], grid[car - 2][0]) << car;
        EXPECT_EQ(CarColour[car], grid[car - 2][1]) << car;
    }
    EXPECT_EQ(TargetMoney, 400) << "split screen races pay no fee";
    EXPECT_EQ(PlayerBeingSet, 0) << "the next race's choices start with the first player";
}

TEST_F(CarChoiceStart, SplitScreenRaceWithoutItsTrackIsRefusedAtTheLastChoice) {
    SplitScreen = 1;
    HumanPlayers = 2;
    ListSelection[3] = 0;   // row 0 starts on track 60, absent here
    Confirm(12, 1);
    Confirm(5, 2);
    EXPECT_EQ(StartRaceRequest, 0);
    EXPECT_EQ(MenuSoundRequests[MENU_SOUND_ERROR], 1);
    EXPECT_EQ(PlayerBeingSet, 1) << "the last player may choose again";
}

TEST_F(CarChoiceStart, GearboxSwitchesOnlyThePlayerChoosingAndIsSaved) {
    Click(81);
    EXPECT_EQ(ManualGearbox[0], 1);
    EXPECT_EQ(SettingsImage.manualGearbox[0], 1);
    EXPECT_TRUE(ItemShown(5, 83));
    EXPECT_FALSE(ItemShown(5, 82));
    Click(81);
    EXPECT_EQ(ManualGearbox[0], 0);
    EXPECT_TRUE(ItemShown(5, 82));
    EXPECT_FALSE(ItemShown(5, 83));
    SplitScreen = 1;
    PlayerBeingSet = 1;
    Click(81);
    EXPECT_EQ(ManualGearbox[1], 1);
    EXPECT_EQ(ManualGearbox[0], 0);
    EXPECT_EQ(SettingsImage.manualGearbox[1], 1);
}

TEST_F(CarChoiceStart, BackLeadsToTheScreenOfTheMode) {
    EXPECT_EQ(Click(42), 1);
    EXPECT_EQ(PendingScreen, 3);
    CareerChosen = 0;
    ChampionshipChosen = 1;
    SingleRaceMode = 1;
    Click(42);
    EXPECT_EQ(PendingScreen, 22) << "the championship before the single race";
    ChampionshipChosen = 0;
    Click(42);
    EXPECT_EQ(PendingScreen, 2);
    // A network player is asked first, and stays.
    PendingScreen = 0;
    SingleRaceMode = 0;
    NetworkChosen = 1;
    Click(42);
    EXPECT_EQ(PendingScreen, 0);
    EXPECT_EQ(NetworkLeaveAsked, 1);
    EXPECT_EQ(PopupOpenFlag, 1);
    EXPECT_EQ(MenuScreenTable[5][71].textSlot, 1009);
    EXPECT_EQ(StartRaceRequest, 0);
}

// The gearbox switch on the built-in layout: entering the car choice in a
// mode without the shop button puts the switch in its place, and a click on
// it with the pointer flips the gearbox text; the career keeps the shop.
struct CarChoiceGearbox : FrontEndTest {
    static void SetUpTestSuite() { MakeTestGameFolder("gearbox"); }
    void SetUp() override {
        FrontEndTest::SetUp();
        LoadMessageFile();
        InitMenus();
        FrontEndActive = 1;     // the showroom loads a menu scene, not a race
        ChampionshipClass = 2;  // the speed cars, shown on track 10
    }
    void TearDown() override {
        GiveBackPopupFreeze(5);
        SingleRaceMode = CareerChosen = ChampionshipChosen = NetworkChosen = 0;
        memset(ManualGearbox, 0, sizeof ManualGearbox);
        memset(SettingsImage.manualGearbox, 0, sizeof SettingsImage.manualGearbox);
        MenuScreen = MenuScreenShown = 0;
        MouseX = MouseY = 0;
        ChampionshipClass = 0;
        GarageCategory = GarageMode = GaragePick = 0;
        PlayerBeingSet = 0;
        ResetShowroomLoad();
        FrontEndTest::TearDown();
    }
    // The mode chosen on the main menu, then the car choice entered.
    static void EnterInMode(int mainMenuItem) {
        int screen = 0;
        MainMenuAction(&screen, mainMenuItem);
        MenuScreen = 5;
        RunScreenEntry(nullptr);
    }
    // A click through OnMenuItem with the pointer in the item's hit box.
    static void ClickOnScreen5(int item) {
        const MenuItem& it = MenuScreenTable[5][item];
        MouseX = (it.hitLeft + it.hitRight) / 2;
        MouseY = (it.hitTop + it.hitBottom) / 2;
        MenuStateWord = 1;
        int s = 5, activated = 0, down = 0, up = 0;
        OnMenuItem(&s, item, 0, &activated, &down, &up, nullptr);
    }
    // The gearbox text on show: 724 automatic, 725 manual, 0 none or both.
    static int GearboxText() {
        const int automatic = ItemShown(5, 82), manual = ItemShown(5, 83);
        return automatic == manual ? 0 : MenuScreenTable[5][automatic ? 82 : 83].textSlot;
    }
};

TEST_F(CarChoiceGearbox, TheSwitchTakesTheShopButtonsPlaceAndAClickFlipsTheGearbox) {
    EnterInMode(38);   // single race
    EXPECT_FALSE(ItemShown(5, 85)) << "no shop in a single race";
    ASSERT_TRUE(ItemShown(5, 80));
    ASSERT_TRUE(ItemShown(5, 81));
    EXPECT_EQ(MenuScreenTable[5][81].textSlot, 723);
    EXPECT_EQ(GearboxText(), 724);

    ClickOnScreen5(81);
    EXPECT_EQ(ManualGearbox[0], 1);
    EXPECT_EQ(SettingsImage.manualGearbox[0], 1);
    EXPECT_EQ(GearboxText(), 725);
    EXPECT_TRUE(ItemShown(5, 81)) << "the switch stays for the next click";
    ClickOnScreen5(81);
    EXPECT_EQ(ManualGearbox[0], 0);
    EXPECT_EQ(GearboxText(), 724);

    // Entered again with the manual gearbox chosen, the screen says so.
    ManualGearbox[0] = 1;
    EnterInMode(49);   // championship: no shop either
    EXPECT_TRUE(ItemShown(5, 81));
    EXPECT_EQ(GearboxText(), 725);

    EnterInMode(39);   // career: the shop button keeps its place
    EXPECT_TRUE(ItemShown(5, 85));
    EXPECT_FALSE(ItemShown(5, 80));
    EXPECT_FALSE(ItemShown(5, 81));
}

// A career cup is raced in its own class: whatever class a single race or
// a championship left behind, the car choice of cup n shows the cars of
// cup n's category, the career's own car of that category on show, which
// the career screen's car row names as soon as the cup is chosen.
TEST_F(CarChoiceGearbox, ACareerCupShowsTheCarsOfItsOwnClass) {
    for (int cup = 0; cup < 5; cup++) {
        ChampionshipClass = 2;   // the speed class a championship left
        EnterInMode(39);         // career
        int screen = 3;
        CareerAction(&screen, 24 + cup);   // the cup's row
        ASSERT_EQ(CurrentCup, cup);
        const int named = MenuScreenTable[3][32].textSlot;
        MenuScreen = 5;
        RunScreenEntry(nullptr);
        EXPECT_EQ(GarageCategory, CategoryOfCup(cup)) << "cup " << cup;
        EXPECT_EQ(GarageMode, 0) << "the career's garage";
        const int* car = GarageLists[5 * GarageCategory][GaragePage + GaragePick];
        EXPECT_EQ(ShowroomModel, car[0]) << "cup " << cup;
        EXPECT_EQ(ShowroomColour, car[1]) << "cup " << cup;
        EXPECT_EQ(named, 1614 + 4 * car[0] + car[1]) << "cup " << cup << ": the career's car row";
    }
    CurrentCup = 0;
}

// Every car the built-in tables can put on a grid or in a garage: models
// 0-17 race from folders of their own, which the sample folder must hold
// whole; 18 and 19 have none and race on the folder loaded before them.
TEST(CarChoiceGrids, EveryModelATableCanStartHasItsCarFiles) {
    MakeTestGameFolder("grids");
    std::set<int> models;
    for (int cup = 0; cup < 7; cup++)
        for (int race = 0; race < 5; race++)
            for (int car = 0; car < 8; car++)
                models.insert(CareerOpponentPair(cup, race, car)[0]);
    for (int carClass = 1; carClass <= 3; carClass++) {
        for (int car = 2; car < 8; car++) {
            int model = -1, colour = -1;
            ASSERT_EQ(ClassOpponentCar(carClass, car, &model, &colour), 1);
            models.insert(model);
        }
    }
    for (int category = 0; category < 7; category++) {
        for (int pick = 0; pick < 15; pick++) {
            int model = -1, colour = -1;
            CatalogueCar(category, pick, &model, &colour);
            models.insert(model);
        }
    }
    for (const auto& row : GarageLists)
        for (const auto& pair : row)
            if (pair[0] >= 0)
                models.insert(pair[0]);
    EXPECT_TRUE(models.count(19)) << "the arena cup's opponents";
    for (int model : models) {
        ASSERT_GE(model, 0);
        ASSERT_LT(model, 20);
        if (model >= 18)
            continue;
        const std::string folder = CarModelFolder(model);
        for (const char* part : {"INTERIOR", "GARAGE", "SOMBRA", "CABEZA", "CRISTAL", "1_CARRO", "ACAPO01", "RDI", "RDD",
                                 "RTI", "RTD", "GRDI", "GRDD", "GRTI", "GRTD"}) {
            for (const char* kind : {".ver", ".tri", ".inf"}) {
                const std::string path = folder + part + kind;
                VfsHandle* file = VfsOpen(path.c_str());
                EXPECT_NE(file, nullptr) << "model " << model << ": " << path;
                if (file)
                    VfsFree(file);
            }
        }
    }
}

// A single race on the arena's track 52 (race 4 of cup row 0), chosen and
// started through the menus: three of its opponents drive model 19, which
// has no folder.  The race loads, runs and the program ends on its frame
// count.
TEST(CarChoiceGrids, ASingleRaceOnTrack52RacesItsModel19Opponents) {
    const std::string dir = MakeTestGameFolder("arena52", false, {10, 50, 52});
    // A new profile, single race, the first track group, its first cup,
    // START RACE with the car on show, Space to end the fly-by.
    std::ofstream(dir + "/route.txt") << "200 point 342 26\n201 click\n"
                                         "260 point 300 50\n261 click\n"
                                         "340 point 420 416\n341 click\n"
                                         "400 type ARENA\n"
                                         "430 point 215 238\n431 click\n"
                                         "490 point 300 357\n491 click\n"
                                         "550 expect-screen 2\n"
                                         "560 point 320 288\n561 click\n"
                                         "600 point 50 90\n601 click\n"
                                         "650 point 115 145\n651 click\n"
                                         "720 expect-screen 5\n"
                                         "730 point 115 427\n731 click\n"
                                         "800 key down SPACE\n803 key up SPACE\n";
    const int status = RunGameLogged(dir,
                                     "--headless --debug --autopilot --laps 1 --frames 1100 --script route.txt "
                                     "--carlog cars.log",
                                     "route.log");
    const std::string log = ReadHostFile(dir + "/route.log");
    ASSERT_EQ(status, 0) << log.substr(log.size() > 2000 ? log.size() - 2000 : 0);
    const size_t chosen = log.find("menu screen 5");
    ASSERT_NE(chosen, std::string::npos);
    EXPECT_NE(log.find("Tracks\\Track-05\\2\\", chosen), std::string::npos) << "track 52's art loads";
    EXPECT_EQ(log.find("Objeto no encontrado"), std::string::npos);
    // The race ran ticks with the model-19 opponents on the grid.
    std::istringstream cars(ReadHostFile(dir + "/cars.log"));
    std::set<int> raced;
    for (std::string line; std::getline(cars, line);) {
        int tick = 0, car = 0;
        if (std::sscanf(line.c_str(), "car %d %d", &tick, &car) == 2 && tick > 0)
            raced.insert(car);
    }
    for (int car = 0; car <= 3; car++)
        EXPECT_TRUE(raced.count(car)) << "car " << car;
}

}  // namespace
