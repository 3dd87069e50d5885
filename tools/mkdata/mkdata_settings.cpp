// The settings files: Config\config.def (the factory settings) and
// Config\config.cfg (the same, as a first run finds it).  Both players on
// the keyboard: player 1 on the arrow keys and the keys beside them, player
// 2 on W A S D and the keys round them, no key bound twice; the joystick
// sets on the stick and the buttons.

#include <cstring>

#include "frontend/frontend_state.h"
#include "mkdata.h"
#include "platform/plat_keys.h"

namespace {

// Scan codes by action: accelerate, brake, left, right, handbrake, horn,
// turbo, look back, gear up, gear down, change camera.
const int PlayerKeys[2][11] = {
    {SCAN_UP, SCAN_DOWN, SCAN_LEFT, SCAN_RIGHT, 0x9D /* RCONTROL */, 0x36 /* RSHIFT */, 0x52 /* NUMPAD0 */,
     0x53 /* DECIMAL */, 0x4E /* ADD */, 0x4A /* SUBTRACT */, SCAN_NUMPADENTER},
    {0x11 /* W */, 0x1F /* S */, 0x1E /* A */, 0x20 /* D */, SCAN_LCONTROL, SCAN_LSHIFT, 0x10 /* Q */,
     0x12 /* E */, 0x13 /* R */, 0x21 /* F */, 0x2E /* C */},
};

// Joystick inputs by action (the bit of the input mask): the stick, then
// buttons 1 to 7.
const int JoystickInputs[11] = {1 /* UP */, 0 /* DOWN */, 3 /* LEFT */, 2 /* RIGHT */, 6, 7, 8, 9, 10, 11, 12};

int KeyRow(int scan) {
    for (int row = 0; row < KEY_NAME_ROWS; row++) {
        if (KeyNameTable[row][0] == scan)
            return row;
    }
    return -1;
}

}  // namespace

bool MkFactorySettings(SettingsRecord* record) {
    memset(record, 0, sizeof *record);
    memcpy(record->tag, "V1.0", 4);
    for (int player = 0; player < 2; player++) {
        KeyBinding* keys = record->bindings[player * 2];
        KeyBinding* stick = record->bindings[player * 2 + 1];
        for (int action = 0; action < 11; action++) {
            const int row = KeyRow(PlayerKeys[player][action]);
            if (row < 0)
                return false;
            keys[action] = {PlayerKeys[player][action], 0, row};
            stick[action] = {1 << JoystickInputs[action], 1, JoystickInputs[action]};
        }
    }
    record->forceFeedbackLevel = 1;
    return true;
}

// A sample drive for `--script drive.txt` (README): after the countdown,
// car 0 swerves past the car ahead of it on the grid and drives on up the
// start straight towards the first bend.
const char* const SampleDrive =
    "# A sample drive of the quick race (quorvix --autorace --script drive.txt).\n"
    "# Frame, then the event; Space ends the fly-by, and the race opens at GO\n"
    "# about 250 frames in.\n"
    "2 key down SPACE\n"
    "3 key up SPACE\n"
    "10 key down UP\n"
    "250 key down LEFT\n"
    "290 key up LEFT\n"
    "300 key down RIGHT\n"
    "340 key up RIGHT\n";

bool MkWriteSettingsFiles() {
    static SettingsRecord record;
    return MkFactorySettings(&record) && MkWriteFile("Config\\config.def", &record, sizeof record) &&
           MkWriteFile("Config\\config.cfg", &record, sizeof record) && MkWriteText("drive.txt", SampleDrive);
}
