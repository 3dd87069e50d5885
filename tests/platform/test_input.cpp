// The key table, and the fake keyboard, mouse and joystick of the headless
// backend as the scripted events drive them: acquisition and lost input,
// axis ranges and dead zones, and effects played as rumble.

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "platform/plat_clock.h"
#include "platform/plat_display.h"
#include "platform/plat_headless.h"
#include "platform/plat_headless_devices.h"
#include "platform/plat_input.h"
#include "platform/plat_keys.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"
#include "platform/plat_window.h"

namespace {

struct InputTest : ::testing::Test {
    void SetUp() override {
        PlatHeadlessClearEvents();
        ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
    }
    void TearDown() override {
        PlatJoystickClose();
        PlatHeadlessAttachJoystick(PLAT_FAKE_JOYSTICK_NONE);
        PlatHeadlessSetDesktop(640, 480, 32);
        PlatShutdown();
    }
    // Delivers the scripted events due by now (the window backend's poll).
    static void Deliver() {
        PlatMsg msg;
        while (PlatPeekMessage(&msg)) {
        }
    }
    static void Script(int message, uintptr_t wParam, intptr_t lParam) {
        PlatHeadlessQueueEvent(PlatTimeMs(), message, wParam, lParam);
        Deliver();
    }
};

}  // namespace

TEST(KeyTable, ScanCodesAreUniqueAndNamedAndVirtualKeysMapBack) {
    std::set<int> scans;
    for (int i = 0; i < PlatKeyCount(); i++) {
        const PlatKeyInfo* key = PlatKeyAt(i);
        ASSERT_NE(key, nullptr);
        EXPECT_TRUE(scans.insert(key->scan).second) << key->name;
        EXPECT_GT(key->scan, 0);
        EXPECT_LT(key->scan, 256);
        EXPECT_GT(strlen(key->name), 0u);
        EXPECT_EQ(PlatKeyByScan(key->scan), key);
    }
    EXPECT_EQ(PlatKeyScanOfVirtual(VK_UP), SCAN_UP);
    EXPECT_EQ(PlatKeyScanOfVirtual(VK_SHIFT), SCAN_LSHIFT);
    EXPECT_EQ(PlatKeyScanOfVirtual(VK_RETURN), SCAN_RETURN);
    EXPECT_EQ(PlatKeyScanOfVirtual('Q'), 0x10);
    EXPECT_EQ(PlatKeyScanOfVirtual(0xFF), 0);
    EXPECT_STREQ(PlatKeyName(SCAN_NUMPADENTER), "NUMPADENTER");
    EXPECT_STREQ(PlatKeyName(0x9D), "RCONTROL");
    EXPECT_STREQ(PlatKeyName(0xDD), "APPS");
    EXPECT_STREQ(PlatKeyName(0x54), "");
    EXPECT_EQ(PlatKeyByScan(0x54), nullptr);
}

TEST(KeyTable, NamesEveryKeyTheBindingScreenOffers) {
    // The scan codes of the control-binding screen's key list.
    const int bindable[] = {0x02, 0x0B, 0x10, 0x19, 0x1E, 0x26, 0x2C, 0x32, 0x3F, 0x44, 0x57, 0x58, 0x64,
                            0x66, 0x0C, 0x0D, 0x0E, 0x0F, 0x1A, 0x1B, 0x1C, 0x1D, 0x27, 0x28, 0x29, 0x2A,
                            0x2B, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3A, 0x45, 0x46, 0x47, 0x4A,
                            0x4E, 0x52, 0x53, 0x70, 0x79, 0x7B, 0x7D, 0x8D, 0x90, 0x91, 0x92, 0x93, 0x94,
                            0x95, 0x96, 0x97, 0x9C, 0x9D, 0xB3, 0xB5, 0xB7, 0xB8, 0xC8, 0xCB, 0xCD, 0xD0,
                            0xDB, 0xDC, 0xDD};
    for (int scan : bindable)
        EXPECT_NE(PlatKeyByScan(scan), nullptr) << std::hex << scan;
}

TEST_F(InputTest, KeyboardReadsScriptedKeysOnlyWhileAcquired) {
    unsigned char state[256];
    EXPECT_EQ(PlatKeyboardRead(state), PLAT_INPUT_NO_DEVICE);
    ASSERT_EQ(PlatKeyboardCreate(), PLAT_INPUT_OK);
    EXPECT_EQ(PlatKeyboardRead(state), PLAT_INPUT_NOT_ACQUIRED);
    ASSERT_EQ(PlatKeyboardAcquire(1), PLAT_INPUT_OK);

    Script(WM_KEYDOWN, VK_UP, 0);
    Script(WM_KEYDOWN, VK_CONTROL, (intptr_t)0x1D << 16 | (intptr_t)1 << 24);   // right Ctrl by its scan code
    ASSERT_EQ(PlatKeyboardRead(state), PLAT_INPUT_OK);
    EXPECT_EQ(state[SCAN_UP], 0x80);
    EXPECT_EQ(state[0x9D], 0x80);
    EXPECT_EQ(state[SCAN_LCONTROL], 0);
    EXPECT_TRUE(PlatKeyDown(VK_CONTROL));
    Script(WM_KEYUP, VK_UP, 0);
    ASSERT_EQ(PlatKeyboardRead(state), PLAT_INPUT_OK);
    EXPECT_EQ(state[SCAN_UP], 0);
    EXPECT_FALSE(PlatKeyDown(VK_UP));

    // Losing the focus loses the input until the keyboard is acquired again.
    Script(WM_ACTIVATE, 0, 0);
    EXPECT_EQ(PlatKeyboardRead(state), PLAT_INPUT_LOST);
    ASSERT_EQ(PlatKeyboardAcquire(1), PLAT_INPUT_OK);
    EXPECT_EQ(PlatKeyboardRead(state), PLAT_INPUT_OK);
}

TEST_F(InputTest, MouseGathersMotionWhileHeldAndKeepsAShortClick) {
    ASSERT_EQ(PlatMouseCreate(), PLAT_INPUT_OK);
    Script(WM_MOUSEMOVE, (uintptr_t)(intptr_t)50, 50);   // not acquired: lost to the game
    ASSERT_EQ(PlatMouseAcquire(1), PLAT_INPUT_OK);
    Script(WM_MOUSEMOVE, (uintptr_t)(intptr_t)-3, 4);
    Script(WM_MOUSEMOVE, (uintptr_t)(intptr_t)1, 1);
    Script(WM_MOUSEBUTTON, 1, 0);
    Script(WM_MOUSEBUTTON, 0, 0);   // released before the read
    PlatMouseState state;
    ASSERT_EQ(PlatMouseRead(&state), PLAT_INPUT_OK);
    EXPECT_EQ(state.dx, -2);
    EXPECT_EQ(state.dy, 5);
    EXPECT_EQ(state.buttons[0], 0x80);
    EXPECT_TRUE(PlatKeyDown(VK_LBUTTON) == 0);
    ASSERT_EQ(PlatMouseRead(&state), PLAT_INPUT_OK);
    EXPECT_EQ(state.dx, 0);
    EXPECT_EQ(state.buttons[0], 0);
    Script(WM_MOUSEBUTTON, 2, 0);
    ASSERT_EQ(PlatMouseRead(&state), PLAT_INPUT_OK);
    EXPECT_EQ(state.buttons[1], 0x80);
    EXPECT_TRUE(PlatKeyDown(VK_RBUTTON));
}

// Full screen the game holds the system pointer and only its motion
// counts; in a window the pointer is free and a read says where it is over
// the picture the window shows, which keeps its shape between black bars.
TEST_F(InputTest, InAWindowTheFreePointerIsReadInPixelsOfThePictureShown) {
    PlatHeadlessSetDesktop(1280, 960, 32);
    ASSERT_EQ(PlatDisplayOpen(0), DD_OK);
    ASSERT_EQ(PlatMouseCreate(), PLAT_INPUT_OK);
    ASSERT_EQ(PlatMouseAcquire(1), PLAT_INPUT_OK);
    PlatMouseState state;
    auto position = [&](int x, int y) {
        Script(WM_MOUSEPOSITION, (uintptr_t)x, y);
        EXPECT_EQ(PlatMouseRead(&state), PLAT_INPUT_OK);
    };

    ASSERT_EQ(PlatDisplaySetCooperativeLevel(1), DD_OK);
    position(100, 100);
    EXPECT_EQ(state.moved, 0) << "a captured pointer has no place of its own";

    ASSERT_EQ(PlatDisplaySetCooperativeLevel(0), DD_OK);
    EXPECT_EQ(PlatHeadlessWindowIsFullScreen(), 0);
    position(640, 480);
    EXPECT_EQ(state.moved, 1);
    EXPECT_FLOAT_EQ(state.x, 640.0f) << "nothing shown yet: the window's own pixels";
    EXPECT_FLOAT_EQ(state.y, 480.0f);
    ASSERT_EQ(PlatMouseRead(&state), PLAT_INPUT_OK);
    EXPECT_EQ(state.moved, 0) << "it has not moved since";

    // A 640 x 480 picture over the 1280 x 960 window.
    PlatSurface *primary = nullptr, *back = nullptr;
    ASSERT_EQ(PlatSurfaceCreate(640, 480, PLAT_PF_DISPLAY, PLAT_SURF_PRIMARY, &primary), DD_OK);
    ASSERT_EQ(PlatSurfaceCreate(640, 480, PLAT_PF_DISPLAY, PLAT_SURF_BACKBUFFER, &back), DD_OK);
    ASSERT_EQ(PlatSurfaceAttach(primary, back), DD_OK);
    EXPECT_EQ(PlatSurfaceFormat(back), PLAT_PF_RGB565) << "the game's 16 bits in a window of 32";
    ASSERT_EQ(PlatSurfaceFlip(primary, PLAT_WAIT), DD_OK);
    position(640, 480);
    EXPECT_FLOAT_EQ(state.x, 320.0f);
    EXPECT_FLOAT_EQ(state.y, 240.0f);

    // The window made wider: the picture fills its height, centred.
    const PlatRect wide = {10, 20, 10 + 1600, 20 + 960};
    PlatWindowSetRect(&wide);
    position(160, 0);
    EXPECT_FLOAT_EQ(state.x, 0.0f);
    EXPECT_FLOAT_EQ(state.y, 0.0f);
    position(1440, 960);
    EXPECT_FLOAT_EQ(state.x, 640.0f);
    EXPECT_FLOAT_EQ(state.y, 480.0f);
    position(100, 480);
    EXPECT_LT(state.x, 0.0f) << "over the bar, left of the picture";

    // Back to full screen: the pointer is held again, motion counts.
    ASSERT_EQ(PlatDisplaySetCooperativeLevel(1), DD_OK);
    Script(WM_MOUSEMOVE, (uintptr_t)(intptr_t)4, -2);
    position(700, 700);
    EXPECT_EQ(state.moved, 0);
    EXPECT_EQ(state.dx, 4);
    EXPECT_EQ(state.dy, -2);
    PlatSurfaceRelease(back);
    PlatSurfaceRelease(primary);
    PlatMouseRelease();
}

TEST_F(InputTest, JoystickAxesFollowRangeAndDeadZone) {
    EXPECT_EQ(PlatJoystickCount(), 0);
    EXPECT_EQ(PlatJoystickOpen(0), PLAT_INPUT_NO_DEVICE);
    PlatHeadlessAttachJoystick(PLAT_FAKE_JOYSTICK_PLAIN);
    ASSERT_EQ(PlatJoystickCount(), 1);
    ASSERT_EQ(PlatJoystickOpen(0), PLAT_INPUT_OK);
    EXPECT_FALSE(PlatJoystickHasForceFeedback());
    ASSERT_EQ(PlatJoystickSetRange(PLAT_AXIS_X, -1000, 1000), PLAT_INPUT_OK);
    ASSERT_EQ(PlatJoystickSetRange(PLAT_AXIS_Y, -1000, 1000), PLAT_INPUT_OK);
    EXPECT_NE(PlatJoystickSetRange(PLAT_AXIS_X, 5, 5), PLAT_INPUT_OK);
    ASSERT_EQ(PlatJoystickSetDeadzone(PLAT_AXIS_X, 1000), PLAT_INPUT_OK);   // 10 %
    PlatJoystickState state;
    EXPECT_EQ(PlatJoystickRead(&state), PLAT_INPUT_NOT_ACQUIRED);
    ASSERT_EQ(PlatJoystickAcquire(1), PLAT_INPUT_OK);

    const struct {
        int raw, x;
    } cases[] = {{0, 0}, {3000, 0}, {-3276, 0}, {32767, 1000}, {-32768, -1000}, {16384, 444}, {-16384, -444}};
    for (const auto& c : cases) {
        Script(WM_JOYAXIS, PLAT_AXIS_X, c.raw);
        ASSERT_EQ(PlatJoystickRead(&state), PLAT_INPUT_OK);
        EXPECT_EQ(state.x, c.x) << c.raw;
    }
    // No dead zone on y: small positions count.
    Script(WM_JOYAXIS, PLAT_AXIS_Y, -360);
    Script(WM_JOYBUTTON, 3, 1);
    ASSERT_EQ(PlatJoystickRead(&state), PLAT_INPUT_OK);
    EXPECT_EQ(state.y, -11);
    EXPECT_EQ(state.buttons[3], 0x80);
    EXPECT_EQ(state.buttons[2], 0);
}

TEST_F(InputTest, EffectsOnARumbleOnlyPadPlayAsRumble) {
    PlatHeadlessAttachJoystick(PLAT_FAKE_JOYSTICK_RUMBLE);
    ASSERT_EQ(PlatJoystickOpen(0), PLAT_INPUT_OK);
    ASSERT_TRUE(PlatJoystickHasForceFeedback());
    EXPECT_TRUE(PlatJoystickEffectSupported(PLAT_EFFECT_CONSTANT));
    PlatEffectDesc desc = {};
    desc.type = PLAT_EFFECT_CONSTANT;
    desc.gain = 7500;
    desc.magnitude = 10000;
    desc.durationUs = 200000;
    int effect = -1;
    ASSERT_EQ(PlatJoystickCreateEffect(&desc, &effect), PLAT_INPUT_OK);
    ASSERT_EQ(PlatJoystickAcquire(1), PLAT_INPUT_OK);
    ASSERT_EQ(PlatJoystickStartEffect(effect, 1), PLAT_INPUT_OK);
    int strength = 0, ms = 0;
    PlatHeadlessLastRumble(&strength, &ms);
    EXPECT_EQ(PlatHeadlessRumbleCount(), 1);
    EXPECT_EQ(strength, 49151);   // 75 % of full
    EXPECT_EQ(ms, 200);
    ASSERT_EQ(PlatJoystickSetEffectMagnitude(effect, -2000), PLAT_INPUT_OK);
    ASSERT_EQ(PlatJoystickStartEffect(effect, 1), PLAT_INPUT_OK);
    PlatHeadlessLastRumble(&strength, &ms);
    EXPECT_EQ(strength, 9830);   // the size of a pull, whatever its direction
    EXPECT_EQ(PlatHeadlessEffectStarts(effect), 2);
}

TEST_F(InputTest, APlainJoystickRefusesEffects) {
    PlatHeadlessAttachJoystick(PLAT_FAKE_JOYSTICK_PLAIN);
    ASSERT_EQ(PlatJoystickOpen(0), PLAT_INPUT_OK);
    PlatEffectDesc desc = {};
    desc.type = PLAT_EFFECT_SINE;
    int effect = 5;
    EXPECT_EQ(PlatJoystickCreateEffect(&desc, &effect), PLAT_INPUT_UNSUPPORTED);
    EXPECT_EQ(effect, -1);
    EXPECT_NE(PlatJoystickStartEffect(0, 1), PLAT_INPUT_OK);
}
