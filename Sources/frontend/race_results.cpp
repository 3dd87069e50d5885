// The end-of-race banner and the front end's end-of-race hand-overs.

#include "frontend/race_results.h"

#include <cstdio>

#include "frame/frame_state.h"
#include "frontend/frontend_state.h"
#include "frontend/text_slots.h"
#include "net/net_state.h"
#include "platform/plat_system.h"
#include "race/messages.h"
#include "race/race_state.h"

int StandingsState;
int MenuReplayActive;
int SplitScreenRaceRunning;
int BannerShown;
int EventFailed;

namespace {

// A title framed by the codes 127 and 128, large and blinking.
void ShowTitle(int slot, int y) {
    GetText(slot);
    char line[160];
    snprintf(line, sizeof line, "\x7f%.120s\x80", TextBufferB);
    ShowTimedMessage(320, y, line, 0, 1, 3000, 1);
    // The debug output names the banner, so a whole run can be checked.
    char debug[48];
    snprintf(debug, sizeof debug, "race banner %d", slot);
    PlatDebugOut(debug);
}

void ShowDetail(int slot, int y) {
    GetText(slot);
    ShowTimedMessage(320, y, TextBufferB, 0, 1, 480, 0);
}

int PlacedRaceCode(int code) {
    switch (code) {
    case 10: case 11: case 14: case 20: case 21: case 24: case 30: case 60: case 61: case 62: case 63: case 64:
    case 67: case 68: case 70: case 71: case 72: case 73: case 74: case 76: case 77:
        return 1;
    default:
        return 0;
    }
}

// Won, failed or just over: the detail of the events with a goal.
void ShowEventDetail(int won, int failed, int otherwise) {
    if (FinishSequence == 1)
        ShowDetail(won, 150);
    else if (EventFailed == 1) {
        EventFailed = 0;
        ShowDetail(failed, 150);
    } else {
        ShowDetail(otherwise, 150);
    }
}

}  // namespace

void ShowRaceResultBanner(PlatSurface*) {
    if (RacePhase != 0 || FrontEndActive || ReplayPlaying || RaceOver != 1 || BannerShown)
        return;
    BannerShown = 1;
    const int code = TrackCode;
    // The local car's place: the cars in when it crossed the line.  Under
    // the autopilot the race goes on until every car is in, so that count
    // is the whole field by now; the place frozen for car 0 is its own.
    const int finished = AutopilotRun ? rank_pos[0] + 1 : FinishCount;
    const int place = finished >= 1 && finished <= 8 ? finished : 0;
    if (NetworkGame) {
        ShowTitle(427, 30);
        if (FinishSequence == 1) {
            ShowDetail(1859, 150);
        } else {
            ShowDetail(1722, 150);
            ShowDetail(1723, 190);
        }
    } else if (ChampionshipChosen) {
        if (place) {
            ShowTitle(1713 + place, 70);
            ShowDetail(1834 + place, 150);
        }
    } else if (SplitScreen) {
        return;
    } else if (PlacedRaceCode(code)) {
        if (!place)
            return;
        ShowTitle(1713 + place, 70);
        if (place == 1)
            ShowDetail(1846, 150);
        else if (place == 2)
            ShowDetail(1701, 150);
        else if (place == 3)
            ShowDetail(1702, 150);
        else {
            ShowDetail(1722, 150);
            ShowDetail(1723, 190);
        }
    } else if ((code >= 50 && code <= 54) || code == 56) {
        ShowTitle(1861, 70);
        ShowDetail(FinishSequence == 1 ? 1849 : 1707, 150);
    } else if (code >= 40 && code <= 46) {
        ShowTitle(1862, 70);
        ShowEventDetail(1852, 1855, 1705);
    } else if (code == 31 || code == 55 || code == 57 || code == 75) {
        ShowTitle(1856, 70);
        ShowEventDetail(1843, 1855, 1844);
    }
}

// The header's own lap bytes: a replay saved after the race carries them.
void SetReplayTime(int lap, int minutes, int seconds, int hundredths) {
    if (lap < 0 || lap > 2)
        return;
    ReplayHeader.lapMinutes[lap] = (int8_t)minutes;
    ReplayHeader.lapSeconds[lap] = (int8_t)seconds;
    ReplayHeader.lapHundredths[lap] = (int8_t)hundredths;
}

int GetReplayMinutes(int lap) { return lap >= 0 && lap <= 2 ? ReplayHeader.lapMinutes[lap] : 0; }
int GetReplaySeconds(int lap) { return lap >= 0 && lap <= 2 ? ReplayHeader.lapSeconds[lap] : 0; }
int GetReplayHundredths(int lap) { return lap >= 0 && lap <= 2 ? ReplayHeader.lapHundredths[lap] : 0; }
