// The key table: scan code, virtual key, SDL scancode and name of every key
// of the keyboard.  The names are those the control-binding screen shows.

#include "platform/plat_keys.h"

#include <SDL.h>
#include <SDL_keyboard.h>
#include <SDL_scancode.h>

#include "platform/plat_devices_internal.h"

struct KeyRow {
    PlatKeyInfo info;
    int sdl;
};

#define KEY(scan, vk, sdl, name) {{scan, vk, name}, sdl}

static const KeyRow keys[] = {
    KEY(0x01, VK_ESCAPE, SDL_SCANCODE_ESCAPE, "ESCAPE"),
    KEY(0x02, '1', SDL_SCANCODE_1, "1"),
    KEY(0x03, '2', SDL_SCANCODE_2, "2"),
    KEY(0x04, '3', SDL_SCANCODE_3, "3"),
    KEY(0x05, '4', SDL_SCANCODE_4, "4"),
    KEY(0x06, '5', SDL_SCANCODE_5, "5"),
    KEY(0x07, '6', SDL_SCANCODE_6, "6"),
    KEY(0x08, '7', SDL_SCANCODE_7, "7"),
    KEY(0x09, '8', SDL_SCANCODE_8, "8"),
    KEY(0x0A, '9', SDL_SCANCODE_9, "9"),
    KEY(0x0B, '0', SDL_SCANCODE_0, "0"),
    KEY(0x0C, VK_OEM_MINUS, SDL_SCANCODE_MINUS, "MINUS"),
    KEY(0x0D, VK_OEM_PLUS, SDL_SCANCODE_EQUALS, "EQUALS"),
    KEY(0x0E, VK_BACK, SDL_SCANCODE_BACKSPACE, "BACK"),
    KEY(0x0F, VK_TAB, SDL_SCANCODE_TAB, "TAB"),
    KEY(0x10, 'Q', SDL_SCANCODE_Q, "Q"),
    KEY(0x11, 'W', SDL_SCANCODE_W, "W"),
    KEY(0x12, 'E', SDL_SCANCODE_E, "E"),
    KEY(0x13, 'R', SDL_SCANCODE_R, "R"),
    KEY(0x14, 'T', SDL_SCANCODE_T, "T"),
    KEY(0x15, 'Y', SDL_SCANCODE_Y, "Y"),
    KEY(0x16, 'U', SDL_SCANCODE_U, "U"),
    KEY(0x17, 'I', SDL_SCANCODE_I, "I"),
    KEY(0x18, 'O', SDL_SCANCODE_O, "O"),
    KEY(0x19, 'P', SDL_SCANCODE_P, "P"),
    KEY(0x1A, VK_OEM_4, SDL_SCANCODE_LEFTBRACKET, "LBRACKET"),
    KEY(0x1B, VK_OEM_6, SDL_SCANCODE_RIGHTBRACKET, "RBRACKET"),
    KEY(0x1C, VK_RETURN, SDL_SCANCODE_RETURN, "RETURN"),
    KEY(0x1D, VK_CONTROL, SDL_SCANCODE_LCTRL, "LCONTROL"),
    KEY(0x1E, 'A', SDL_SCANCODE_A, "A"),
    KEY(0x1F, 'S', SDL_SCANCODE_S, "S"),
    KEY(0x20, 'D', SDL_SCANCODE_D, "D"),
    KEY(0x21, 'F', SDL_SCANCODE_F, "F"),
    KEY(0x22, 'G', SDL_SCANCODE_G, "G"),
    KEY(0x23, 'H', SDL_SCANCODE_H, "H"),
    KEY(0x24, 'J', SDL_SCANCODE_J, "J"),
    KEY(0x25, 'K', SDL_SCANCODE_K, "K"),
    KEY(0x26, 'L', SDL_SCANCODE_L, "L"),
    KEY(0x27, VK_OEM_1, SDL_SCANCODE_SEMICOLON, "SEMICOLON"),
    KEY(0x28, VK_OEM_7, SDL_SCANCODE_APOSTROPHE, "APOSTROPHE"),
    KEY(0x29, VK_OEM_3, SDL_SCANCODE_GRAVE, "GRAVE"),
    KEY(0x2A, VK_SHIFT, SDL_SCANCODE_LSHIFT, "LSHIFT"),
    KEY(0x2B, VK_OEM_5, SDL_SCANCODE_BACKSLASH, "BACKSLASH"),
    KEY(0x2C, 'Z', SDL_SCANCODE_Z, "Z"),
    KEY(0x2D, 'X', SDL_SCANCODE_X, "X"),
    KEY(0x2E, 'C', SDL_SCANCODE_C, "C"),
    KEY(0x2F, 'V', SDL_SCANCODE_V, "V"),
    KEY(0x30, 'B', SDL_SCANCODE_B, "B"),
    KEY(0x31, 'N', SDL_SCANCODE_N, "N"),
    KEY(0x32, 'M', SDL_SCANCODE_M, "M"),
    KEY(0x33, VK_OEM_COMMA, SDL_SCANCODE_COMMA, "COMMA"),
    KEY(0x34, VK_OEM_PERIOD, SDL_SCANCODE_PERIOD, "PERIOD"),
    KEY(0x35, VK_OEM_2, SDL_SCANCODE_SLASH, "SLASH"),
    KEY(0x36, VK_SHIFT, SDL_SCANCODE_RSHIFT, "RSHIFT"),
    KEY(0x37, VK_MULTIPLY, SDL_SCANCODE_KP_MULTIPLY, "MULTIPLY"),
    KEY(0x38, VK_MENU, SDL_SCANCODE_LALT, "LMENU"),
    KEY(0x39, VK_SPACE, SDL_SCANCODE_SPACE, "SPACE"),
    KEY(0x3A, VK_CAPITAL, SDL_SCANCODE_CAPSLOCK, "CAPITAL"),
    KEY(0x3B, VK_F1, SDL_SCANCODE_F1, "F1"),
    KEY(0x3C, VK_F2, SDL_SCANCODE_F2, "F2"),
    KEY(0x3D, VK_F3, SDL_SCANCODE_F3, "F3"),
    KEY(0x3E, VK_F4, SDL_SCANCODE_F4, "F4"),
    KEY(0x3F, VK_F5, SDL_SCANCODE_F5, "F5"),
    KEY(0x40, VK_F6, SDL_SCANCODE_F6, "F6"),
    KEY(0x41, VK_F7, SDL_SCANCODE_F7, "F7"),
    KEY(0x42, VK_F8, SDL_SCANCODE_F8, "F8"),
    KEY(0x43, VK_F9, SDL_SCANCODE_F9, "F9"),
    KEY(0x44, VK_F10, SDL_SCANCODE_F10, "F10"),
    KEY(0x45, VK_NUMLOCK, SDL_SCANCODE_NUMLOCKCLEAR, "NUMLOCK"),
    KEY(0x46, VK_SCROLL, SDL_SCANCODE_SCROLLLOCK, "SCROLL"),
    KEY(0x47, VK_NUMPAD7, SDL_SCANCODE_KP_7, "NUMPAD7"),
    KEY(0x48, VK_NUMPAD8, SDL_SCANCODE_KP_8, "NUMPAD8"),
    KEY(0x49, VK_NUMPAD9, SDL_SCANCODE_KP_9, "NUMPAD9"),
    KEY(0x4A, VK_SUBTRACT, SDL_SCANCODE_KP_MINUS, "SUBTRACT"),
    KEY(0x4B, VK_NUMPAD4, SDL_SCANCODE_KP_4, "NUMPAD4"),
    KEY(0x4C, VK_NUMPAD5, SDL_SCANCODE_KP_5, "NUMPAD5"),
    KEY(0x4D, VK_NUMPAD6, SDL_SCANCODE_KP_6, "NUMPAD6"),
    KEY(0x4E, VK_ADD, SDL_SCANCODE_KP_PLUS, "ADD"),
    KEY(0x4F, VK_NUMPAD1, SDL_SCANCODE_KP_1, "NUMPAD1"),
    KEY(0x50, VK_NUMPAD2, SDL_SCANCODE_KP_2, "NUMPAD2"),
    KEY(0x51, VK_NUMPAD3, SDL_SCANCODE_KP_3, "NUMPAD3"),
    KEY(0x52, VK_NUMPAD0, SDL_SCANCODE_KP_0, "NUMPAD0"),
    KEY(0x53, VK_DECIMAL, SDL_SCANCODE_KP_PERIOD, "DECIMAL"),
    KEY(0x56, VK_OEM_102, SDL_SCANCODE_NONUSBACKSLASH, "OEM_102"),
    KEY(0x57, VK_F11, SDL_SCANCODE_F11, "F11"),
    KEY(0x58, VK_F12, SDL_SCANCODE_F12, "F12"),
    KEY(0x64, VK_F13, SDL_SCANCODE_F13, "F13"),
    KEY(0x65, VK_F14, SDL_SCANCODE_F14, "F14"),
    KEY(0x66, VK_F15, SDL_SCANCODE_F15, "F15"),
    KEY(0x70, VK_KANA, SDL_SCANCODE_INTERNATIONAL2, "KANA"),
    KEY(0x79, VK_CONVERT, SDL_SCANCODE_INTERNATIONAL4, "CONVERT"),
    KEY(0x7B, VK_NONCONVERT, SDL_SCANCODE_INTERNATIONAL5, "NOCONVERT"),
    KEY(0x7D, 0, SDL_SCANCODE_INTERNATIONAL3, "YEN"),
    KEY(0x8D, 0, SDL_SCANCODE_KP_EQUALS, "NUMPADEQUALS"),
    // Keys of Japanese keyboards that SDL does not tell apart.
    KEY(0x90, 0, SDL_SCANCODE_UNKNOWN, "CIRCUMFLEX"),
    KEY(0x91, 0, SDL_SCANCODE_UNKNOWN, "AT"),
    KEY(0x92, 0, SDL_SCANCODE_UNKNOWN, "COLON"),
    KEY(0x93, 0, SDL_SCANCODE_UNKNOWN, "UNDERLINE"),
    KEY(0x94, VK_KANJI, SDL_SCANCODE_LANG2, "KANJI"),
    KEY(0x95, 0, SDL_SCANCODE_STOP, "STOP"),
    KEY(0x96, 0, SDL_SCANCODE_UNKNOWN, "AX"),
    KEY(0x97, 0, SDL_SCANCODE_UNKNOWN, "UNLABELED"),
    KEY(0x9C, VK_RETURN, SDL_SCANCODE_KP_ENTER, "NUMPADENTER"),
    KEY(0x9D, VK_CONTROL, SDL_SCANCODE_RCTRL, "RCONTROL"),
    KEY(0xB3, VK_SEPARATOR, SDL_SCANCODE_KP_COMMA, "NUMPADCOMMA"),
    KEY(0xB5, VK_DIVIDE, SDL_SCANCODE_KP_DIVIDE, "DIVIDE"),
    KEY(0xB7, VK_SNAPSHOT, SDL_SCANCODE_PRINTSCREEN, "SYSRQ"),
    KEY(0xB8, VK_MENU, SDL_SCANCODE_RALT, "RMENU"),
    KEY(0xC5, VK_PAUSE, SDL_SCANCODE_PAUSE, "PAUSE"),
    KEY(0xC7, VK_HOME, SDL_SCANCODE_HOME, "HOME"),
    KEY(0xC8, VK_UP, SDL_SCANCODE_UP, "UP"),
    KEY(0xC9, VK_PRIOR, SDL_SCANCODE_PAGEUP, "PRIOR"),
    KEY(0xCB, VK_LEFT, SDL_SCANCODE_LEFT, "LEFT"),
    KEY(0xCD, VK_RIGHT, SDL_SCANCODE_RIGHT, "RIGHT"),
    KEY(0xCF, VK_END, SDL_SCANCODE_END, "END"),
    KEY(0xD0, VK_DOWN, SDL_SCANCODE_DOWN, "DOWN"),
    KEY(0xD1, VK_NEXT, SDL_SCANCODE_PAGEDOWN, "NEXT"),
    KEY(0xD2, VK_INSERT, SDL_SCANCODE_INSERT, "INSERT"),
    KEY(0xD3, VK_DELETE, SDL_SCANCODE_DELETE, "DELETE"),
    KEY(0xDB, VK_LWIN, SDL_SCANCODE_LGUI, "LWIN"),
    KEY(0xDC, VK_RWIN, SDL_SCANCODE_RGUI, "RWIN"),
    KEY(0xDD, VK_APPS, SDL_SCANCODE_APPLICATION, "APPS"),
};

#undef KEY

enum { KEY_COUNT = sizeof keys / sizeof keys[0] };

int PlatKeyCount() { return KEY_COUNT; }

const PlatKeyInfo* PlatKeyAt(int index) { return index >= 0 && index < KEY_COUNT ? &keys[index].info : nullptr; }

const PlatKeyInfo* PlatKeyByScan(int scan) {
    for (const KeyRow& k : keys) {
        if (k.info.scan == scan)
            return &k.info;
    }
    return nullptr;
}

int PlatKeyScanOfVirtual(int virtualKey) {
    if (virtualKey <= 0)
        return 0;
    for (const KeyRow& k : keys) {
        if (k.info.virtualKey == virtualKey)
            return k.info.scan;
    }
    return 0;
}

const char* PlatKeyName(int scan) {
    const PlatKeyInfo* key = PlatKeyByScan(scan);
    return key ? key->name : "";
}

int KeyScanOfSdl(int sdlScancode) {
    if (sdlScancode == SDL_SCANCODE_UNKNOWN)
        return 0;
    for (const KeyRow& k : keys) {
        if (k.sdl == sdlScancode)
            return k.info.scan;
    }
    return 0;
}

// The headless layout's letters by scan code; 0 keeps the table's key.
static unsigned char headlessLetters[256];

void PlatHeadlessSetKeyLetter(int scan, int letter) {
    if (scan == -1) {
        for (unsigned char& l : headlessLetters)
            l = 0;
        return;
    }
    if (scan >= 0 && scan < 256)
        headlessLetters[scan] = letter >= 'A' && letter <= 'Z' ? (unsigned char)letter : 0;
}

static int IsLetter(int vk) { return vk >= 'A' && vk <= 'Z'; }

int PlatVirtualKeyOfScan(int scan) {
    const KeyRow* row = nullptr;
    for (const KeyRow& k : keys) {
        if (k.info.scan == scan)
            row = &k;
    }
    if (!row)
        return 0;
    // Without SDL's video there is no layout to ask (the headless backend,
    // tests): the table's keys and the letters set for them.
    if (!SDL_WasInit(SDL_INIT_VIDEO)) {
        const int letter = headlessLetters[scan & 0xFF];
        return letter ? letter : row->info.virtualKey;
    }
    // The layout's key on this position: a letter is what it prints; any
    // other key keeps the table's meaning, except that a letter of the
    // table no longer stands there.
    const SDL_Keycode key = SDL_GetKeyFromScancode((SDL_Scancode)row->sdl);
    if (key >= 'a' && key <= 'z')
        return (int)(key - 'a' + 'A');
    return IsLetter(row->info.virtualKey) ? 0 : row->info.virtualKey;
}
