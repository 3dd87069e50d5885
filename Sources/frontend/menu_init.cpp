#include "frontend/menu_init.h"

#include <cstring>

#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frontend/career.h"
#include "frontend/menu_graphics.h"
#include "frontend/menu_items.h"
#include "frontend/text_slots.h"
#include "menulayout/layout_builder.h"
#include "menulayout/menulayout_state.h"
#include "render/text_printer.h"

// Every glyph's first column in the font strip: the sum of the widths of the
// glyphs before it.  All 223 glyphs get one, code 255 included.
static void BuildGlyphStarts() {
    for (int font = 0; font < MENU_FONT_COUNT; font++) {
        int start = 0;
        for (int g = 0; g < MENU_FONT_GLYPHS; g++) {
            GlyphStartTable[font][g] = start;
            start += MenuFontMetrics[font].widths[g];
        }
    }
}

void InitFrontEndTables() {
    for (auto& set : ControlBindings) {
        for (KeyBinding& binding : set)
            binding.nameIndex = -1;
    }
    BuildGlyphStarts();
    LoadGlyphWidths();
    for (auto& row : FileListRow) {
        row[0] = ' ';
        row[1] = ' ';
    }
    BuildBlendTables();
}

// Screens 0..24 get empty items (flags 0, every link slot -1); screen 25
// and the rest stay zero.
static void ClearMenuScreens() {
    for (int s = 0; s < MENU_BACKUP_SCREEN; s++) {
        for (int i = 0; i < MENU_ITEMS - 1; i++) {
            MenuItem& item = MenuScreenTable[s][i];
            item.flags = 0;
            for (int32_t& link : item.links)
                link = -1;
        }
    }
}

// The positions of the main screen, from which the menu frame restores it.
static void BackUpMainScreen() {
    for (int i = 0; i < MENU_ITEMS - 1; i++) {
        const MenuItem& from = MenuScreenTable[0][i];
        MenuItem& to = MenuScreenTable[MENU_BACKUP_SCREEN][i];
        to.flags = from.flags;
        CopyItemPositions(to, from);
    }
}

// Key rows 47 onward and the joystick rows take the names of the chosen
// language, cut to 14 characters.
static void TranslateControlNames() {
    for (int i = 0; i <= 60; i++) {
        GetText(501 + i);
        const size_t length = strnlen(TextBufferB, 14);
        memcpy(&KeyNameTable[47 + i][1], TextBufferB, length);
        KeyNameTable[47 + i][1 + length] = 0;
    }
    for (int i = 0; i < JOYSTICK_NAME_ROWS; i++) {
        GetText(563 + i);
        memset(JoystickNameTable[i], 0, sizeof JoystickNameTable[i]);
        memcpy(JoystickNameTable[i], TextBufferB, strnlen(TextBufferB, 14));
    }
}

// The career starts new, with its money shown, once the layout it writes into
// is built.  The garage tables need no copy here: they start as the built-in
// lists (progress.cpp).
void InitMenus() {
    InitFrontEndTables();
    ClearMenuScreens();
    if (BuildMenuLayout() < 0)
        DebugLogText(MenuLayoutError);
    BackUpMainScreen();
    ResetCareer();
    ShowMoney();
    TranslateControlNames();
}

void ResetProfileScreen() {
    ResetCareer();
    KeyboardJumpGate = 1;
    TypedCharCount = 0;
    MenuStateWord = 0;
    MenuItem* screen = MenuScreenTable[18];
    for (int i = 13; i <= 16; i++) {
        screen[i].flags &= ~MENU_HOVER_TEST;
        screen[i].colour = 3;
        screen[i].hoverColour = 3;
    }
    screen[3].flags ^= MENU_SLIDE_IN | MENU_SLIDE_OUT;
    screen[18].flags ^= MENU_SLIDE_IN | MENU_SLIDE_OUT;
    screen[37].flags |= MENU_SHOWN;
}
