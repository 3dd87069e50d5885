// The mixer channel of every sound use, from the channel plan
// (sound_state.h).  The sound code names channels only through these.  Where
// the code relies on two uses sharing a channel (a loop that replaces
// another, a test of the channel's status), the sharing is asserted here.
#pragma once

#include "sound/sound_state.h"

// The main engine loop of car n plays on channel n (0..7).
inline constexpr int EngineChannel(int car) { return UseChannel(USE_ENGINE_LOOP, car); }

inline constexpr int CH_PROP_HIT = UseChannel(USE_PROP_HIT);
inline constexpr int CH_TURBO_LOOP = UseChannel(USE_TURBO_LOOP);
inline constexpr int CH_MENU_HIGHLIGHT = UseChannel(USE_MENU_HIGHLIGHT);
inline constexpr int CH_CRUSH = UseChannel(USE_MONSTER_CRUSH);
inline constexpr int CH_BUS_LOOP = UseChannel(USE_BUS_LOOP);
inline constexpr int CH_NEW_TURBO_A = UseChannel(USE_NEW_TURBO, 0);   // the sample plays on both
inline constexpr int CH_NEW_TURBO_B = UseChannel(USE_NEW_TURBO, 1);
inline constexpr int CH_NITRO_READY = UseChannel(USE_NITRO_READY);
inline constexpr int CH_AIR_BRAKE = UseChannel(USE_AIR_BRAKE);
inline constexpr int CH_TARGET_HIT = UseChannel(USE_TARGET_HIT);
inline constexpr int CH_PENALTY = UseChannel(USE_PENALTY);
inline constexpr int CH_GRIP_LOSS = UseChannel(USE_GRIP_LOSS);
inline constexpr int CH_THUNDER = UseChannel(USE_THUNDER);
inline constexpr int CH_ROAD_NOISE = UseChannel(USE_ROAD_NOISE_LOOP);
inline constexpr int CH_IDLE_LAYER = UseChannel(USE_IDLE_LOOP);
// The contact copy of the listener's engine loop, an engine loop of channel 10.
inline constexpr int CH_CONTACT_LAYER = UseChannel(USE_SECOND_PLAYER_ENGINE);
inline constexpr int CH_GRAVEL_LOOP = UseChannel(USE_GRAVEL_LOOP);
inline constexpr int CH_SECOND_PLAYER_LAYER = UseChannel(USE_SECOND_PLAYER_ENGINE);
inline constexpr int CH_EDITOR = UseChannel(USE_EDITOR_SOUND);
inline constexpr int CH_SKID = UseChannel(USE_SKID_LOOP);
inline constexpr int CH_BRAKE = UseChannel(USE_BRAKE_LOOP);
inline constexpr int CH_HANDBRAKE = UseChannel(USE_HANDBRAKE_LOOP);
inline constexpr int CH_LIST_SCROLL = UseChannel(USE_LIST_SCROLL);
inline constexpr int CH_CHAMPIONSHIP_JINGLE = UseChannel(USE_CHAMPIONSHIP_JINGLE);
inline constexpr int CH_CROWD_LOOP = UseChannel(USE_CROWD_LOOP);
inline constexpr int CH_TERRAIN = UseChannel(USE_TERRAIN_LOOP);
inline constexpr int CH_REVERSE_BEEP = UseChannel(USE_REVERSE_BEEP);
inline constexpr int CH_CROWD_CHEER = UseChannel(USE_CROWD_CHEER);   // penalty, crush and lead cheers
inline constexpr int CH_TYRES = UseChannel(USE_TYRE_SQUEAL);          // tyre squeal, wheel spin, over-rev
inline constexpr int CH_POINTS = UseChannel(USE_POINTS_LOOP);         // the points loop and the buy sample
inline constexpr int CH_GEAR = UseChannel(USE_GEAR_CLUNK);            // gear clunk and shift-down samples
inline constexpr int CH_CLICK = UseChannel(USE_CLICK);
inline constexpr int CH_CRASH = UseChannel(USE_WALL_CRASH);           // wall and car crashes, the scrape
inline constexpr int CH_COUNTDOWN = UseChannel(USE_COUNTDOWN_VOICE);
inline constexpr int CH_SECOND_LAYER = UseChannel(USE_SECOND_LAYER);
inline constexpr int CH_SCREEN_CHANGE = UseChannel(USE_SCREEN_CHANGE);
inline constexpr int CH_BONUS = UseChannel(USE_BONUS_JINGLE);
inline constexpr int CH_JINGLE = UseChannel(USE_JINGLE);
inline constexpr int CH_LANDING = UseChannel(USE_LANDING);
inline constexpr int CH_WATER = UseChannel(USE_WATER_LOOP);
inline constexpr int CH_FRONT_END = UseChannel(USE_TYPING);           // typing, delete, message, error, new bonus
inline constexpr int CH_HORN = UseChannel(USE_HORN);
inline constexpr int CH_RAIN = UseChannel(USE_RAIN_LOOP);
inline constexpr int CH_OCEAN = UseChannel(USE_OCEAN_LOOP);
inline constexpr int CH_MUSIC = UseChannel(USE_MUSIC);

// The crowd's reactions: the finish cheer and the race-over sample by track
// group, and the arena's final-seconds pair.
inline constexpr int CH_REACTION_ARENA = UseChannel(USE_CROWD_REACTION, 0);     // group 5
inline constexpr int CH_SECOND_CROWD = UseChannel(USE_CROWD_REACTION, 1);
inline constexpr int CH_FINAL_SECONDS = UseChannel(USE_CROWD_REACTION, 2);
inline constexpr int CH_REACTION_CIRCUIT = UseChannel(USE_CROWD_REACTION, 3);   // groups 1-4
inline constexpr int CH_REACTION_CROSS = UseChannel(USE_CROWD_REACTION, 4);     // groups 6 and 7

// Split screen: player car p's idle loop on 8 + p (the road noise's channel,
// then the idle layer's).
inline constexpr int SplitIdleChannel(int player) { return player == 0 ? CH_ROAD_NOISE : CH_IDLE_LAYER; }

// The menu hover loops, channels 3 to 9.
inline constexpr int HOVER_FIRST_CHANNEL = UseChannel(USE_MENU_HOVER_LOOP, 0);

static_assert(CH_TYRES == UseChannel(USE_WHEEL_SPIN) && CH_TYRES == UseChannel(USE_OVER_REV), "one tyre channel");
static_assert(CH_POINTS == UseChannel(USE_BUY), "the buy sample follows the points loop");
static_assert(CH_GEAR == UseChannel(USE_GEAR_SHIFT), "clunk and shift share a channel");
static_assert(CH_CRASH == UseChannel(USE_CAR_CRASH) && CH_CRASH == UseChannel(USE_WALL_SCRAPE), "one crash channel");
static_assert(CH_FRONT_END == UseChannel(USE_DELETE) && CH_FRONT_END == UseChannel(USE_MESSAGE) &&
                  CH_FRONT_END == UseChannel(USE_ERROR) && CH_FRONT_END == UseChannel(USE_NEW_BONUS),
              "the front end's samples share channel 18");
static_assert(SplitIdleChannel(0) == 8 && SplitIdleChannel(1) == 9, "split idle loops on 8 + player");
static_assert(CH_REACTION_CIRCUIT == 10 && CH_REACTION_ARENA == 3 && CH_REACTION_CROSS == 15,
              "the reactions' channels by group");
