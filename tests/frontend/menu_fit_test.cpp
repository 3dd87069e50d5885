// Every menu screen of a fresh sample folder drawn by the menu frame, with
// the panels its buttons open and the pop-ups its actions show: each shown
// text lies inside its box, no two shown texts print over each other, and
// every item that takes a click draws a picture or a label, and no button
// frame stands there without a click or a label.  Where a text
// lies is worked out from the font widths, the glyphs' ink in the font strip
// and the positions the frame placed the items at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "common/test_game.h"
#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frontend/championship.h"
#include "frontend/menu_actions.h"
#include "frontend/menu_frame.h"
#include "frontend/menu_init.h"
#include "frontend/menu_items.h"
#include "frontend/controls.h"
#include "frontend/popups.h"
#include "frontend/race_results.h"
#include "frontend/screen_setup.h"
#include "frontend/settings.h"
#include "frontend/text_slots.h"
#include "menulayout/menu_table.h"
#include "net/net_state.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"
#include "race/messages.h"
#include "race/race_state.h"
#include "render/render_state.h"
#include "render/surfaces2d.h"
#include "render/text_printer.h"
#include "sound/music.h"
#include "sound/sound_state.h"
#include "frontend_test_util.h"

namespace {

enum { SCREEN_W = 640, SCREEN_H = 480, SETTLE_FRAMES = 24 };

// A rectangle of screen pixels, right and bottom exclusive; empty when
// left >= right.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Empty() const { return left >= right || top >= bottom; }
    bool Inside(const Rect& box) const {
        return left >= box.left && right <= box.right && top >= box.top && bottom <= box.bottom;
    }
    Rect Meet(const Rect& o) const {
        return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
    }
    void Add(const Rect& o) {
        if (o.Empty())
            return;
        if (Empty()) {
            *this = o;
            return;
        }
        left = std::min(left, o.left);
        top = std::min(top, o.top);
        right = std::max(right, o.right);
        bottom = std::max(bottom, o.bottom);
    }
};
const Rect kScreen = {0, 0, SCREEN_W, SCREEN_H};

std::string Show(const Rect& r) {
    std::ostringstream s;
    s << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
    return s.str();
}

// The ink of every glyph of the three menu fonts within its cell, read from
// the font strip the game draws from.
Rect GlyphInk[MENU_FONT_COUNT][MENU_FONT_GLYPHS];

void ReadGlyphInk() {
    const unsigned char* strip = MenuGfxBuffer + MenuGfxOffsets[0];
    for (int font = 0; font < MENU_FONT_COUNT; font++) {
        const MenuFont& metrics = MenuFontMetrics[font];
        for (int g = 0; g < MENU_FONT_GLYPHS; g++) {
            Rect ink;
            for (int row = 0; row < metrics.height; row++) {
                for (int col = 0; col < metrics.widths[g]; col++) {
                    const long at = metrics.stripOffset + (long)row * FONT_STRIP_WIDTH + GlyphStartTable[font][g] + col;
                    if (at < MenuGfxSizes[0] && strip[at] < BLEND_LEVELS)
                        ink.Add({col, row, col + 1, row + 1});
                }
            }
            GlyphInk[font][g] = ink;
        }
    }
}

std::string SlotText(int slot) {
    return std::string(TextSlotBlob + TextSlotTable[slot].offset, TextSlotTable[slot].length);
}

// Where a text item's glyphs land: the drawer's own placement (the line
// measure aligns each line) with each glyph's ink.
Rect TextInk(const MenuItem& it) {
    const std::string text = SlotText(it.textSlot);
    const int font = it.font, mode = (int)((it.flags >> MENU_TEXT_MODE_SHIFT) & 7);
    if (font < 0 || font >= MENU_FONT_COUNT)
        return {};
    const MenuFont& metrics = MenuFontMetrics[font];
    const int lineX = (int)it.screenX;
    int x = lineX, y = (int)it.screenY;
    const signed char cells = KeyboardCellCount;
    MeasureTextLine(0, mode, text.data(), (int)text.size(), font, 0, &x, &y);
    Rect ink;
    for (size_t i = 0; i < text.size(); i++) {
        const int c = (unsigned char)text[i];
        if (c == TEXT_MARK_HIGHLIGHT || c == TEXT_MARK_ONE || c == TEXT_MARK_KEY || c == TEXT_MARK_KEY2)
            continue;
        if (c == '\n') {
            x = lineX;
            y += metrics.height;
            MeasureTextLine((int)i + 1, mode, text.data(), (int)text.size(), font, 0, &x, &y);
        } else if (c <= ' ') {
            x += metrics.spaceAdvance;
        } else {
            const Rect& g = GlyphInk[font][c - 33];
            if (!g.Empty())
                ink.Add({x + g.left, y + g.top, x + g.right, y + g.bottom});
            x += metrics.widths[c - 33];
        }
    }
    KeyboardCellCount = cells;   // the measure registered cells of its own
    return ink;
}

int PictureReady(int n) { return n >= 0 && n < MENU_GFX_SLOTS && MenuGfxLoaded[n] && MenuGfxCache[n]; }

// The rectangle a picture item was drawn over (all its copies), or empty.
Rect PictureRect(const MenuItem& it) {
    if (!PictureReady(it.firstPicture) || it.value <= 0)
        return {};
    const int w = MenuGfxSize[it.firstPicture].width, h = MenuGfxSize[it.firstPicture].height;
    const int x = (int)it.screenX, y = (int)it.screenY;
    return Rect{x, y, x + w * it.value, y + h};
}

// A row of a list below its last entry: blank, and a click on it is
// ignored.  The lists write their rows into these slots.
bool EmptyListRow(const MenuItem& it) {
    const int slot = it.textSlot;
    if (!((slot >= 615 && slot <= 645) || (slot >= 754 && slot <= 761)))
        return false;
    return SlotText(slot).find_first_not_of(' ') == std::string::npos;
}

// Whether the frame drew anything over the page background inside `r`.
bool DrawsOnScreen(const Rect& r) {
    const Rect on = r.Meet(kScreen);
    if (on.Empty() || MenuFadeLevel != 0)
        return false;
    void *work = nullptr, *page = nullptr;
    int workPitch = 0, pagePitch = 0;
    if (PlatSurfaceLock(WorkSurface, nullptr, 0, &work, &workPitch) != 0)
        return false;
    bool drawn = false;
    if (PlatSurfaceLock(ScreenCopySurface, nullptr, 0, &page, &pagePitch) == 0) {
        for (int y = on.top; y < on.bottom && !drawn; y++) {
            const uint16_t* a = (const uint16_t*)((const char*)work + (long)y * workPitch);
            const uint16_t* b = (const uint16_t*)((const char*)page + (long)y * pagePitch);
            for (int x = on.left; x < on.right && !drawn; x++)
                drawn = a[x] != b[x];
        }
        PlatSurfaceUnlock(ScreenCopySurface);
    }
    PlatSurfaceUnlock(WorkSurface);
    return drawn;
}

// The bitmaps of the bars behind buttons, tabs and short values, and the
// single race's group buttons.
bool ButtonFrame(int picture) {
    return picture == 1 || picture == 4 || picture == 5 || picture == 7 || picture == 20 || picture == 21 ||
           (picture >= 60 && picture <= 63);
}

// Whether a drawn picture shows at its pixel (x, y): through its level map
// (levels of 100 and more leave the background; the blend reads a pixel's
// level one byte before it) or, with none, where it is not black, its
// colour key.
bool PictureShowsAt(const MenuItem& it, int x, int y) {
    const int n = it.firstPicture;
    if (!PictureReady(n))
        return false;
    const int w = MenuGfxSize[n].width, h = MenuGfxSize[n].height;
    if (x < 0 || y < 0 || y >= h || x >= w * it.value)
        return false;
    x %= w;
    const int map = it.levelMap;
    if (map > 0 && map < MenuGfxCount && MenuGfxSizes[map] >= w * h)
        return MenuGfxBuffer[MenuGfxOffsets[map] + y * w + x - 1] < BLEND_LEVELS;
    void* bits = nullptr;
    int pitch = 0;
    if (PlatSurfaceLock(MenuGfxCache[n], nullptr, 0, &bits, &pitch) != 0)
        return false;
    const bool shows = ((const uint16_t*)((const char*)bits + (long)y * pitch))[x] != 0;
    PlatSurfaceUnlock(MenuGfxCache[n]);
    return shows;
}

// The part of a drawn picture that shows.
Rect ShownRect(const MenuItem& it) {
    const Rect all = PictureRect(it);
    Rect shown;
    for (int y = all.top; y < all.bottom; y++)
        for (int x = all.left; x < all.right; x++)
            if (PictureShowsAt(it, x - all.left, y - all.top))
                shown.Add({x, y, x + 1, y + 1});
    return shown.Meet(kScreen);
}

Rect HitBox(const MenuItem& it) { return {it.hitLeft, it.hitTop, it.hitRight + 1, it.hitBottom + 1}; }

bool ParentOnScreen(int screen, const MenuItem& it) {
    const float x = MenuScreenTable[screen][it.parent].screenX;
    return x >= 0.0f && x <= 640.0f;
}

std::string Language(int language) {
    static const char* const names[4] = {"spanish", "english", "french", "german"};
    return names[language & 3];
}

struct MenuFit : FrontEndTest {
    // Track 60's folder holds the showroom of the cars of class 1.
    static void SetUpTestSuite() { MakeTestGameFolder("fit", false, {10, 60}); }
    void SetUp() override {
        FrontEndTest::SetUp();
        ASSERT_TRUE(StartHeadlessMenus());
        LoadMenuRawGraphics();
        LoadMenuGfxSet();
        PreloadMenuGfx();
        ReadGlyphInk();
        SoundUnavailable = 1;
        FrontEndActive = 1;
    }
    void TearDown() override {
        StopHeadlessMenus();
        FrontEndActive = 0;
        SingleRaceScreenPrepared = CareerScreenPrepared = ChampionshipScreenPrepared = 0;
        MouseX = MouseY = MouseClick = 0;
        ChampionshipRunning = 0;   // the championship screen starts one, which picks every screen's list
        FrontEndTest::TearDown();
    }

    // The message file of a language (0 spanish, 1 english, 2 french, 3
    // german), as start-up loads the chosen one.
    static void LoadLanguage(int language) {
        char path[32];
        snprintf(path, sizeof path, "MENUS\\mensaje%d.txt", language);
        ASSERT_GT(ReadWholeFile(path, TextSlotBlob, sizeof TextSlotBlob), 0) << path;
        TextFileSize = LastFileSize;
        IndexTextSlots(TextFileSize);
    }

    // The menus as start-up leaves them, on `screen`, settled.
    static void Enter(int screen, int greetings = 1) {
        // The single race, career and championship screens greet their
        // first visit with a pop-up of their own.
        SingleRaceScreenPrepared = CareerScreenPrepared = ChampionshipScreenPrepared = !greetings;
        InitMenus();
        FillMenuColourTable();
        StartMenuMachine();
        FirstMenuFrame = 0;
        MouseX = 639;
        MouseY = 0;
        Frames(2);
        if (screen != 0) {
            PendingScreen = screen;
            Frames(2);
        }
        Frames(SETTLE_FRAMES);
    }
    // Frames at the slowest pace the menus allow, so the slides are home in
    // a few frames.
    static void Frames(int n) {
        for (int i = 0; i < n; i++) {
            MenuFrameTicksAverage = 4.0f;
            RunMenuFrame(nullptr, nullptr, 0, nullptr);
        }
    }
    // A click in the middle of an item's hit box, then the screen settles.
    static void Click(int item) {
        const MenuItem& it = MenuScreenTable[MenuScreen][item];
        MouseX = (it.hitLeft + it.hitRight) / 2;
        MouseY = (it.hitTop + it.hitBottom) / 2;
        MouseClick = 1;
        Frames(1);
        MouseClick = 0;
        MouseX = 639;
        MouseY = 0;
        Frames(SETTLE_FRAMES);
    }

    // What is wrong with the screen as drawn, one line a fault.
    static std::vector<std::string> Faults(const std::string& where) {
        const int screen = MenuScreen;
        std::vector<std::string> faults;
        struct Drawn {
            int item;
            Rect rect;
            bool text;
        };
        std::vector<Drawn> drawn;
        for (int i = 1; i < MENU_ITEM_COUNT; i++) {
            const MenuItem& it = MenuScreenTable[screen][i];
            if (!(it.flags & MENU_SHOWN) || (it.flags & MENU_PAGE_ROOT))
                continue;
            if (it.parent && !ParentOnScreen(screen, it))
                continue;
            if (it.flags & MENU_PICTURE)
                drawn.push_back({i, PictureRect(it).Meet(kScreen), false});
            else if (it.flags & MENU_TEXT)
                drawn.push_back({i, TextInk(it), true});
        }
        auto label = [&](int i) {
            const MenuItem& it = MenuScreenTable[screen][i];
            std::string s = where + " item " + std::to_string(i);
            if (it.flags & MENU_TEXT)
                s += " \"" + SlotText(it.textSlot) + "\"";
            else
                s += " picture " + std::to_string(it.firstPicture);
            return s;
        };
        for (const Drawn& d : drawn) {
            const MenuItem& it = MenuScreenTable[screen][d.item];
            if ((it.flags & MENU_HOVER_TEST) && !EmptyListRow(it) && !DrawsOnScreen(d.rect))
                faults.push_back(label(d.item) + " takes a click but draws nothing");
            if (!d.text || d.rect.Empty())
                continue;
            Rect box = kScreen;
            std::string boxName = "the screen";
            // A text printed on a shown picture (its middle lies on it) is
            // that picture's; a caption beside its picture only has to stay
            // on the screen.
            const MenuItem& parent = MenuScreenTable[screen][it.parent];
            const Rect on = PictureRect(parent);
            const int cx = (d.rect.left + d.rect.right) / 2, cy = (d.rect.top + d.rect.bottom) / 2;
            const bool placedOn = cx >= on.left && cx < on.right && cy >= on.top && cy < on.bottom;
            if (it.parent && (parent.flags & MENU_PICTURE) && (parent.flags & MENU_SHOWN) && placedOn) {
                box = PictureRect(parent);
                boxName = "its picture " + std::to_string(parent.firstPicture) + " " + Show(box);
            } else if (it.flags & MENU_HOVER_TEST) {
                box = HitBox(it);
                boxName = "its hit box " + Show(box);
            }
            if (!d.rect.Inside(box))
                faults.push_back(label(d.item) + " " + Show(d.rect) + " runs out of " + boxName);
        }
        // A button frame (the plain and lit bars of buttons and tabs, the
        // group buttons) carries a text, whether it takes a click itself or
        // not: one with none looks like a button that does nothing, or one
        // that does something no one can tell.
        for (const Drawn& d : drawn) {
            const MenuItem& it = MenuScreenTable[screen][d.item];
            const Rect on = PictureRect(it);   // a frame slid away is not seen
            if (d.text || d.rect.Empty() || !ButtonFrame(it.firstPicture))
                continue;
            bool carries = false;
            for (const Drawn& t : drawn) {
                if (!t.text || t.rect.Empty())
                    continue;
                const int cx = (t.rect.left + t.rect.right) / 2, cy = (t.rect.top + t.rect.bottom) / 2;
                carries = carries || (cx >= on.left && cx < on.right && cy >= on.top && cy < on.bottom);
            }
            if (!carries)
                faults.push_back(label(d.item) + " " + Show(on) + " stands blank");
        }
        // A button is seen where it is clicked: the frame a label stands on
        // shows over the label's hit box and no further (a few pixels of
        // cut corners and edges aside), and no picture drawn after the
        // frame lies over the hit box.
        for (const Drawn& d : drawn) {
            const MenuItem& it = MenuScreenTable[screen][d.item];
            if (!d.text || d.rect.Empty() || !(it.flags & MENU_HOVER_TEST) || !it.parent)
                continue;
            const MenuItem& frame = MenuScreenTable[screen][it.parent];
            if (!(frame.flags & MENU_PICTURE) || !ButtonFrame(frame.firstPicture) || !d.rect.Inside(PictureRect(frame)))
                continue;
            const Rect shown = ShownRect(frame), hit = HitBox(it);
            const int slack = 6;
            if (std::abs(shown.left - hit.left) > slack || std::abs(shown.right - hit.right) > slack ||
                std::abs(shown.top - hit.top) > slack || std::abs(shown.bottom - hit.bottom) > slack)
                faults.push_back(label(d.item) + ": its frame shows at " + Show(shown) + ", its hit box is " +
                                 Show(hit));
        }
        // A board or panel drawn after a button that takes a click hides
        // none of its label, and none of a picture button (a pop-up's board
        // stands over what it leaves inert: its own check is below).
        for (const Drawn& d : drawn) {
            const MenuItem& it = MenuScreenTable[screen][d.item];
            if (!(it.flags & MENU_HOVER_TEST) || d.rect.Empty())
                continue;
            const int base = (it.flags & MENU_PICTURE) ? d.item : it.parent;   // the button's own picture
            for (const Drawn& p : drawn) {
                const MenuItem& over = MenuScreenTable[screen][p.item];
                // What stands on a pop-up is drawn after the rest.
                if (p.text || p.item <= base || p.rect.Empty() || PopupItemOf(screen, p.item) ||
                    PopupItemOf(screen, d.item))
                    continue;
                const Rect both = p.rect.Meet(d.rect);
                int covered = 0;
                for (int y = both.top; y < both.bottom; y++)
                    for (int x = both.left; x < both.right; x++)
                        covered += PictureShowsAt(over, x - (int)over.screenX, y - (int)over.screenY);
                if (covered > 0)
                    faults.push_back(label(p.item) + " lies over the button" + label(d.item).substr(where.size()) +
                                     " (" + std::to_string(covered) + " pixels of " + Show(d.rect) + ")");
            }
        }
        for (size_t a = 0; a < drawn.size(); a++) {
            if (!drawn[a].text || drawn[a].rect.Empty())
                continue;
            for (size_t b = a + 1; b < drawn.size(); b++) {
                if (!drawn[b].text || drawn[b].rect.Empty())
                    continue;
                const Rect both = drawn[a].rect.Meet(drawn[b].rect);
                if (both.Empty())
                    continue;
                // The same text at the same place prints as one.
                const MenuItem& ia = MenuScreenTable[screen][drawn[a].item];
                const MenuItem& ib = MenuScreenTable[screen][drawn[b].item];
                if (SlotText(ia.textSlot) == SlotText(ib.textSlot) && ia.font == ib.font &&
                    drawn[a].rect.left == drawn[b].rect.left && drawn[a].rect.top == drawn[b].rect.top)
                    continue;
                bool covered = false;   // a panel drawn between them hides the first
                for (size_t p = a + 1; p < b && !covered; p++)
                    covered = !drawn[p].text && both.Inside(drawn[p].rect);
                if (!covered)
                    faults.push_back(label(drawn[a].item) + " and" + label(drawn[b].item).substr(where.size()) +
                                     " print over each other at " + Show(both));
            }
        }
        return faults;
    }

    // A text stands on its picture: with the picture hidden it is printed
    // where the picture last stood, or in the corner.
    static std::vector<std::string> StrayTexts(const std::string& where) {
        const int screen = MenuScreen;
        std::vector<std::string> faults;
        for (int i = 1; i < MENU_ITEM_COUNT; i++) {
            const MenuItem& it = MenuScreenTable[screen][i];
            const MenuItem& under = MenuScreenTable[screen][it.parent];
            if ((it.flags & MENU_TEXT) && (it.flags & MENU_SHOWN) && it.parent && (under.flags & MENU_PICTURE) &&
                !(under.flags & MENU_SHOWN) && !TextInk(it).Empty())
                faults.push_back(where + " item " + std::to_string(i) + " \"" + SlotText(it.textSlot) +
                                 "\" is shown without its picture " + std::to_string(it.parent));
        }
        return faults;
    }

    // What is wrong with the pop-up open on the screen: its board is the
    // one shown on the screen, its question and buttons (their labels and
    // hit boxes) lie inside the board, and nothing of the screen under it
    // shows through: the board looks the same with every other item of the
    // screen hidden.
    static std::vector<std::string> PopupFaults(const std::string& where) {
        const int screen = MenuScreen;
        std::vector<std::string> faults;
        int board = 0;
        Rect on;
        for (int i = 1; i < MENU_ITEM_COUNT; i++) {
            const MenuItem& it = MenuScreenTable[screen][i];
            if (PopupItemOf(screen, i) == i && (it.flags & MENU_SHOWN) && !PictureRect(it).Meet(kScreen).Empty()) {
                board = i;
                on = PictureRect(it);
            }
        }
        if (!board)
            return {where + ": no pop-up board is shown"};
        int texts = 0;
        for (int i = 1; i < MENU_ITEM_COUNT; i++) {
            const MenuItem& it = MenuScreenTable[screen][i];
            if (PopupItemOf(screen, i) != board || !(it.flags & MENU_TEXT) || !(it.flags & MENU_SHOWN))
                continue;
            const Rect ink = TextInk(it);
            texts += !ink.Empty();
            const std::string name = where + " item " + std::to_string(i) + " \"" + SlotText(it.textSlot) + "\"";
            if (!ink.Empty() && !ink.Inside(on))
                faults.push_back(name + " " + Show(ink) + " lies off its board " + Show(on));
            if ((it.flags & MENU_HOVER_TEST) && !HitBox(it).Inside(on))
                faults.push_back(name + ": its hit box " + Show(HitBox(it)) + " lies off its board " + Show(on));
        }
        if (texts == 0)
            faults.push_back(where + ": the board shows no text");
        // The board's cut corners show what is under them.
        const Rect inner = {on.left + 5, on.top + 5, on.right - 5, on.bottom - 5};
        const std::vector<uint16_t> drawn = Pixels(inner);
        uint32_t kept[MENU_ITEM_COUNT];
        for (int i = 1; i < MENU_ITEM_COUNT; i++) {
            kept[i] = MenuScreenTable[screen][i].flags;
            if (!PopupItemOf(screen, i))
                MenuScreenTable[screen][i].flags &= ~MENU_SHOWN;
        }
        Frames(1);
        const std::vector<uint16_t> alone = Pixels(inner);
        for (int i = 1; i < MENU_ITEM_COUNT; i++)
            MenuScreenTable[screen][i].flags = kept[i];
        Frames(1);
        int through = 0;
        for (size_t k = 0; k < drawn.size() && k < alone.size(); k++)
            through += drawn[k] != alone[k];
        if (drawn.empty() || through > 0)
            faults.push_back(where + ": " + std::to_string(through) + " pixels of the screen under the board " +
                             Show(on) + " show through it");
        return faults;
    }
    // The work surface's pixels inside `r`, row by row.
    static std::vector<uint16_t> Pixels(const Rect& r) {
        std::vector<uint16_t> out;
        void* bits = nullptr;
        int pitch = 0;
        if (PlatSurfaceLock(WorkSurface, nullptr, 0, &bits, &pitch) != 0)
            return out;
        const Rect on = r.Meet(kScreen);
        for (int y = on.top; y < on.bottom; y++)
            for (int x = on.left; x < on.right; x++)
                out.push_back(((const uint16_t*)((const char*)bits + (long)y * pitch))[x]);
        PlatSurfaceUnlock(WorkSurface);
        return out;
    }
};

std::string Lines(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& l : lines)
        s += l + "\n";
    return s;
}

TEST_F(MenuFit, EveryScreenAsItOpens) {
    std::vector<std::string> faults;
    for (int language = 0; language < 4; language++)
    for (int screen = 0; screen < MENU_LAYOUT_SCREENS; screen++) {
        LoadLanguage(language);
        Enter(screen);
        ASSERT_EQ(MenuScreenShown, screen);
        const std::vector<std::string> f = Faults(Language(language) + " screen " + std::to_string(screen));
        faults.insert(faults.end(), f.begin(), f.end());
    }
    EXPECT_TRUE(faults.empty()) << faults.size() << " faults\n" << Lines(faults);
}

// Every pop-up the menus open, by screen and type: the first visits of the
// single race, career and championship screens, the career's awards and
// refusals, the car choice's and the shop's messages, the options', the
// profiles', the saves' and the standings', and the network screens' when a
// session cannot be hosted or joined.  (The network layer's own message of
// a lost connection, type 5, is not a menu's: it is left out.)
struct PopupCase {
    int screen, type, kind;
};
std::vector<PopupCase> PopupCases() {
    std::vector<PopupCase> cases;
    auto add = [&](int screen, std::initializer_list<int> types) {
        for (int t : types)
            cases.push_back({screen, t, 0});
    };
    add(0, {0, 1, 2, 10});
    add(2, {0, 1});
    add(3, {0, 1, 2, 3, 6, 7, 9, CAREER_NO_PROFILE});
    add(5, {0, 2, 6});
    cases.push_back({5, 2, 1});   // the race start refused for a race not in the folder
    add(7, {0});
    add(8, {0});
    add(9, {2, 3});
    add(10, {0, 1});
    add(15, {0});
    add(18, {0, 1, 2, 3});
    add(19, {0, 1, 2, 3, 4});
    add(20, {0, 1, 2});
    add(21, {0});
    add(22, {0, 1, 2, 3, 4, 6, 7});
    return cases;
}

TEST_F(MenuFit, EveryPopUp) {
    std::vector<std::string> faults;
    for (int language = 0; language < 4; language++)
    for (const PopupCase& c : PopupCases()) {
        LoadLanguage(language);
        Enter(c.screen, 0);
        ShowPopup(c.screen, c.type, c.kind, 0);
        Frames(SETTLE_FRAMES);
        std::ostringstream where;
        where << Language(language) << " pop-up " << c.screen << "/" << c.type << "/" << c.kind;
        for (const std::vector<std::string>& f : {Faults(where.str()), PopupFaults(where.str())})
            faults.insert(faults.end(), f.begin(), f.end());
        if (c.screen != 3 || c.type != 1)
            continue;
        // The career's award messages: the same panel, a text by kind.
        for (int kind = 0; kind <= 6; kind++) {
            for (int sub = 0; sub <= 4; sub++) {
                ShowPopup(3, 1, kind, sub);
                Frames(2);
                const std::vector<std::string> k = Faults(where.str() + " (" + std::to_string(kind) + "," +
                                                          std::to_string(sub) + ")");
                faults.insert(faults.end(), k.begin(), k.end());
            }
        }
    }
    EXPECT_TRUE(faults.empty()) << faults.size() << " faults\n" << Lines(faults);
}

// The main menu's quit question stands over the menu as a pop-up does.
TEST_F(MenuFit, TheQuitQuestion) {
    std::vector<std::string> faults;
    for (int language = 0; language < 4; language++) {
        LoadLanguage(language);
        Enter(0, 0);
        Click(18);
        Frames(SETTLE_FRAMES);
        const std::vector<std::string> f = PopupFaults(Language(language) + " quit question");
        faults.insert(faults.end(), f.begin(), f.end());
    }
    EXPECT_TRUE(faults.empty()) << faults.size() << " faults\n" << Lines(faults);
}

// The panels that buttons open: the main menu's four boards and its quit
// question, the career's cups, the records' pages.
TEST_F(MenuFit, ThePanelsTheButtonsOpen) {
    struct Opened {
        int screen;
        std::vector<int> clicks;
    };
    const Opened opened[] = {
        {0, {13}}, {0, {14}}, {0, {16}}, {0, {17}}, {0, {18}},
        {3, {24}}, {3, {25}}, {3, {26}}, {3, {27}}, {3, {28}}, {3, {29}}, {3, {30}},
        {14, {27}}, {14, {27, 27}}, {1, {27}}, {1, {27, 27}}, {1, {27, 27, 27}}, {1, {27, 27, 27, 27}},
    };
    std::vector<std::string> faults;
    for (int language = 0; language < 4; language++)
    for (const Opened& o : opened) {
        LoadLanguage(language);
        Enter(o.screen, 0);
        std::string where = Language(language) + " screen " + std::to_string(o.screen) + " after";
        for (int item : o.clicks) {
            Click(item);
            where += " " + std::to_string(item);
        }
        const std::vector<std::string> f = Faults(where);
        faults.insert(faults.end(), f.begin(), f.end());
    }
    EXPECT_TRUE(faults.empty()) << faults.size() << " faults\n" << Lines(faults);
}

// The car choice (screen 5) in each mode a player reaches it in and the car
// shop (screen 19), with each class's tab lit: every class tab shows its
// own label and car count on its own frame (the lit twin where the tab is,
// the plain one elsewhere), no words are printed twice, each value in the
// car panels stands on the row of exactly one label, to its right, and no
// frame stands there blank.  Both screens number their tabs alike.
bool HasLetters(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return std::isalpha((unsigned char)c); });
}
std::string Trimmed(std::string text) {
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    while (!text.empty() && text.front() == ' ')
        text.erase(text.begin());
    return text;
}
bool RowsMeet(const Rect& a, const Rect& b) { return a.top < b.bottom && b.top < a.bottom; }

std::vector<std::string> CarScreenFaults(int s, const std::string& where, int category) {
    std::vector<std::string> faults;
    auto shown = [&](int i) {
        const MenuItem& it = MenuScreenTable[s][i];
        return (it.flags & MENU_SHOWN) && (!it.parent || ParentOnScreen(s, it));
    };
    auto name = [&](int i) { return where + " item " + std::to_string(i); };
    for (int k = 0; k < 5; k++) {
        const bool lit = k == category;
        // The lit twin is drawn over the plain frame, which stays.
        const int frame = lit ? 54 + k : 9 + k;
        const int label = lit ? 59 + k : 29 + k, count = lit ? 64 + k : 34 + k;
        const Rect on = PictureRect(MenuScreenTable[s][frame]), plain = PictureRect(MenuScreenTable[s][9 + k]);
        if (!shown(frame) || shown(lit ? 29 + k : 59 + k) || (lit && !(plain.left == on.left && plain.top == on.top)) ||
            (!lit && shown(54 + k)))
            faults.push_back(name(frame) + ": tab " + std::to_string(k) + " is not drawn by its own frame");
        for (int text : {label, count}) {
            const Rect ink = TextInk(MenuScreenTable[s][text]);
            if (!shown(text) || ink.Empty() || !ink.Inside(on))
                faults.push_back(name(text) + " \"" + SlotText(MenuScreenTable[s][text].textSlot) + "\" " + Show(ink) +
                                 " is not on its tab " + Show(on));
        }
    }
    std::vector<int> texts;
    for (int i = 1; i < MENU_ITEM_COUNT; i++) {
        if ((MenuScreenTable[s][i].flags & MENU_TEXT) && shown(i) && !TextInk(MenuScreenTable[s][i]).Empty())
            texts.push_back(i);
    }
    for (size_t a = 0; a < texts.size(); a++) {
        const std::string ta = Trimmed(SlotText(MenuScreenTable[s][texts[a]].textSlot));
        for (size_t b = a + 1; b < texts.size(); b++) {
            const std::string tb = Trimmed(SlotText(MenuScreenTable[s][texts[b]].textSlot));
            if (HasLetters(ta) && HasLetters(tb) && (tb.rfind(ta, 0) == 0 || ta.rfind(tb, 0) == 0))
                faults.push_back(name(texts[a]) + " \"" + ta + "\" and item " + std::to_string(texts[b]) + " \"" + tb +
                                 "\" say the same");
        }
    }
    // The car panels (items 4 and 6): labels in colour 4, values in 5.
    for (int i : texts) {
        const MenuItem& value = MenuScreenTable[s][i];
        if ((value.parent != 4 && value.parent != 6) || value.colour != 5)
            continue;
        const Rect v = TextInk(value);
        int labels = 0;
        for (int j : texts) {
            const MenuItem& label = MenuScreenTable[s][j];
            if (j == i || label.parent != value.parent || !RowsMeet(TextInk(label), v))
                continue;
            if (label.colour == 5 || TextInk(label).right > v.left)
                faults.push_back(name(j) + " shares the row of the value " + std::to_string(i) +
                                 " and is no label to its left");
            else
                labels++;
        }
        if (labels != 1)
            faults.push_back(name(i) + " \"" + SlotText(value.textSlot) + "\" stands beside " +
                             std::to_string(labels) + " labels");
    }
    return faults;
}

// The single race screen as a player leaves it after each track-group
// button: every button names its group and the three that play a demo say
// so; a group picked stands on the lit frame, alone; after a demo the
// screen comes back as it was, with no frame standing blank.
std::string TextsOn(int screen, int picture) {
    std::string texts;
    for (int i = 1; i < MENU_ITEM_COUNT; i++) {
        const MenuItem& it = MenuScreenTable[screen][i];
        if (it.parent == picture && (it.flags & MENU_TEXT) && (it.flags & MENU_SHOWN) && !TextInk(it).Empty())
            texts += "[" + Trimmed(SlotText(it.textSlot)) + "]";
    }
    return texts;
}

TEST_F(MenuFit, TheSingleRaceScreenAfterEachTrackGroup) {
    std::vector<std::string> faults;
    for (int language = 0; language < 4; language++) {
        LoadLanguage(language);
        const std::string demoWord = Trimmed(SlotText(MenuScreenTable[2][11].textSlot));
        Enter(2, 0);
        const int wasCode = TrackCode;
        for (int item = 15; item <= 19; item++) {
            const std::string where = Language(language) + " single race after group " + std::to_string(item);
            const std::string texts = TextsOn(2, item);
            // A name of letters, and DEMO under it on the demo buttons.
            EXPECT_TRUE(HasLetters(texts)) << where << ": the button names no group";
            EXPECT_EQ(texts.find("[" + demoWord + "]") != std::string::npos, item >= 17) << where << ": " << texts;
            Click(item);
            if (item >= 17) {
                // The demo's race is the frame's to run (the whole-program
                // route plays them); the menus come back on the single race
                // screen as the button left it.
                StartRaceRequest = RaceFromReplay = ReplayWatched = ReplayFromFile = 0;
                ReplayPlaying = ReplayPlayback = 0;
                Frames(SETTLE_FRAMES);
            }
            EXPECT_EQ(MenuScreenShown, 2) << where;
            const std::vector<std::string> f = Faults(where);
            faults.insert(faults.end(), f.begin(), f.end());
            for (int other = 15; other <= 19; other++) {
                const bool lit = MenuScreenTable[2][other].firstPicture == 61;
                EXPECT_EQ(lit, other == item && item < 17) << where << ": group " << other << (lit ? " is" : " is not")
                                                          << " on the lit frame";
            }
            if (item < 17) {
                EXPECT_EQ(TrackCode, CareerTrackCode(item - 15, 4)) << where;
            }
        }
        TrackCode = wasCode;
    }
    EXPECT_TRUE(faults.empty()) << faults.size() << " faults\n" << Lines(faults);
}

// The names on the group buttons are hot keys like the labels of text
// buttons: each group's letter takes the pointer onto its own button, and
// no two keys of the screen share a letter.
TEST_F(MenuFit, EachTrackGroupHasAKeyOfItsOwn) {
    for (int language = 0; language < 4; language++) {
        LoadLanguage(language);
        Enter(2, 0);
        std::set<int> codes;
        for (int c = 0; c < KeyboardCellCount; c++) {
            const int code = (int)KeyboardCellTable[c].code;
            EXPECT_TRUE(codes.insert(code).second) << Language(language) << ": two keys " << (char)code;
        }
        for (int item = 15; item <= 19; item++) {
            const MenuItem& button = MenuScreenTable[2][item];
            int on = 0;
            for (int c = 0; c < KeyboardCellCount; c++) {
                const KeyboardCell& cell = KeyboardCellTable[c];
                on += cell.cellX >= button.hitLeft && cell.cellX <= button.hitRight && cell.cellY >= button.hitTop &&
                      cell.cellY <= button.hitBottom;
            }
            EXPECT_EQ(on, 1) << Language(language) << ": keys on group button " << item;
        }
    }
}

TEST_F(MenuFit, TheCarChoiceInEveryModeAndClass) {
    std::vector<std::string> faults;
    // The main menu's SINGLE RACE and CAREER choose the mode (the career
    // shows the money and the shop on the car choice).
    for (int mode : {38, 39})
    for (int language = 0; language < 4; language++)
    for (int category = 0; category < 5; category++) {
        LoadLanguage(language);
        Enter(0, 0);
        int screen = 0;
        MainMenuAction(&screen, mode);
        PendingScreen = 5;
        Frames(2);
        ShowCategoryTabs(5, category);
        Frames(SETTLE_FRAMES);
        const std::string where = Language(language) + (mode == 38 ? " single race" : " career") + " class " +
                                  std::to_string(category);
        for (const std::vector<std::string>& f : {Faults(where), CarScreenFaults(5, where, category)})
            faults.insert(faults.end(), f.begin(), f.end());
    }
    EXPECT_TRUE(faults.empty()) << faults.size() << " faults\n" << Lines(faults);
}

// The shop as the career's car choice opens it, each tab clicked in turn
// (the lit tab takes no click).
TEST_F(MenuFit, TheCarShopInEveryLanguageAndClass) {
    std::vector<std::string> faults;
    for (int language = 0; language < 4; language++) {
        LoadLanguage(language);
        ShopFromCarChoice = ShopFromCareer = 0;   // the car choice shows the way to the shop
        Enter(0, 0);
        int screen = 0;
        MainMenuAction(&screen, 39);
        PendingScreen = 5;
        Frames(2);
        Frames(SETTLE_FRAMES);
        Click(85);
        Frames(SETTLE_FRAMES);
        ASSERT_EQ(MenuScreen, 19);
        for (int category = 0; category < 5; category++) {
            if (MenuScreenTable[19][29 + category].flags & MENU_SHOWN)
                Click(29 + category);
            ASSERT_EQ(GarageCategory, category);
            const std::string where = Language(language) + " shop class " + std::to_string(category);
            for (const std::vector<std::string>& f : {Faults(where), CarScreenFaults(19, where, category)})
                faults.insert(faults.end(), f.begin(), f.end());
        }
    }
    ShopFromCarChoice = ShopFromCareer = 0;
    EXPECT_TRUE(faults.empty()) << faults.size() << " faults\n" << Lines(faults);
}

// The display, sound and controls screens as a player leaves them after
// each thing done on them, in the four languages: the display's tiles and
// the presets switched, the stereo switched, and on the controls a device
// switched, a redefinition waiting for its first key, a whole capture of
// eleven keys, the other player's capture under way and DEFAULTS.
struct Done {
    std::string what;
    std::vector<int> clicks;
    int keys = 0;   // keys pressed for the capture after the clicks
};

// One key of the capture: seen up, then down for a frame, then up.
void PressForCapture(int scan) {
    KeyState[scan] = 0;
    MenuFit::Frames(1);
    KeyState[scan] = 0x80;
    MenuFit::Frames(1);
    KeyState[scan] = 0;
    MenuFit::Frames(1);
}
const int kCaptureKeys[11] = {0x11, 0x1F, 0x1E, 0x20, 0x10, 0x12, 0x13, 0x21, 0x2E, 0x2C, 0x2D};   // W S A D Q E R F C Z X

TEST_F(MenuFit, TheOptionScreensAfterWhatIsDoneOnThem) {
    const std::vector<std::pair<int, Done>> cases = {
        {6, {"the tiles switched", {26, 29, 35, 38, 40}}}, {6, {"the tiles switched back", {26, 29, 35, 38, 40, 28, 30, 36, 37, 39}}},
        {6, {"DEFAULTS", {14}}}, {6, {"the second preset", {15}}}, {6, {"the third preset", {16}}},
        {7, {"the stereo switched", {18}}}, {7, {"the sliders stepped", {20, 26, 28}}},
        {8, {"player 1 on the joystick", {17}}}, {8, {"player 2 on the joystick", {19}}},
        {8, {"a redefinition waiting", {18}}}, {8, {"a redefinition half done", {18}, 5}},
        {8, {"a whole capture", {18}, 11}}, {8, {"player 2's capture", {20}, 3}},
        {8, {"a capture, then DEFAULTS", {18, 14}, 11}},
    };
    std::vector<std::string> faults;
    for (int language = 0; language < 4; language++)
    for (const auto& [screen, done] : cases) {
        LoadLanguage(language);
        LoadSettings(0);
        SettingsInts[8] = 0;
        Enter(screen, 0);
        ASSERT_EQ(MenuScreenShown, screen);
        const std::string where = Language(language) + " screen " + std::to_string(screen) + " after " + done.what;
        for (size_t c = 0; c < done.clicks.size(); c++) {
            // DEFAULTS comes after the keys of the capture it undoes.
            if (done.clicks[c] == 14 && screen == 8)
                for (int k = 0; k < done.keys; k++)
                    PressForCapture(kCaptureKeys[k]);
            Click(done.clicks[c]);
        }
        if (screen == 8 && done.clicks.back() != 14) {
            for (int k = 0; k < done.keys; k++)
                PressForCapture(kCaptureKeys[k]);
            Frames(SETTLE_FRAMES);
        }
        for (const std::vector<std::string>& f : {Faults(where), StrayTexts(where)})
            faults.insert(faults.end(), f.begin(), f.end());
        if (screen == 8) {
            // The capture asks for the action it waits for, and only while
            // it runs; DEFAULTS brings back the factory keys.
            const bool running = BindingCapture == 1;
            EXPECT_EQ(running, done.keys < 11 && done.clicks.back() != 17 && done.clicks.back() != 19) << where;
            EXPECT_EQ((MenuScreenTable[8][55].flags & MENU_SHOWN) != 0, running) << where;
            if (running) {
                const int line = BindingAction < 2 ? 15 + BindingAction : 27 + BindingAction;
                EXPECT_EQ(MenuScreenTable[8][line].colour, 5) << where << ": the waiting action is marked";
                EXPECT_EQ(SlotText(762 + BindingAction).substr(0, 1), "?") << where;
            }
            if (done.what == "a whole capture") {
                EXPECT_EQ(ControlBindings[0][0].code, 0x11) << "W accelerates player 1";
            }
            if (done.clicks.back() == 14) {
                SettingsRecord factory;
                FactorySettings(&factory);
                EXPECT_EQ(memcmp(ControlBindings, factory.bindings, sizeof ControlBindings), 0) << where;
                EXPECT_EQ(SettingsInts[0] + SettingsInts[1], 0) << where << ": both players on the keyboard";
            }
        }
        BindingCapture = 0;
        MenuPointerShown = 1;
        SettingsInts[8] = 0;
    }
    memset(KeyState, 0, sizeof KeyState);
    EXPECT_TRUE(faults.empty()) << faults.size() << " faults\n" << Lines(faults);
}

// The career's cup list is printed on a panel that comes after it in the
// table: the panel is drawn first, so the list's labels keep their own
// colour instead of showing through the translucent panel.
TEST_F(MenuFit, ALabelStandsOverThePanelItIsPrintedOn) {
    LoadLanguage(1);
    Enter(3, 0);
    const MenuItem& row = MenuScreenTable[3][24];
    ASSERT_GT(row.parent, 24) << "the row's panel comes after it";
    const Rect ink = TextInk(row);
    ASSERT_FALSE(ink.Empty());
    void* bits = nullptr;
    int pitch = 0;
    ASSERT_EQ(PlatSurfaceLock(WorkSurface, nullptr, 0, &bits, &pitch), 0);
    int own = 0;
    for (int y = ink.top; y < ink.bottom; y++)
        for (int x = ink.left; x < ink.right; x++)
            own += ((const uint16_t*)((const char*)bits + (long)y * pitch))[x] == MenuColourTable[row.colour];
    PlatSurfaceUnlock(WorkSurface);
    EXPECT_GT(own, 100) << "pixels of \"" << SlotText(row.textSlot) << "\" in its own colour";
}

// ---------------------------------------------------------------------------
// What the race's printer draws over a whole screen: the results and
// standings after a championship race and the banner at a race's end.  Each
// line is printed alone on a cleared screen to find where its glyphs land.

// No split screen or network game is left over from the other screens (the
// network screens' checks leave the session flag up; the platform under it
// is gone with their menus).
void NoOtherMode() {
    SplitScreen = NetworkGame = 0;
    NetSessionOpen = 0;
    SingleRaceMode = CareerChosen = ChampionshipChosen = 0;
}

struct PrintedLine {
    int x, y, font, align;
    std::string text;
};

// A surface's top 640 x 480 pixels, row by row.
std::vector<uint16_t> ScreenPixels(PlatSurface* surface) {
    std::vector<uint16_t> out;
    void* bits = nullptr;
    int pitch = 0;
    if (PlatSurfaceLock(surface, nullptr, 0, &bits, &pitch) != 0)
        return out;
    for (int y = 0; y < SCREEN_H; y++)
        for (int x = 0; x < SCREEN_W; x++)
            out.push_back(((const uint16_t*)((const char*)bits + (long)y * pitch))[x]);
    PlatSurfaceUnlock(surface);
    return out;
}

// The printer as the game sets it up for a 640 x 480 display.
struct RacePrinter {
    PlatSurface* screen = nullptr;
    int kept[5];
    RacePrinter() {
        kept[0] = SurfaceWidth;
        kept[1] = SurfaceHeight;
        kept[2] = DisplayConfig.width;
        kept[3] = DisplayConfig.height;
        kept[4] = ForceTargetBlit;
        SurfaceWidth = DisplayConfig.width = SCREEN_W;
        SurfaceHeight = DisplayConfig.height = SCREEN_H;
        LoadGlyphWidths();
        LoadFontsSurface();
        PlatSurfaceCreate(SCREEN_W, SCREEN_H, PLAT_PF_DISPLAY, PLAT_SURF_SYSTEMMEMORY, &screen);
    }
    ~RacePrinter() {
        PlatSurfaceRelease(screen);
        FreeFontsSurface();
        SurfaceWidth = kept[0];
        SurfaceHeight = kept[1];
        DisplayConfig.width = kept[2];
        DisplayConfig.height = kept[3];
        ForceTargetBlit = kept[4];
    }
    static constexpr uint16_t CLEAR = 0xF81F;   // no glyph is magenta
    // The pixels of the screen after `line` alone was printed on it.
    std::vector<uint16_t> Print(const PrintedLine& line) {
        const PlatRect all = {0, 0, SCREEN_W, SCREEN_H};
        PlatSurfaceFill(screen, &all, CLEAR, 0);
        ForceTargetBlit = 1;
        PrintText(line.x, line.y, line.text.c_str(), line.font, line.align, screen, 0);
        ForceTargetBlit = 0;
        return ScreenPixels(screen);
    }
    Rect Ink(const PrintedLine& line) {
        const std::vector<uint16_t> pixels = Print(line);
        Rect ink;
        for (int y = 0; y < SCREEN_H && !pixels.empty(); y++)
            for (int x = 0; x < SCREEN_W; x++)
                if (pixels[(size_t)y * SCREEN_W + x] != CLEAR)
                    ink.Add({x, y, x + 1, y + 1});
        return ink;
    }
};

// The lines' faults: a line that prints nothing, runs off the screen or
// over another line, or stands on a line or a word of the background (a
// background given as 5-6-5 pixels; its brightness may not change by more
// than a soft stripe under a text).
std::vector<std::string> PrintedFaults(RacePrinter& printer, const std::vector<PrintedLine>& lines,
                                       const std::vector<uint16_t>& background, const std::string& where) {
    std::vector<std::string> faults;
    std::vector<Rect> inks;
    for (const PrintedLine& line : lines) {
        const Rect ink = printer.Ink(line);
        inks.push_back(ink);
        const std::string name = where + " \"" + line.text + "\"";
        if (ink.Empty()) {
            faults.push_back(name + " prints nothing");
            continue;
        }
        const Rect on = ink.Meet(kScreen);
        if (on.left != ink.left || on.right != ink.right || on.top != ink.top || on.bottom != ink.bottom ||
            ink.left <= 0 || ink.right >= SCREEN_W)
            faults.push_back(name + " " + Show(ink) + " runs off the screen");
        if (background.empty())
            continue;
        int darkest = 255, brightest = 0;
        for (int y = on.top; y < on.bottom; y++) {
            for (int x = on.left; x < on.right; x++) {
                const uint16_t p = background[(size_t)y * SCREEN_W + x];
                const int level = ((p >> 11) * 8 * 3 + ((p >> 5) & 63) * 4 * 6 + (p & 31) * 8) / 10;
                darkest = std::min(darkest, level);
                brightest = std::max(brightest, level);
            }
        }
        if (brightest - darkest > 48)
            faults.push_back(name + " " + Show(ink) + " stands on a line or a word of the background");
    }
    for (size_t a = 0; a < lines.size(); a++)
        for (size_t b = a + 1; b < lines.size(); b++)
            if (!inks[a].Empty() && !inks[b].Empty() && !inks[a].Meet(inks[b]).Empty())
                faults.push_back(where + " \"" + lines[a].text + "\" and \"" + lines[b].text +
                                 "\" print over each other at " + Show(inks[a].Meet(inks[b])));
    return faults;
}

// The results background of `kind` as the standings load it.
std::vector<uint16_t> ResultsBackground(int kind) {
    LoadResultsBackground(kind);
    return ScreenPixels(WorkSurface);
}

// The standings after the first race of championship 12, in each language,
// with the player logged in and with no one logged in (the player's row then
// shows the menus' default name), the names shown and blinked away: the race's
// points (the results) and the totals, their rows at rest.
TEST_F(MenuFit, TheResultsAndStandingsAfterAChampionshipRace) {
    std::vector<std::string> faults;
    RacePrinter printer;
    for (int language = 0; language < 4; language++)
    for (const char* player : {"Bo", ""}) {
        LoadLanguage(language);
        Enter(0, 0);
        NoOtherMode();
        GetText(865);
        for (int i = 0; i < 8; i++)   // as the menus' first frame names the players
            snprintf(PlayerNameTable[i], sizeof PlayerNameTable[i], "%.20s %d", TextBufferB, i + 1);
        SetSlotText(754, *player ? player : " ");
        ChampionshipRunning = 1;
        ChampionshipChoice = 12;
        ChampionshipLastIndex = ChampionshipLastRace(12);
        ChampionshipRace = 0;
        GaragePage = 0;
        memset(ChampionshipTotals, 0, sizeof ChampionshipTotals);
        memset(FinishedFlags, 0, sizeof FinishedFlags);
        for (int car = 0; car < 8; car++)
            rank_pos[car] = (car + 3) % 8;   // the player comes in fourth
        ASSERT_EQ(ScoreStandings(), 1);
        for (int kind = 0; kind < 2; kind++) {
            const std::vector<uint16_t> background = ResultsBackground(kind);
            float left[8], right[8];
            for (int row = 0; row < 8; row++) {
                left[row] = 320 - 16;
                right[row] = 320 + 16;
            }
            for (int blink : {0, 0x10}) {
                StandingsLine lines[STANDINGS_LINES];
                const int count = StandingsLines(kind, left, right, blink, lines);
                std::vector<PrintedLine> printed;
                for (int i = 0; i < count; i++)
                    printed.push_back({lines[i].x, lines[i].y, lines[i].font, lines[i].align, lines[i].text});
                EXPECT_EQ(count, blink ? 2 * 8 + 2 : 2 * 8 + 3) << "the rows, the titles and the prompt";
                const std::string where = Language(language) + (kind ? " standings" : " results") +
                                          (*player ? "" : " with no one logged in") + (blink ? " (blinked)" : "");
                const std::vector<std::string> f = PrintedFaults(printer, printed, background, where);
                faults.insert(faults.end(), f.begin(), f.end());
            }
        }
        RacePaused = 0;
        ChampionshipRunning = 0;
        ChampionshipRace = ChampionshipChoice = ChampionshipLastIndex = 0;
        ChampionshipStartPending = 0;
        memset(RacePoints, 0, sizeof RacePoints);
        memset(ChampionshipTotals, 0, sizeof ChampionshipTotals);
        memset(rank_pos, 0, sizeof rank_pos);
    }
    EXPECT_TRUE(faults.empty()) << faults.size() << " faults\n" << Lines(faults);
}

// The banner at a race's end in every language and for every outcome the
// player can meet: the championship's and a placed race's eight places, the
// arena, jump and timed events won, failed or just over, and the network
// race won and lost.  Its lines stay on the screen and apart, and its title
// is framed by the printer's arrowheads, glyphs unlike any letter or digit.
TEST_F(MenuFit, TheBannerAtARacesEndInEveryLanguage) {
    struct Outcome {
        const char* name;
        int code, place, chosen, network, sequence, failed;
    };
    std::vector<Outcome> outcomes;
    for (int place = 1; place <= 8; place++) {
        outcomes.push_back({"championship", 12, place, 1, 0, place == 1, 0});
        outcomes.push_back({"race", 10, place, 0, 0, place == 1, 0});
    }
    for (int code : {50, 40, 31})
        for (int end = 0; end < 3; end++)
            outcomes.push_back({"event", code, 1, 0, 0, end == 0, end == 1});
    outcomes.push_back({"network won", 10, 1, 0, 1, 1, 0});
    outcomes.push_back({"network lost", 10, 3, 0, 1, 0, 0});

    std::vector<std::string> faults;
    RacePrinter printer;
    for (int language = 0; language < 4; language++) {
        LoadLanguage(language);
        for (const Outcome& o : outcomes) {
            NoOtherMode();
            DrawTimedMessages(1);
            RacePhase = 0;
            FrontEndActive = 0;
            RaceOver = 1;
            BannerShown = 0;
            TrackCode = o.code;
            FinishCount = o.place;
            ChampionshipChosen = o.chosen;
            NetworkGame = o.network;
            FinishSequence = o.sequence;
            EventFailed = o.failed;
            ShowRaceResultBanner(nullptr);
            std::vector<PrintedLine> printed;
            for (const TimedMessage& m : TimedMessages)
                if (m.timeLeft > 0)
                    printed.push_back({m.x, m.y, m.font, m.align, m.text});
            const std::string where = Language(language) + " banner, " + o.name + " " + std::to_string(o.code) +
                                      " place " + std::to_string(o.place);
            if (printed.empty() || printed[0].text.size() < 3 || (unsigned char)printed[0].text.front() != 127 ||
                (unsigned char)printed[0].text.back() != 128)
                faults.push_back(where + ": no title framed by codes 127 and 128" + (printed.empty() ? std::string(" (none)") : " [" + printed[0].text + "] n=" + std::to_string(printed.size())));
            const std::vector<std::string> f = PrintedFaults(printer, printed, {}, where);
            faults.insert(faults.end(), f.begin(), f.end());
        }
    }
    RaceOver = 0;
    BannerShown = FinishCount = FinishSequence = EventFailed = 0;
    ChampionshipChosen = NetworkGame = 0;
    TrackCode = 0;
    DrawTimedMessages(1);

    // The frame's glyphs in the banner's font: drawn, each unlike every
    // letter and digit, and the two ends mirror each other.
    auto glyph = [&](int code) {
        const char text[2] = {(char)code, 0};
        return printer.Print({10, 10, 0, ALIGN_LEFT, text});
    };
    auto inkRows = [&](int code, bool mirrored) {
        const std::vector<uint16_t> pixels = glyph(code);
        const Rect ink = printer.Ink({10, 10, 0, ALIGN_LEFT, std::string(1, (char)code)});
        std::vector<std::string> rows;
        for (int y = ink.top; y < ink.bottom; y++) {
            std::string row;
            for (int x = ink.left; x < ink.right; x++)
                row += pixels[(size_t)y * SCREEN_W + x] == RacePrinter::CLEAR ? '.' : '#';
            if (mirrored)
                std::reverse(row.begin(), row.end());
            rows.push_back(row);
        }
        return rows;
    };
    EXPECT_FALSE(inkRows(127, false).empty());
    EXPECT_EQ(inkRows(127, false), inkRows(128, true)) << "the frame's ends are not mirror images";
    for (int frame : {127, 128}) {
        const std::vector<uint16_t> sign = glyph(frame);
        for (int c = '0'; c <= 'z'; c++) {
            if (std::isalnum(c)) {
                EXPECT_NE(glyph(c), sign) << "code " << frame << " is drawn as '" << (char)c << "'";
            }
        }
    }
    EXPECT_TRUE(faults.empty()) << faults.size() << " faults\n" << Lines(faults);
}

// The championship screen as a player goes through it, in every language:
// its first question (which stands clear of the three buttons it holds
// back, and dims them while it does), the screen once it is answered, NEW's
// car choice, the car choice after the first race (the next race's class),
// the way BACK to the championship screen and CONTINUE, and the screen
// after the last race with its verdict.
TEST_F(MenuFit, TheChampionshipScreenAsAPlayerGoesThroughIt) {
    // A race's end hands over to the standings (with no window, no screens
    // are drawn), then the menus run again.
    auto EndRace = [] {
        const int window = MainWindow;
        MainWindow = 0;
        ShowStandings(nullptr);
        MainWindow = window;
        Frames(SETTLE_FRAMES);
    };
    std::vector<std::string> faults;
    auto add = [&](const std::vector<std::string>& f) { faults.insert(faults.end(), f.begin(), f.end()); };
    for (int language = 0; language < 4; language++) {
        const std::string lang = Language(language);
        LoadLanguage(language);
        Enter(0, 0);
        NoOtherMode();
        int screen = 0;
        MainMenuAction(&screen, 49);
        Enter(22);
        ASSERT_EQ(MenuScreen, 22);
        add(Faults(lang + " championship question"));
        add(PopupFaults(lang + " championship question"));
        const Rect board = PictureRect(MenuScreenTable[22][15]);
        uint8_t held[3];
        for (int item = 11; item <= 14; item++) {
            const MenuItem& it = MenuScreenTable[22][item];
            if (!HitBox(it).Meet(board).Empty() || !TextInk(it).Meet(board).Empty())
                faults.push_back(lang + " championship question: its board " + Show(board) + " covers item " +
                                 std::to_string(item));
            if (item >= 12)
                held[item - 12] = it.colour;
        }

        Click(16);
        add(Faults(lang + " championship screen answered"));
        for (int item = 12; item <= 14; item++) {
            const MenuItem& it = MenuScreenTable[22][item];
            EXPECT_TRUE(it.flags & MENU_HOVER_TEST) << lang << " item " << item << " takes a click again";
            EXPECT_NE(held[item - 12], it.colour) << lang << " item " << item << " looked the same held back";
        }

        Click(12);
        ASSERT_EQ(MenuScreen, 5) << lang << ": NEW opens the car choice";
        const int first = ClassToCategory(ChampionshipRaceClass(ChampionshipChoice, 0));
        add(Faults(lang + " championship car choice"));
        add(CarScreenFaults(5, lang + " championship car choice", first));

        // The first race over: its standings score it, and the menus come
        // back on the car choice of the second race.
        for (int car = 0; car < 8; car++)
            rank_pos[car] = car;
        memset(FinishedFlags, 0, sizeof FinishedFlags);
        EndRace();
        const int second = ClassToCategory(ChampionshipRaceClass(ChampionshipChoice, 1));
        EXPECT_EQ(GarageCategory, second) << lang << ": the second race's class is offered";
        add(Faults(lang + " car choice after the first race"));
        add(CarScreenFaults(5, lang + " car choice after the first race", second));

        Click(42);
        ASSERT_EQ(MenuScreen, 22) << lang << ": BACK leads to the championship screen";
        add(Faults(lang + " championship screen between races"));
        Click(13);
        ASSERT_EQ(MenuScreen, 5) << lang << ": CONTINUE opens the car choice";
        EXPECT_EQ(ChampionshipRace, 1) << lang << ": of the second race";
        EXPECT_EQ(GarageCategory, second);
        add(CarScreenFaults(5, lang + " car choice continued", second));

        // The last race over: the championship screen with its verdict.
        ChampionshipRace = ChampionshipLastIndex;
        memset(FinishedFlags, 0, sizeof FinishedFlags);
        EndRace();
        ASSERT_EQ(MenuScreen, 22) << lang;
        add(Faults(lang + " championship screen after the last race"));
        add(PopupFaults(lang + " championship screen after the last race"));

        ChampionshipChosen = ChampionshipRunning = 0;
        ChampionshipRace = ChampionshipChoice = ChampionshipLastIndex = 0;
        memset(ChampionshipTotals, 0, sizeof ChampionshipTotals);
        memset(RacePoints, 0, sizeof RacePoints);
        memset(rank_pos, 0, sizeof rank_pos);
        CareerRecord.championshipStage = 0;
        VideoRequest = ForceDisplayRecreate = 0;
        ResetShowroomLoad();
        FrontEndActive = 1;
    }
    EXPECT_TRUE(faults.empty()) << faults.size() << " faults\n" << Lines(faults);
}

}  // namespace
