#include "frontend/settings.h"

#include <cstddef>
#include <cstring>

#include "frame/fileio.h"
#include "frontend/frontend_state.h"
#include "race/race_state.h"

static_assert(offsetof(SettingsRecord, settingsInts) == 4, "settings integers at byte 4");
static_assert(offsetof(SettingsRecord, bindings) == 36, "bindings at byte 36");
static_assert(offsetof(SettingsRecord, bestRaceTime) == 564, "record tables at byte 564");
static_assert(offsetof(SettingsRecord, bestLapHolder) == 3138, "lap holders at byte 3,138");
static_assert(offsetof(SettingsRecord, bestLapDate) == 7296, "lap dates at byte 7,296");
static_assert(offsetof(SettingsRecord, forceFeedbackLevel) == 9474, "force-feedback level at byte 9,474");
static_assert(offsetof(SettingsRecord, manualGearbox) == 9475, "gearbox flags at byte 9,475");

SettingsRecord SettingsImage;

void LoadSettings(int defaults) {
    static SettingsRecord staging;
    const char* path = defaults == 1 ? "Config\\config.def" : "Config\\config.cfg";
    if (ReadWholeFile(path, &staging, (int)sizeof staging) == 1) {
        size_t size = (size_t)LastFileSize;
        if (size > sizeof staging)
            size = sizeof staging;
        memcpy(&SettingsImage, &staging, size);
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
