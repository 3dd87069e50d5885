// The front end's tests share one process: each starts from the state the
// program starts with and leaves it so, whatever ran before.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "frame/frame_state.h"
#include "frontend/car_shop.h"
#include "frontend/championship.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_frame.h"
#include "frontend/menu_init.h"
#include "frontend/text_slots.h"
#include "menulayout/menu_table.h"
#include "menulayout/menulayout_state.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"
#include "race/race_state.h"
#include "render/render_state.h"
#include "render/surfaces2d.h"
#include "sound/music.h"
#include "sound/sound_state.h"

// Puts back what the front-end tests change: the menu table, the text
// slots, the raw menu graphics, the keyboard cells, the pointer, the counts
// of menu sounds asked for (a whole race run leaves some) and the locked
// pixel buffers (which point into a finished test's memory).
inline void ResetFrontEndGlobals() {
    memset(MenuSoundRequests, 0, sizeof MenuSoundRequests);
    memset(MenuScreenTable, 0, sizeof MenuScreenTable);
    memset(TextSlotBlob, 0, sizeof TextSlotBlob);
    memset(TextSlotTable, 0, sizeof TextSlotTable);
    memset(TextSlotRoom, 0, sizeof TextSlotRoom);
    TextFileSize = 0;
    MenuGfxCount = 0;
    MenuGfxFill = 0;
    memset(MenuGfxOffsets, 0, sizeof MenuGfxOffsets);
    memset(MenuGfxSizes, 0, sizeof MenuGfxSizes);
    KeyboardCellCount = 0;
    KeyboardClick = 0;
    KeyboardCellStamp = 0;
    CreditsScrollY = 490.0f;
    MenuPointerLevel = 64.0f;
    MenuPointerRising = 1;
    MenuPointerShown = 1;
    KeyboardJumpGate = 0;
    MenuStateWord = 0;
    TypedCharCount = 0;
    GreenMaskBits = 6;    // the 5-6-5 format the display starts with
    MenuTarget = {};
    MenuOverlay = {};
    ChampionshipUnderWay = 0;
    ChampionshipStartPending = 0;
    memset(TimedMessages, 0, sizeof TimedMessages);   // a demo's or a race's notices
}

// Empties the record tables, as a fresh process has them.
inline void ClearRecordTables() {
    memset(BestLapTimes, 0, sizeof BestLapTimes);
    memset(BestRaceTimes, 0, sizeof BestRaceTimes);
    memset(LapRecordNames, 0, sizeof LapRecordNames);
    memset(RaceRecordNames, 0, sizeof RaceRecordNames);
    memset(LapRecordDates, 0, sizeof LapRecordDates);
    memset(RaceRecordDates, 0, sizeof RaceRecordDates);
}

// Puts back what loading a showroom car leaves: the car on show and its
// copy, the one-car race set-up, the menus' mode and the sounds asked for.
inline void ResetShowroomLoad() {
    FrontEndActive = 0;
    ShowroomModel = ShowroomColour = ChosenModel = ChosenColour = 0;
    PopupOpenFlag = 0;
    CarCount = 0;
    TrackGroup = TrackVariant = TrackCode = 0;
    memset(CarModel, 0, sizeof CarModel);
    memset(CarColour, 0, sizeof CarColour);
    memset(MenuSoundRequests, 0, sizeof MenuSoundRequests);
}

// The menu machine as tests that run menu frames need it, on the game
// folder made current: the headless backend, the work surfaces, the message
// file, the layout and its colours, the machine at its start without the
// start-up frame's set-up, and no sound.  false when a surface cannot be made.
inline bool StartHeadlessMenus() {
    if (!PlatInit(PLAT_BACKEND_HEADLESS) ||
        PlatSurfaceCreate(640, 1440, PLAT_PF_DISPLAY, PLAT_SURF_SYSTEMMEMORY, &WorkSurface) != 0 ||
        PlatSurfaceCreate(640, 480, PLAT_PF_DISPLAY, PLAT_SURF_SYSTEMMEMORY, &ScreenCopySurface) != 0 ||
        PlatSurfaceCreate(640, 480, PLAT_PF_DISPLAY, PLAT_SURF_SYSTEMMEMORY, &FadeFromSurface) != 0)
        return false;
    LoadMessageFile();
    InitMenus();
    FillMenuColourTable();
    StartMenuMachine();
    FirstMenuFrame = 0;
    ExitRequested = 0;    // a whole game run before this one ends by asking to exit
    MenuFrameTicksAverage = 1.0f;
    memset(MenuSoundRequests, 0, sizeof MenuSoundRequests);
    SoundUnavailable = 1;
    return true;
}

inline void StopHeadlessMenus() {
    FreeMenuGfxCache();
    PlatSurfaceRelease(WorkSurface);
    PlatSurfaceRelease(ScreenCopySurface);
    PlatSurfaceRelease(FadeFromSurface);
    WorkSurface = ScreenCopySurface = FadeFromSurface = nullptr;
    PlatShutdown();
    StartMenuMachine();
    SoundUnavailable = 0;
    memset(MenuSoundRequests, 0, sizeof MenuSoundRequests);
}

struct FrontEndTest : ::testing::Test {
    void SetUp() override { ResetFrontEndGlobals(); }
    void TearDown() override { ResetFrontEndGlobals(); }
};
