#include "frontend/visual_settings.h"

#include <cstring>

#include "frame/fileio.h"
#include "frontend/frontend_state.h"

static_assert(sizeof VisualSettings == VISUAL_FILE_BYTES, "visual.cfg is the whole VisualSettings");

// The range of each byte that something reads: a byte outside it is held
// at its nearest end.  Bytes are read back as signed.
struct ByteRange {
    int byte, low, high;
};
static const ByteRange kRanges[] = {
    {VISUAL_DISPLAY_CHOICE, 0, 2}, {VISUAL_EFFECTS_ENABLED, 0, 1}, {VISUAL_EFFECTS_OPTION, 0, 1},
    {VISUAL_SKY_OPTION, 0, 1},     {VISUAL_OPTION_4, 0, 1},        {VISUAL_TEXTURE_FILTER, 1, 2},
    {VISUAL_EFFECTS_LEVEL, 0, 5},  {VISUAL_MUSIC_LEVEL, 0, 5},     {VISUAL_STEREO, 0, 1},
    {VISUAL_VIEW_PLAYER1, 1, 3},   {VISUAL_VIEW_PLAYER2, 1, 3},
};

int TakeVisualSettings(const unsigned char* bytes, int size) {
    if (!bytes || size != VISUAL_FILE_BYTES)
        return 0;
    unsigned char staging[VISUAL_FILE_BYTES];
    memcpy(staging, bytes, sizeof staging);
    for (const ByteRange& r : kRanges) {
        int v = (signed char)staging[r.byte];
        if (v < r.low)
            v = r.low;
        if (v > r.high)
            v = r.high;
        staging[r.byte] = (unsigned char)v;
    }
    memcpy(VisualSettings, staging, sizeof staging);
    return 1;
}

int ReadVisualSettings() {
    unsigned char image[VISUAL_FILE_BYTES + 1];
    if (ReadWholeFile("CONFIG\\visual.cfg", image, sizeof image) <= 0)
        return 0;
    return TakeVisualSettings(image, LastFileSize);
}

void WriteVisualSettings() { WriteWholeFile("CONFIG\\visual.cfg", VISUAL_FILE_BYTES, VisualSettings); }

void ApplyDisplayVariables() {
    const signed char* bytes = (const signed char*)VisualSettings;
    for (int i = 0; i <= VISUAL_TEXTURE_FILTER; i++)
        VisualOptions[i] = bytes[i];
    EffectsEnabled = bytes[VISUAL_EFFECTS_ENABLED];
    EffectsOption = bytes[VISUAL_EFFECTS_OPTION];
    SkyOption = bytes[VISUAL_SKY_OPTION];
}
