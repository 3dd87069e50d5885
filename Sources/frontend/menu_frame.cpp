#include "frontend/menu_frame.h"

#include "frame/frame_state.h"

// Until the menus are built the front end is one key: Enter (or --autorace,
// once) starts a quick race and Escape quits.
void RunMenuFrame(PlatSurface*, PlatDevice*, int, const RectI*) {
    static int autoraceDone;
    if (TypedChar == 13 || (CommandLine.autorace && !autoraceDone)) {
        autoraceDone = 1;
        StartRaceRequest = 1;
    } else if (TypedChar == 27) {
        ExitRequested = 1;
    }
}
