// Timed screen messages and the message console.
#pragma once

enum {
    CONSOLE_RING_LINES = 10,
    CONSOLE_LIVE_LINES = 9,
    CONSOLE_LINE_BYTES = 100,
    CONSOLE_LINE_LIFE = 360,      // ticks
};

// Puts a text on the screen for `ticks` ticks at layout (x, y), in a font,
// alignment and blink style (0 steady, 1 slow, 2 fast).  With every slot
// busy it replaces the message with the least time left.
void ShowTimedMessage(int x, int y, const char* text, int font, int align, int ticks, int style);
// 1 clears every timed message; 0 (and the frame's other modes) ages them
// by FrameTicks and prints those their style shows.
void DrawTimedMessages(int mode);

// The console: lines from any thread, shown for 360 ticks, nine at most.
// Number of live console lines (the frame draws and the tick ages the
// console only while it holds lines).
int ConsoleLineCount();
void ConsoleAddLine(const char* text);
// One tick of every live line's life (timer thread).
void ConsoleAge();
// Prints the live lines, oldest first, on the render target.
void ConsoleDraw();
// The live lines, oldest first, copied under the lock; returns their count.
int ConsoleCopyLines(char lines[CONSOLE_LIVE_LINES][CONSOLE_LINE_BYTES]);
