// Platform layer: the game's key codes.  Window messages carry virtual key
// codes; KeyState is indexed by keyboard scan codes (extended keys have bit
// 7 set: Up is 0xC8).  One table maps the keyboard's keys to both and names
// them; the backends map their own key numbers onto it.
#pragma once

enum PlatVirtualKey {
    VK_LBUTTON = 0x01,
    VK_RBUTTON = 0x02,
    VK_MBUTTON = 0x04,
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_SHIFT = 0x10,
    VK_CONTROL = 0x11,
    VK_MENU = 0x12,
    VK_PAUSE = 0x13,
    VK_CAPITAL = 0x14,
    VK_KANA = 0x15,
    VK_KANJI = 0x19,
    VK_ESCAPE = 0x1B,
    VK_CONVERT = 0x1C,
    VK_NONCONVERT = 0x1D,
    VK_SPACE = 0x20,
    VK_PRIOR = 0x21,
    VK_NEXT = 0x22,
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_SNAPSHOT = 0x2C,
    VK_INSERT = 0x2D,
    VK_DELETE = 0x2E,
    // '0'..'9' and 'A'..'Z' are their own codes.
    VK_LWIN = 0x5B,
    VK_RWIN = 0x5C,
    VK_APPS = 0x5D,
    VK_NUMPAD0 = 0x60,
    VK_NUMPAD1 = 0x61,
    VK_NUMPAD2 = 0x62,
    VK_NUMPAD3 = 0x63,
    VK_NUMPAD4 = 0x64,
    VK_NUMPAD5 = 0x65,
    VK_NUMPAD6 = 0x66,
    VK_NUMPAD7 = 0x67,
    VK_NUMPAD8 = 0x68,
    VK_NUMPAD9 = 0x69,
    VK_MULTIPLY = 0x6A,
    VK_ADD = 0x6B,
    VK_SEPARATOR = 0x6C,
    VK_SUBTRACT = 0x6D,
    VK_DECIMAL = 0x6E,
    VK_DIVIDE = 0x6F,
    VK_F1 = 0x70,
    VK_F2 = 0x71,
    VK_F3 = 0x72,
    VK_F4 = 0x73,
    VK_F5 = 0x74,
    VK_F6 = 0x75,
    VK_F7 = 0x76,
    VK_F8 = 0x77,
    VK_F9 = 0x78,
    VK_F10 = 0x79,
    VK_F11 = 0x7A,
    VK_F12 = 0x7B,
    VK_F13 = 0x7C,
    VK_F14 = 0x7D,
    VK_F15 = 0x7E,
    VK_NUMLOCK = 0x90,
    VK_SCROLL = 0x91,
    VK_OEM_1 = 0xBA,       // ;
    VK_OEM_PLUS = 0xBB,    // =
    VK_OEM_COMMA = 0xBC,
    VK_OEM_MINUS = 0xBD,
    VK_OEM_PERIOD = 0xBE,
    VK_OEM_2 = 0xBF,       // /
    VK_OEM_3 = 0xC0,       // `
    VK_OEM_4 = 0xDB,       // [
    VK_OEM_5 = 0xDC,       // backslash
    VK_OEM_6 = 0xDD,       // ]
    VK_OEM_7 = 0xDE,       // '
    VK_OEM_102 = 0xE2,     // the extra key beside left Shift
};

// Scan codes the game names.
enum PlatScanCode {
    SCAN_ESCAPE = 0x01,
    SCAN_RETURN = 0x1C,
    SCAN_LCONTROL = 0x1D,
    SCAN_LSHIFT = 0x2A,
    SCAN_SPACE = 0x39,
    SCAN_F1 = 0x3B,
    SCAN_NUMPADENTER = 0x9C,
    SCAN_UP = 0xC8,
    SCAN_LEFT = 0xCB,
    SCAN_RIGHT = 0xCD,
    SCAN_DOWN = 0xD0,
    SCAN_INSERT = 0xD2,
    SCAN_DELETE = 0xD3,
};

struct PlatKeyInfo {
    int scan;          // index of KeyState
    int virtualKey;    // 0: none
    const char* name;  // "RETURN", "LCONTROL", "A", "NUMPAD7" ...
};

// The table, in scan code order.
int PlatKeyCount();
const PlatKeyInfo* PlatKeyAt(int index);
// The key of a scan code, or null when the keyboard has no such key.
const PlatKeyInfo* PlatKeyByScan(int scan);
// The scan code of the first key with this virtual key (left Shift for
// VK_SHIFT), or 0.
int PlatKeyScanOfVirtual(int virtualKey);
// The key's name, or "" for a scan code not in the table.
const char* PlatKeyName(int scan);
// The virtual key the active keyboard layout gives the scan code (a letter
// key comes back as the letter 'A'..'Z' printed on it), or 0 for a scan code
// not in the table.  The real backend asks SDL's keyboard layout; without
// SDL's video (headless) the table's keys, changed by PlatHeadlessSetKeyLetter.
int PlatVirtualKeyOfScan(int scan);
// Headless: the layout prints `letter` ('A'..'Z') on the scan code's key;
// 0 gives the key back its table meaning.  A scan code of -1 clears every
// change.
void PlatHeadlessSetKeyLetter(int scan, int letter);
