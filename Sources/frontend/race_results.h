// What the race's end asks of the front end: the end-of-race banner, the
// lap times of the replay header, and the standings after a championship,
// split screen or network race.
#pragma once

struct PlatSurface;

// The end-of-race banner, once per race over, through the timed messages.
void ShowRaceResultBanner(PlatSurface* surface);
// Lap slot 0..2 of the replay header (later laps have no slot), and its
// bytes read back (0 for a lap without a slot).
void SetReplayTime(int lap, int minutes, int seconds, int hundredths);
int GetReplayMinutes(int lap);
int GetReplaySeconds(int lap);
int GetReplayHundredths(int lap);
// The points of the race and the standings screens, until Space or the
// window closes; then the next race or heat (standings.cpp).
void ShowStandings(PlatSurface* surface);
