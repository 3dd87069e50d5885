// The front end's sounds: clicks, highlight, scroll, typing, errors,
// messages, jingles and the points loop, and the hover loops of the animated
// menu items, which start where the item's animation stands.

#include <cmath>

#include "frame/frame_state.h"
#include "frontend/frontend_state.h"
#include "menulayout/menulayout_state.h"
#include "race/race_state.h"
#include "sound/music.h"
#include "sound/sound_channels.h"
#include "sound/sound_control.h"
#include "sound/sound_mix.h"
#include "sound/sound_session.h"
#include "sound/sound_state.h"

enum {
    CLICK_SLOT = 175,
    HIGHLIGHT_SLOT = 177,
    SCROLL_SLOT = 186,
    TYPE_SLOT = 198,
    DELETE_SLOT = 199,
    ERROR_SLOT = 200,
    BUY_SLOT = 205,
    MESSAGE_SLOT = 206,
    SCREEN_CHANGE_SLOT = 207,
    NEW_BONUS_SLOT = 108,
    POINTS_SLOT = 109,
    BONUS_SLOT = 143,
    CHAMPIONSHIP_SLOT = 243,
};

static void PlayOneShot(int channel, int slot, float base, int loops = 0) {
    SetChannelVolume(channel, TruncOf(base * EffectLevel()));
    PlaySlot(channel, slot, loops, EffectParams);
}

static int SoundsOn() { return SoundOn == 1; }

int MenuSoundRequests[MENU_SOUND_KINDS];

static void CountRequest(int kind) { MenuSoundRequests[kind]++; }

void PlayClickSound() {
    CountRequest(MENU_SOUND_CLICK);
    if (!SoundsOn() || (ReadChannelStatus(CH_CLICK) & CHANNEL_QUEUED))
        return;
    PlayOneShot(CH_CLICK, CLICK_SLOT, 28000.0f);
}

void PlayMenuSound() {
    CountRequest(MENU_SOUND_HIGHLIGHT);
    if (!SoundsOn() || MenuSoundGuard)
        return;
    MenuSoundGuard = 1;
    PlayOneShot(CH_MENU_HIGHLIGHT, HIGHLIGHT_SLOT, 12000.0f);
}

void PlayScrollSound(int go, int) {
    if (go == 1)
        CountRequest(MENU_SOUND_SCROLL);
    if (!SoundsOn() || go != 1)
        return;
    if (ReadChannelStatus(CH_LIST_SCROLL) & CHANNEL_QUEUED)
        FlushChannel(CH_LIST_SCROLL);
    PlayOneShot(CH_LIST_SCROLL, SCROLL_SLOT, 12000.0f);
}

void PlayScreenChangeSound() {
    CountRequest(MENU_SOUND_SCREEN_CHANGE);
    if (SoundsOn())
        PlayOneShot(CH_SCREEN_CHANGE, SCREEN_CHANGE_SLOT, 15000.0f);
}

void PlayKeySound(int typing) {
    CountRequest(typing == 1 ? MENU_SOUND_KEY : MENU_SOUND_DELETE_KEY);
    if (!SoundsOn() || !ChannelIsDone(CH_FRONT_END))
        return;
    PlayOneShot(CH_FRONT_END, typing == 1 ? TYPE_SLOT : DELETE_SLOT, 19000.0f);
}

void PlayTypingSound(int kind) {
    CountRequest(MENU_SOUND_TYPING);
    if (!SoundsOn() || SoundUnavailable)
        return;
    static const int slots[3] = {TYPE_SLOT, DELETE_SLOT, MESSAGE_SLOT};
    if (kind >= 0 && kind <= 2)
        PlayOneShot(CH_FRONT_END, slots[kind], 24000.0f);
}

void PlayErrorSound() {
    CountRequest(MENU_SOUND_ERROR);
    if (!SoundsOn())
        return;
    if (!ChannelIsDone(CH_FRONT_END))
        FlushChannel(CH_FRONT_END);
    PlayOneShot(CH_FRONT_END, ERROR_SLOT, 24000.0f);
}

void PlayMessageSound() {
    CountRequest(MENU_SOUND_MESSAGE);
    if (SoundsOn() && ChannelIsDone(CH_FRONT_END))
        PlayOneShot(CH_FRONT_END, MESSAGE_SLOT, 24000.0f);
}

void PlayMessageSoundLoop() {
    if (SoundsOn())
        PlayOneShot(CH_FRONT_END, MESSAGE_SLOT, 28000.0f, 1);
}

// Asked for before the scene is ready, the sample waits for the frame to ask
// again.  It clears its own channel (18) before it plays there.
void PlayNewBonusSound() {
    CountRequest(MENU_SOUND_NEW_BONUS);
    if (!SoundsOn())
        return;
    if (SceneReady != 1) {
        NewBonusSoundPending = 1;
        return;
    }
    NewBonusSoundPending = 0;
    if (ReadChannelStatus(CH_FRONT_END) & (CHANNEL_QUEUED | CHANNEL_PLAYING))
        FlushChannel(CH_FRONT_END);
    PlayOneShot(CH_FRONT_END, NEW_BONUS_SLOT, 26000.0f);
}

void PlayPointsSound(int stop) {
    CountRequest(MENU_SOUND_POINTS);
    if (!SoundsOn())
        return;
    if (stop == 0) {
        if (!PointsLoopPlaying) {
            PlayOneShot(CH_POINTS, POINTS_SLOT, 26000.0f, -1);
            PointsLoopPlaying = 1;
        }
    } else if (stop == 1 && PointsLoopPlaying) {
        PointsLoopPlaying = 0;
        if (ChannelStatus[CH_POINTS] & (CHANNEL_QUEUED | CHANNEL_PLAYING))
            FlushChannel(CH_POINTS);
        PlayOneShot(CH_POINTS, BUY_SLOT, 26000.0f);
    }
}

void PlayBonusSound() {
    CountRequest(MENU_SOUND_BONUS);
    if (SoundsOn())
        PlayOneShot(CH_BONUS, BONUS_SLOT, 12000.0f, 15);
}

void PlayChampionshipJingle() {
    if (SoundsOn())
        PlayOneShot(CH_CHAMPIONSHIP_JINGLE, CHAMPIONSHIP_SLOT, 30000.0f);
}

void PlayBuySound() {
    if (SoundsOn() && ChannelIsDone(CH_POINTS))
        PlayOneShot(CH_POINTS, BUY_SLOT, 22000.0f);
}

void PlayJingle(int slot) {
    if (!SoundsOn() || JinglePlaying)
        return;
    if (ReadChannelStatus(CH_JINGLE) & CHANNEL_PLAYING)
        FlushChannel(CH_JINGLE);
    SetChannelVolume(CH_JINGLE, 25000);
    PlaySlot(CH_JINGLE, slot, 0, EffectParams);
    JinglePlaying = 1;
}

void StopJingle() {
    if (!SoundsOn() || !JinglePlaying)
        return;
    if (ReadChannelStatus(CH_JINGLE) & CHANNEL_PLAYING)
        FlushChannel(CH_JINGLE);
    JinglePlaying = 0;
}

void EnableSound() {
    if (SoundUnavailable == 1)
        return;
    SoundOn = 1;
    ResetRaceSounds();
    for (int& flag : HornFlags)
        flag = 0;
}

// ---------------------------------------------------------------------------
// Hover loops

struct HotSpot {
    int x, y;
    int item;
    int slot;
    int channel;            // 3..9
    float secondsPerFrame;  // 0: starts without a new start position
};

static const HotSpot MainMenuSpots[] = {
    {148, 364, 4, 180, 9, 0.01466f}, {576, 139, 2, 181, 3, 0.068f}, {204, 62, 1, 182, 5, 0.06666f},
    {562, 382, 6, 185, 4, 0.0886667f}, {453, 269, 3, 184, 7, 0.07f}, {76, 200, 5, 183, 8, 0.068f},
    {3, 440, 63, 242, 5, 0.0716f},
};

// The one hot spot of every other screen that has one; 0 slots mean none.
static HotSpot ScreenSpot(int screen) {
    switch (screen) {
    case 1:
    case 13:
    case 14:
        return {82, 393, 8, 184, 7, 0.07f};
    case 6:
    case 7:
    case 8:
        return {82, 393, 8, 181, 4, 0.068f};
    case 9:
    case 12:
        return {82, 393, 8, 183, 8, 0.068f};
    case 15:
    case 16:
        return {82, 393, 8, 180, 3, 0.0f};
    case 4:
        return {3, 440, 63, 242, 5, 0.0716f};
    case 18:
        if (NetworkChosen == 1)
            return {82, 393, 4, 183, 7, 0.068f};
        if (RecordsViaProfiles == 1)
            return {82, 393, 4, 184, 7, 0.07f};
        return {82, 393, 4, 182, 7, 0.06666f};
    default:
        return {0, 0, 0, 0, 0, 0.0f};
    }
}

static float SpotDistance(const HotSpot& spot) {
    const float dx = (float)(MouseX - spot.x), dy = (float)(MouseY - spot.y);
    return std::sqrt(dx * dx + dy * dy);
}

// One hot spot.  `shared`: another spot of the screen on the same channel is
// within reach this frame (two spots of the main menu share channel 5), so
// this one, out of reach, leaves the loop alone.
static void UpdateHotSpot(int screen, const HotSpot& spot, int shared) {
    const int k = spot.channel - HOVER_FIRST_CHANNEL;
    if (k < 0 || k >= HOVER_CHANNELS)
        return;
    const float d = SpotDistance(spot);
    if (d <= 100.0f) {
        if (HoverTimer > HoverDelay) {
            if (!HoverPlaying[k]) {
                if (spot.secondsPerFrame > 0.0f) {
                    const MenuItem& item = MenuScreenTable[screen][spot.item];
                    const int frame = item.currentPicture - item.firstPicture;
                    HoverParams = {};
                    HoverParams.callback = SoundDoneCallback;
                    HoverParams.user = &SoundDoneEvent;
                    HoverParams.start = TruncOf((float)frame * spot.secondsPerFrame * 22050.0f);
                }
                PlaySlot(spot.channel, spot.slot, -1, HoverParams);
                HoverPlaying[k] = 1;
            }
            const int volume = TruncOf((20000.0f - 200.0f * d) * EffectLevel());
            SetChannelVolume(spot.channel, volume < 0 ? 0 : volume);
        } else {
            HoverTimer += LastFrameTicks;
        }
    } else if (HoverPlaying[k] && !shared) {
        FlushChannel(spot.channel);
        HoverPlaying[k] = 0;
        HoverTimer = 0;
    }
}

static void UpdateHotSpots(int screen, const HotSpot* spots, int count) {
    int near[HOVER_CHANNELS] = {};
    for (int i = 0; i < count; i++) {
        const int k = spots[i].channel - HOVER_FIRST_CHANNEL;
        if (k >= 0 && k < HOVER_CHANNELS && SpotDistance(spots[i]) <= 100.0f)
            near[k] = 1;
    }
    for (int i = 0; i < count; i++) {
        const int k = spots[i].channel - HOVER_FIRST_CHANNEL;
        UpdateHotSpot(screen, spots[i], k >= 0 && k < HOVER_CHANNELS && near[k]);
    }
}

void UpdateMenuHoverSounds() {
    if (!SoundsOn())
        return;
    const int screen = MenuScreenShown;
    if (screen < 0 || screen >= MENU_SCREENS)
        return;
    if (screen == 0) {
        UpdateHotSpots(screen, MainMenuSpots, (int)(sizeof MainMenuSpots / sizeof MainMenuSpots[0]));
        return;
    }
    const HotSpot spot = ScreenSpot(screen);
    if (spot.slot != 0)
        UpdateHotSpots(screen, &spot, 1);
}

void StopMenuHoverSounds() {
    for (int k = 0; k < HOVER_CHANNELS; k++) {
        FlushChannel(HOVER_FIRST_CHANNEL + k);
        HoverPlaying[k] = 0;
    }
}
