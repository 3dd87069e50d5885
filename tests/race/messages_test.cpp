// Timed messages (slots, blinking styles, clearing, a ninth message) and the
// message console (the ring of ten, ageing, long lines, three threads).

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "frame/frame_state.h"
#include "platform/plat_surface.h"
#include "race/messages.h"
#include "race/race_state.h"
#include "render/render_state.h"
#include "render/text_printer.h"

namespace {

// Messages print on the software path, into the work surface, from a font
// strip of one colour: a message shows when its corner is coloured.
class Messages : public ::testing::Test {
protected:
    void SetUp() override {
        DrawTimedMessages(1);
        RacePaused = 0;
        PresentationRun = 0;
        FrameTicks = 1;
        RenderKind = 0;
        ForceTargetBlit = 0;
        SurfaceWidth = 640;
        SurfaceHeight = 480;
        DisplayConfig.width = 640;
        DisplayConfig.height = 480;
        std::vector<uint8_t> widths(GLYPH_WIDTH_FILE_BYTES, 0);
        for (size_t i = 0; i < widths.size(); i += 4)
            widths[i] = 8;
        ASSERT_EQ(ParseGlyphWidths(widths.data(), (int)widths.size()), 1);
        ASSERT_EQ(PlatSurfaceCreate(4118, 128, PLAT_PF_RGB565, PLAT_SURF_SYSTEMMEMORY, &FontSurface), DD_OK);
        PlatSurfaceFill(FontSurface, nullptr, INK, PLAT_WAIT);
        PlatSurfaceSetColourKey(FontSurface, 1, 0xFFFF, 0xFFFF);
        ASSERT_EQ(PlatSurfaceCreate(640, 1440, PLAT_PF_RGB565, PLAT_SURF_SYSTEMMEMORY, &WorkSurface), DD_OK);
    }
    void TearDown() override {
        PlatSurfaceRelease(FontSurface);
        PlatSurfaceRelease(WorkSurface);
        FontSurface = WorkSurface = nullptr;
    }
    int TimeLeft(int slot) { return TimedMessages[slot].timeLeft; }
    // One frame: the messages age and print; 1 when the one at (x, y) showed.
    bool Frame(int x = 0, int y = 0) {
        PlatSurfaceFill(WorkSurface, nullptr, 0, PLAT_WAIT);
        DrawTimedMessages(0);
        void* bits = nullptr;
        int pitch = 0;
        if (PlatSurfaceLock(WorkSurface, nullptr, PLAT_WAIT, &bits, &pitch) != DD_OK)
            return false;
        const bool shown = ((uint16_t*)((uint8_t*)bits + (long)y * pitch))[x] == INK;
        PlatSurfaceUnlock(WorkSurface);
        return shown;
    }
    static constexpr uint16_t INK = 0x1234;
};

}  // namespace

TEST_F(Messages, BlinkingFollowsBitsOfTheTimeLeft) {
    // Style 1: shown while bit 0x20 is set, so 32 frames on, 32 off.
    ShowTimedMessage(0, 0, "A", 1, 0, 3000, 1);
    std::vector<int> runs;
    bool last = Frame();
    EXPECT_EQ(last, ((3000 - 1) & 0x20) != 0);
    int run = 1;
    for (int frame = 2; frame <= 400; frame++) {
        const bool shown = Frame();
        ASSERT_EQ(shown, ((3000 - frame) & 0x20) != 0) << frame;
        if (shown == last) {
            run++;
        } else {
            runs.push_back(run);
            run = 1;
            last = shown;
        }
    }
    ASSERT_GE(runs.size(), 5u);
    for (size_t i = 1; i < runs.size(); i++)
        EXPECT_EQ(runs[i], 32) << i;

    // Style 2: bit 0x10, a period of 32.
    DrawTimedMessages(1);
    ShowTimedMessage(0, 0, "A", 1, 0, 64, 2);
    for (int frame = 1; frame <= 64; frame++)
        ASSERT_EQ(Frame(), ((64 - frame) & 0x10) != 0) << frame;

    // A message that starts with bit 0x20 clear starts hidden.
    DrawTimedMessages(1);
    ShowTimedMessage(0, 0, "A", 1, 0, 0x41, 1);
    EXPECT_FALSE(Frame());
}

TEST_F(Messages, StyleZeroIsDrawnInTheFrameItsTimeRunsOut) {
    ShowTimedMessage(320, 100, "A", 1, 1, 5, 0);   // centred: 8 wide, at 316
    FrameTicks = 2;
    EXPECT_TRUE(Frame(316, 100));
    EXPECT_TRUE(Frame(316, 100));
    EXPECT_TRUE(Frame(316, 100)) << "time 0 this frame";
    EXPECT_EQ(TimeLeft(0), 0);
    EXPECT_FALSE(Frame(316, 100));
    // Mode 1 clears without drawing.
    ShowTimedMessage(0, 0, "A", 1, 0, 500, 0);
    PlatSurfaceFill(WorkSurface, nullptr, 0, PLAT_WAIT);
    DrawTimedMessages(1);
    EXPECT_FALSE(Frame());
}

TEST_F(Messages, SlotsHoldTheirValuesAndACutText) {
    const std::string longText(300, 'x');
    ShowTimedMessage(320, 70, longText.c_str(), 0, 1, 3000, 1);
    ShowTimedMessage(100, 200, "LAP 2", 3, 2, 420, 2);
    const TimedMessage& first = TimedMessages[0];
    EXPECT_EQ(first.x, 320);
    EXPECT_EQ(first.y, 70);
    EXPECT_EQ(first.font, 0);
    EXPECT_EQ(first.align, 1);
    EXPECT_EQ(first.timeLeft, 3000);
    EXPECT_EQ(first.style, 1);
    EXPECT_EQ(strlen(first.text), 127u) << "cut to fit with its NUL";
    EXPECT_STREQ(TimedMessages[1].text, "LAP 2");
    EXPECT_EQ(TimedMessages[1].align, 2);

    // A freed slot is taken first.
    TimedMessages[0].timeLeft = 0;
    ShowTimedMessage(0, 0, "again", 1, 0, 50, 0);
    EXPECT_STREQ(TimedMessages[0].text, "again");
}

TEST_F(Messages, ANinthMessageReplacesTheOneWithTheLeastTimeLeft) {
    const int ticks[8] = {500, 400, 90, 700, 60, 300, 60, 800};
    for (int i = 0; i < 8; i++)
        ShowTimedMessage(0, 0, "busy", 1, 0, ticks[i], 0);
    ShowTimedMessage(5, 6, "ninth", 1, 0, 1000, 2);
    EXPECT_STREQ(TimedMessages[4].text, "ninth");
    EXPECT_EQ(TimedMessages[4].timeLeft, 1000);
    EXPECT_EQ(TimedMessages[6].timeLeft, 60) << "the first of two equal ones goes";
    for (int i : {0, 1, 2, 3, 5, 7})
        EXPECT_STREQ(TimedMessages[i].text, "busy");
}

TEST_F(Messages, TheyAgeByTheFramesTicksAndModeOneClearsThemAll) {
    ShowTimedMessage(0, 0, "a", 1, 0, 100, 0);
    ShowTimedMessage(0, 0, "b", 1, 0, 5, 1);
    FrameTicks = 3;
    DrawTimedMessages(0);
    EXPECT_EQ(TimeLeft(0), 97);
    EXPECT_EQ(TimeLeft(1), 2);
    DrawTimedMessages(0);
    EXPECT_EQ(TimeLeft(1), 0) << "held at 0: the slot is free";

    // Paused, or during the presentation run (mode 0 only), nothing ages.
    RacePaused = 1;
    DrawTimedMessages(0);
    EXPECT_EQ(TimeLeft(0), 94);
    RacePaused = 0;
    PresentationRun = 1;
    DrawTimedMessages(0);
    EXPECT_EQ(TimeLeft(0), 94);
    DrawTimedMessages(2);
    EXPECT_EQ(TimeLeft(0), 91);
    PresentationRun = 0;

    ShowTimedMessage(0, 0, "c", 1, 0, 3000, 1);
    DrawTimedMessages(1);
    for (const TimedMessage& message : TimedMessages)
        EXPECT_EQ(message.timeLeft, 0);
}

// ---------------------------------------------------------------------------

namespace {

std::vector<std::string> Lines() {
    char lines[CONSOLE_LIVE_LINES][CONSOLE_LINE_BYTES];
    const int count = ConsoleCopyLines(lines);
    std::vector<std::string> out;
    for (int i = 0; i < count; i++)
        out.push_back(lines[i]);
    return out;
}

void EmptyConsole() {
    for (int i = 0; i < CONSOLE_LINE_LIFE; i++)
        ConsoleAge();
}

}  // namespace

TEST(Console, TheTenthLineDropsTheOldestAndNineStay) {
    EmptyConsole();
    for (int i = 0; i < 10; i++)
        ConsoleAddLine(("line " + std::to_string(i)).c_str());
    const std::vector<std::string> lines = Lines();
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines.front(), "line 1");
    EXPECT_EQ(lines.back(), "line 9");
    EXPECT_EQ(ConsoleLineCount(), 9);

    // The ring goes round many times without losing its order.
    for (int i = 10; i < 35; i++)
        ConsoleAddLine(("line " + std::to_string(i)).c_str());
    EXPECT_EQ(Lines().front(), "line 26");
    EXPECT_EQ(Lines().back(), "line 34");
}

TEST(Console, LinesAgeOutAfter360TicksOldestFirst) {
    EmptyConsole();
    ConsoleAddLine("first");
    for (int i = 0; i < 100; i++)
        ConsoleAge();
    ConsoleAddLine("second");
    for (int i = 0; i < 259; i++)
        ConsoleAge();
    EXPECT_EQ(ConsoleLineCount(), 2);
    ConsoleAge();   // the first line's 360th tick
    ASSERT_EQ(Lines(), std::vector<std::string>{"second"});
    for (int i = 0; i < 99; i++)
        ConsoleAge();
    EXPECT_EQ(ConsoleLineCount(), 1);
    ConsoleAge();
    EXPECT_EQ(ConsoleLineCount(), 0);
    ConsoleAge();   // an empty console stays empty
    EXPECT_EQ(ConsoleLineCount(), 0);
}

TEST(Console, LongLinesAreCutTo99Characters) {
    EmptyConsole();
    const std::string longLine(250, 'q');
    ConsoleAddLine(longLine.c_str());
    ConsoleAddLine(nullptr);
    const std::vector<std::string> lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string(99, 'q'));
    EXPECT_EQ(lines[1], "");
}

// The network thread adds lines while the timer ages the ring and the frame
// draws it.  Run under ThreadSanitizer, this shows the ring is guarded; here
// it also checks that every copy the frame takes is whole and in order.
// Each thread waits for the others' progress, never for time, so the three
// overlap however they are scheduled.
TEST(Console, LinesFromASecondThreadWhileTheTickAgesAndTheFrameDraws) {
    EmptyConsole();
    std::atomic<int> linesAdded{0}, ticksAged{0}, framesDrawn{0};
    const int frames = 3000;
    std::thread network([&] {
        for (int i = 0; framesDrawn < frames; i++) {
            char line[CONSOLE_LINE_BYTES];
            snprintf(line, sizeof line, "net %08d", i);
            ConsoleAddLine(line);
            linesAdded = i + 1;
        }
    });
    std::thread timer([&] {
        while (framesDrawn < frames) {
            ConsoleAge();
            ticksAged++;
        }
    });
    while (linesAdded == 0 || ticksAged == 0) {
    }
    for (int frame = 0; frame < frames; frame++) {
        ConsoleDraw();   // prints nothing without surfaces, but takes its copy
        const std::vector<std::string> lines = Lines();
        ASSERT_LE(lines.size(), 9u);
        for (size_t i = 0; i < lines.size(); i++) {
            ASSERT_EQ(lines[i].size(), 12u) << lines[i];
            if (i > 0) {
                ASSERT_LT(lines[i - 1], lines[i]) << "oldest first";
            }
        }
        framesDrawn = frame + 1;
    }
    network.join();
    timer.join();
    // The newest line ages out last: whatever is left ends with it.
    const std::vector<std::string> last = Lines();
    char newest[CONSOLE_LINE_BYTES];
    snprintf(newest, sizeof newest, "net %08d", linesAdded - 1);
    if (!last.empty()) {
        EXPECT_EQ(last.back(), newest);
    }
}
