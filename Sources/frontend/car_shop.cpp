#include "frontend/car_shop.h"

#include <cstdio>

#include "frame/display.h"
#include "frame/sim_lock.h"
#include "frontend/career.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_items.h"
#include "frontend/menu_panels.h"
#include "frontend/popups.h"
#include "frontend/progress.h"
#include "frontend/race_select.h"
#include "frontend/screen_setup.h"
#include "frontend/text_slots.h"
#include "net/net_state.h"
#include "render/model_sets.h"
#include "render/render_state.h"
#include "render/textures.h"
#include "sound/music.h"

int ChosenModel, ChosenColour;
int PurchasePending, PurchasePrice;

enum { MONEY_LIMIT = 99999999, GARAGE_ENTRIES = 15 };

static int ModeNow() { return GarageMode >= 0 && GarageMode < 5 ? GarageMode : 0; }
static int CategoryNow() { return GarageCategory >= 0 && GarageCategory < 5 ? GarageCategory : 0; }

void LoadShowroom(void* device, int category) {
    int group = 0, variant = 0;
    ShowroomSceneOf(category, &group, &variant);
    {
        // The menu tick turns the showroom car's wheels from the car tables.
        SimLockGuard lock;
        LoadShowroomCar(ShowroomModel, ShowroomColour, group, variant);
    }
    ChosenModel = ShowroomModel;
    ChosenColour = ShowroomColour;
    TextureReloadFlag = 1;
    TexturesReloading = 1;
    (void)device;
    PrepareTrackGraphics(GetRenderTarget());
    ShowCarTexts();
    // The price and the counters are those of the car now on show.
    ShowGarageCounters();
    ShowSelectionPrice();
}

// A car into the showroom as the category tabs load it: scene, textures,
// texts, the verdict and a click.
static void ShowCar(int model, int colour, void* device) {
    ShowroomModel = model;
    ShowroomColour = colour;
    LoadShowroom(device, GarageCategory);
    ShowShopVerdict();
    PlayClickSound();
}

int FindOwnedCar(int model, int colour, int* category, int* entry) {
    const int mode = ModeNow();
    for (int c = 0; c < 5; c++) {
        for (int e = GaragePage < 0 ? 0 : GaragePage; e < GARAGE_ENTRIES; e++) {
            const int* pair = GarageLists[c * 5 + mode][e];
            if (pair[0] == model && pair[1] == colour) {
                *category = c;
                *entry = e;
                return 1;
            }
        }
    }
    return 0;
}

void StepShowroomCar(int screen, int step, void* device) {
    if (GarageCategory < 0) {
        PopupOpenFlag = 1;
        PlayErrorSound();   // no class is chosen: no car to step to
        return;
    }
    PopupOpenFlag = 0;
    if (screen == 5 && NetworkGame) {
        // A network race's cars come from the class of its championship race.
        GarageCategory = ClassToCategory(ChampionshipClass);
        if (GarageCategory < 0)
            return;
        CurrentCup = GarageCategory;
    }
    const int category = CategoryNow(), mode = ModeNow();
    int* remembered = screen == 19 ? &CategoryPick[category] : &GarageCurrent[mode][category];
    int last = screen == 19 ? CategoryPickLast[category] : GarageLast[mode][category];
    // The owned list is read from GaragePage on: stay within its 15 pairs.
    const int page = GaragePage > 0 && GaragePage < GARAGE_ENTRIES ? GaragePage : 0;
    if (screen != 19 && last > GARAGE_ENTRIES - 1 - page)
        last = GARAGE_ENTRIES - 1 - page;
    if (last < 0)
        last = 0;
    int position = *remembered + step;
    if (position < 0) {
        position = 0;
        PlayErrorSound();
    } else if (position > last) {
        position = last;
        PlayErrorSound();
    } else {
        int model = 0, colour = 0;
        if (screen == 19) {
            CatalogueCar(category, position, &model, &colour);
        } else {
            model = GarageLists[category * 5 + mode][page + position][0];
            colour = GarageLists[category * 5 + mode][page + position][1];
        }
        if (model >= 0) {
            GaragePick = position;
            ShowCar(model, colour, device);
        }
    }
    *remembered = position;
    ShowGarageCounters();
    ShowSelectionPrice();
    if (screen == 19)
        ShowShopVerdict();
}

// Items 29-33: a category tab shows the category's car at its pick.
static void ShowCategory(int category, void* device) {
    GarageCategory = category;
    GaragePick = CategoryPick[category];
    int model = 0, colour = 0;
    CatalogueCar(category, GaragePick, &model, &colour);
    ShowCar(model, colour, device);
}

// Buying compares the price with the money the player will have once the
// display has counted (TargetMoney), not with the money still shown.
static void BuyCar() {
    const int price = CarPrice(ShowroomModel, ShowroomColour);
    const int money = TargetMoney - (PurchasePending ? PurchasePrice : 0);
    if (price > money) {
        ShowPopup(19, 1, 0, 0);
        PlayErrorSound();
        return;
    }
    int category = 0, entry = 0;
    if (FindOwnedCar(ShowroomModel, ShowroomColour, &category, &entry)) {
        ShowPopup(19, 2, 0, 0);
        PlayErrorSound();
        PurchasePending = 0;
        return;
    }
    const int mode = ModeNow(), own = CategoryNow(), page = GaragePage > 0 ? GaragePage : 0;
    int (*list)[2] = GarageLists[own * 5 + mode];
    int free = page;
    while (free < GARAGE_ENTRIES && list[free][0] != -1)
        free++;
    if (free >= GARAGE_ENTRIES) {
        PlayErrorSound();   // the list is full: nothing is bought
        return;
    }
    PurchasePending = 1;
    PurchasePrice = price;
    ShowMoney();
    ShowPopup(19, 0, 0, 0);
    list[free][0] = ShowroomModel;
    list[free][1] = ShowroomColour;
    if (free + 1 < GARAGE_ENTRIES)
        list[free + 1][0] = list[free + 1][1] = -1;
    GarageLast[mode][own] = free - page;
    GarageCurrent[mode][own] = free - page;
    ShowShopVerdict();
}

// Item 80: the buy panel closes and an accepted purchase is paid.
static void CloseBuyPanel() {
    GiveBackPopupFreeze(19);
    ThawItems(19, 27, 33);
    ThawItem(19, 39);
    ThawItem(19, 42);
    HideItem(19, 69);
    HideItem(19, 71);
    HideItem(19, 80);
    HideItem(19, 83);
    PopupOpenFlag = 0;
    if (PurchasePending) {
        TargetMoney = TargetMoney > PurchasePrice ? TargetMoney - PurchasePrice : 0;
        PlayPointsSound(0);
        PurchasePending = 0;
        PurchasePrice = 0;
    }
}

// Item 40: only a car on show that stands in the owned lists can be sold,
// and never the only car of its list.
static void OfferSale() {
    int category = 0, entry = 0;
    if (!FindOwnedCar(ShowroomModel, ShowroomColour, &category, &entry) || GarageLast[ModeNow()][category] < 1) {
        ShowPopup(19, 4, 0, 0);
        PopupOpenFlag = 1;
        PlayErrorSound();
        return;
    }
    GetText(1012);
    char text[96];
    const int length = std::snprintf(text, sizeof text, "%s%d", TextBufferB, CarPrice(ShowroomModel, ShowroomColour) / 3);
    SetSlotText(1010, text);
    SetTextLength(1010, length < (int)sizeof text ? length : (int)sizeof text - 1);
    ShowPopup(19, 3, 0, 0);
    PopupOpenFlag = 1;
}

static void CloseSalePanel() {
    GiveBackPopupFreeze(19);
    ThawItems(19, 27, 33);
    ThawItems(19, 39, 42);
    HideItems(19, 69, 72);
    HideItem(19, 80);
    HideItem(19, 83);
    HideItem(19, 85);
    PopupOpenFlag = 0;
}

// Item 70: the sale goes through; a car not found in the owned lists (or
// the only one) earns nothing and nothing is removed.
static void ConfirmSale() {
    CloseSalePanel();
    const int mode = ModeNow();
    int category = 0, entry = 0;
    if (!FindOwnedCar(ShowroomModel, ShowroomColour, &category, &entry) || GarageLast[mode][category] < 1)
        return;
    GarageLast[mode][category]--;
    if (GarageCurrent[mode][category] > 0)
        GarageCurrent[mode][category]--;
    const int refund = CarPrice(ShowroomModel, ShowroomColour) / 3;
    TargetMoney = TargetMoney > MONEY_LIMIT - refund ? (int)MONEY_LIMIT : TargetMoney + refund;
    PlayPointsSound(0);
    ShowMoney();
    int (*list)[2] = GarageLists[category * 5 + mode];
    for (int e = entry; e < GARAGE_ENTRIES - 1; e++) {
        list[e][0] = list[e + 1][0];
        list[e][1] = list[e + 1][1];
    }
    list[GARAGE_ENTRIES - 1][0] = list[GARAGE_ENTRIES - 1][1] = -1;
    if (GarageLast[mode][category] < GaragePick)
        GaragePick--;
}

// Item 42 leads back where the shop was entered from: its fifth link.
static void AimBackButton() {
    int target = 4;
    if (ShopFromCareer) {
        target = 3;
    } else if (ShopFromCarChoice) {
        target = 5;
        ShopFromCarChoice = 0;
    }
    ItemAt(19, 42).links[4] = MakeLink(target, 0);
}

// Every handled item lets its links run too (the tabs' pictures, the
// back button's way out).
int CarShopAction(int*, int item, void* device) {
    switch (item) {
    case 29: case 30: case 31: case 32: case 33: ShowCategory(item - 29, device); break;
    case 27: StepShowroomCar(19, 1, device); break;
    case 28: StepShowroomCar(19, -1, device); break;
    case 39: BuyCar(); break;
    case 80: CloseBuyPanel(); break;
    case 40: OfferSale(); break;
    case 70: ConfirmSale(); break;
    case 72:
        CloseSalePanel();
        HideItem(19, 81);
        break;
    case 42: AimBackButton(); break;
    default: break;
    }
    return 0;
}
