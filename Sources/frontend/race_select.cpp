#include "frontend/race_select.h"

#include <cstdio>

#include "frame/frame_state.h"
#include "frame/sim_lock.h"
#include "frontend/career.h"
#include "frontend/championship.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_items.h"
#include "frontend/menu_panels.h"
#include "frontend/progress.h"
#include "frontend/screen_setup.h"
#include "frontend/text_slots.h"
#include "net/net_state.h"
#include "race/messages.h"
#include "race/presentation.h"
#include "race/race_state.h"
#include "race/race_switches.h"
#include "render/bitmaps.h"
#include "render/model_sets.h"
#include "render/render_state.h"
#include "render/textures.h"
#include "sound/music.h"
#include "track/track_state.h"

// The special race's grid.
static const int kSpecialRaceCars[8][2] = {{16, 0}, {0, 2}, {1, 2}, {16, 1}, {6, 2}, {6, 1}, {16, 2}, {6, 0}};

// The championship mode's opponents: a row per race of championships 12
// (rows 0-2), 13 (3-6) and 14 (7-11); pair k is car k, car 0 the player's.
static const int kChampionshipOpponentSets[12][8][2] = {
    {{0, 0}, {0, 2}, {1, 0}, {0, 3}, {1, 1}, {6, 0}, {1, 2}, {6, 1}},
    {{0, 0}, {12, 2}, {14, 0}, {12, 3}, {5, 0}, {14, 1}, {14, 2}, {5, 1}},
    {{0, 0}, {8, 2}, {11, 0}, {2, 0}, {11, 1}, {2, 1}, {11, 2}, {2, 2}},
    {{0, 0}, {0, 0}, {0, 1}, {1, 2}, {6, 1}, {0, 3}, {6, 2}, {1, 3}},
    {{0, 0}, {12, 2}, {14, 0}, {14, 1}, {12, 3}, {5, 2}, {14, 2}, {5, 3}},
    {{0, 0}, {8, 0}, {8, 1}, {11, 1}, {2, 1}, {11, 2}, {2, 2}, {11, 3}},
    {{0, 0}, {0, 0}, {0, 1}, {1, 2}, {6, 1}, {0, 3}, {6, 2}, {1, 3}},
    {{0, 0}, {1, 0}, {1, 1}, {0, 3}, {6, 1}, {1, 2}, {1, 3}, {6, 3}},
    {{0, 0}, {12, 1}, {12, 2}, {12, 3}, {5, 0}, {5, 1}, {14, 2}, {14, 3}},
    {{0, 0}, {1, 0}, {1, 1}, {0, 3}, {6, 1}, {1, 2}, {1, 3}, {6, 3}},
    {{0, 0}, {12, 2}, {14, 0}, {14, 1}, {12, 3}, {5, 2}, {14, 2}, {5, 3}},
    {{0, 0}, {8, 0}, {11, 0}, {2, 0}, {8, 2}, {11, 2}, {2, 3}, {11, 3}},
};

// Prices by model (20) and colour (4); 0 where a model has no such colour.
static const int kCarPriceTable[20][4] = {
    {600, 700, 5000, 38000},   {890, 1500, 16000, 39000}, {1400, 5500, 18000, 40000}, {8700, 38000, 0, 0},
    {1800, 38900, 0, 0},       {5300, 5900, 20000, 36500}, {2000, 11000, 18000, 42000}, {750, 16600, 0, 0},
    {600, 800, 4500, 16000},   {0, 0, 0, 0},               {1850, 36500, 0, 0},         {1000, 6000, 17500, 41000},
    {500, 700, 900, 4400},     {7000, 39500, 0, 0},        {1100, 1500, 19500, 35000},  {750, 10500, 0, 0},
    {42000, 42000, 42000, 42000}, {40000, 40000, 40000, 40000}, {42000, 42000, 42000, 42000},
    {42000, 42000, 42000, 42000},
};

int CarPrice(int model, int colour) {
    if (model < 0 || model >= 20 || colour < 0 || colour >= 4)
        return 0;
    return kCarPriceTable[model][colour];
}

// Tracks that show another track's preview picture.
int PreviewCodeOf(int code) {
    static const int alias[7][2] = {{14, 10}, {15, 11}, {24, 20}, {68, 62}, {69, 65}, {77, 71}, {78, 79}};
    for (const auto& pair : alias)
        if (pair[0] == code)
            return pair[1];
    return code;
}

static void ClearTypedText() {
    TypedChar = 0;
    TypedCharCount = 0;
}

static void SetTrack(int group, int variant) {
    TrackGroup = group;
    TrackVariant = variant;
}

static void SetTrackFromCode(int code) { SetTrack(code / 10, code % 10); }

// The runs the switches drive (tests and developers) race the quick race's
// track: --track's code, else the first circuit: 1 when one was set.
static int TakeSwitchTrack() {
    if (CommandLine.track >= 10) {
        SetTrackFromCode(CommandLine.track);
        return 1;
    }
    if (CommandLine.autorace || CommandLine.netHost || CommandLine.netJoin) {
        SetTrack(1, 0);
        return 1;
    }
    return 0;
}

// The player's choice of track for a career, single or split screen race.
static void TakeNextRaceTrack() {
    if (!TakeSwitchTrack())
        SetTrack(NextRaceGroup(), NextRaceVariant());
}

static void SpecialRaceSetup() {
    CarCount = 8;
    SetTrack(2, 4);
    LapsToRun = 3;
    PendingScreen = 3;
    Cup5Mode = 0;
    for (int car = 0; car < 8; car++) {
        CarModel[car] = kSpecialRaceCars[car][0];
        CarColour[car] = kSpecialRaceCars[car][1];
    }
}

static void HiddenRaceSetup() {
    HiddenRaceRequest = 0;
    MenuListId = 0;
    SetTrack(6, 7);
    RacePhase = 2;
    ClearTypedText();
    LapsToRun = 1;
    CarCount = 1;
    ArenaOpponents = 0;
    CarModel[0] = 14;
    CarColour[0] = 0;
}

static void ChampionshipSetup() {
    LapsToRun = 3;
    MenuListId = 8;
    const int row = ChampionshipChoice, race = ChampionshipRace;
    SetTrackFromCode(ChampionshipTrackCode(row, race));
    ChampionshipClass = ChampionshipRaceClass(row, race);
    RacePhase = 2;
    CarCount = 8;
    // The championship mode's rows have their own opponents per race; any
    // other row's come from the class sets, car 1 driving car 2's car.
    const int first = row == 12 ? 0 : row == 13 ? 3 : 7;
    const int ownSets = row >= 12 && row <= 14 && race >= 0 && race <= ChampionshipLastRace(row);
    for (int car = 1; car < 8; car++) {
        int model = 0, colour = 0;
        if (ownSets) {
            model = kChampionshipOpponentSets[first + race][car][0];
            colour = kChampionshipOpponentSets[first + race][car][1];
        } else if (!ClassOpponentCar(ChampionshipClass, car < 2 ? 2 : car, &model, &colour)) {
            continue;
        }
        CarModel[car] = model;
        CarColour[car] = colour;
    }
    ClearTypedText();
}

static void NetworkSetup() {
    MenuListId = 7;
    const int row = ListSelection[7] + ChampionshipGroupOffset, race = ChampionshipRace;
    SetTrackFromCode(ChampionshipTrackCode(row, race));
    ChampionshipClass = ChampionshipRaceClass(row, race);
    TakeSwitchTrack();   // --net-host and --net-join runs race the quick race's track
    RacePhase = 2;
    CarCount = NetPlayerCount.load();
    HumanPlayers = CarCount;
    ClearTypedText();
    LapsToRun = 2;
}

// A track the race can load: group 1-7, a variant of one digit (the
// championships play 69 and 79) and its folder present.
static int RaceTrackValid() {
    if (TrackGroup < 1 || TrackGroup > 7 || TrackVariant < 0 || TrackVariant > 9)
        return 0;
    return TrackFolderHolds(TrackGroup * 10 + TrackVariant);
}

int PrepareRace() {
    if (SpecialRaceMode == 1)
        SpecialRaceSetup();
    else if (HiddenRaceRequest == 1)
        HiddenRaceSetup();
    else if (ChampionshipRunning == 1)
        ChampionshipSetup();
    else if (NetworkGame == 1)
        NetworkSetup();
    else if (SplitScreen == 1) {
        // The heat's race replaces the track chosen last.
        TakeNextRaceTrack();
        SetupSplitScreenHeat();
        LapsToRun = 2;
    } else if (RaceFromReplay == 0)
        TakeNextRaceTrack();

    // Saves and replay headers carry any bytes: a track the game cannot
    // load sends the player back to the menus.
    if (!RaceTrackValid()) {
        char line[80];
        std::snprintf(line, sizeof line, "No track %d %d in the game folder", TrackGroup, TrackVariant);
        ConsoleAddLine(line);
        return 0;
    }
    TrackArtSet = TrackVariant;
    CurrentCar = 0;
    LocalCar = 0;
    TrackCode = TrackGroup * 10 + TrackVariant;
    CarBoxesDirty = 1;   // the cars' collision boxes are copied again
    AltTextureSet = TrackCode == 11 || TrackCode == 30 || TrackCode == 44 || TrackCode == 61 || TrackCode == 64;
    const int still = TrackGroup == 2 || TrackGroup == 5 || TrackGroup == 6 || TrackGroup == 7;
    DecorRate = still ? 0.0f : 0.00021428571f;
    SkyDrift = 0.0f;
    SceneOptionFlag = (signed char)VisualSettings[2];
    if (TrackCode == 31)
        TimeLeft.seconds = CareerRecord.event31Seconds;
    return 1;
}

void ShowWorldPreview() {
    TrackCode = TrackGroup * 10 + TrackVariant;
    char path[40];
    std::snprintf(path, sizeof path, "MENUS\\MUNDO%02d.bmp", PreviewCodeOf(TrackCode));
    BmpImage picture;
    if (LoadBitmapFromVfs(path, &picture))
        CopyBitmapToSurface(ScreenCopySurface, &picture);
}

void ShowSelectionPrice() {
    GetText(231);
    char text[96];
    const int length = std::snprintf(text, sizeof text, "%s %d*", TextBufferB, CarPrice(ShowroomModel, ShowroomColour));
    SetSlotText(232, text);
    SetTextLength(232, length < (int)sizeof text ? length : (int)sizeof text - 1);
}

// The car of ShowroomModel and ShowroomColour in its category's scene, its
// texts, counters and price.
static void ShowShowroomCar(void* device) {
    int group = 0, variant = 0;
    ShowroomSceneOf(GarageCategory, &group, &variant);
    {
        // The menu tick turns the showroom car's wheels from the car tables.
        SimLockGuard lock;
        LoadShowroomCar(ShowroomModel, ShowroomColour, group, variant);
    }
    TextureReloadFlag = 1;
    TexturesReloading = 1;
    PrepareTrackGraphics((PlatSurface*)device);
    ShowCarTexts();
    PlayClickSound();
    ShowGarageCounters();
    ShowSelectionPrice();
}

void SelectGarageCar(void* device) {
    if (GarageCategory < 0) {
        PopupOpenFlag = 1;
        return;
    }
    PopupOpenFlag = 0;
    const int row = GarageCategory * 5 + GarageMode;
    if (row < 0 || row >= 25)
        return;
    // A pick past the list's end (a page or a position a save carried) shows
    // the list's last car; a list without one shows the first model.
    const int last = GarageListLast(row);
    int pick = GaragePage + GaragePick;
    if (pick < 0)
        pick = 0;
    if (pick > last)
        pick = last;
    ShowroomModel = pick >= 0 ? GarageLists[row][pick][0] : 0;
    ShowroomColour = pick >= 0 ? GarageLists[row][pick][1] : 0;
    ShowShowroomCar(device);
}

void SelectCatalogueCar(void* device) {
    if (GarageCategory < 0) {
        PopupOpenFlag = 1;
        return;
    }
    PopupOpenFlag = 0;
    CatalogueCar(GarageCategory, GaragePick, &ShowroomModel, &ShowroomColour);
    ShowShowroomCar(device);
}

// The race list of the championship chosen on screens 10 and 17: a row per
// race in the order they are run, "n. track", the track named as its
// fly-by names it; the rows past the last race are hidden.
enum { RACE_LIST_FIRST_ITEM = 23, RACE_LIST_ROWS = 8 };

void ShowChampionshipRaceList() {
    const int list = MenuListId >= 0 && MenuListId < MENU_LISTS ? MenuListId : 0;
    const int row = ListSelection[list] + ChampionshipGroupOffset;
    const int last = ChampionshipLastRace(row);
    for (int race = 0; race < RACE_LIST_ROWS; race++) {
        const int name = race <= last ? TrackLine(ChampionshipTrackCode(row, race)) : 0;
        char text[40] = " ";
        if (name > 0) {
            GetText(name);
            snprintf(text, sizeof text, "%d. %.24s", race + 1, TextBufferB);
        }
        SetSlotText(SLOT_RACE_LIST + race, text);
        for (int screen : {10, 17}) {
            const int item = RACE_LIST_FIRST_ITEM + race;
            ItemAt(screen, item).textSlot = (int16_t)(SLOT_RACE_LIST + race);
            if (name > 0)
                ShowItem(screen, item);
            else
                HideItem(screen, item);
        }
    }
}

// The showroom scene of each car category: a track group and variant.
static const signed char kShowroomScenes[7][2] = {{1, 0}, {5, 0}, {6, 0}, {4, 0}, {7, 0}, {4, 0}, {7, 0}};

void ShowroomSceneOf(int category, int* group, int* variant) {
    *group = 0;
    *variant = 0;
    if (category < 0 || category >= 7)
        return;
    *group = kShowroomScenes[category][0];
    *variant = kShowroomScenes[category][1];
}

// The shop's car lists, per category; a model of -1 ends a list.
static const signed char kCatalogueCars[7][15][2] = {
    {{0, 0}, {0, 1}, {1, 0}, {1, 1}, {6, 0}, {0, 2}, {6, 1}, {1, 2}, {6, 2}, {0, 3}, {1, 3}, {6, 3}, {-1, -1}},
    {{15, 0}, {10, 0}, {3, 0}, {15, 1}, {10, 1}, {3, 1}, {-1, -1}},
    {{12, 0}, {12, 1}, {12, 2}, {14, 0}, {14, 1}, {12, 3}, {5, 0}, {5, 1}, {14, 2}, {5, 2}, {14, 3}, {5, 3}, {-1, -1}},
    {{7, 0}, {4, 0}, {13, 0}, {7, 1}, {4, 1}, {13, 1}, {-1, -1}},
    {{8, 0}, {8, 1}, {11, 0}, {2, 0}, {8, 2}, {2, 1}, {11, 1}, {8, 3}, {11, 2}, {2, 2}, {2, 3}, {11, 3}, {-1, -1}},
    {{0, 0}, {1, 0}, {-1, -1}},
    {{0, 0}, {1, 0}, {-1, -1}},
};

void CatalogueCar(int category, int pick, int* model, int* colour) {
    *model = 0;
    *colour = 0;
    if (category < 0 || category >= 7 || pick < 0 || pick >= 15 || kCatalogueCars[category][pick][0] < 0)
        return;
    *model = kCatalogueCars[category][pick][0];
    *colour = kCatalogueCars[category][pick][1];
}
