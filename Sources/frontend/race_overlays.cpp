// The pause menu and the help overlay drawn over the race view.  Both read
// KeyState with their own edge detection: a key acts on the frame it is
// seen down after being up, however many frames it is then held.

#include "frontend/race_overlays.h"

#include "frame/frame_state.h"
#include "frame/sim_lock.h"
#include "frontend/frontend_state.h"
#include "frontend/replay_header.h"
#include "frontend/text_slots.h"
#include "net/net_messages.h"
#include "net/net_state.h"
#include "net/session.h"
#include "race/race_setup.h"
#include "race/race_state.h"
#include "render/render_state.h"
#include "render/text_printer.h"
#include "sound/music.h"
#include "sound/sound_control.h"
#include "sound/sound_state.h"
#include "track/track_state.h"

int PauseChoice;
int PauseBlinkCount;
int HelpOverlayOpen;
int DemoReplay;
unsigned char OverlayKeyWasDown[256];

namespace {

enum {
    SCAN_ESCAPE = 1,
    SCAN_ENTER = 28,
    SCAN_F1 = 59,
    SCAN_PAD_ENTER = 156,
    SCAN_UP = 200,
    SCAN_DOWN = 208,
    ATTRACT_DEMO_TICKS = 4800,
};

// Down now and up the frame before; the key's state is remembered either way.
int KeyEdge(int scan) {
    const int down = (KeyState[scan] & 0x80) != 0;
    const int edge = down && !OverlayKeyWasDown[scan];
    OverlayKeyWasDown[scan] = (unsigned char)down;
    return edge;
}

// Keys that the any-key scan of a replay leaves to the replay's cameras,
// the function keys and the keyboard's extended codes.
int ReplayScanSkips(int scan) {
    switch (scan) {
    case 59: case 60: case 61: case 62:
    case 144: case 146: case 148: case 149: case 150: case 151: case 152:
    case 158: case 159: case 160: case 161: case 162: case 163: case 164: case 165: case 166:
    case 173: case 174: case 176: case 178: case 183:
    case 200: case 203: case 205: case 208: case 210: case 211:
    case 223: case 232:
        return 1;
    default:
        return 0;
    }
}

// The first key of the scan that went down this frame; -1 none.
int ScanPauseKeys() {
    if (!ReplayPlaying)
        return KeyEdge(SCAN_ESCAPE) ? SCAN_ESCAPE : -1;
    int found = -1;
    for (int scan = 0; scan <= 254; scan++) {
        if (ReplayScanSkips(scan))
            continue;
        if (PauseMenuOpen && (scan == SCAN_ENTER || scan == SCAN_PAD_ENTER))
            continue;
        if (KeyEdge(scan) && found < 0)
            found = scan;
    }
    return found;
}

int NetHost() { return NetSessionOpen && NetIsHost; }

// Restart, when exactly one of these modes is on, has no row.
int RestartHidden() {
    const int modes = (ChampionshipRunning != 0) + (SplitScreen != 0) + (NetworkGame != 0) + (DemoReplay != 0);
    return modes == 1;
}

int RestartShown() { return !ChampionshipRunning && !SplitScreen && !NetworkGame && !DemoReplay; }

int ReplaySaveOffered() { return ReplayPlayback == 1 && ReplayFromFile == 0 && !DemoReplay; }

void ClosePauseMenu() {
    if (NetHost())
        SendResume();
    PauseMenuOpen = 0;
    RacePaused = 0;
    ResumeSounds();
}

void OpenPauseMenu() {
    PauseSounds();
    PauseChoice = 0;
    PauseMenuOpen = 1;
    RacePaused = 1;
    if (NetHost())
        SendPause();
    PlayTypingSound(2);
}

void MovePauseChoice(int step) {
    PlayTypingSound(0);
    AnimTicks = 8;
    int choice = PauseChoice + step;
    if (choice == 1 && RestartHidden())
        choice += step;
    if (choice < 0)
        choice = 2;
    if (choice > 2)
        choice = 0;
    PauseChoice = choice;
}

void RestartRace() {
    if (!PresentationRun) {
        {
            SimLockGuard lock;
            ReplayRecording = 1;
            ReplayPlayback = 0;
            ReplayPlaying = 0;
            StartRace();
            if (TrackCode == 31)
                TimeLeft.seconds = CareerRecord.event31Seconds;
        }
        ResetRaceSounds();
        return;
    }
    if (NetSessionOpen && !NetIsHost)
        return;
    if (RacePhase == 0)
        return;
    {
        SimLockGuard lock;
        RacePhase = 0;
        FinishSequence = 0;
        StartRace();
        PresentationRun = 0;
        PresentationCamera = 0;
    }
    if (NetSessionOpen)
        SendCommand(2, 1);
}

}  // namespace

void QuitRace() {
    RacePaused = 1;
    BackToMenusRequest = 1;
    if (FinishSequence > RaceWon)
        RaceWon = FinishSequence;
    if (NetworkGame)
        JumpToScreen9 = 1;
    if (SplitScreen)
        JumpToScreen17 = 1;
    if (ChampionshipRunning)
        JumpToScreen22 = 1;
    if (NetSessionOpen) {
        SendQuit();
        CloseSession();
    }
    if (!SoundUnavailable) {
        StopMusicAndMute();
        ResumeSounds();
        ResetRaceSounds();
    }
}

namespace {

void ChoosePauseRow() {
    TypedChar = 0;
    PauseMenuOpen = 0;
    RacePaused = 0;
    if (PauseChoice != 2)
        ResumeSounds();
    switch (PauseChoice) {
    case 0:
        if (ReplaySaveOffered()) {
            // The replay just watched is offered for saving under a name.
            FillReplayHeader(0);
        } else if (NetHost()) {
            SendResume();
        }
        break;
    case 1: RestartRace(); break;
    default: QuitRace(); break;
    }
}

// A text slot printed as the overlays print: frame pass first, then the
// letters.  `passes` 1 leaves out the letters.
void PrintSlot(int slot, int y, int font, PlatSurface* surface, int passes) {
    GetText(slot);
    PrintText(320, y, TextBufferB, font, ALIGN_CENTRE, surface, 1);
    if (passes > 1)
        PrintText(320, y, TextBufferB, font, ALIGN_CENTRE, surface, 0);
}

void DrawPauseMenu(PlatSurface* surface) {
    PrintSlot(336, 120, 2, surface, 2);
    int rows[3], count = 0;
    rows[count++] = ReplaySaveOffered() ? 341 : 337;
    const int restartRow = RestartShown() ? count : -1;
    if (restartRow >= 0)
        rows[count++] = PresentationRun ? 342 : 338;
    rows[count++] = 339;
    // The chosen row by its place among the rows shown.
    int chosen = PauseChoice;
    if (restartRow < 0 && PauseChoice == 2)
        chosen = 1;
    int blinkOff = 0;
    if (AnimTicks > 8 && PauseBlinkCount < 2) {
        PauseBlinkCount++;
        if (AnimTicks > 12)
            AnimTicks = 0;
        blinkOff = 1;
    } else {
        PauseBlinkCount--;
    }
    for (int row = 0; row < count; row++) {
        const int y = 170 + 30 * row;
        PrintSlot(rows[row], y, 1, surface, row == chosen ? 1 : 2);
        if (row == chosen && !blinkOff)
            PrintText(320, y, TextBufferB, 1, ALIGN_CENTRE, surface, 0);
    }
}

}  // namespace

void RunPauseMenu(PlatSurface* surface) {
    if (NetSessionOpen && !NetIsHost)
        return;
    if (FrontEndActive || ReplayPromptOpen || HelpOverlayOpen || TextureSortPairCount == 0)
        return;
    if (ScanPauseKeys() >= 0) {
        if (AttractIdleTimer > ATTRACT_DEMO_TICKS) {
            RacePaused = 1;
            BackToMenusRequest = 1;
        } else if (PauseMenuOpen) {
            ClosePauseMenu();
        } else {
            OpenPauseMenu();
        }
        TypedChar = 0;
    }
    // Edges are taken every frame, so a key held when the menu opens does
    // not act until it is pressed again.
    const int up = KeyEdge(SCAN_UP), down = KeyEdge(SCAN_DOWN);
    const int enter = KeyEdge(SCAN_ENTER), padEnter = KeyEdge(SCAN_PAD_ENTER);
    if (!PauseMenuOpen)
        return;
    if (up)
        MovePauseChoice(-1);
    if (down)
        MovePauseChoice(1);
    if (enter || padEnter) {
        ChoosePauseRow();
        return;
    }
    DrawPauseMenu(surface);
}

void RunHelpOverlay(PlatSurface* surface) {
    if (FrontEndActive || ReplayPromptOpen || TextureSortPairCount == 0 || ReplayPlaying)
        return;
    if (KeyEdge(SCAN_F1)) {
        HelpOverlayOpen = !HelpOverlayOpen;
        if (!NetworkGame)
            RacePaused = HelpOverlayOpen || PauseMenuOpen;
    }
    if (!HelpOverlayOpen)
        return;
    PrintSlot(415, 50, 2, surface, 2);
    for (int line = 0; line < 9; line++)
        PrintSlot(417 + line, 110 + 30 * line, 1, surface, 2);
}
