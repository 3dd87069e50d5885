#include "frontend/menu_frame.h"

#include <cstdio>
#include <cstring>

#include "frame/frame_state.h"
#include "frame/startup.h"
#include "frontend/frontend_state.h"
#include "frontend/text_slots.h"
#include "platform/plat_surface.h"
#include "race/race_state.h"
#include "render/render_state.h"
#include "render/text_printer.h"
#include "sound/music.h"
#include "sound/sound_session.h"
#include "sound/sound_state.h"

// Slots of the title page: the game's name and the menus' own words.
enum {
    SLOT_TITLE = 30,
    SLOT_SINGLE_RACE = 40,
    SLOT_EXIT = 36,
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

// A key line: the key's name in the highlight font, then the words of a
// text slot.
static void PrintKeyLine(int y, const char* key, int wordsSlot) {
    GetText(wordsSlot);
    char line[TEXT_BUFFER_SIZE + 16];
    snprintf(line, sizeof line, "\x1f%s\x1f  %s", key, TextBufferB);
    PrintText(320, y, line, 1, ALIGN_CENTRE, WorkSurface, 0);
}

// The title page on the work surface, which the frame then shows: the
// title in the large font, the keys in the medium one.
static void DrawTitlePage() {
    if (!WorkSurface)
        return;
    const PlatRect screen = {0, 0, 640, 480};
    PlatSurfaceFill(WorkSurface, &screen, 0, PLAT_WAIT);
    GetText(SLOT_TITLE);
    PrintText(320, 160, TextBufferB, 0, ALIGN_CENTRE, WorkSurface, 0);
    PrintKeyLine(270, "ENTER", SLOT_SINGLE_RACE);
    PrintKeyLine(310, "ESC", SLOT_EXIT);
}

// Until the menu screens run, the front end is a title page: Enter (or
// --autorace, in the first frame of the run) starts a quick race and Escape
// quits.
void RunMenuFrame(PlatSurface*, PlatDevice*, int, const RectI*) {
    // The first menu frame with the mixer open loads the menu sounds and
    // starts the menu music at the top music level (the sound screen's
    // options are not read yet).
    static int soundStarted;
    if (!soundStarted && MixerOpen && !SoundUnavailable) {
        soundStarted = 1;
        LoadSoundBank();
        PlayTrackMusic(0);
        SetMusicVolume(5);
    }
    if (TypedChar == 13 || (CommandLine.autorace && FramesRun == 0)) {
        SetQuickRace();
        StartRaceRequest = 1;
    } else if (TypedChar == 27) {
        ExitRequested = 1;
    }
    DrawTitlePage();
}
