// The force-feedback joystick on the headless backend's fake device: the
// direction and button mask, the dead zone, the jerk flag, the three
// effects at each level, and going on without a joystick.

#include <gtest/gtest.h>

#include "frame/frame_state.h"
#include "frame/joystick.h"
#include "platform/plat_clock.h"
#include "platform/plat_headless.h"
#include "platform/plat_headless_devices.h"
#include "platform/plat_input.h"
#include "platform/plat_system.h"
#include "platform/plat_window.h"

namespace {

struct JoystickTest : ::testing::Test {
    void SetUp() override {
        PlatHeadlessClearEvents();
        ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
        JoystickDeadzone = 0;
        ForceFeedbackLevel = 0;
        JoyX = JoyY = JoyJerk = 0;
    }
    void TearDown() override {
        JoystickRelease();
        PlatHeadlessAttachJoystick(PLAT_FAKE_JOYSTICK_NONE);
        PlatShutdown();
    }
    static void Script(int message, uintptr_t wParam, intptr_t lParam) {
        PlatHeadlessQueueEvent(PlatTimeMs(), message, wParam, lParam);
        PlatMsg msg;
        while (PlatPeekMessage(&msg)) {
        }
    }
    // A raw position that reads as `x` on the -1000..1000 range.
    static int Raw(int x) { return x * 32767 / 1000 + (x < 0 ? -1 : x > 0 ? 1 : 0) * 16; }
    static int MaskAt(int x, int y) {
        Script(WM_JOYAXIS, PLAT_AXIS_X, Raw(x));
        Script(WM_JOYAXIS, PLAT_AXIS_Y, Raw(y));
        return JoystickPoll();
    }
    static PlatEffectDesc Effect(int effect) {
        PlatEffectDesc d = {};
        EXPECT_TRUE(PlatJoystickGetEffect(effect, &d));
        return d;
    }
};

}  // namespace

TEST_F(JoystickTest, WithoutAJoystickEverythingGoesOn) {
    EXPECT_EQ(JoystickInit(1, 1), 0);
    EXPECT_EQ(JoystickPoll(), 0);
    EXPECT_EQ(PlayForceEffects(FORCE_BOUNCE | FORCE_EXPLODE | FORCE_FIRE, 50), 1);
    EXPECT_EQ(JoystickEffectBounce(), -1);
    JoystickRelease();
    EXPECT_EQ(JoystickActive, 0);
}

TEST_F(JoystickTest, DirectionBitsStartBeyondTen) {
    PlatHeadlessAttachJoystick(PLAT_FAKE_JOYSTICK_PLAIN);
    ASSERT_EQ(JoystickInit(1, 1), 1);
    EXPECT_EQ(ForceFeedbackPresent, 0);
    EXPECT_EQ(MaskAt(-10, 0), 0);
    EXPECT_EQ(JoyX, -10);
    EXPECT_EQ(MaskAt(-11, 0), JOY_LEFT);
    EXPECT_EQ(JoyX, -11);
    EXPECT_EQ(MaskAt(10, 0), 0);
    EXPECT_EQ(MaskAt(11, 0), JOY_RIGHT);
    EXPECT_EQ(MaskAt(0, -11), JOY_UP);
    EXPECT_EQ(MaskAt(0, 11), JOY_DOWN);
    EXPECT_EQ(MaskAt(-1000, 1000), JOY_LEFT | JOY_DOWN);
}

TEST_F(JoystickTest, ButtonsOneToTenFillBitsSixToFifteen) {
    PlatHeadlessAttachJoystick(PLAT_FAKE_JOYSTICK_PLAIN);
    ASSERT_EQ(JoystickInit(1, 1), 1);
    for (int b = 0; b < 12; b++)
        Script(WM_JOYBUTTON, (uintptr_t)b, 1);
    EXPECT_EQ(JoystickPoll(), 0xFFC0);   // the 11th and 12th are not read; 0x10, 0x20 stay clear
    Script(WM_JOYBUTTON, 0, 0);
    Script(WM_JOYBUTTON, 9, 0);
    EXPECT_EQ(JoystickPoll(), 0x7F80);
}

TEST_F(JoystickTest, TheRaceDeadZoneSwallowsSmallMovements) {
    PlatHeadlessAttachJoystick(PLAT_FAKE_JOYSTICK_PLAIN);
    JoystickDeadzone = 1000;
    ASSERT_EQ(JoystickInit(1, 1), 1);
    Script(WM_JOYAXIS, PLAT_AXIS_X, 3000);   // 9 % of the travel
    EXPECT_EQ(JoystickPoll(), 0);
    EXPECT_EQ(JoyX, 0);
    Script(WM_JOYAXIS, PLAT_AXIS_X, 32767);
    EXPECT_EQ(JoystickPoll(), JOY_RIGHT);
    EXPECT_EQ(JoyX, 1000);
}

TEST_F(JoystickTest, JerkMarksABigJumpOfXUntilXChangesAgain) {
    PlatHeadlessAttachJoystick(PLAT_FAKE_JOYSTICK_PLAIN);
    ASSERT_EQ(JoystickInit(1, 1), 1);
    MaskAt(100, 0);
    MaskAt(0, 0);
    EXPECT_EQ(JoyJerk, 0);
    MaskAt(1000, 0);
    EXPECT_EQ(JoyJerk, 1);
    MaskAt(1000, 500);   // x unchanged: the flag stays
    EXPECT_EQ(JoyJerk, 1);
    MaskAt(900, 0);
    EXPECT_EQ(JoyJerk, 0);
    MaskAt(0, 0);
    EXPECT_EQ(JoyJerk, 1);
}

TEST_F(JoystickTest, TheThreeEffectsAtEachLevel) {
    PlatHeadlessAttachJoystick(PLAT_FAKE_JOYSTICK_FORCE);
    const int explode[3] = {100, 2000, 5000};
    for (int level = 0; level < 3; level++) {
        ForceFeedbackLevel = level;
        ASSERT_EQ(JoystickInit(1, 1), 1);
        EXPECT_EQ(ForceFeedbackPresent, 1);

        const PlatEffectDesc bounce = Effect(JoystickEffectBounce());
        EXPECT_EQ(bounce.type, PLAT_EFFECT_CONSTANT);
        EXPECT_EQ(bounce.magnitude, 10000);
        EXPECT_EQ(bounce.gain, 7500);
        EXPECT_EQ(bounce.triggerButton, -1);
        EXPECT_EQ(bounce.axisCount, 2);
        EXPECT_EQ(bounce.directionKind, PLAT_DIRECTION_POLAR);
        EXPECT_EQ(bounce.direction[0], 0);
        EXPECT_EQ(bounce.durationUs, 200000);

        const PlatEffectDesc fire = Effect(JoystickEffectFire());
        EXPECT_EQ(fire.type, PLAT_EFFECT_CONSTANT);
        EXPECT_EQ(fire.axisCount, 1);
        EXPECT_EQ(fire.axes[0], PLAT_AXIS_Y);
        EXPECT_EQ(fire.directionKind, PLAT_DIRECTION_CARTESIAN);
        EXPECT_EQ(fire.direction[0], 1);
        EXPECT_EQ(fire.durationUs, 200000);

        const PlatEffectDesc boom = Effect(JoystickEffectExplode());
        EXPECT_EQ(boom.type, PLAT_EFFECT_SINE);
        EXPECT_EQ(boom.magnitude, explode[level]) << level;
        EXPECT_EQ(boom.gain, 7500);
        EXPECT_EQ(boom.periodUs, 100000);
        EXPECT_EQ(boom.durationUs, 1000000);
        EXPECT_EQ(boom.axes[0], PLAT_AXIS_X);
        EXPECT_EQ(boom.offset, 0);
        EXPECT_EQ(boom.phase, 0);
        EXPECT_EQ(boom.hasEnvelope, 1);
        EXPECT_EQ(boom.attackLevel, 0);
        EXPECT_EQ(boom.fadeLevel, 0);
        EXPECT_EQ(boom.fadeTimeUs, 1000000);
        JoystickRelease();
    }
    // A level outside 0..2 from a damaged settings file plays the weakest.
    ForceFeedbackLevel = 7;
    ASSERT_EQ(JoystickInit(1, 1), 1);
    EXPECT_EQ(Effect(JoystickEffectExplode()).magnitude, 100);
}

TEST_F(JoystickTest, PlayingSetsTheBounceStrengthAndStartsEachEffectOnce) {
    PlatHeadlessAttachJoystick(PLAT_FAKE_JOYSTICK_FORCE);
    ASSERT_EQ(JoystickInit(1, 1), 1);
    EXPECT_EQ(PlayForceEffects(FORCE_BOUNCE, 30), 1);
    EXPECT_EQ(Effect(JoystickEffectBounce()).magnitude, 3000);
    EXPECT_EQ(PlatHeadlessEffectStarts(JoystickEffectBounce()), 1);
    EXPECT_EQ(PlatHeadlessEffectStarts(JoystickEffectExplode()), 0);
    EXPECT_EQ(PlayForceEffects(FORCE_EXPLODE | FORCE_FIRE, 0), 1);
    EXPECT_EQ(PlatHeadlessEffectStarts(JoystickEffectExplode()), 1);
    EXPECT_EQ(PlatHeadlessEffectStarts(JoystickEffectFire()), 1);
    EXPECT_EQ(PlatHeadlessEffectStarts(JoystickEffectBounce()), 1);
}

TEST_F(JoystickTest, APadWithOnlyRumbleFeelsTheEffects) {
    PlatHeadlessAttachJoystick(PLAT_FAKE_JOYSTICK_RUMBLE);
    ASSERT_EQ(JoystickInit(1, 1), 1);
    EXPECT_EQ(ForceFeedbackPresent, 1);
    EXPECT_EQ(PlayForceEffects(FORCE_BOUNCE, 50), 1);
    int strength = 0, ms = 0;
    PlatHeadlessLastRumble(&strength, &ms);
    EXPECT_EQ(strength, 24576);   // 5000 x 7500 of 10000 x 10000
    EXPECT_EQ(ms, 200);
    EXPECT_EQ(PlayForceEffects(FORCE_EXPLODE, 0), 1);
    PlatHeadlessLastRumble(&strength, &ms);
    EXPECT_EQ(ms, 1000);
    EXPECT_EQ(PlatHeadlessRumbleCount(), 2);
}

TEST_F(JoystickTest, WithoutForceFeedbackTheEffectsAreSkipped) {
    PlatHeadlessAttachJoystick(PLAT_FAKE_JOYSTICK_PLAIN);
    ASSERT_EQ(JoystickInit(1, 1), 1);
    EXPECT_EQ(JoystickEffectBounce(), -1);
    EXPECT_EQ(JoystickEffectExplode(), -1);
    EXPECT_EQ(PlayForceEffects(FORCE_BOUNCE | FORCE_EXPLODE | FORCE_FIRE, 100), 1);
    EXPECT_EQ(PlatHeadlessRumbleCount(), 0);
}

TEST_F(JoystickTest, LostInputIsTakenBackAndTheEffectsMadeAgain) {
    PlatHeadlessAttachJoystick(PLAT_FAKE_JOYSTICK_FORCE);
    ASSERT_EQ(JoystickInit(1, 1), 1);
    Script(WM_JOYAXIS, PLAT_AXIS_X, -32768);
    Script(WM_ACTIVATE, 0, 0);
    EXPECT_EQ(JoystickPoll(), 0);   // this poll only takes the device back
    EXPECT_GE(JoystickEffectExplode(), 0);
    EXPECT_EQ(JoystickPoll(), JOY_LEFT);
    EXPECT_EQ(PlayForceEffects(FORCE_FIRE, 0), 1);
}
