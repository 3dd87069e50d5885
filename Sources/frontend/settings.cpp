#include "frontend/settings.h"

#include <cstddef>
#include <cstring>

#include "frame/fileio.h"
#include "frontend/frontend_state.h"
#include "frontend/player_files.h"
#include "platform/plat_keys.h"
#include "race/messages.h"
#include "race/race_state.h"

static_assert(offsetof(SettingsRecord, tag) == 0, "tag first");
static_assert(offsetof(SettingsRecord, settingsInts) == 4, "settings integers at byte 4");
static_assert(offsetof(SettingsRecord, bindings) == 36, "bindings at byte 36");
static_assert(offsetof(SettingsRecord, bestRaceTime) == 564, "record tables at byte 564");
static_assert(offsetof(SettingsRecord, bestLapTime) == 861, "lap times at byte 861");
static_assert(offsetof(SettingsRecord, bestRaceHolder) == 1158, "race holders at byte 1,158");
static_assert(offsetof(SettingsRecord, bestLapHolder) == 3138, "lap holders at byte 3,138");
static_assert(offsetof(SettingsRecord, bestRaceDate) == 5118, "race dates at byte 5,118");
static_assert(offsetof(SettingsRecord, bestLapDate) == 7296, "lap dates at byte 7,296");
static_assert(offsetof(SettingsRecord, forceFeedbackLevel) == 9474, "force-feedback level at byte 9,474");
static_assert(offsetof(SettingsRecord, manualGearbox) == 9475, "gearbox flags at byte 9,475");
static_assert(offsetof(SettingsRecord, pad) == 9483, "pad last");

SettingsRecord SettingsImage;

// The factory keys by action (accelerate, brake, left, right, handbrake,
// horn, turbo, look back, gear up, gear down, change camera): player 1 on
// the arrows and the keys beside them, player 2 on W A S D and the keys round
// them, no key bound twice.
static const int FactoryKeys[2][11] = {
    {SCAN_UP, SCAN_DOWN, SCAN_LEFT, SCAN_RIGHT, 0x9D /* RCONTROL */, 0x36 /* RSHIFT */, 0x52 /* NUMPAD0 */,
     0x53 /* DECIMAL */, 0x4E /* ADD */, 0x4A /* SUBTRACT */, SCAN_NUMPADENTER},
    {0x11 /* W */, 0x1F /* S */, 0x1E /* A */, 0x20 /* D */, SCAN_LCONTROL, SCAN_LSHIFT, 0x10 /* Q */,
     0x12 /* E */, 0x13 /* R */, 0x21 /* F */, 0x2E /* C */},
};
// The joystick inputs by action (the bit of the input mask): the stick, then
// buttons 1 to 7.
static const int FactoryJoystick[11] = {1 /* UP */, 0 /* DOWN */, 3 /* LEFT */, 2 /* RIGHT */, 6, 7, 8, 9, 10, 11, 12};

static int KeyRowOfScan(int scan) {
    for (int row = 0; row < KEY_NAME_ROWS; row++) {
        if (KeyNameTable[row][0] == scan)
            return row;
    }
    return -1;
}

void FactorySettings(SettingsRecord* record) {
    memset(record, 0, sizeof *record);
    memcpy(record->tag, "V1.0", 4);
    for (int player = 0; player < 2; player++) {
        KeyBinding* keys = record->bindings[player * 2];
        KeyBinding* stick = record->bindings[player * 2 + 1];
        for (int action = 0; action < 11; action++) {
            const int scan = FactoryKeys[player][action];
            keys[action] = {scan, 0, KeyRowOfScan(scan)};
            stick[action] = {1 << FactoryJoystick[action], 1, FactoryJoystick[action]};
        }
    }
    record->forceFeedbackLevel = 1;
}

int BindingValid(const KeyBinding& b) {
    if (b.isJoystick != 0 && b.isJoystick != 1)
        return 0;
    if (b.nameIndex == -1)
        return b.code == 0;
    if (b.isJoystick)
        return b.nameIndex >= 0 && b.nameIndex < JOYSTICK_NAME_ROWS && b.code == 1 << b.nameIndex;
    return b.nameIndex >= 0 && b.nameIndex < KEY_NAME_ROWS && b.code == KeyNameTable[b.nameIndex][0];
}

const char* SettingsRecordProblem(const SettingsRecord& r) {
    for (int player = 0; player < 2; player++) {
        if (r.settingsInts[player] != 0 && r.settingsInts[player] != 1)
            return "an input device is neither 0 (keyboard) nor 1 (joystick)";
    }
    for (const auto& set : r.bindings) {
        for (const KeyBinding& b : set) {
            if (!BindingValid(b))
                return "a binding names no key or joystick input of its table";
        }
    }
    if (r.forceFeedbackLevel < 0 || r.forceFeedbackLevel > 2)
        return "the force-feedback level is not 0, 1 or 2";
    for (int8_t flag : r.manualGearbox) {
        if (flag != 0 && flag != 1)
            return "a gearbox flag is neither 0 nor 1";
    }
    return nullptr;
}

const char* SettingsFileProblem(const unsigned char* bytes, int size) {
    if (!bytes || size != (int)sizeof(SettingsRecord))
        return "a settings file is 9,484 bytes";
    static SettingsRecord record;
    memcpy(&record, bytes, sizeof record);
    return SettingsRecordProblem(record);
}

// 1 when the file holds a whole settings record that passes the checks; the
// staging copy then holds it.
static int ReadSettingsFile(const char* path, SettingsRecord* staging) {
    return ReadPlayerFile(path, nullptr, staging, (int)sizeof *staging, SettingsFileProblem);
}

// What the defaults give: the device choices, the bindings and the
// force-feedback level; the gearbox bytes and the record tables stay.
static void TakeDefaults(const SettingsRecord& from) {
    memcpy(SettingsImage.settingsInts, from.settingsInts, sizeof from.settingsInts);
    memcpy(SettingsImage.bindings, from.bindings, sizeof from.bindings);
    SettingsImage.forceFeedbackLevel = from.forceFeedbackLevel;
}

void LoadSettings(int defaults) {
    static SettingsRecord staging;
    if (defaults != 1 && ReadSettingsFile("Config\\config.cfg", &staging)) {
        SettingsImage = staging;
    } else {
        // A bad or missing file falls back on the defaults file, and that on
        // the factory table, so the keys always work; a refused file has
        // said why on the console.
        if (!ReadSettingsFile("Config\\config.def", &staging)) {
            if (!QueryFileSize("Config\\config.def"))
                ConsoleAddLine("Config\\config.def is missing: the factory settings are used");
            FactorySettings(&staging);
        }
        TakeDefaults(staging);
        if (defaults != 1)
            memcpy(SettingsImage.manualGearbox, staging.manualGearbox, sizeof staging.manualGearbox);
    }
    for (int i = 0; i < SETTINGS_SAVED_INTS; i++)
        SettingsInts[i] = SettingsImage.settingsInts[i];
    memcpy(ControlBindings, SettingsImage.bindings, sizeof ControlBindings);
    if (defaults != 1) {
        for (int i = 0; i < 8; i++)
            ManualGearbox[i] = SettingsImage.manualGearbox[i];
    }
}

int SaveSettings() {
    for (int i = 0; i < SETTINGS_SAVED_INTS; i++)
        SettingsImage.settingsInts[i] = SettingsInts[i];
    memcpy(SettingsImage.bindings, ControlBindings, sizeof ControlBindings);
    memcpy(SettingsImage.tag, "V1.0", 4);
    return WriteWholeFile("Config\\config.cfg", (int)sizeof SettingsImage, &SettingsImage);
}
