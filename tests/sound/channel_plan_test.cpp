// The channel plan: every use of sound on its fixed mixer channels.

#include <gtest/gtest.h>

#include <vector>

#include "sound/sound_state.h"

namespace {

// The uses of each channel, as the game's sound design lays them out.
struct PlannedChannel {
    int first, last;
    std::vector<SoundUse> uses;
};
const PlannedChannel kDesign[] = {
    {0, 7, {USE_ENGINE_LOOP}},
    {1, 1, {USE_PROP_HIT}},
    {2, 2, {USE_TURBO_LOOP, USE_MENU_HIGHLIGHT}},
    {3, 3, {USE_MONSTER_CRUSH, USE_BUS_LOOP, USE_NEW_TURBO, USE_CROWD_REACTION, USE_MENU_HOVER_LOOP}},
    {4, 4, {USE_NEW_TURBO, USE_CROWD_REACTION, USE_MENU_HOVER_LOOP}},
    {5, 5, {USE_NITRO_READY, USE_AIR_BRAKE, USE_MENU_HOVER_LOOP}},
    {6, 6, {USE_TARGET_HIT, USE_CROWD_REACTION, USE_MENU_HOVER_LOOP}},
    {7, 7, {USE_MENU_HOVER_LOOP}},
    {8, 8, {USE_PENALTY, USE_GRIP_LOSS, USE_THUNDER, USE_ROAD_NOISE_LOOP, USE_MENU_HOVER_LOOP}},
    {9, 9, {USE_IDLE_LOOP, USE_MENU_HOVER_LOOP}},
    {10, 10, {USE_SECOND_PLAYER_ENGINE, USE_GRAVEL_LOOP, USE_CROWD_REACTION, USE_EDITOR_SOUND}},
    {11, 11, {USE_SKID_LOOP, USE_BRAKE_LOOP, USE_HANDBRAKE_LOOP, USE_LIST_SCROLL, USE_CHAMPIONSHIP_JINGLE}},
    {12, 12, {USE_CROWD_LOOP}},
    {13, 13, {USE_TERRAIN_LOOP, USE_REVERSE_BEEP, USE_CROWD_CHEER}},
    {14, 14, {USE_TYRE_SQUEAL, USE_WHEEL_SPIN, USE_OVER_REV, USE_POINTS_LOOP, USE_BUY}},
    {15, 15, {USE_GEAR_CLUNK, USE_GEAR_SHIFT, USE_CROWD_REACTION, USE_CLICK}},
    {16, 16, {USE_WALL_CRASH, USE_CAR_CRASH, USE_WALL_SCRAPE, USE_COUNTDOWN_VOICE}},
    {17, 17, {USE_SECOND_LAYER, USE_SCREEN_CHANGE, USE_BONUS_JINGLE, USE_JINGLE}},
    {18, 18, {USE_LANDING, USE_WATER_LOOP, USE_TYPING, USE_DELETE, USE_MESSAGE, USE_ERROR, USE_NEW_BONUS}},
    {19, 19, {USE_HORN}},
    {20, 20, {USE_RAIN_LOOP}},
    {21, 21, {USE_OCEAN_LOOP}},
    {23, 23, {USE_MUSIC}},
};

}  // namespace

TEST(ChannelPlan, EveryUsePlaysOnItsDesignedChannels) {
    uint32_t want[SOUND_USE_COUNT] = {};
    for (const PlannedChannel& row : kDesign) {
        for (int ch = row.first; ch <= row.last; ch++) {
            for (SoundUse use : row.uses)
                want[use] |= 1u << ch;
        }
    }
    for (int use = 0; use < SOUND_USE_COUNT; use++) {
        EXPECT_NE(want[use], 0u) << "use " << use << " is not in the design";
        EXPECT_EQ(ChannelPlan[use].channels, want[use]) << "use " << use;
    }
    // Channel 22 serves nothing; 24 is beyond the mixer.
    EXPECT_EQ(PlannedChannels(), 0xFFFFFFu & ~(1u << 22));

    for (int car = 0; car < 8; car++)
        EXPECT_EQ(UseChannel(USE_ENGINE_LOOP, car), car);
    EXPECT_EQ(UseChannel(USE_ENGINE_LOOP, 8), -1);
    EXPECT_EQ(UseChannel(USE_CROWD_REACTION, 3), 10);
    EXPECT_EQ(UseChannel(USE_HORN), 19);
    EXPECT_EQ(UseChannel(USE_HORN, 1), -1);
    EXPECT_EQ(MUSIC_CHANNEL, 23);
}
