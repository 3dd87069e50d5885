// The car shop: buying against the money to come, the lists it writes and
// refuses, selling for a third only what is owned, stepping through the
// lists without leaving them, and the back button's way out.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frontend/car_choice.h"
#include "frontend/car_shop.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_init.h"
#include "frontend/menu_items.h"
#include "frontend/popups.h"
#include "frontend/race_select.h"
#include "frontend/text_slots.h"
#include "frontend_test_util.h"
#include "race/race_state.h"
#include "sound/music.h"

namespace {

struct CarShop : FrontEndTest {
    // Category 0's showroom scene is track 10.
    static void SetUpTestSuite() { MakeTestGameFolder("carshop"); }
    void SetUp() override {
        FrontEndTest::SetUp();
        LoadMessageFile();
        InitMenus();
        // Every list of the career mode empty but category 0's first car.
        for (auto& row : GarageLists)
            for (auto& pair : row)
                pair[0] = pair[1] = -1;
        GarageLists[0][0][0] = 0;
        GarageLists[0][0][1] = 0;
        GarageMode = GarageCategory = GaragePage = GaragePick = 0;
        memset(MenuSoundRequests, 0, sizeof MenuSoundRequests);
        FrontEndActive = 1;   // the showroom loads a menu scene, not a race
    }
    void TearDown() override {
        GiveBackPopupFreeze(19);
        GiveBackPopupFreeze(5);
        memset(GarageLists, 0, sizeof GarageLists);
        memset(GarageLast, 0, sizeof GarageLast);
        memset(GarageCurrent, 0, sizeof GarageCurrent);
        memset(CategoryPick, 0, sizeof CategoryPick);
        GarageMode = GarageCategory = GaragePage = GaragePick = 0;
        ShowroomModel = ShowroomColour = ChosenModel = ChosenColour = 0;
        PurchasePending = PurchasePrice = 0;
        TargetMoney = 0;
        CareerRecord.money = 0.0f;
        PopupOpenFlag = 0;
        ShopFromCareer = ShopFromCarChoice = 0;
        memset(MenuSoundRequests, 0, sizeof MenuSoundRequests);
        // What loading a showroom car leaves in the race set-up.
        CarCount = 0;
        TrackGroup = TrackVariant = TrackCode = 0;
        memset(CarModel, 0, sizeof CarModel);
        memset(CarColour, 0, sizeof CarColour);
        FrontEndActive = 0;
        FrontEndTest::TearDown();
    }
    static void Click(int item, int screen = 19) {
        int s = screen;
        if (screen == 19)
            CarShopAction(&s, item, nullptr);
        else
            CarChoiceAction(&s, item, nullptr);
    }
    static void OnShow(int model, int colour) {
        ShowroomModel = model;
        ShowroomColour = colour;
    }
    static int Errors() { return MenuSoundRequests[MENU_SOUND_ERROR]; }
    static int Message() { return MenuScreenTable[19][71].textSlot; }
    static std::string Text(int slot) {
        return std::string(TextSlotBlob + TextSlotTable[slot].offset, TextSlotTable[slot].length);
    }
};

TEST_F(CarShop, BuyingComparesThePriceWithTheMoneyToComeAndAllowsExactlyTheMoney) {
    // The display still counts down from 5,000; 700 is what the player has.
    CareerRecord.money = 5000.0f;
    TargetMoney = 700;
    OnShow(0, 1);   // 700
    Click(39);
    EXPECT_EQ(PurchasePending, 1);
    EXPECT_EQ(Message(), 1006);
    EXPECT_EQ(GarageLists[0][1][0], 0);
    EXPECT_EQ(GarageLists[0][1][1], 1);
    EXPECT_EQ(GarageLists[0][2][0], -1) << "the list still ends";
    EXPECT_EQ(GarageLast[0][0], 1);
    EXPECT_EQ(GarageCurrent[0][0], 1);
    EXPECT_EQ(TargetMoney, 700) << "the price is taken when the panel closes";
    Click(80);
    EXPECT_EQ(TargetMoney, 0);
    EXPECT_EQ(PurchasePending, 0);
    EXPECT_EQ(PopupOpenFlag, 0);
    EXPECT_EQ(Errors(), 0);

    // One unit short of the price: refused, though 5,000 is still shown.
    GiveBackPopupFreeze(19);
    TargetMoney = 889;
    OnShow(1, 0);   // 890
    Click(39);
    EXPECT_EQ(PurchasePending, 0);
    EXPECT_EQ(Message(), 1004);
    EXPECT_EQ(Errors(), 1);
    EXPECT_EQ(GarageLists[5][0][0], -1);
    EXPECT_EQ(GarageLists[0][2][0], -1);
    Click(80);
    EXPECT_EQ(TargetMoney, 889) << "closing a refusal takes nothing";
}

TEST_F(CarShop, OwnedCarsAndFullListsAreNotBought) {
    TargetMoney = 100000;
    OnShow(0, 0);
    Click(39);
    EXPECT_EQ(Message(), 1019);
    EXPECT_EQ(PurchasePending, 0);
    EXPECT_EQ(Errors(), 1);
    EXPECT_EQ(GarageLists[0][1][0], -1);

    // A list without a free entry: the error sound, no pop-up, no money.
    GiveBackPopupFreeze(19);
    for (int e = 0; e < 15; e++) {
        GarageLists[0][e][0] = 1 + e % 5;
        GarageLists[0][e][1] = e / 5;
    }
    GarageLast[0][0] = 14;
    memset(MenuSoundRequests, 0, sizeof MenuSoundRequests);
    OnShow(0, 3);
    Click(39);
    EXPECT_EQ(PurchasePending, 0);
    EXPECT_EQ(Errors(), 1);
    EXPECT_EQ(MenuSoundRequests[MENU_SOUND_MESSAGE], 0);
    EXPECT_EQ(GarageLast[0][0], 14);
    Click(80);
    EXPECT_EQ(TargetMoney, 100000);
}

TEST_F(CarShop, SellingPaysAThirdOfThePriceForAnOwnedCarOnly) {
    const int owned[3][2] = {{0, 0}, {0, 1}, {1, 0}};
    for (int e = 0; e < 3; e++) {
        GarageLists[0][e][0] = owned[e][0];
        GarageLists[0][e][1] = owned[e][1];
    }
    GarageLast[0][0] = 2;
    GarageCurrent[0][0] = 2;
    GaragePick = 2;
    TargetMoney = 1000;
    OnShow(0, 1);   // 700
    Click(40);
    EXPECT_EQ(Message(), 1005);
    EXPECT_EQ(Text(1010), Text(1012) + "233");
    EXPECT_EQ(TargetMoney, 1000) << "nothing is paid before the sale is confirmed";
    Click(70);
    EXPECT_EQ(TargetMoney, 1233);
    EXPECT_EQ(GarageLists[0][1][0], 1) << "the later cars move down";
    EXPECT_EQ(GarageLists[0][1][1], 0);
    EXPECT_EQ(GarageLists[0][2][0], -1);
    EXPECT_EQ(GarageLast[0][0], 1);
    EXPECT_EQ(GarageCurrent[0][0], 1);
    EXPECT_EQ(GaragePick, 1);
    EXPECT_EQ(PopupOpenFlag, 0);
    EXPECT_FALSE(ItemShown(19, 69));

    // A catalogue car the player does not own: pop-up 4, and a confirmation
    // reaching the shop anyway pays nothing and removes nothing.
    OnShow(6, 3);
    Click(40);
    EXPECT_EQ(Message(), 1021);
    EXPECT_EQ(Errors(), 1);
    Click(70);
    EXPECT_EQ(TargetMoney, 1233);
    EXPECT_EQ(GarageLast[0][0], 1);
    EXPECT_EQ(GarageLists[0][0][0], 0);
    EXPECT_EQ(GarageLists[0][1][0], 1);
}

TEST_F(CarShop, TheOnlyCarCannotBeSold) {
    TargetMoney = 50;
    OnShow(0, 0);
    Click(40);
    EXPECT_EQ(Message(), 1021);
    EXPECT_EQ(PopupOpenFlag, 1);
    EXPECT_EQ(Errors(), 1);
    Click(70);
    EXPECT_EQ(TargetMoney, 50);
    EXPECT_EQ(GarageLists[0][0][0], 0);
    EXPECT_EQ(GarageLast[0][0], 0);
}

TEST_F(CarShop, SteppingPastEitherEndOfTheCatalogueKeepsTheEnd) {
    // Category 0: twelve cars, (0,0) (0,1) (1,0) ... (1,3) (6,3).
    Click(28);
    EXPECT_EQ(CategoryPick[0], 0);
    EXPECT_EQ(Errors(), 1);
    Click(27);
    EXPECT_EQ(CategoryPick[0], 1);
    EXPECT_EQ(ShowroomModel, 0);
    EXPECT_EQ(ShowroomColour, 1);
    EXPECT_EQ(ChosenColour, 1);
    CategoryPick[0] = 10;
    Click(27);
    EXPECT_EQ(CategoryPick[0], 11);
    EXPECT_EQ(ShowroomModel, 6);
    EXPECT_EQ(ShowroomColour, 3);
    Click(27);
    EXPECT_EQ(CategoryPick[0], 11);
    EXPECT_EQ(Errors(), 2);
    EXPECT_EQ(ShowroomModel, 6) << "nothing new is loaded at an end";
    // No category: the showroom is hidden and nothing moves, with the
    // error sound.
    GarageCategory = -1;
    Click(27);
    EXPECT_EQ(PopupOpenFlag, 1);
    EXPECT_EQ(Errors(), 3);
}

// Each arrow's label points the way it steps (item 27 the next car, 28 the
// previous one), and a class tab shows the price and count of its own car
// at once, before any arrow is clicked.
TEST_F(CarShop, TheArrowsPointTheirWayAndATabShowsItsOwnCarsPrice) {
    EXPECT_EQ(Text(ItemAt(19, 27).textSlot), ">>");
    EXPECT_EQ(Text(ItemAt(19, 28).textSlot), "<<");
    EXPECT_EQ(Text(ItemAt(5, 27).textSlot), ">>");
    CategoryPick[2] = 3;   // category 2's fourth car: (14,0)
    MenuScreen = 19;   // the shop counts its catalogue
    Click(31);
    EXPECT_EQ(ShowroomModel, 14);
    GetText(231);
    EXPECT_EQ(Text(232), std::string(TextBufferB) + " " + std::to_string(CarPrice(14, 0)) + "*");
    EXPECT_EQ(Text(157), " 4/12");
    MenuScreen = 0;
}

TEST_F(CarShop, TheCarChoiceStepsOnlyThroughTheOwnedListWithinItsFifteenPairs) {
    GarageLists[0][1][0] = 1;
    GarageLists[0][1][1] = 2;
    GarageLast[0][0] = 1;
    Click(27, 5);
    EXPECT_EQ(GarageCurrent[0][0], 1);
    EXPECT_EQ(ShowroomModel, 1);
    EXPECT_EQ(ShowroomColour, 2);
    Click(27, 5);
    EXPECT_EQ(GarageCurrent[0][0], 1) << "the last owned car is the end";
    EXPECT_EQ(Errors(), 1);
    // A page far down the list with a last index past the fifteen pairs.
    GaragePage = 10;
    GarageLast[0][0] = 12;
    GarageCurrent[0][0] = 4;
    Click(27, 5);
    EXPECT_EQ(GarageCurrent[0][0], 4);
    EXPECT_EQ(Errors(), 2);
}

TEST_F(CarShop, BackReturnsWhereTheShopWasEntered) {
    Click(42);
    EXPECT_EQ(ItemAt(19, 42).links[4], MakeLink(4, 0));
    Click(85, 5);   // the car choice's way into the shop
    Click(42);
    EXPECT_EQ(ItemAt(19, 42).links[4], MakeLink(5, 0));
    EXPECT_EQ(ShopFromCarChoice, 0) << "used once";
    ShopFromCareer = 1;
    Click(42);
    EXPECT_EQ(ItemAt(19, 42).links[4], MakeLink(3, 0));
}

}  // namespace
