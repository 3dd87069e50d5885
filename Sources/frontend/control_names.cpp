// The names of the keys that can be bound and of the joystick inputs.  The
// rows from 47 on, and the joystick rows, take their translated names from
// the message file at start-up (InitMenus).
#include "frontend/frontend_state.h"

#define KEY(code, name) {code, name}

struct KeyNameRow {
    unsigned char code;
    const char* name;
};

static const KeyNameRow kKeyNames[KEY_NAME_ROWS] = {
    KEY(0x02, "1"), KEY(0x03, "2"), KEY(0x04, "3"), KEY(0x05, "4"), KEY(0x06, "5"), KEY(0x07, "6"),
    KEY(0x08, "7"), KEY(0x09, "8"), KEY(0x0A, "9"), KEY(0x0B, "0"), KEY(0x10, "Q"), KEY(0x11, "W"),
    KEY(0x12, "E"), KEY(0x13, "R"), KEY(0x14, "T"), KEY(0x15, "Y"), KEY(0x16, "U"), KEY(0x17, "I"),
    KEY(0x18, "O"), KEY(0x19, "P"), KEY(0x1E, "A"), KEY(0x1F, "S"), KEY(0x20, "D"), KEY(0x21, "F"),
    KEY(0x22, "G"), KEY(0x23, "H"), KEY(0x24, "J"), KEY(0x25, "K"), KEY(0x26, "L"), KEY(0x2C, "Z"),
    KEY(0x2D, "X"), KEY(0x2E, "C"), KEY(0x2F, "V"), KEY(0x30, "B"), KEY(0x31, "N"), KEY(0x32, "M"),
    KEY(0x3F, "F5"), KEY(0x40, "F6"), KEY(0x41, "F7"), KEY(0x42, "F8"), KEY(0x43, "F9"), KEY(0x44, "F10"),
    KEY(0x57, "F11"), KEY(0x58, "F12"), KEY(0x64, "F13"), KEY(0x65, "F14"), KEY(0x66, "F15"),
    KEY(0x0C, "MINUS"), KEY(0x0D, "EQUALS"), KEY(0x0E, "BACK"), KEY(0x0F, "TAB"), KEY(0x1A, "LBRACKET"),
    KEY(0x1B, "RBRACKET"), KEY(0x1C, "RETURN"), KEY(0x1D, "LCONTROL"), KEY(0x27, "SEMICOLON"),
    KEY(0x28, "APOSTROPHE"), KEY(0x29, "GRAVE"), KEY(0x2A, "LSHIFT"), KEY(0x2B, "BACKSLASH"),
    KEY(0x33, "COMMA"), KEY(0x34, "PERIOD"), KEY(0x35, "SLASH"), KEY(0x36, "RSHIFT"), KEY(0x37, "MULTIPLY"),
    KEY(0x38, "LMENU"), KEY(0x39, "SPACE"), KEY(0x3A, "CAPITAL"), KEY(0x45, "NUMLOCK"), KEY(0x46, "SCROLL"),
    KEY(0x47, "NUMPAD7"), KEY(0x48, "NUMPAD8"), KEY(0x49, "NUMPAD9"), KEY(0x4A, "SUBTRACT"),
    KEY(0x4B, "NUMPAD4"), KEY(0x4C, "NUMPAD5"), KEY(0x4D, "NUMPAD6"), KEY(0x4E, "ADD"), KEY(0x4F, "NUMPAD1"),
    KEY(0x50, "NUMPAD2"), KEY(0x51, "NUMPAD3"), KEY(0x52, "NUMPAD0"), KEY(0x53, "DECIMAL"), KEY(0x70, "KANA"),
    KEY(0x79, "CONVERT"), KEY(0x7B, "NOCONVERT"), KEY(0x7D, "YEN"), KEY(0x8D, "NUMPADEQUALS"),
    KEY(0x90, "CIRCUMFLEX"), KEY(0x91, "AT"), KEY(0x92, "COLON"), KEY(0x93, "UNDERLINE"), KEY(0x94, "KANJI"),
    KEY(0x95, "STOP"), KEY(0x96, "AX"), KEY(0x97, "UNLABELED"), KEY(0x9C, "NUMPADENTER"),
    KEY(0x9D, "RCONTROL"), KEY(0xB3, "NUMPADCOMMA"), KEY(0xB5, "DIVIDE"), KEY(0xB7, "SYSRQ"),
    KEY(0xB8, "RMENU"), KEY(0xC8, "UP"), KEY(0xCB, "LEFT"), KEY(0xCD, "RIGHT"), KEY(0xD0, "DOWN"),
    KEY(0xDB, "LWIN"), KEY(0xDC, "RWIN"), KEY(0xDD, "APPS"),
};

static const char* const kJoystickNames[JOYSTICK_NAME_ROWS] = {
    "DOWN", "UP", "RIGHT", "LEFT", "SPACE\t", "CONTROL", "BUTTON1", "BUTTON2",
    "BUTTON3", "BUTTON4", "BUTTON5", "BUTTON6", "BUTTON7", "BUTTON8", "BUTTON9", "BUTTON10",
};

unsigned char KeyNameTable[KEY_NAME_ROWS][16];
char JoystickNameTable[JOYSTICK_NAME_ROWS][24];

// Joystick names are padded with blanks to 18 characters, then NUL bytes.
static struct NameTablesFill {
    NameTablesFill() {
        for (int row = 0; row < KEY_NAME_ROWS; row++) {
            KeyNameTable[row][0] = kKeyNames[row].code;
            for (int i = 0; i < 15 && kKeyNames[row].name[i]; i++)
                KeyNameTable[row][1 + i] = (unsigned char)kKeyNames[row].name[i];
        }
        for (int row = 0; row < JOYSTICK_NAME_ROWS; row++) {
            int i = 0;
            for (; kJoystickNames[row][i]; i++)
                JoystickNameTable[row][i] = kJoystickNames[row][i];
            for (; i < 18; i++)
                JoystickNameTable[row][i] = ' ';
        }
    }
} nameTablesFill;
