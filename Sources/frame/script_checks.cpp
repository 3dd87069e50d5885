#include "frame/script_checks.h"

#include <cstdio>

#include "frame/display.h"
#include "frame/frame_state.h"
#include "frame/utils.h"
#include "frontend/frontend_state.h"
#include "platform/plat_script.h"

int ScriptExitStatus;

void RunScriptChecks(int frame) {
    PlatScriptCheck check;
    while (PlatScriptNextCheck(frame, &check)) {
        if (check.kind == SCRIPT_CHECK_SHOT) {
            SaveScreenshotTga(check.name, GetRenderTarget());
        } else if (check.kind == SCRIPT_CHECK_SCREEN && MenuScreenShown != check.screen) {
            fprintf(stderr, "quorvix: script, frame %d: menu screen %d shown, %d expected\n", frame,
                    MenuScreenShown.load(), check.screen);
            // The first failure is the run's result; the run ends.
            if (!ScriptExitStatus)
                ScriptExitStatus = 3;
            ExitRequested = 1;
        }
    }
}
