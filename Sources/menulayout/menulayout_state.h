// The menu screen table: 28 screens of 201 item records, the group table
// that links may name, and the menu colours.  Main thread only.
#pragma once

#include <cstddef>
#include <cstdint>

enum {
    MENU_SCREENS = 28,
    MENU_ITEMS = 201,            // item 200 of every screen is never used
    MENU_LAYOUT_SCREENS = 23,    // screens 0..22 have a built-in layout
    MENU_BACKUP_SCREEN = 25,     // positions of screen 0, kept at start-up
    MENU_LINKS = 8,
    MENU_GROUP_ROWS = 208,
    MENU_GROUP_ITEMS = 13,
    MENU_COLOURS = 10,
};

// One menu item, 128 bytes, little-endian; config\menus.dat is the table
// byte for byte.
struct MenuItem {
    float targetX, targetY;      // where a sliding item is heading
    float x;                     // current position, relative to the parent if any
    float screenX;               // where the frame last placed it
    float y;
    float screenY;
    uint32_t flags;
    int32_t links[MENU_LINKS];   // (screen << 11) | item; screen 99 names a group row; -1 empty
    uint32_t masks[MENU_LINKS];  // the flag mask of each link
    uint32_t operations;         // 2 bits per link: 0 OR, 1 AND NOT, 2 XOR
    int16_t levelMap;            // raw menu graphic of the picture's blend levels; 0 none
    int16_t currentPicture;      // MENUS\GFX bitmap drawn now
    int16_t firstPicture;
    int16_t textSlot;            // on a page root: the slot naming the background picture
    int16_t homeX;
    int16_t hitLeft, hitRight;   // hit box, screen pixels, inclusive
    int16_t homeY;
    int16_t hitTop, hitBottom;
    uint8_t colour;              // MenuColourTable index, normal
    uint8_t hoverColour;
    int8_t upperBound, lowerBound;
    int8_t extraFrames;          // animation frames after the first picture
    uint8_t reserved;
    int8_t font;
    int8_t value;                // a picture is drawn only while this is above 0
    uint8_t parent;              // item number on the same screen; 0 none
    int8_t letterSpacing;
    uint8_t reserved2[2];
};
static_assert(sizeof(MenuItem) == 128, "menu items are 128-byte records");
static_assert(offsetof(MenuItem, flags) == 24 && offsetof(MenuItem, links) == 28, "item record layout");
static_assert(offsetof(MenuItem, masks) == 60 && offsetof(MenuItem, operations) == 92, "item record layout");
static_assert(offsetof(MenuItem, levelMap) == 96 && offsetof(MenuItem, textSlot) == 102, "item record layout");
static_assert(offsetof(MenuItem, homeX) == 104 && offsetof(MenuItem, homeY) == 110, "item record layout");
static_assert(offsetof(MenuItem, hitTop) == 112 && offsetof(MenuItem, colour) == 116, "item record layout");
static_assert(offsetof(MenuItem, extraFrames) == 120 && offsetof(MenuItem, font) == 122, "item record layout");
static_assert(offsetof(MenuItem, parent) == 124 && offsetof(MenuItem, letterSpacing) == 125, "item record layout");

// Flag bits of an item.
enum : uint32_t {
    MENU_LINKED = 0x1,           // activation runs the link slots
    MENU_VALUE_UP = 0x2,         // requests to step the value
    MENU_VALUE_DOWN = 0x4,
    MENU_HOVER_TEST = 0x8,       // the pointer hovers it and a click activates it
    MENU_HOVER_SOUND = 0x10,
    MENU_SHOWN = 0x20,
    MENU_TEXT_MODE_SHIFT = 6,    // (flags >> 6) & 7: 0 left, 1 left measured, 2 right, 4 centred
    MENU_MODE_LEFT = 0x40,
    MENU_MODE_RIGHT = 0x80,
    MENU_MODE_CENTRE = 0x100,
    MENU_TEXT = 0x200,
    MENU_PICTURE = 0x400,
    MENU_PAGE_ROOT = 0x800,
    MENU_SLIDE_IN = 0x2000,      // moves towards its home position
    MENU_LOOPING = 0x4000,
    MENU_SCROLL_DOWN = 0x8000,
    MENU_SCROLL_UP = 0x10000,
    MENU_RETURN = 0x20000,
    MENU_SLIDE_OUT = 0x40000,    // moves towards its target position
};

// Link operations (2 bits per link slot).
enum { LINK_OR = 0, LINK_AND_NOT = 1, LINK_XOR = 2 };

// A link names an item, (screen << 11) | item, or with screen 99 a row of
// MenuGroupTable.
enum { LINK_SCREEN_SHIFT = 11, LINK_ITEM_MASK = 0x7ff, LINK_GROUP_SCREEN = 99 };
inline int32_t MakeLink(int screen, int item) { return (int32_t)((screen << LINK_SCREEN_SHIFT) | item); }

extern MenuItem MenuScreenTable[MENU_SCREENS][MENU_ITEMS];

// {screen, item 1 .. item 13, set mask, clear mask}; item 0 marks an empty
// column.
extern float MenuGroupTable[MENU_GROUP_ROWS][16];

// The ten menu colours in the pixel format of the display (5-6-5 until the
// first menu frame fills them for the display).
extern uint16_t MenuColourTable[MENU_COLOURS];
