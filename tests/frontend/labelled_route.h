// Scripted walks through the menus that click only what a player can see:
// each click goes to the middle of the hit box of the item that carries a
// label (or of the picture button a name is printed on), found at run time
// in the built-in layout by its text in the game folder's own message file,
// never by coordinates written into the test.  Each click is preceded by a
// shot of the frame the pointer moves in, and after the run every shot must
// show the item there: a label's glyphs in its colours, a picture button's
// picture over the page background.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/test_game.h"
#include "frame/fileio.h"
#include "frontend/frontend_state.h"
#include "frontend/text_slots.h"
#include "menulayout/layout_builder.h"
#include "menulayout/menulayout_state.h"
#include "render/bitmaps.h"

struct LabelledRoute {
    struct Clicked {
        std::string shot;
        int screen = 0, item = 0;
        bool ifShown = false;   // a pop-up that only some races open
    };

    std::string dir;
    std::string script;
    std::vector<Clicked> clicks;
    int frame = 200;   // the menus' first frame has run by then
    std::string shotPrefix;   // the shots of a second run in the same folder keep the first's

    // The layout and the English texts of the game folder `folder`, which
    // MakeTestGameFolder made current.
    explicit LabelledRoute(const std::string& folder) : dir(folder) {
        memset(MenuScreenTable, 0, sizeof MenuScreenTable);
        EXPECT_EQ(BuildMenuLayout(), 1188) << MenuLayoutError;
        EXPECT_GT(ReadWholeFile("MENUS\\mensaje1.txt", TextSlotBlob, sizeof TextSlotBlob), 0);
        IndexTextSlots(LastFileSize);
    }

    static std::string Label(int slot) {
        std::string text;
        for (uint32_t i = 0; i < TextSlotTable[slot].length; i++) {
            const char c = TextSlotBlob[TextSlotTable[slot].offset + i];
            if (c != 126 && c != 127 && c != 11 && c != 27)   // hot-key and colour marks
                text += c;
        }
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        return text;
    }

    // A screen's item labelled `label`: a button (an item the pointer
    // hovers) before a plain text, one whose parent shows from the start
    // (on the screen's own frames) before one in a panel that comes and
    // goes, or the other way round when `inPanel`; a pop-up's button, which
    // the pop-up makes one, is plain text in the layout.  (The buttons of
    // a screen's panels that show one at a time share their place.)
    static int Item(int screen, const std::string& label, bool inPanel = false) {
        int best = 0, bestRank = -1;
        for (int i = 1; i < MENU_ITEM_COUNT; i++) {
            const MenuItem& it = MenuScreenTable[screen][i];
            if (!(it.flags & MENU_TEXT) || Label(it.textSlot) != label)
                continue;
            const uint32_t parent = MenuScreenTable[screen][it.parent].flags;
            const bool resident = !it.parent || ((parent & MENU_SHOWN) && !(parent & MENU_SLIDE_OUT));
            const bool onScreen = resident && (it.flags & MENU_SHOWN);
            const int rank = ((it.flags & MENU_HOVER_TEST) ? 2 : 0) + (onScreen != inPanel ? 1 : 0);
            if (rank > bestRank) {
                best = i;
                bestRank = rank;
            }
        }
        EXPECT_NE(best, 0) << "no item labelled \"" << label << "\" on screen " << screen;
        // A name printed on a picture button stands for the button.
        const MenuItem& found = MenuScreenTable[screen][best];
        const MenuItem& under = MenuScreenTable[screen][found.parent];
        if (!(found.flags & MENU_HOVER_TEST) && found.parent && (under.flags & MENU_PICTURE) &&
            (under.flags & MENU_HOVER_TEST))
            return found.parent;
        return best;
    }
    // A label that two panels of a screen carry: the one on the panel of
    // the item labelled `neighbour`.
    static int ItemBeside(int screen, const std::string& label, const std::string& neighbour) {
        const int parent = MenuScreenTable[screen][Item(screen, neighbour)].parent;
        for (int i = 1; i < MENU_ITEM_COUNT; i++) {
            const MenuItem& it = MenuScreenTable[screen][i];
            if ((it.flags & MENU_TEXT) && it.parent == parent && Label(it.textSlot) == label)
                return i;
        }
        ADD_FAILURE() << "no item labelled \"" << label << "\" beside \"" << neighbour << "\" on screen " << screen;
        return 0;
    }
    // The row of a list whose text the list writes into `slot`.
    static int Row(int screen, int slot) {
        for (int i = 1; i < MENU_ITEM_COUNT; i++) {
            const MenuItem& it = MenuScreenTable[screen][i];
            if ((it.flags & MENU_TEXT) && (it.flags & MENU_HOVER_TEST) && it.textSlot == slot)
                return i;
        }
        ADD_FAILURE() << "no list row of slot " << slot << " on screen " << screen;
        return 0;
    }
    void Line(int at, const std::string& event) { script += std::to_string(at) + " " + event + "\n"; }

    void ClickItem(int screen, int item, int wait, bool ifShown = false) {
        const MenuItem& it = MenuScreenTable[screen][item];
        const std::string shot = shotPrefix + "click" + std::to_string(clicks.size()) + ".tga";
        Line(frame, "shot " + shot);
        Line(frame + 1, "point " + std::to_string((it.hitLeft + it.hitRight) / 2) + " " +
                            std::to_string((it.hitTop + it.hitBottom) / 2));
        Line(frame + 2, "click");
        clicks.push_back({shot, screen, item, ifShown});
        frame += wait;
    }
    // A click on the labelled item, then `wait` frames.
    void Click(int screen, const std::string& label, int wait = 60) { ClickItem(screen, Item(screen, label), wait); }
    void ClickBeside(int screen, const std::string& label, const std::string& neighbour, int wait = 60) {
        ClickItem(screen, ItemBeside(screen, label, neighbour), wait);
    }
    // A button of a panel the route opened.
    void ClickInPanel(int screen, const std::string& label, int wait = 60) {
        ClickItem(screen, Item(screen, label, true), wait);
    }
    // The first row of a list (its text comes from the folder at run time).
    void ClickRow(int screen, int slot, int wait = 60) { ClickItem(screen, Row(screen, slot), wait); }
    // A button of a pop-up that the run may or may not open; where nothing
    // is there the click falls on the screen's background.
    void ClickIfShown(int screen, const std::string& label, int wait = 60) {
        ClickItem(screen, Item(screen, label), wait, true);
    }
    void Type(const std::string& text, int wait = 40) {
        Line(frame, "type " + text);
        frame += wait;
    }
    void Key(const std::string& key, int wait = 40) {
        Line(frame, "key down " + key);
        Line(frame + 3, "key up " + key);
        frame += wait;
    }
    // A key pressed and let go before the same frame: no read finds it down.
    void Tap(const std::string& key, int wait = 40) {
        Line(frame, "key down " + key);
        Line(frame, "key up " + key);
        frame += wait;
    }
    void Expect(int screen) { Line(frame, "expect-screen " + std::to_string(screen)); }
    // The profile screen's NEW, the name ended with Enter, and OK.
    void NewProfile(const std::string& name) {
        Click(18, "NEW");
        Type(name);
        Key("RETURN");
        Click(18, "OK");
    }
    // From the main menu of a fresh folder to the single race screen: PLAY,
    // SINGLE RACE, and on the profile screen (no one is logged in yet) NEW,
    // the name ended with Enter, OK; then the single race's greeting OK.
    void NewProfileToSingleRace(const std::string& name) {
        Click(0, "PLAY");
        Click(0, "SINGLE RACE", 70);
        Expect(18);
        NewProfile(name);
        Expect(2);
        Click(2, "OK");
    }
    // The single race screen after its greeting: the CROSS group (race 4 of
    // cup row 1, track 62), then a cup, which opens the car choice; START
    // RACE with the car on show, and Space ends the fly-by.
    void RaceTrack62FromSingleRace() {
        Click(2, "CROSS");
        Click(2, "ROOKIE CUP", 70);
        Expect(5);
        Click(5, "START RACE", 70);
        Key("SPACE");
    }
    void Wait(int frames) { frame += frames; }

    // After the run: each click's item stood on the screen, drawn, when the
    // pointer went to it (a pop-up's button only when the pop-up opened).
    void CheckShots(bool popupsOpened = true) const {
        for (const Clicked& c : clicks) {
            if (c.ifShown && !popupsOpened)
                continue;
            const std::string tga = ReadHostFile(dir + "/" + c.shot);
            ASSERT_EQ(tga.size(), 18u + 640 * 480 * 3) << c.shot;
            const MenuItem& it = MenuScreenTable[c.screen][c.item];
            if (it.flags & MENU_TEXT)
                EXPECT_GE(LabelPixels(tga, it), 20) << "\"" << Label(it.textSlot) << "\" on screen " << c.screen
                                                    << " is not drawn where it is clicked (" << c.shot << ")";
            else
                EXPECT_GE(PicturePixels(tga, c.screen, it), 100)
                    << "picture button " << c.item << " of screen " << c.screen << " is not drawn (" << c.shot << ")";
        }
    }

    struct Rgb {
        int r, g, b;
    };
    // A 5-6-5 colour as the screenshot widens it.
    static Rgb Widen(uint16_t c) {
        const int r = c >> 11, g = (c >> 5) & 63, b = c & 31;
        return {r << 3 | r >> 2, g << 2 | g >> 4, b << 3 | b >> 2};
    }
    static Rgb ShotPixel(const std::string& tga, int x, int y) {
        const size_t i = 18 + ((size_t)y * 640 + x) * 3;
        return {(uint8_t)tga[i + 2], (uint8_t)tga[i + 1], (uint8_t)tga[i]};
    }
    static bool Near(const Rgb& a, const Rgb& b, int d) {
        return std::abs(a.r - b.r) <= d && std::abs(a.g - b.g) <= d && std::abs(a.b - b.b) <= d;
    }
    // Pixels of the hit box in the label's own colours, or in the colour of
    // a list's selected row (a faint glint over a label shifts them a little).
    static int LabelPixels(const std::string& tga, const MenuItem& it) {
        const Rgb normal = Widen(MenuColourTable[it.colour % MENU_COLOURS]);
        const Rgb hover = Widen(MenuColourTable[it.hoverColour % MENU_COLOURS]);
        const Rgb selected = Widen(MenuColourTable[5]);
        int n = 0;
        for (int y = it.hitTop; y <= it.hitBottom && y < 480; y++) {
            for (int x = it.hitLeft; x <= it.hitRight && x < 640; x++) {
                const Rgb p = ShotPixel(tga, x, y);
                n += Near(p, normal, 10) || Near(p, hover, 10) || Near(p, selected, 10);
            }
        }
        return n;
    }
    // Pixels of the hit box that are not the screen's page background.
    static int PicturePixels(const std::string& tga, int screen, const MenuItem& it) {
        GetText(MenuScreenTable[screen][0].textSlot);
        BmpImage page;
        if (!LoadBitmapFromVfs(TextBufferB, &page) || page.bitCount != 24)
            return 0;
        int n = 0;
        for (int y = it.hitTop; y <= it.hitBottom && y < page.height; y++) {
            const uint8_t* row = page.bits + (size_t)(page.topDown ? y : page.height - 1 - y) * page.stride;
            for (int x = it.hitLeft; x <= it.hitRight && x < page.width; x++) {
                const uint8_t* p = row + 3 * x;
                const Rgb back = Widen((uint16_t)((p[2] >> 3) << 11 | (p[1] >> 2) << 5 | p[0] >> 3));
                n += !Near(ShotPixel(tga, x, y), back, 8);
            }
        }
        return n;
    }
};
