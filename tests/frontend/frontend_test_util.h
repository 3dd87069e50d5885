// The front end's tests share one process: each starts from the state the
// program starts with and leaves it so, whatever ran before.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "frame/frame_state.h"
#include "frontend/car_shop.h"
#include "frontend/frontend_state.h"
#include "menulayout/menulayout_state.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"
#include "race/race_state.h"
#include "render/render_state.h"
#include "sound/music.h"

// Puts back what the front-end tests change: the menu table, the text
// slots, the raw menu graphics, the keyboard cells, the pointer and the
// locked pixel buffers (which point into a finished test's memory).
inline void ResetFrontEndGlobals() {
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

// The headless backend with the two surfaces the menu frame draws on: the
// work surface and the page background's copy.
inline void OpenMenuSurfaces() {
    ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
    ASSERT_EQ(PlatSurfaceCreate(640, 1440, PLAT_PF_DISPLAY, PLAT_SURF_SYSTEMMEMORY, &WorkSurface), 0);
    ASSERT_EQ(PlatSurfaceCreate(640, 480, PLAT_PF_DISPLAY, PLAT_SURF_SYSTEMMEMORY, &ScreenCopySurface), 0);
}
inline void CloseMenuSurfaces() {
    PlatSurfaceRelease(WorkSurface);
    PlatSurfaceRelease(ScreenCopySurface);
    WorkSurface = ScreenCopySurface = nullptr;
    PlatShutdown();
}

struct FrontEndTest : ::testing::Test {
    void SetUp() override { ResetFrontEndGlobals(); }
    void TearDown() override { ResetFrontEndGlobals(); }
};
