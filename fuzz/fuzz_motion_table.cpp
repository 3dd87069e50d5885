// libFuzzer target of the car table: any bytes as Config\Motion.dat, then
// 200 ticks of two cars driven by the rest of the bytes over rolling ground.
// Every value of their bodies and driving state must stay finite.
//
// The first 1,120 bytes (zero-filled when short) are loaded as the table
// image, so the rows themselves are fuzzed; the whole input is also offered
// as it is, which tries the size rule.  Byte 1,120 picks the track group and
// the models, 1,121 the engines; the rest are the control words.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "frame/frame_state.h"
#include "platform/plat_mixer.h"
#include "race/engine.h"
#include "race/motion_table.h"
#include "race/physics.h"
#include "race/race_state.h"
#include "render/objects.h"
#include "render/render_state.h"

// The neighbours of the car step that this target stands in for: a rolling
// ground, no arena roofs or ramp, no records, no smoke of a crushed car,
// fixed wheel positions, and the empty object pools the geometry stage was
// built with.
ObjectVertex VertexPool[VERTEX_POOL_SIZE];
ObjectTriangle TrianglePool[TRIANGLE_POOL_SIZE];
float VertexNormals[VERTEX_NORMALS_SIZE];
int GetObjectSpan(int, ObjectSpan*) { return 0; }
float WheelOffsetX[8][4], WheelOffsetY[8][4], WheelOffsetZ[8][4];
float GroundHeight(float x, float z, int, int) { return 300.0f * std::sin(x * 0.0007f) * std::cos(z * 0.0005f); }
float HeightOnCars(float, float, int*, int, int) { return -1.0f; }
float RampHeight(float, float, int*, int, int) { return -1.0f; }
void SetRampTilt(float, int) {}
void CheckDistanceRecord() {}
void EmitPointSmoke(int) {}
int EventFailed;   // the end-of-race banner's flag, kept by the front end
// A silent mixer for the car step's sounds.
int PlatMixerPlay(int, PlatWave, int, const PlatMixerPlayParams*) { return 0; }
void PlatMixerSetVolume(int, int) {}
void PlatMixerSetFrequency(int, int) {}
void PlatMixerSetPolar(int, const PlatMixerPolar*) {}
void PlatMixerFlush(int) {}
int PlatMixerStatus(int) { return 0; }
int PlatMixerIsDone(int) { return 1; }
int PlatMixerPlayPosition(int, PlatWave*, int*) { return 0; }
void ModelWheelOffsets(int, float xs[4], float zs[4]) {
    const float x[4] = {-135.0f, 135.0f, -140.0f, 140.0f}, z[4] = {276.0f, 276.0f, -229.0f, -229.0f};
    memcpy(xs, x, sizeof x);
    memcpy(zs, z, sizeof z);
}

namespace {

bool Finite(float v) { return std::isfinite(v); }

void Check(bool ok) {
    if (!ok)
        abort();
}

void CheckCar(int car) {
    const CarBody& b = CarBodies[car];
    const float values[] = {SimPosX[car], SimPosY[car], SimPosZ[car], SimHeading[car], SimPitch[car],
                            SimRoll[car], VelocityX[car], VelocityZ[car], CarSpeed[car], EngineRevs[car],
                            SteeringAngle[car], DriftSteer[car], SlopeAngle[car], b.y, b.vertVel,
                            b.vertAccel, b.angVel[0], b.angVel[1], b.angVel[2], b.leanLong, b.leanLat,
                            WheelHeights[car][0], WheelHeights[car][1], WheelHeights[car][2],
                            WheelHeights[car][3], Angle1[car], ChaseEyeX[car], ChaseEyeZ[car]};
    for (float v : values)
        Check(Finite(v));
    for (const CarWheel& w : b.wheel)
        Check(Finite(w.extension) && Finite(w.height));
}

void StartTwoCars(uint8_t choice, uint8_t engines) {
    TrackGroup = 1 + choice % 7;
    TrackVariant = (choice >> 3) & 7;
    TrackCode = TrackGroup * 10 + TrackVariant;
    FrontEndActive = 0;
    StartStage = 3;
    PresentationRun = 0;
    PresentationCamera = 0;
    SplitScreen = (choice >> 6) & 1;
    LocalCar = 0;
    CarCount = 2;
    for (int car = 0; car < 2; car++) {
        CarModel[car] = (choice + car * 7) % 22 - 1;   // a model outside 0..19 now and then
        ModelWheelOffsets(CarModel[car], WheelOffsetX[car], WheelOffsetZ[car]);
        motor[car] = car == 0 ? engines - 8 : engines % 120;
        cocheX[car] = 50000.0f + 3000.0f * car;
        cocheZ[car] = 60000.0f;
        cocheY[car] = 500.0f;
        CarHeading[car] = 0.3f * car;
        AnguloDeCaida[car] = AnguloDeBalanza[car] = 0.0f;
        SimPosX[car] = cocheX[car];
        SimPosZ[car] = cocheZ[car];
        SimPosY[car] = cocheY[car];
        HeadingAccum[car] = CarHeading[car];
        VelocityX[car] = VelocityZ[car] = CarSpeed[car] = 0.0f;
        EngineRevs[car] = 0.0f;
        CarGear[car] = 0;
        ShiftState[car] = 0;
        DriveDirection[car] = 1;
        ThrottleState[car] = 1;
        SpinOut[car] = 0;
        CurrentCar = car;
        InitCarBody(&CarBodies[car]);
    }
    CurrentCar = 0;
    ResetCarBodies();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The size rule first, then the rows themselves.
    ApplyMotionImage(data, size);
    uint8_t image[MOTION_FILE_BYTES] = {};
    memcpy(image, data, size < sizeof image ? size : sizeof image);
    ApplyMotionImage(image, sizeof image);

    const uint8_t choice = size > MOTION_FILE_BYTES ? data[MOTION_FILE_BYTES] : 0;
    const uint8_t engines = size > MOTION_FILE_BYTES + 1 ? data[MOTION_FILE_BYTES + 1] : 0;
    StartTwoCars(choice, engines);
    const uint8_t* controls = size > MOTION_FILE_BYTES + 2 ? data + MOTION_FILE_BYTES + 2 : nullptr;
    const size_t count = controls ? size - MOTION_FILE_BYTES - 2 : 0;

    for (int tick = 0; tick < 200; tick++) {
        TickParity = tick & 1;
        for (int car = 0; car < 2; car++) {
            const int bits = count ? controls[(tick * 2 + car) % count] : INPUT_ACCELERATE;
            DecodeCarInputBits(bits);
            StepCarPhysics(car, car);
            UpdateCarHeading(car);
            UpdateBodyLean(car, car);
            StepCarBody(&CarBodies[car], car);
            CarHeading[car] = SimHeading[car];
            CheckCar(car);
        }
    }
    return 0;
}
