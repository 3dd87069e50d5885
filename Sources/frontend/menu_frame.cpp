#include "frontend/menu_frame.h"
#include "frontend/records.h"

#include <cstdio>
#include <cstring>

#include "frame/display.h"
#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frontend/career.h"
#include "frontend/car_shop.h"
#include "frontend/championship.h"
#include "frontend/controls.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_actions.h"
#include "frontend/menu_graphics.h"
#include "frontend/menu_items.h"
#include "frontend/menu_panels.h"
#include "frontend/popups.h"
#include "frontend/profiles.h"
#include "frontend/race_select.h"
#include "frontend/replay_header.h"
#include "frontend/screen_setup.h"
#include "frontend/settings.h"
#include "frontend/text_entry.h"
#include "frontend/text_slots.h"
#include "menulayout/menu_table.h"
#include "menulayout/menulayout_state.h"
#include "net/lobby.h"
#include "net/net_drive.h"
#include "net/net_state.h"
#include "net/net_texts.h"
#include "net/session.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"
#include "race/race_state.h"
#include "render/bitmaps.h"
#include "render/overlay_blend.h"
#include "render/render_state.h"
#include "sound/music.h"
#include "sound/sound_session.h"
#include "sound/sound_state.h"

enum { SCREEN_WIDTH = 640, SCREEN_HEIGHT = 480, SHARED_ANIMATION_PICTURE = 284 };

// The 55 steps of the shared animation of picture 284.
static const short kSharedAnimation[55] = {
    284, 285, 286, 287, 288, 289, 290, 290, 290, 290, 290, 290, 290, 290, 290, 290, 290, 290, 290, 290,
    290, 290, 290, 290, 290, 290, 290, 291, 292, 293, 294, 295, 296, 297, 298, 298, 298, 298, 298, 298,
    298, 298, 298, 298, 298, 298, 298, 298, 298, 298, 298, 298, 298, 298, 299,
};

// The screen whose positions screen 25 holds: screen 0 from start-up.
static int BackupOwner;
// A blit onto the work surface found it lost: the rest of the frame is
// dropped.
static int FrameLost;
// One hover sound at most in a frame.
static int HoverSoundAllowed;
// A menu screen has been shown since the menus started: the first one has
// no screen to cross-fade from (the work surface holds the loading picture).
static int ScreenShownBefore;
// The screen left was kept at the end of the frame that chose the change,
// before the pointer was drawn over it.
static int ScreenLeftKept;
// The part of a level the cross-fade has fallen below MenuFadeLevel, kept
// for the next frame: at a few hundred frames a second a frame's drop is a
// fraction of a level.
static float FadeCarry;

// ---------------------------------------------------------------------------
// The quick race that --autorace asks for: four cars of different models
// and paints on the grid of the first track.
static void SetQuickRace() {
    static const int models[4] = {0, 6, 1, 12};
    CarCount = 4;
    for (int car = 0; car < 4; car++) {
        CarModel[car] = models[car];
        CarColour[car] = car;
    }
}

// ---------------------------------------------------------------------------
// Locking the work surface for the text drawer and the blends.

static int LockWork() { return LockMenuPixels(WorkSurface, &MenuTarget); }

static void UnlockWork() {
    if (MenuTarget.pixels)
        PlatSurfaceUnlock(WorkSurface);
    MenuTarget = {};
}

// A blit retried while the surface is still drawing, a bounded number of
// times; a lost surface ends the frame.
static void BlitRetrying(int x, int y, PlatSurface* source, const PlatRect* rect, int flags) {
    int result = DDERR_WASSTILLDRAWING;
    for (int i = 0; i < PLAT_STILL_DRAWING_RETRIES && (result == DDERR_WASSTILLDRAWING || result == DDERR_SURFACEBUSY);
         i++)
        result = PlatSurfaceBltFast(WorkSurface, x, y, source, rect, flags);
    if (result == DDERR_SURFACELOST)
        FrameLost = 1;
}

// ---------------------------------------------------------------------------
// Page roots: positions, background and cross-fade.

// The screen left gets back the positions it had when it was entered, and
// the screen entered keeps its own in screen 25: every slide starts over
// when a screen is entered again.
static void SwapPositionBackup(int entered) {
    MenuItem* backup = MenuScreenTable[MENU_BACKUP_SCREEN];
    if (BackupOwner >= 0 && BackupOwner < MENU_LAYOUT_SCREENS) {
        for (int i = 0; i < MENU_ITEM_COUNT; i++)
            CopyItemPositions(MenuScreenTable[BackupOwner][i], backup[i]);
    }
    for (int i = 0; i < MENU_ITEM_COUNT; i++)
        CopyItemPositions(backup[i], MenuScreenTable[entered][i]);
    BackupOwner = entered;
}

static void LoadPageBackground(const MenuItem& root) {
    if (root.textSlot < 0 || root.textSlot >= TEXT_SLOT_COUNT || !ScreenCopySurface)
        return;
    GetText(root.textSlot);
    BmpImage image;
    if (LoadBitmapFromVfs(TextBufferB, &image))
        CopyBitmapToSurface(ScreenCopySurface, &image);
}

// The screen left is kept as its last frame showed it, and the cross-fade
// blends the new background over that still copy afresh every frame: what
// the items draw during the fade is never blended again, so moving items
// leave no trails and the blend's rounding never builds up into dark bands.
static void KeepScreenLeft() {
    if (!WorkSurface || !FadeFromSurface)
        return;
    const PlatRect screen = {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
    PlatSurfaceBltFast(FadeFromSurface, 0, 0, WorkSurface, &screen, PLAT_WAIT);
    ScreenLeftKept = 1;
}

static void StartCrossFade() {
    FadeCarry = 0.0f;
    if (!ScreenShownBefore) {
        ScreenShownBefore = 1;
        MenuFadeLevel = 0;
        return;
    }
    MenuFadeLevel = MENU_FADE_START;
    // A jump or a return from a race fades from what the work surface holds.
    if (!ScreenLeftKept)
        KeepScreenLeft();
    ScreenLeftKept = 0;
}

// The level falls by 5 a frame at a frame-time factor of 1.0, about a
// second in all at any frame rate.
static void StepCrossFade() {
    const float drop = 5.0f * MenuFrameTicksAverage + FadeCarry;
    const int whole = (int)drop;
    FadeCarry = drop - (float)whole;
    MenuFadeLevel -= whole;
    if (MenuFadeLevel < 0)
        MenuFadeLevel = 0;
}

static void DrawPageBackground() {
    const PlatRect screen = {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
    if (MenuFadeLevel == 0 || !FadeFromSurface) {
        BlitRetrying(0, 0, ScreenCopySurface, &screen, 0);
        return;
    }
    BlitRetrying(0, 0, FadeFromSurface, &screen, 0);
    if (FrameLost || !LockWork())
        return;
    if (LockMenuPixels(ScreenCopySurface, &MenuOverlay)) {
        BlendPictureOverWorkSurface(MenuFadeLevel);
        PlatSurfaceUnlock(ScreenCopySurface);
    }
    MenuOverlay = {};
    UnlockWork();
}

static void HandlePageRoot(MenuItem& root) {
    if (root.flags & MENU_SHOWN) {
        SwapPositionBackup(MenuScreen);
        LoadPageBackground(root);
        MenuFrameTicksAverage = 1.0f;
        root.flags &= ~MENU_SHOWN;
        StartCrossFade();
        char line[32];
        snprintf(line, sizeof line, "menu screen %d", MenuScreen);
        PlatDebugOut(line);
    }
    if (!WorkSurface || !ScreenCopySurface)
        return;
    DrawPageBackground();
    if (MenuFadeLevel > 0)
        StepCrossFade();
    if (MenuScreen == 4 && LockWork()) {
        ScrollCredits(0);
        UnlockWork();
    }
}

// ---------------------------------------------------------------------------
// Pictures.

static int TextMode(uint32_t flags) { return (int)((flags >> MENU_TEXT_MODE_SHIFT) & 7); }

static int PictureReady(int n) { return n >= 0 && n < MENU_GFX_SLOTS && MenuGfxLoaded[n] && MenuGfxCache[n]; }

// The level map of a picture: a raw graphic that covers every pixel.
static int LevelMapOffset(int map, int width, int height) {
    if (map <= 0 || map >= MenuGfxCount || map >= MENU_GFX_MAX)
        return -1;
    if (MenuGfxSizes[map] < width * height)
        return -1;
    return MenuGfxOffsets[map];
}

// A translucent copy through the picture's level map.
static void BlendCopy(PlatSurface* picture, int x, int y, int width, int height, int pitch, int levels, int start) {
    if (PlatSurfaceWidth(WorkSurface) != SCREEN_WIDTH || PlatSurfacePitch(WorkSurface) != SCREEN_WIDTH * 2 ||
        PlatSurfacePitch(picture) != pitch * 2)
        return;
    if (!LockWork())
        return;
    BlendTarget = MenuTarget.pixels;
    BlendSource = (const uint16_t*)LockSurface(picture);
    if (BlendSource) {
        if (GreenMaskBits == 5)
            BlendOverlay555(x, y, width, height, pitch, levels, start);
        else
            BlendOverlay565(x, y, width, height, pitch, levels, start);
        PlatSurfaceUnlock(picture);
    }
    BlendTarget = nullptr;
    BlendSource = nullptr;
    UnlockWork();
}

// The copies of a picture, side by side, cut to the screen.
static void DrawPictureCopies(const MenuItem& it, int picture, int x, int y, int width, int height, int copies) {
    PlatSurface* surface = MenuGfxCache[picture];
    const int levels = LevelMapOffset(it.levelMap, width, height);
    for (int c = 0; c < copies && !FrameLost; c++, x += width) {
        int visibleWidth = x > 641 - width ? SCREEN_WIDTH - x : width;
        int visibleHeight = y > SCREEN_HEIGHT - height ? SCREEN_HEIGHT - y : height;
        if (x + width <= 0 || y + height <= 0 || x >= SCREEN_WIDTH || y >= SCREEN_HEIGHT)
            return;
        int sourceX = 0, sourceY = 0, drawX = x, drawY = y;
        if (drawX < 0) {
            sourceX = -drawX;
            visibleWidth += drawX;
            drawX = 0;
        }
        if (drawY < 0) {
            sourceY = -drawY;
            visibleHeight += drawY;
            drawY = 0;
        }
        if (visibleWidth <= 0 || visibleHeight <= 0 || visibleWidth > width || visibleHeight > height)
            return;
        if (levels >= 0) {
            BlendCopy(surface, drawX, drawY, visibleWidth, visibleHeight, width, levels, sourceY * width + sourceX);
        } else {
            const PlatRect rect = {sourceX, sourceY, sourceX + visibleWidth, sourceY + visibleHeight};
            BlitRetrying(drawX, drawY, surface, &rect, PLAT_BLT_KEYSRC);
        }
    }
}

// An animated picture draws its current frame, any other its first.
static int AnimatePicture(MenuItem& it) {
    if (it.extraFrames <= 0 || !(it.flags & MENU_LOOPING))
        return it.firstPicture;
    if (it.firstPicture == SHARED_ANIMATION_PICTURE) {
        SpriteAnimStep += MenuAnimSteps;
        if (SpriteAnimStep > 54)
            SpriteAnimStep = 0;
        it.currentPicture = kSharedAnimation[SpriteAnimStep];
    } else if (MenuAnimSteps >= 1) {
        it.currentPicture = (int16_t)(it.currentPicture + MenuAnimSteps);
        if (it.currentPicture > it.firstPicture + it.extraFrames || it.currentPicture < it.firstPicture)
            it.currentPicture = it.firstPicture;
    }
    return it.currentPicture;
}

static void HandlePicture(int index, MenuItem& it, void* device) {
    PreviousScreen = MenuScreen;
    int screen = MenuScreen, activated = 0;
    OnMenuItem(&screen, index, 0, &activated, &ListScrollDown, &ListScrollUp, device);
    if (screen != MenuScreen)
        RequestedScreen = screen;

    const int first = it.firstPicture;
    int width = 0, height = 0;
    const int ready = PictureReady(first);
    if (ready) {
        width = MenuGfxSize[first].width;
        height = MenuGfxSize[first].height;
    } else {
        char line[64];
        snprintf(line, sizeof line, "Error en MENUS gfx '%04d' no encontrado.", first);
        DebugLogText(line);
    }

    int copies = it.value;
    if (it.flags & (MENU_VALUE_UP | MENU_VALUE_DOWN)) {
        int value = it.value + ((it.flags & MENU_VALUE_UP) ? 1 : 0) - ((it.flags & MENU_VALUE_DOWN) ? 1 : 0);
        if (value > it.upperBound)
            value = it.upperBound;
        if (value < it.lowerBound)
            value = it.lowerBound;
        it.value = (int8_t)value;
        it.flags &= ~(MENU_VALUE_UP | MENU_VALUE_DOWN);
        copies = value;
    }

    const int mode = TextMode(it.flags);
    const int shift = mode == TEXT_MODE_RIGHT ? width : mode == TEXT_MODE_CENTRE ? width / 2 : 0;
    int x, y;
    if (it.flags & MENU_SLIDE_IN) {
        for (int step = 0; step < 2; step++) {
            it.x += (it.homeX - it.x) / 8.0f * MenuFrameTicksAverage;
            it.y += (it.homeY - it.y) / 8.0f * MenuFrameTicksAverage;
        }
        x = (int)it.x;
        y = (int)it.y;
    } else if (it.flags & MENU_SLIDE_OUT) {
        it.x += (it.targetX - it.x) / 16.0f;
        it.y += (it.targetY - it.y) / 16.0f;
        x = (int)it.x;
        y = (int)it.y;
    } else {
        const MenuItem& parent = MenuScreenTable[MenuScreen][it.parent];
        x = (int)it.x + (it.parent ? (int)parent.x : 0);
        y = (int)it.y + (it.parent ? (int)parent.y : 0);
    }
    x -= shift;

    int picture = AnimatePicture(it);
    if (ItemHovered) {
        if (MenuScreen == 3 && (index == 21 || index == 164))
            it.firstPicture = index == 21 ? 62 : 527;
        else
            picture++;
    }
    it.screenX = (float)x;
    it.screenY = (float)y;
    if (ready && copies > 0 && PictureReady(picture))
        DrawPictureCopies(it, picture, x, y, width, height, copies);
}

// ---------------------------------------------------------------------------
// Text items.

struct Rgb {
    int r, g, b;
};

static Rgb ColourChannels(int index) {
    const int colour = MenuColourTable[index < MENU_COLOURS ? index : 0];
    if (GreenMaskBits == 5)
        return {(colour >> 10) & 31, (colour >> 5) & 31, colour & 31};
    return {colour >> 11, (colour >> 5) & 63, colour & 31};
}

static void TextHover(int index, MenuItem& it, int* colour) {
    const int list = MenuListId >= 0 && MenuListId < MENU_LISTS ? MenuListId : 0;
    const int remembered = HoverScreen == MenuScreen && HoverItem == index;
    if (!ItemHovered) {
        *colour = it.colour;
        MenuSoundGuard = 0;
        if (remembered) {
            HoverItem = -1;
            ListHoverItem[list] = 0;
            HoverSoundAllowed = 1;
        }
        return;
    }
    *colour = it.hoverColour;
    if (HoverSoundAllowed && !remembered) {
        HoverScreen = MenuScreen;
        HoverItem = index;
        ListHoverItem[list] = index;
        HoverSoundAllowed = 0;
        PlayMenuSound();
    }
}

static void HandleText(int index, MenuItem& it, void* device) {
    PreviousScreen = MenuScreen;
    ItemHovered = 0;
    if (RequestedScreen == -1) {
        int screen = MenuScreen, activated = 0;
        OnMenuItem(&screen, index, it.font, &activated, &ListScrollDown, &ListScrollUp, device);
        if (screen != MenuScreen)
            RequestedScreen = screen;
    }
    if (!(it.flags & MENU_SHOWN))
        return;
    int colour = 0;
    TextHover(index, it, &colour);

    int x = 0, y = 0;
    if (it.parent) {
        const MenuItem& parent = MenuScreenTable[MenuScreen][it.parent];
        x = (int)parent.screenX;
        y = (int)parent.screenY;
    }
    if (it.flags & MENU_SLIDE_IN) {
        it.x += (it.homeX - it.x) / 8.0f;
        it.y += (it.homeY - it.y) / 8.0f;
    } else if (it.flags & MENU_SLIDE_OUT) {
        it.x += (it.targetX - it.x) / 16.0f;
        it.y += (it.targetY - it.y) / 16.0f;
    }
    x += (int)it.x;
    y += (int)it.y;
    it.screenX = (float)x;
    it.screenY = (float)y;

    const Rgb c = ColourChannels(colour);
    const Rgb h = ColourChannels(it.hoverColour);
    if (LockWork()) {
        DrawTextSlot(x, y, it.font, it.textSlot, TextMode(it.flags), c.r, c.g, c.b, h.r, h.g, h.b, it.letterSpacing);
        UnlockWork();
    }
}

// ---------------------------------------------------------------------------
// The item passes.

static void HideCareerDetail() {
    const MenuItem& panel = MenuScreenTable[3][52];
    if ((panel.flags & MENU_SLIDE_OUT) && !(panel.flags & MENU_SLIDE_IN) && panel.x > 640.0f) {
        for (int i = 53; i <= 148; i++)
            MenuScreenTable[3][i].flags &= ~MENU_SHOWN;
    }
    // The final cup's glint and its heading come after the cup panels in
    // the table: while a cup's panel is in they would stand on it.
    for (int item : {154, 159}) {
        if (panel.flags & MENU_SLIDE_IN)
            MenuScreenTable[3][item].flags &= ~MENU_SHOWN;
        else
            MenuScreenTable[3][item].flags |= MENU_SHOWN;
    }
}

static void HandleItem(int index, void* device) {
    ItemDoneMarks[index] = 1;
    MenuScreenShown = MenuScreen;
    MenuItem& it = MenuScreenTable[MenuScreen][index];
    if (it.flags == 0)
        return;
    // A text printed on a picture that comes later in the table would be
    // painted over by it (a translucent panel dims it): the picture is
    // handled first, and the text then stands on this frame's position.
    const MenuItem& parent = MenuScreenTable[MenuScreen][it.parent];
    if ((it.flags & MENU_TEXT) && it.parent > index && !ItemDoneMarks[it.parent] && (parent.flags & MENU_PICTURE)) {
        HandleItem(it.parent, device);
        if (FrameLost)
            return;
        MenuScreenShown = MenuScreen;
    }
    ParentItem = it.parent;
    if (MenuScreen == 3)
        HideCareerDetail();
    if (it.flags & MENU_PAGE_ROOT)
        HandlePageRoot(it);
    else if (it.flags & MENU_PICTURE) {
        if (it.flags & MENU_SHOWN)
            HandlePicture(index, it, device);
    } else if (it.flags & MENU_TEXT) {
        if (it.flags & MENU_SHOWN)
            HandleText(index, it, device);
    }
}

static void RunItemPasses(void* device) {
    ListScrollDown = 0;
    ListScrollUp = 0;
    for (int pass = 0; pass < MENU_PASSES && !FrameLost; pass++) {
        // The pop-ups come last: their boards stand over the whole screen,
        // whatever comes after them in the table.
        for (int i = 0; i < MENU_ITEM_COUNT && !FrameLost; i++) {
            if (!ItemDoneMarks[i] && !PopupItemOf(MenuScreen, i))
                HandleItem(i, device);
        }
        for (int i = 0; i < MENU_ITEM_COUNT && !FrameLost; i++) {
            if (!ItemDoneMarks[i])
                HandleItem(i, device);
        }
        if (RequestedScreen != -1)
            break;
    }
}

// ---------------------------------------------------------------------------
// The steps of a frame around the passes.

static void CareerNotices() {
    const int blink = (TickPhase & 4) != 0;
    if (NewBonusNotice) {
        MenuItem& button = MenuScreenTable[3][21];
        button.firstPicture = button.currentPicture = (int16_t)(blink ? 62 : 63);
        if (!NewBonusBlinkStarted) {
            NewBonusBlinkStarted = 1;
            PlayBonusSound();
        }
    }
    if (RewardNotice) {
        ShowSpecialRaceButton();
        MenuItem& reward = MenuScreenTable[3][164];
        reward.firstPicture = reward.currentPicture = (int16_t)(blink ? 527 : 528);
    }
}

// The selected session of a network game gives a joined lobby its
// championship.
static void LobbyUpkeep() {
    if (!NetworkGame)
        return;
    TakeSessionChampionship();
    MenuListId = 7;
    RefreshChampionshipInfo();
    const int sessions = NetSessionCount;
    if (sessions > 0 && sessions != RememberedSessionCount) {
        for (int r = 0; r < FILE_LIST_ROWS - 1; r++) {
            FileListRow[r][25] = 3;
            FileListRow[r][26] = 4;
        }
        ListSelection[6] = 0;
        FileListRow[0][25] = FileListRow[0][26] = 5;
        if (NetPlayerCount != RememberedPlayerCount) {
            EnumPlayersOfSession(0);
            RefreshChampionshipInfo();
        }
        RememberedSessionCount = sessions;
        RememberedPlayerCount = NetPlayerCount;
    }
}

static void OneShotJumps(void* device) {
    if (JumpToScreen5) {
        JumpToScreen5 = 0;
        KeyboardJumpGate = 0;
        TypedCharCount = 0;
        MenuListId = 7;
        RefreshChampionshipInfo();
        MenuScreen = 5;
        ShowPageRoot(5);
        ChampionshipClass = ChampionshipRaceClass(ListSelection[7] + ChampionshipGroupOffset, 0);
        ShowCategoryTabs(5, ClassToCategory(ChampionshipClass));
    }
    if (ChampionshipStartPending) {
        // The car choice after a championship race offers the next race's
        // class, its first car on show and taken.
        ChampionshipStartPending = 0;
        GarageCategory = ClassToCategory(
            ChampionshipRaceClass(ListSelection[8] + ChampionshipGroupOffset, ChampionshipRace));
        GaragePick = 0;
        SelectGarageCar(device);
        ChosenModel = ShowroomModel;
        ChosenColour = ShowroomColour;
        if (SplitScreen) {
            GetText(SLOT_PLAYER_NAMES + (PlayerBeingSet & 7));
            SetSlotText(253, TextBufferB);
        }
    }
    int* jumps[3] = {&JumpToScreen9, &JumpToScreen22, &JumpToScreen17};
    static const int targets[3] = {9, 22, 17};
    for (int j = 0; j < 3; j++) {
        if (*jumps[j]) {
            *jumps[j] = 0;
            MenuScreen = targets[j];
            ShowPageRoot(targets[j]);
            // A championship left from the pause menu is continued at the
            // race it left.
            if (!ChampionshipUnderWay)
                ChampionshipRace = 0;
        }
    }
    if (NetworkGame && JumpToScreen5Local && !WaitingForChoices) {
        StartRaceRequest = 1;
        ShowPopup(5, 1, 0, 0);
        JumpToScreen5Local = 0;
        MenuScreen = 5;
    }
}

// Every 60 ticks on the session and lobby screens: the lists are polled and
// shown in turn.
static void NetworkRefresh() {
    NetRefreshTicks += LastFrameTicks;
    if (MenuScreen != 9 && MenuScreen != 11)
        return;
    if (NetRefreshTicks <= 60)
        return;
    NetRefreshTicks = 0;
    NetRefreshParity ^= 1;
    if (MenuScreen == 9) {
        MenuScreenTable[11][5].flags |= MENU_SLIDE_IN;
        MenuScreenTable[11][6].flags |= MENU_SLIDE_IN;
        MenuScreenTable[11][10].flags |= MENU_HOVER_TEST;
        if (!(NetPlayerCount > 1 && NetIsHost))
            MenuScreenTable[11][5].flags |= MENU_SLIDE_OUT;
    } else if (RememberedIsHost != NetIsHost) {
        if (!NetIsHost)
            DisableLobbyItemA();
        else
            EnableLobbyItemA();
        RememberedIsHost = NetIsHost;
    }
    if (NetRefreshParity == 1) {
        if (!Hosting && !Joined && NetSessionOpen)
            EnumSessionsAsync();
    } else {
        ShowSessionList();
        ShowPlayerList();
    }
}

static int ListOfScreen(int screen) {
    switch (screen) {
    case 18: return 0;
    case 20: return 1;
    case 21: return 2;
    case 17: return 3;
    case 12: return 4;
    case 0: return 5;
    case 9: return 6;
    case 10: return 7;
    case 22: return 8;
    case 15: return 9;
    case 1: return 10;
    case 11: return 11;
    default: return 0;
    }
}

static void FirstFrameSetUp() {
    // The sound options below start the menu music at the chosen level.
    if (!SoundUnavailable)
        LoadSoundBank();
    const unsigned char* v = VisualSettings;
    ApplySoundOptionsAtStart(v[VISUAL_EFFECTS_LEVEL], v[VISUAL_MUSIC_LEVEL], CareerRecord.musicNumber, v[VISUAL_STEREO]);
    SetOptionToggles(v[1], v[2], v[3], v[5], v[4], v[0]);
    FillMenuColourTable();
    GetText(865);
    for (int i = 0; i < 8; i++)
        snprintf(PlayerNameTable[i], sizeof PlayerNameTable[i], "%.28s %d", TextBufferB, i + 1);
    SingleRaceMode = 0;
    TypedChar = 0;
    MouseFloatX = 320.0f;
    MouseFloatY = 250.0f;
    MouseX = 320;
    MouseY = 250;
    ShowCategoryTabs(4, 0);
    RefreshControls();
    ApplyDeviceChoice(0);
    LoadSettings(0);
    LoadDefaultRecords();
    for (int i = 0; i < 10; i++)
        ScrollChatLines();
    RenderKind = DisplayConfig.displayKind;
    if (RenderKind == 0)
        DisplayConfig.bitDepth = 16;
    WaitSeconds(3.5f);
    BackupOwner = 0;
    FirstMenuFrame = 0;
    TimerTicks = 0;
    PrevFrameTickCount = 0;
}

// The field being typed, and what its end commits.
static void TextEntryStep() {
    if (!KeyboardJumpGate && !EntryDone)
        return;
    if (KeyboardJumpGate) {
        const int row = EditedRow >= 0 && EditedRow < 8 ? EditedRow : 0;
        switch (MenuScreen) {
        case 18: TypedNameEntry(SLOT_NEW_PROFILE, ENTRY_NAME_MAX); break;
        case 21: TypedNameEntry(SLOT_SAVE_ROWS + (row < 6 ? row : 0), ENTRY_NAME_MAX); break;
        case 12: TypedNameEntry(SLOT_PLAYER_NAMES + row, ENTRY_NAME_MAX); break;
        case 11: ChatLineEntry(SLOT_CHAT_LINE, ENTRY_CHAT_MAX); break;
        }
    }
    if (!EntryDone)
        return;
    EntryDone = 0;
    if (MenuScreen == 18) {
        for (int i = 13; i <= 16; i++) {
            ThawItem(18, i);
            SetItemColours(18, i, 3, 4);
        }
    }
    if (EntryEndKey == 27)
        return;
    if (MenuScreen == 21 && TextSlotTable[SLOT_SAVE_ROWS + (EditedRow & 7)].length > 0)
        CommitSaveSlot();
    else if (MenuScreen == 18 && TextSlotTable[SLOT_NEW_PROFILE].length > 0 && CommitProfileName())
        FrameLost = 1;   // a special name or an existing profile ends the frame at once
}

void StartMenuMachine() {
    FirstMenuFrame = 1;
    MenuScreen = PreviousScreen = PendingScreen = 0;
    RequestedScreen = -1;
    BackupOwner = 0;
    MenuFadeLevel = 0;
    ScreenShownBefore = 0;
    ScreenLeftKept = 0;
    KeyboardJumpGate = 0;
    EntryDone = EntryCursor = EntryConfirm = 0;
    PopupOpenFlag = 0;
}

void RunMenuFrame(PlatSurface*, PlatDevice* device, int, const RectI*) {
    FrameLost = 0;
    HoverSoundAllowed = 1;
    NetCarryOutSessionLost();
    NetFrameWork();

    CareerNotices();
    if (RequestedScreen != -1) {
        if (RequestedScreen >= 0 && RequestedScreen < MENU_LAYOUT_SCREENS)
            MenuScreen = RequestedScreen;
        RequestedScreen = -1;
    }
    LobbyUpkeep();
    OneShotJumps(device);
    if (MenuScreen == 22 && ChampionshipChoice >= 12 && ChampionshipChoice <= 14)
        GaragePage = 2 * (ChampionshipChoice - 12);
    NetworkRefresh();
    NetDriveMenus();
    AnimateMoney();
    MenuRefreshFlag = 0;

    const int slow = SlowTicksPending.exchange(0);
    MenuAnimSteps = slow >= 1 ? slow : 0;
    if (MenuFrameTicksAverage > 4.0f)
        MenuFrameTicksAverage = 4.0f;
    memset(ItemDoneMarks, 0, sizeof ItemDoneMarks);

    if (KeyboardClick) {
        MouseClick = 1;
        KeyboardClick = 0;
    }
    MenuStateWord = MouseClick;
    KeyboardCellCount = 0;
    KeyboardCellTable[0].code = 0.0f;

    MenuListId = ChampionshipRunning ? 8 : ListOfScreen(MenuScreen);
    const int firstFrame = FirstMenuFrame;
    if (firstFrame)
        FirstFrameSetUp();
    if (PreviousScreen != MenuScreen)
        RunScreenEntry(device);
    if (BindingCapture)
        CaptureBinding();

    RunItemPasses(device);
    if (CommandLine.autorace && firstFrame) {
        // Until the menus start races themselves, --autorace asks for the
        // quick race in the first menu frame.  The page root is shown again
        // after this frame's passes, so the menus come back to this screen
        // with its background reloaded.
        SetQuickRace();
        StartRaceRequest = 1;
        ShowPageRoot(MenuScreen);
    }
    if (FrameLost)
        return;
    TextEntryStep();
    if (FrameLost)
        return;
    ScreenLeftKept = 0;
    if (RequestedScreen != -1)
        KeepScreenLeft();

    if (BindingCapture)
        TypedChar = 0;
    if (TypedChar == 13 || !KeyboardJumpGate)
        KeyboardCellJump();
    KeyboardCellStamp = 0;
    DrawMenuCursor();
    RunScreenLists(MenuScreen);
    UpdateAttractMode();
    // The car choice and the shop draw no 3D scene while their pop-up is
    // open: the car would stand over the message.
    ShowroomHidden = PopupOpenFlag;
}
