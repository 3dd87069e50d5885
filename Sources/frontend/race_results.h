// What the race's end asks of the front end: the end-of-race banner, the
// lap times of the replay header, and the standings after a championship,
// split screen or network race.
#pragma once

struct PlatSurface;

// The end-of-race banner, once per race over, through the timed messages.
void ShowRaceResultBanner(PlatSurface* surface);
// Lap slot 0..2 of the replay header (later laps have no slot).
void SetReplayTime(int lap, int minutes, int seconds, int hundredths);
// The standings: until their screens exist, straight back to the menus.
void ShowStandings(PlatSurface* surface);
