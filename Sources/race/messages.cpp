#include "race/messages.h"

#include <cstring>
#include <mutex>

#include "frame/display.h"
#include "frame/frame_state.h"
#include "race/race_state.h"
#include "render/text_printer.h"
#include "sound/effect_sounds.h"

TimedMessage TimedMessages[TIMED_MESSAGE_SLOTS];

// ---------------------------------------------------------------------------
// Timed messages.

static int MessageShows(int style, int timeLeft) {
    if (style == 1)
        return (timeLeft & 0x20) != 0;
    if (style == 2)
        return (timeLeft & 0x10) != 0;
    return style == 0;
}

void ShowTimedMessage(int x, int y, const char* text, int font, int align, int ticks, int style) {
    PlayMessageSoundLoop();
    int slot = 0;
    for (int i = 0; i < TIMED_MESSAGE_SLOTS; i++) {
        if (TimedMessages[i].timeLeft == 0) {
            slot = i;
            break;
        }
        // All busy: the one closest to its end gives way.
        if (TimedMessages[i].timeLeft < TimedMessages[slot].timeLeft)
            slot = i;
    }
    TimedMessage& message = TimedMessages[slot];
    message.x = x;
    message.y = y;
    message.font = font;
    message.align = align;
    message.timeLeft = ticks;
    message.style = style;
    const size_t length = text ? strnlen(text, sizeof message.text - 1) : 0;
    memcpy(message.text, text ? text : "", length);
    message.text[length] = 0;
}

void DrawTimedMessages(int mode) {
    if (mode == 1) {
        memset(TimedMessages, 0, sizeof TimedMessages);
        return;
    }
    if (RacePaused || (mode == 0 && PresentationRun))
        return;
    PlatSurface* target = GetRenderTarget();
    for (TimedMessage& message : TimedMessages) {
        if (message.timeLeft <= 0)
            continue;
        message.timeLeft = message.timeLeft > FrameTicks ? message.timeLeft - FrameTicks : 0;
        if (MessageShows(message.style, message.timeLeft))
            PrintText(message.x, message.y, message.text, message.font, message.align, target, 0);
    }
}

// ---------------------------------------------------------------------------
// The console: a ring of ten lines of which at most nine are live, oldest
// at ConsoleHead.  Lines come from the main and network threads and age on
// the timer thread, so every touch of the ring holds its lock; drawing
// copies the lines out first and prints without it.

static std::mutex ConsoleLock;
static char ConsoleLines[CONSOLE_RING_LINES][CONSOLE_LINE_BYTES];
static int ConsoleLife[CONSOLE_RING_LINES];
static int ConsoleHead;
static int ConsoleCount;

int ConsoleLineCount() {
    std::lock_guard<std::mutex> hold(ConsoleLock);
    return ConsoleCount;
}

void ConsoleAddLine(const char* text) {
    std::lock_guard<std::mutex> hold(ConsoleLock);
    ConsoleCount++;
    if (ConsoleCount == CONSOLE_RING_LINES) {
        ConsoleCount = CONSOLE_LIVE_LINES;
        ConsoleHead = (ConsoleHead + 1) % CONSOLE_RING_LINES;
    }
    const int line = (ConsoleHead + ConsoleCount - 1) % CONSOLE_RING_LINES;
    const size_t length = text ? strnlen(text, CONSOLE_LINE_BYTES - 1) : 0;
    memcpy(ConsoleLines[line], text ? text : "", length);
    ConsoleLines[line][length] = 0;
    ConsoleLife[line] = CONSOLE_LINE_LIFE;
}

void ConsoleAge() {
    std::lock_guard<std::mutex> hold(ConsoleLock);
    for (int i = 0; i < ConsoleCount; i++)
        ConsoleLife[(ConsoleHead + i) % CONSOLE_RING_LINES]--;
    while (ConsoleCount > 0 && ConsoleLife[ConsoleHead] <= 0) {
        ConsoleHead = (ConsoleHead + 1) % CONSOLE_RING_LINES;
        ConsoleCount--;
    }
}

int ConsoleCopyLines(char lines[CONSOLE_LIVE_LINES][CONSOLE_LINE_BYTES]) {
    std::lock_guard<std::mutex> hold(ConsoleLock);
    for (int i = 0; i < ConsoleCount; i++)
        memcpy(lines[i], ConsoleLines[(ConsoleHead + i) % CONSOLE_RING_LINES], CONSOLE_LINE_BYTES);
    return ConsoleCount;
}

void ConsoleDraw() {
    char lines[CONSOLE_LIVE_LINES][CONSOLE_LINE_BYTES];
    const int count = ConsoleCopyLines(lines);
    PlatSurface* target = GetRenderTarget();
    for (int i = 0; i < count; i++)
        PrintText(10, SurfaceHeight / 3 + 13 * i, lines[i], 3, ALIGN_LEFT, target, 0);
}
