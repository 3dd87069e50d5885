// The race HUD panel.  Its pictures come with their own part; what the race
// needs of it already is the start countdown, which releases the engines and
// the clocks at stage 3.

#include "race/hud.h"

#include "frame/frame_state.h"
#include "race/race_state.h"
#include "render/render_state.h"
#include "sound/effect_sounds.h"
#include "sound/sound_state.h"

// The countdown climbs a stage each time its timer passes 60 frame ticks
// (61 ticks a stage), from -1 at the race start to 4.
static void AdvanceStartCountdown() {
    if (StartStage >= 4 || BackToMenusRequest != 0 || EditorOpen || TexturesReloading)
        return;
    CountdownTimer += FrameTicks;
    if (CountdownTimer > 60) {
        CountdownTimer = 0;
        StartStage += 1;
        // "Three", "two", "one", then the start call.
        if (StartStage >= 0 && StartStage <= 3 && SoundOn && !ReplayPlaying)
            PlayCountdownVoice(StartStage);
    }
}

void DrawRaceHudPanel(PlatSurface*) {
    if (PauseMenuOpen || RacePaused || PresentationRun || PresentationCamera || FrontEndActive || BackToMenusRequest)
        return;
    if (EditorOpen || TexturesReloading)
        return;
    if (RacePhase > 0)
        return;
    AdvanceStartCountdown();
}

void DrawMapDots(PlatSurface*) {}
void DrawFrameRate(PlatSurface*, float) {}

void AdjustTimeLeft(int seconds) {
    const int minutesNow = TimeLeft.minutes, secondsNow = TimeLeft.seconds;
    if (minutesNow == 0 && secondsNow == 0)
        return;
    // Carried exactly across the minutes; never below 0:00.
    long total = (long)minutesNow * 60 + secondsNow + seconds;
    if (total < 0)
        total = 0;
    TimeLeft.minutes = (int)(total / 60);
    TimeLeft.seconds = (int)(total % 60);
    if (seconds < 0) {
        PenaltyDisplay -= 5;
        PenaltyCount += 1;
    }
}
