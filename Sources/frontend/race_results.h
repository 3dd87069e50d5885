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

// What one frame of a standings screen (kind 0 the race's points, 1 the
// totals) prints over its background: each row's name at left[row] and
// points at right[row] (the columns slide in), the titles, and the blinking
// names and prompt as the blink count 0..64 has them.
enum { STANDINGS_LINES = 2 * 8 + 3 };
struct StandingsLine {
    int x, y, font, align;
    char text[96];
};
int StandingsLines(int kind, const float* left, const float* right, int blink, StandingsLine* lines);
