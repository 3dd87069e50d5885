// Shared state of the race simulation: the race set-up, the per-car arrays,
// phases and clocks.
//
// The tick (timer thread) integrates the car state; the frame reads it only
// under the simulation lock (frame/sim_lock.h), mostly through its per-frame
// snapshot (cocheX ...).  Flags that the tick reads while the main thread may
// write them, and clocks that the HUD reads while the tick advances them, are
// std::atomic<int>.
#pragma once

#include <atomic>
#include <cstdint>

enum { MAX_CARS = 8 };

// ---------------------------------------------------------------------------
// Race set-up.
extern int TrackGroup;       // 1..7
extern int TrackVariant;     // 0..7
extern int TrackCode;        // group x 10 + variant
extern std::atomic<int> CarCount;
extern int LapsToRun;
extern int SplitScreen;      // 1: two local players
extern int ArenaOpponents;
extern int LocalCar;
extern int CurrentCar;
extern int CarModel[MAX_CARS];
extern int CarColour[MAX_CARS];

// ---------------------------------------------------------------------------
// Phases and requests.
extern int RacePhase;                       // 1 loading, 2 presentation wait, 0 running
extern std::atomic<int> RacePaused;
extern std::atomic<int> RaceOver;
extern int FinishSequence;
extern int BackToMenusRequest;
extern std::atomic<int> PresentationRun;
extern int PresentationCamera;
extern std::atomic<int> ReplayPlayback;
extern std::atomic<int> ReplayRecording;
extern int ReplayPlaying;
extern std::atomic<int> RecordsChanged;
extern std::atomic<int> StartStage;
extern std::atomic<int> CollisionsOn;
extern std::atomic<int> TickCarsHeld;
extern int PauseMenuOpen;
extern int FrameTicks;                      // ticks since the previous frame

// ---------------------------------------------------------------------------
// Clocks (60 ticks to a second).
struct ClockMST {
    std::atomic<int> minutes;
    std::atomic<int> seconds;
    std::atomic<int> ticks;
};
struct ClockMS {
    std::atomic<int> minutes;
    std::atomic<int> seconds;
};
extern ClockMST RaceClock;
extern ClockMST CarRaceClock[MAX_CARS];
extern ClockMS TimeLeft;

// ---------------------------------------------------------------------------
// Per-car arrays (CarArrays).  Written by the tick, read by the frame under
// the simulation lock.
extern int CarInputBits[MAX_CARS];
enum {
    INPUT_BRAKE = 1 << 0,
    INPUT_ACCELERATE = 1 << 1,
    INPUT_RIGHT = 1 << 2,
    INPUT_LEFT = 1 << 3,
    INPUT_TURBO = 1 << 4,
    INPUT_HANDBRAKE = 1 << 5,
};
// The decoded controls of the car the tick is stepping.  Ctrl held in the
// window sets ControlHandbrake from the main thread, hence the atomic.
extern int ControlBrake, ControlAccelerate, ControlRight, ControlLeft, ControlTurbo;
extern std::atomic<int> ControlHandbrake;

extern int LapsDone[MAX_CARS];
extern float CarSpeed[MAX_CARS];
extern int DriveDirection[MAX_CARS];
extern int PathNodeIndex[MAX_CARS];
extern int CpuNodeCopy[MAX_CARS];
extern int SurfaceWord[MAX_CARS];

extern float SimPosX[MAX_CARS], SimPosY[MAX_CARS], SimPosZ[MAX_CARS];
extern float SimHeading[MAX_CARS], SimPitch[MAX_CARS], SimRoll[MAX_CARS];
extern float cocheX[MAX_CARS], cocheY[MAX_CARS], cocheZ[MAX_CARS];
// The frame's copies of the car angles (heading, pitch, roll).
extern float CarHeading[MAX_CARS], AnguloDeCaida[MAX_CARS], AnguloDeBalanza[MAX_CARS];
// Wheels of each car that found no ground this tick (4 = airborne): written
// by the tick, read by the frame's zone queries.
extern std::atomic<int> WheelsInAir[MAX_CARS];
extern int WheelsOnCars;      // wheels resting on another car's roof (arena events)

// The 376-byte rigid-body record of each car.  Its fields are laid out by
// the car physics; until then it is kept as raw bytes of the right size.
struct CarBody {
    unsigned char raw[376];
};
static_assert(sizeof(CarBody) == 376, "CarBody records are 376 bytes");
extern CarBody CarBodies[MAX_CARS];

extern int CarBoxReady;      // the tick's car-box-ready flag (arena events)
extern int ViewMode[2];       // camera view of each local player (2 = in-car)
extern int ViewedCar[2];

// ---------------------------------------------------------------------------
// Cameras and the drawn pose (race frame, car pose, cameras).  Main thread:
// the frame writes them in the race update and the scene builder reads them.
extern int RaceCarCount;                 // the cars the per-race drawing and sound loops walk
extern float EyeX[MAX_CARS], EyeY[MAX_CARS], EyeZ[MAX_CARS];   // per view, stored negated
extern float ChaseEyeX[MAX_CARS], ChaseEyeY[MAX_CARS], ChaseEyeZ[MAX_CARS];
extern float CameraPitch[MAX_CARS], AnguloDeDeriva[MAX_CARS], CameraRoll[MAX_CARS];
extern float CameraPitchBias[MAX_CARS];
extern float ChaseEyeHeight[MAX_CARS];   // the eye's height above the ground under the car, less 9
extern int ChaseEyeOffset[MAX_CARS];     // the eye's distance along the camera heading (negative: behind)
extern int CameraLag[MAX_CARS];
extern float Angle1[MAX_CARS];           // the heading the chase camera follows
extern int Centri;                       // 1: the chase camera adds its distance and bias terms
extern int OwnCarVisible[2], LookBack[2];
extern float SteeringAngle[MAX_CARS], WheelRollAngle[MAX_CARS];
extern float VelocityX[MAX_CARS], VelocityZ[MAX_CARS];
extern int CarLightsOn[MAX_CARS];
extern int HandbrakeLocked[MAX_CARS];
extern float WheelPosX[MAX_CARS][4], WheelPosY[MAX_CARS][4], WheelPosZ[MAX_CARS][4];
extern float CarGroundHeight[MAX_CARS];
extern float GroundTiltPitch[MAX_CARS], GroundTiltRoll[MAX_CARS];
extern float DrawTiltPitch[MAX_CARS], DrawTiltRoll[MAX_CARS];
extern float HeadPitch[MAX_CARS], HeadRoll[MAX_CARS];   // the driver's head angles of the pose
// Each car's plan distance from the nearest local camera, and the cars
// sorted by it, nearest first; car 8 marks an empty record.
struct CarDistance {
    int car;
    int distance;   // truncated
    int spare;
};
extern float CameraDistance[MAX_CARS];
extern CarDistance CarsByDistance[MAX_CARS];
// Config\cameras.cfg: 19 car models x 5 pairs {eye height, eye offset}.
enum { CAMERA_TABLE_MODELS = 19, CAMERA_TABLE_PAIRS = 5 };
extern float CameraTable[CAMERA_TABLE_MODELS][CAMERA_TABLE_PAIRS][2];

// The event props' animation, read by the scene builder.
enum { DECOR_FRAMES = 64 };
extern float SkyDrift;                   // the sky's drift angle
extern float DecorSpin;                  // the spinning scenery's angle
extern int DecorFrames[DECOR_FRAMES];    // per lamp or confetti: its animation state
