// libFuzzer target of the settings file: any bytes as Config\config.cfg,
// loaded as start-up loads it, then one race frame of two local players in
// which every key is held and the joystick reads from the input's last
// bytes, so every binding of both players is looked up.  The control words
// keep to their six bits and the steering stays finite.
//
// The race frame's neighbours that this target stands in for (the car pose,
// the ground, zones, sounds, particles, the camera cycle) do nothing here.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frontend/frontend_state.h"
#include "frontend/settings.h"
#include "race/race_frame.h"
#include "race/race_state.h"

namespace {

const uint8_t* fileData;
size_t fileSize;
int joystickMask;

void Check(bool ok) {
    if (!ok)
        abort();
}

}  // namespace

unsigned char KeyState[256];
int JoystickActive, ForceFeedbackPresent, ForceFeedbackLevel, JoyX, JoyY, JoyJerk;
int TranslucentPairCount;
int LastFileSize;
int ReadWholeFile(const char*, void* buffer, int capacity) {
    if (fileSize == 0 || fileSize > (size_t)capacity) {
        LastFileSize = 0;
        return -1;
    }
    memcpy(buffer, fileData, fileSize);
    LastFileSize = (int)fileSize;
    return 1;
}
int WriteWholeFile(const char*, int, const void*) { return 1; }
int QueryFileSize(const char*) {
    LastFileSize = (int)fileSize;
    return fileSize > 0;
}
void ConsoleAddLine(const char*) {}
int JoystickPoll() { return joystickMask; }
int PlayForceEffects(int, int) { return 1; }
float FastSqrt(float v) { return v > 0.0f ? std::sqrt(v) : 0.0f; }
void CycleCameraMode(int) {}
void StartCycleTimer() {}
uint32_t ReadCycleTimer() { return 0; }
int EditorActive;   // no editor is open
void PlaceCarOnGround() {}
void CameraTiltFromBody() {}
void CarAttachmentPoints() {}
void UpdateChaseCamera(int) {}
void GroundUnderCar(float, float) {}
void CarShadeFromGround() {}
int ZoneMaskAt(float, float) { return 1; }
void BuildCarRoofTriangles() {}
void UpdateTerrainSounds(int) {}
void TuningKeys() {}
void StartRace() {}
void DriveEngineSoundsSolo() {}
void DriveEngineSoundsSplit() {}
void DriveEngineSoundsReplay() {}
void UpdateHornSound(int) {}
void UpdateCrowdSound(int, const CarBody*) {}
void UpdateOceanSound(int) {}
void AnimateDecorations() {}
void EmitWheelDust(int) {}
void SpawnTurboSprites(int, int) {}
void EmitRain() {}
void EmitSparks() {}
void AdjustCameraByKeys(int) {}
void AimCameraAtCar() {}
void UpdateRacePositions() {}
void UpdateSlalomPoles() {}
void UpdateCones() {}
void UpdatePoles() {}
int RankingFrozen;
int AutopilotRun;   // the computer driver's switch: off, the players drive

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fileData = data;
    fileSize = size;
    memset(&SettingsImage, 0, sizeof SettingsImage);
    LoadSettings(0);

    // Every key held; the joystick from the last five bytes.
    memset(KeyState, 0x80, sizeof KeyState);
    const uint8_t* tail = size >= 5 ? data + size - 5 : nullptr;
    joystickMask = tail ? tail[0] | tail[1] << 8 : 0;
    JoyX = tail ? (int16_t)(tail[2] | tail[3] << 8) % 1001 : 0;
    JoyJerk = tail ? tail[4] & 1 : 0;
    JoystickActive = tail ? (tail[4] >> 1) & 1 : 0;

    FrontEndActive = 0;
    RacePhase = 0;
    RacePaused = 0;
    ReplayPlayback = 0;
    SplitScreen = 1;
    CarCount = 2;
    LastFrameTicks = 1;
    ManualGearbox[0] = ManualGearbox[1] = 1;
    JoystickSteerScale[0] = JoystickSteerScale[1] = 0.606896f;
    SteeringAngle[0] = SteeringAngle[1] = 0.0f;
    // Whatever the file held, the bindings are ones the checks accept: the
    // file's own, or the factory table's.
    for (const auto& set : ControlBindings) {
        for (const KeyBinding& b : set)
            Check(BindingValid(b));
    }
    UpdateRaceFrame();

    for (int player = 0; player < 2; player++) {
        Check(CarInputBits[player] >= 0 && CarInputBits[player] <= 63);
        Check(std::isfinite(SteeringAngle[player]) && std::fabs(SteeringAngle[player]) <= 1.0f);
        Check(GearShiftRequest[player] >= -1 && GearShiftRequest[player] <= 1);
        Check(LookBack[player] == 0 || LookBack[player] == 1);
    }
    Check(HornFlags[0] + HornFlags[1] <= 1);
    return 0;
}
