#include "frontend/menu_frame.h"

#include <cstdio>
#include <cstring>

#include "frame/frame_state.h"
#include "frame/startup.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_graphics.h"
#include "frontend/text_slots.h"
#include "platform/plat_surface.h"
#include "race/race_state.h"
#include "render/render_state.h"

// Slots of the title page: two run-time message lines take the composed
// key lines, the others are the menus' own words.
enum {
    SLOT_SINGLE_RACE = 40,
    SLOT_EXIT = 36,
    SLOT_TITLE_LINE = 307,
    SLOT_EXIT_LINE = 309,
};

// The quick race: four cars of different models and paints on the grid of
// the first track.
static void SetQuickRace() {
    static const int models[4] = {0, 6, 1, 12};
    CarCount = 4;
    for (int car = 0; car < 4; car++) {
        CarModel[car] = models[car];
        CarColour[car] = car;
    }
}

// Writes "KEY  WORDS" into a run-time slot (cut to the slot's room).
static void ComposeKeyLine(int slot, const char* key, int wordsSlot) {
    GetText(wordsSlot);
    char line[TEXT_BUFFER_SIZE + 16];
    snprintf(line, sizeof line, "%s  %s", key, TextBufferB);
    PutText(slot, line);
    SetTextLength(slot, (int)strlen(line));
}

// The title page on the work surface, which the frame then shows.
static void DrawTitlePage() {
    MenuPixels pixels;
    if (!WorkSurface || !LockMenuPixels(WorkSurface, &pixels))
        return;
    MenuTarget = pixels;
    for (int y = 0; y < 480 && y < pixels.height; y++) {
        for (int x = 0; x < 640 && x < pixels.width; x++)
            pixels.pixels[y * pixels.pitch + x] = 0;
    }
    ComposeKeyLine(SLOT_TITLE_LINE, "ENTER", SLOT_SINGLE_RACE);
    ComposeKeyLine(SLOT_EXIT_LINE, "ESC", SLOT_EXIT);
    const int green = GreenMaskBits == 6 ? 63 : 31;
    DrawTextSlot(320, 200, 0, SLOT_TITLE_LINE, TEXT_MODE_CENTRE, 31, green, 31, 31, green, 0, 0);
    DrawTextSlot(320, 270, 1, SLOT_EXIT_LINE, TEXT_MODE_CENTRE, 31, green, 31, 31, green, 0, 0);
    PlatSurfaceUnlock(WorkSurface);
}

// Until the menu screens run, the front end is a title page: Enter (or
// --autorace, in the first frame of the run) starts a quick race and Escape
// quits.
void RunMenuFrame(PlatSurface*, PlatDevice*, int, const RectI*) {
    if (TypedChar == 13 || (CommandLine.autorace && FramesRun == 0)) {
        SetQuickRace();
        StartRaceRequest = 1;
    } else if (TypedChar == 27) {
        ExitRequested = 1;
    }
    DrawTitlePage();
}
