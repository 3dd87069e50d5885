// The mixer channel of every sound use.  A use always plays on its own
// channel; several uses share one, and a new sound on a busy channel replaces
// what plays there unless its caller tests the channel first.  The sound code
// names channels only through these.
#pragma once

// The main engine loop of car n plays on channel n (0..7).
inline constexpr int EngineChannel(int car) { return car; }

inline constexpr int CH_PROP_HIT = 1;            // cone, pole and slalom-pole hits
inline constexpr int CH_TURBO_LOOP = 2;
inline constexpr int CH_MENU_HIGHLIGHT = 2;
inline constexpr int CH_CRUSH = 3;               // monster-car crushes
inline constexpr int CH_BUS_LOOP = 3;
inline constexpr int CH_NEW_TURBO_A = 3;         // the new-turbo sample plays on two channels
inline constexpr int CH_NEW_TURBO_B = 4;
inline constexpr int CH_NITRO_READY = 5;
inline constexpr int CH_AIR_BRAKE = 5;
inline constexpr int CH_TARGET_HIT = 6;
inline constexpr int CH_PENALTY = 8;
inline constexpr int CH_GRIP_LOSS = 8;
inline constexpr int CH_THUNDER = 8;
inline constexpr int CH_ROAD_NOISE = 8;
inline constexpr int CH_IDLE_LAYER = 9;          // the listener's idle loop
inline constexpr int CH_SPLIT_IDLE_BASE = 8;     // split screen: player car p's idle loop on 8 + p
inline constexpr int CH_CONTACT_LAYER = 10;      // a copy of the listener's engine on contact surfaces
inline constexpr int CH_GRAVEL_LOOP = 10;
inline constexpr int CH_SECOND_PLAYER_LAYER = 10;   // split screen: car 1's second layer
inline constexpr int CH_EDITOR = 10;
inline constexpr int CH_SKID = 11;
inline constexpr int CH_BRAKE = 11;
inline constexpr int CH_HANDBRAKE = 11;
inline constexpr int CH_LIST_SCROLL = 11;
inline constexpr int CH_CHAMPIONSHIP_JINGLE = 11;
inline constexpr int CH_CROWD_LOOP = 12;
inline constexpr int CH_TERRAIN = 13;
inline constexpr int CH_REVERSE_BEEP = 13;
inline constexpr int CH_CROWD_CHEER = 13;        // penalty, crush and lead cheers
inline constexpr int CH_TYRES = 14;              // tyre squeal, wheel spin, over-rev
inline constexpr int CH_POINTS = 14;             // the points loop and the buy sample
inline constexpr int CH_GEAR = 15;               // gear clunk and shift-down samples
inline constexpr int CH_CLICK = 15;
inline constexpr int CH_CRASH = 16;              // wall and car crashes, the wall scrape
inline constexpr int CH_COUNTDOWN = 16;
inline constexpr int CH_SECOND_LAYER = 17;
inline constexpr int CH_SCREEN_CHANGE = 17;
inline constexpr int CH_BONUS = 17;
inline constexpr int CH_JINGLE = 17;
inline constexpr int CH_LANDING = 18;
inline constexpr int CH_WATER = 18;
inline constexpr int CH_FRONT_END = 18;          // typing, delete, message, error, new bonus
inline constexpr int CH_HORN = 19;
inline constexpr int CH_RAIN = 20;
inline constexpr int CH_OCEAN = 21;
inline constexpr int CH_MUSIC = 23;

// The crowd's reactions: the finish cheer and the race-over sample by track
// group, the final-seconds pair of the arena events.
inline constexpr int CH_REACTION_CIRCUIT = 10;   // groups 1-4
inline constexpr int CH_REACTION_ARENA = 3;      // group 5
inline constexpr int CH_REACTION_CROSS = 15;     // groups 6 and 7
inline constexpr int CH_FINAL_SECONDS = 6;
inline constexpr int CH_SECOND_CROWD = 4;
