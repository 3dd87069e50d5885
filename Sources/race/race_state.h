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
// The showroom car's wheel drop (ShowroomWheelDrop of its model): set by the
// menus when they show a car, read by the tick, which must not read the car
// table the menus write outside the lock.
extern std::atomic<int> ShowroomWheelHang;
extern int FinishSequence;
extern int RaceWon;                         // the larger of itself and FinishSequence at each race start
extern int BackToMenusRequest;
extern std::atomic<int> PresentationRun;
extern int PresentationCamera;
extern std::atomic<int> ReplayPlayback;
extern std::atomic<int> ReplayRecording;
extern int ReplayPlaying;
extern std::atomic<int> RecordsChanged;
extern std::atomic<int> StartStage;
extern int CountdownTimer;                  // frame ticks into the countdown stage
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

// ---------------------------------------------------------------------------
// Car bodies (physics.cpp).  Each car is a sprung body on four wheels; the
// tick steps it.  Vectors of the body are stored x, z, y.

// One wheel: 60 bytes.
struct CarWheel {
    float extension;        // suspension length along the body's up axis (positive: wheel below the body)
    float stiffness;        // spring rate
    float height;           // world height of the wheel centre
    float radius;
    float offsetX, offsetZ; // local position on the body (side, forward)
    float restSeparation;   // extension at rest
    float springStop;       // the smallest extension the spring allows
    float unusedA, unusedB; // set to 0 and read by nothing
    float unusedConstant;   // 0.0001, read by nothing
    float reserved[4];
};
static_assert(sizeof(CarWheel) == 60, "CarWheel records are 60 bytes");

// One car body: 376 bytes, wheels 0 and 1 the front pair (left, right),
// 2 and 3 the rear pair.
struct CarBody {
    float x, z;
    float y;                     // body centre height
    float forward[3];            // row 2 of the orientation
    float side[3];               // row 0 of the orientation, negated
    float up[3];                 // row 1 of the orientation
    float leanLong, leanLat;     // filtered lean
    float leanLongInput, leanLatInput;
    int32_t impactMark;          // set by the collisions; ends a spin-out
    float angVel[3];             // about the world axes x, z, y
    float vertAccel;
    float vertVel;
    int32_t bottomed;            // a wheel reached its spring stop this tick
    float restJ;                 // kept from the model row, read by nothing
    float rest;                  // vertical velocity retention per tick
    float inertia1;              // roll
    float inertia2;              // pitch
    float mass;
    float rotationFriction;      // angular velocity retention per tick
    float movementFriction;      // second vertical velocity retention per tick
    float unusedConstant;        // 0.00019, read by nothing
    float reserved[3];
    CarWheel wheel[4];
};
static_assert(sizeof(CarBody) == 376, "CarBody records are 376 bytes");
extern CarBody CarBodies[MAX_CARS];

// Config\Motion.dat: per car model, 14 floats of suspension, inertia, mass
// and friction (columns below).
enum { MOTION_MODELS = 20, MOTION_COLUMNS = 14 };
enum MotionColumn {
    MOTION_FRONT_DAMPING,
    MOTION_REAR_DAMPING,
    MOTION_FRONT_RADIUS,
    MOTION_REAR_RADIUS,
    MOTION_FRONT_SEPARATION,
    MOTION_REAR_SEPARATION,
    MOTION_SPRING_STOP,
    MOTION_INERTIA1,
    MOTION_INERTIA2,
    MOTION_MASS,
    MOTION_ROTATION_FRICTION,
    MOTION_MOVEMENT_FRICTION,
    MOTION_REST_J,
    MOTION_REST,
};
extern float MotionTable[MOTION_MODELS][MOTION_COLUMNS];
static_assert(sizeof(float[MOTION_MODELS][MOTION_COLUMNS]) == 1120, "Motion.dat is 1,120 bytes");

// Body step results and the per-car values it keeps.
extern int AirborneTicks[MAX_CARS], PrevAirborneTicks[MAX_CARS], LandingTicks[MAX_CARS];
extern float SlopeAngle[MAX_CARS];           // positive: the front lies lower than the rear
extern float WheelHeights[MAX_CARS][4];      // wheel centre heights, order wheel 1, 0, 3, 2
extern float BodyForceSum[6];                // force x, z, y; torque about x, z, y
extern float LeanDrawPitch[MAX_CARS], LeanDrawRoll[MAX_CARS];   // the lean the car drawing adds
extern float ArenaPushRoll[MAX_CARS], ArenaPushPitch[MAX_CARS]; // pushes from car 0's wheels (arena)
extern int CrushContacts[MAX_CARS], CrushLevel[MAX_CARS];       // arena cars under car 0's wheels
extern int BusContact;                       // a wheel of car 0 stands on the ramp (arena)
// JUMP events.
extern float JumpDistance;
extern int JumpEnded;
extern int JumpPeakHeight;
extern int JumpBannerTicks;
extern float JumpRecordTable[8];             // per track variant

// Wall and car collisions (results read by the physics step).
extern int WallContactA[MAX_CARS], WallContactB[MAX_CARS];
extern float CollisionImpulseX[MAX_CARS], CollisionImpulseZ[MAX_CARS];

// ---------------------------------------------------------------------------
// Engine, gearbox and drive model (engine.cpp, drive_model.cpp).
extern int motor[MAX_CARS];                  // engine row of each car
extern float EngineRevs[MAX_CARS];
extern int CarGear[MAX_CARS];
extern int ThrottleState[MAX_CARS];          // +1 driving, -1 braking or reversing, 0 coasting
extern int ShiftState[MAX_CARS];             // +1 upshift under way, -1 downshift, 0
extern int LastShiftGear[MAX_CARS];          // -1 until the first shift of the race
extern float TargetSpeed[MAX_CARS];
extern float DriveForce[MAX_CARS];
extern float RollingDrag[MAX_CARS];
extern int WheelSpin[MAX_CARS];
extern int BrakeLightOn[MAX_CARS];
extern float adhesion[MAX_CARS];
extern float TurnGain[MAX_CARS];
extern float YawRate[MAX_CARS];
extern float HeadingAccum[MAX_CARS];         // the drive heading; SimHeading follows it
extern float DriftSteer[MAX_CARS];
extern float GroundSteer[MAX_CARS];
extern int SpinOut[MAX_CARS];
extern int SkidPulse[MAX_CARS];
extern int AirThrottleTicks[MAX_CARS];
extern float LateralSpeed[MAX_CARS];
extern float SlideForceDivisor[MAX_CARS];
extern float StopSpeedSpin[MAX_CARS];
extern float BumpPhase[MAX_CARS];
extern int ManualGearbox[MAX_CARS];
extern int GearShiftRequest[2];              // per player: +1 up, -1 down (the frame sets it)
extern float SteerSpeed[MAX_CARS];           // the wheel steering speed the tuning overlay shows
extern int EngineRow;                        // row of the car being stepped
extern int TopGear;
extern int EnginesReleased;
extern int EngineLoaded;
extern float EffectiveSteer;
extern float TurboValue, TurboCharge;
extern int TurboCameraPull;
extern int SkidMode;
extern int BumpCounter;
extern float SpinOutThreshold;               // sideways speed of a spin-out
extern int NetStartDamp;
extern float CameraAngleOffset;
extern float FocalScaleBase;                 // ViewFocalScale when the race started (the turbo returns to it)
// Sound signals of each car (the sound entry points read them).
extern int HandbrakeSoundOn[MAX_CARS];
extern int OverRevSoundOn[MAX_CARS];
extern int ReverseBeepOn[MAX_CARS];
extern float CameraDistance[MAX_CARS];       // plan distance from the nearest local camera
extern uint32_t SoundStepCycles;             // processor cycles of the frame's engine sounds (tuning overlay)

// ---------------------------------------------------------------------------
// Car set-up and the computer drivers' values (car_setup.cpp).
extern int rank_coche[MAX_CARS];             // car at each rank
extern int rank_pos[MAX_CARS];               // rank of each car
extern int CpuLineProfile[MAX_CARS];
extern int CpuSkill[MAX_CARS];
extern float CpuSteerTolerance[MAX_CARS];
extern int CpuTargetNode[MAX_CARS];
extern int CpuStuckTicks[MAX_CARS];
extern int CpuRecovering[MAX_CARS];
extern float CpuTrafficAhead;                // forward reach of the traffic check
extern float CpuTrafficAcross;               // its reach across

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
extern float CameraLag[MAX_CARS];
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
extern CarDistance CarsByDistance[MAX_CARS];
extern float EyeFloor[MAX_CARS];         // the lowest eye height the replay camera keeps (negated)
extern float WheelWorldX[MAX_CARS][4], WheelWorldZ[MAX_CARS][4];   // the tick's wheel positions
// The attachment points of each car in the world (CarAttachmentPoints):
// the two lights, two exhausts and, for models 5 and 10, a third.
enum { ATTACH_POINTS = 5 };
extern float AttachX[MAX_CARS][ATTACH_POINTS], AttachY[MAX_CARS][ATTACH_POINTS], AttachZ[MAX_CARS][ATTACH_POINTS];
// The two local light points of each car, x y z, set at the race start.
extern float LightPointOffsets[MAX_CARS][2][3];
extern int ReplayCameraMode;             // 3: the replay follows the chase camera
// Config\cameras.cfg: 19 car models x 5 pairs {eye height, eye offset}.
enum { CAMERA_TABLE_MODELS = 19, CAMERA_TABLE_PAIRS = 5 };
extern float CameraTable[CAMERA_TABLE_MODELS][CAMERA_TABLE_PAIRS][2];

// ---------------------------------------------------------------------------
// The race frame (race_frame.cpp): player controls, the per-frame copies
// and the tick's position bookkeeping.
extern int CarZoneMask[MAX_CARS];        // zone-type mask under each car, this frame (-1 outside)
extern int WheelZoneMask[4];             // under each wheel of the local car
extern int DustTickAccumulator[MAX_CARS];
extern int TickResetPending;             // the first race frame of the run resets the tick counters
extern int RaceFrameCounter;
extern int HornFlags[MAX_CARS];
extern float JoystickSteerScale[MAX_CARS];   // joystick x to steering (race set-up)
// Edge latches per player: 1 once the control has been seen released.
extern int GearUpLatch[2], GearDownLatch[2], CameraChangeLatch[2];
extern float PrevSimPosX[MAX_CARS], PrevSimPosY[MAX_CARS], PrevSimPosZ[MAX_CARS];
extern float SimDeltaX[MAX_CARS], SimDeltaY[MAX_CARS], SimDeltaZ[MAX_CARS];

// What the sound reads of the race beside the car arrays: each car's
// velocity as the frame saw it (for the Doppler terms; cleared by the race
// start), the trackside camera's flag and the arena penalties.
extern float SoundVelocityX[MAX_CARS], SoundVelocityZ[MAX_CARS];
extern int TvCameraFlag;
extern int PenaltyCount;

// The event props' animation, read by the scene builder.
enum { DECOR_FRAMES = 130 };
extern float SkyDrift;                   // the sky's drift angle, advanced by DecorRate a tick
extern float DecorRate;                  // set with SkyDrift by the race preparation
extern float DecorSpin;                  // the spinning scenery's angle
extern int DecorFrames[DECOR_FRAMES];    // per lamp or confetti: its animation state
extern float DecorSway[4];               // group 3's swaying scenery
extern int DecorTexture;                 // group 3's animated texture slot, 2020..2027
extern int DecorTicks;                   // ticks since the race began, for the decorations' periods
extern int DecorBlink[2];                // the blink turns of the groups' lights
extern int TurboLightTimer;              // the JUMP turbo light's blink, 0..28

// The arena events' props (arena_layout.cpp, arena_props.cpp): the race
// frame's sub-steps on the main thread, under the simulation lock.
enum {
    PROP_SLOTS = 999,          // slalom list, cone list
    POLE_BARS = 5,
    MARKER_LIGHTS = 130,
    ARENA_SLALOM = 10,         // entries of the slalom list (poles, then targets)
    ARENA_CONES = 11,
    ARENA_CONE_SPLIT = 15,     // the cones drawn with the first model
    ARENA_POLE_SPLIT = 16,     // the slalom poles drawn with the first model
    ARENA_TARGETS = 18,        // the last entries of the slalom list
    ARENA_EXTRA_LIGHTS = 19,   // the targets' own lights, after the slalom list's
    ARENA_COUNTS = 20,
};
struct PropPlacement {
    float x, y, z;
    float tilt;                // 0 standing, 1.57 lying
    float yaw;
    float unused[3];
};
static_assert(sizeof(PropPlacement) == 32);
struct PropState {
    int moving;
    float vx, vy, vz;
    int done;
    float spin;                // tilt change per tick
    int third;                 // slalom list: grounded; cone list: bounces
};
static_assert(sizeof(PropState) == 28);
struct PoleBarState {
    int moving, done;
    float spin;
    float vx, vy, vz;
};
struct PoleBar {
    float x1, z1, x2, z2;      // the bar's ends
    float cx, cz;
    float top;                 // PoleTopY: a car above it passes
};
extern PropPlacement SlalomProps[PROP_SLOTS], ConeProps[PROP_SLOTS], PoleProps[POLE_BARS];
extern PropState SlalomStates[PROP_SLOTS], ConeStates[PROP_SLOTS];
extern PoleBarState PoleStates[POLE_BARS];
extern PoleBar PoleBars[POLE_BARS];
extern int PoleCount;                          // 5 until a layout sets it
extern int ArenaCounts[ARENA_COUNTS];
extern float MarkerLightX[MARKER_LIGHTS], MarkerLightY[MARKER_LIGHTS], MarkerLightZ[MARKER_LIGHTS];
extern int MarkerLightColour[MARKER_LIGHTS];   // 0x00RRGGBB
extern int KnockedFlags[MARKER_LIGHTS];        // 1: the prop under the light is down
extern int PenaltyDisplay;                   // signed seconds of penalty shown (the arena events' too)

// ---------------------------------------------------------------------------
// Timed screen messages (messages.cpp): main thread only.  Style 0 always
// shows, style 1 while bit 0x20 of the time left is set, style 2 while bit
// 0x10 is.  The message console's ring lives in messages.cpp behind its own
// lock: the main, timer and network threads all reach it.
struct TimedMessage {
    int32_t x, y;            // layout coordinates
    int32_t font;            // 0..4
    int32_t align;           // 0 left, 1 centred, 2 right
    int32_t timeLeft;        // ticks; 0 = free slot
    int32_t style;
    char text[128];
};
static_assert(sizeof(TimedMessage) == 152, "timed messages are 152-byte records");
enum { TIMED_MESSAGE_SLOTS = 8 };
extern TimedMessage TimedMessages[TIMED_MESSAGE_SLOTS];

// ---------------------------------------------------------------------------
// Race order, laps and finish (race_order.cpp, laps.cpp).
extern float PathNodeBase[MAX_CARS];     // summed lengths of the guide-line segments passed
extern float RaceDistance[MAX_CARS];     // PathNodeBase + the projection on the current segment
extern int FrozenPlaces;                 // leading ranks no longer sorted (one per finished car)
extern int RankingFrozen;                // 1: the order is not sorted at all
extern int FinishZoneReached;            // the finish zone of the 55 event
extern int LapLineState[MAX_CARS];       // 0..2: 2 arms the lap
extern int LapCheckpoint[MAX_CARS];      // 0..7: the cross tracks' zone sequence
extern int FinishedFlags[MAX_CARS];      // by standings row
extern int FinishCount;
extern int FinishSequenceCar;            // the local car whose win started the finish sequence; -1 none
enum { LAP_TABLE_LAPS = 6 };
struct LapTime {
    int minutes, seconds, hundredths, spare;
};
extern LapTime LapTimeTable[MAX_CARS][LAP_TABLE_LAPS];   // each car's laps; the tick writes the running one
extern LapTime RaceBestLap;              // the local cars' best lap of this race
extern int AutopilotRun;                 // --autopilot: car 0 drives itself, no record is written
// Test hook, off unless a test fills it: row k lists the cars of the k-th
// race run from now in the order they are to cross the line (-1 ends a
// row).  When that race runs, its cars complete their laps in this order on
// its first racing frame and the lap and finish rules score them.  No record
// is kept while rows are set: those laps were never driven.
enum { TEST_FINISH_RACES = 8 };
extern int TestFinishOrders[TEST_FINISH_RACES][MAX_CARS];
extern int TestFinishRaces;              // rows filled
extern int TestFinishRacesRun;           // rows used so far

// The race's dressing: HUD, particles, fly-by and the race-order overlay
// (hud.cpp, particles.cpp, presentation.cpp, rank_overlay.cpp).  The HUD and
// the overlays run on the main thread; the particles are spawned on the
// main, timer and network threads and stepped by the tick, all under the
// simulation lock.

// The HUD panel.  Per local player: the place shown and the lap clocks
// (laps 0..5).  The timers age by FrameTicks.
enum { HUD_PLAYERS = 2, HUD_LAP_ROWS = 6 };
struct LapClock {
    int minutes, seconds, hundredths;
};
extern int HudPosition[HUD_PLAYERS];
extern LapClock LapClockTable[HUD_PLAYERS][HUD_LAP_ROWS];
extern int HudEndTimer;                      // frame ticks since RaceOver rose
extern int ReplayMarkTimer;
extern int TurboLightTimer;
extern float PenaltyAnimTime;
extern int PenaltyAnimActive, PenaltyShown;
extern int PenaltyDisplay;                   // signed seconds of penalty shown (the arena events' too)
extern int PenaltyCount;
extern int ForceRaceEnd;                     // ends the race-over wait at once
extern int FinishCount;                      // cars finished (the race rules count them)
extern int FpsDisplay;                       // 1: the frame rate in the corner
extern int DebugMode;                        // the race-order overlay answers its keys

// Particles (particles.cpp).  178 effect slots in fixed rings, each with one
// emitter of up to 32 particles; emitter slot = effect slot.  Particle k of
// emitter e is element k x EMITTER_SLOTS + e of the particle arrays.
enum {
    EFFECT_SLOTS = 178,
    EMITTER_SLOTS = 192,
    PARTICLES_PER_EMITTER = 32,
    PARTICLE_ELEMENTS = PARTICLES_PER_EMITTER * EMITTER_SLOTS,
    RING_IMPACT_FIRST = 0, RING_IMPACT_LAST = 7,
    RING_SMOKE_FIRST = 8, RING_SMOKE_LAST = 63,     // smoke and sparks
    RING_DUST_FIRST = 64, RING_DUST_LAST = 127,
    RING_RAIN_FIRST = 128, RING_RAIN_LAST = 176,    // slot 177 is never taken
};
extern int EffectEmitter[EFFECT_SLOTS];      // the effect's emitter, -1 free
extern int EffectSprite[EFFECT_SLOTS];       // texture of the effect's sprite
extern float EffectGrowth[EFFECT_SLOTS];
extern int EffectFlags[EFFECT_SLOTS];        // sparks: 1 or 2
extern float ParticleStartX[PARTICLE_ELEMENTS], ParticleStartY[PARTICLE_ELEMENTS], ParticleStartZ[PARTICLE_ELEMENTS];
extern float ParticleX[PARTICLE_ELEMENTS], ParticleY[PARTICLE_ELEMENTS], ParticleZ[PARTICLE_ELEMENTS];
extern float ParticleVX[PARTICLE_ELEMENTS], ParticleVY[PARTICLE_ELEMENTS], ParticleVZ[PARTICLE_ELEMENTS];
extern int32_t ParticleDead[PARTICLE_ELEMENTS];
extern uint8_t ParticleBounces[PARTICLE_ELEMENTS];
extern uint8_t EmitterCount[EMITTER_SLOTS], EmitterBounceLimit[EMITTER_SLOTS];
extern float EmitterBounceFactor[EMITTER_SLOTS];
extern int EmitterOwner[EMITTER_SLOTS], EmitterAge[EMITTER_SLOTS];
extern int ParticleHold;                     // race start holds the spawners until the race frame runs
extern int DustAirborne[MAX_CARS];           // the car flew too high for dust this frame

// The scene's two sprite pools: the jump events' turbo sprites, drawn from
// each view's car, and the arena's ground sprites.
struct CarSprite {
    int32_t texture;         // 2028..2043, advanced as it is drawn
    int32_t inUse;
    int32_t exhaust;         // which exhaust point it came from
    int32_t life;            // 80 down to 0, 7 a frame
    float x, y, z;           // relative to its car
    float dirX, dirZ;
    float rise;              // its climb per frame, times scale
    float scale;
    int32_t counter;
    int32_t id;
};
static_assert(sizeof(CarSprite) == 52, "car sprites are 52-byte records");
struct GroundSprite {
    int32_t kind;            // texture: 2014, or 2001..2003 then 2011..
    int32_t inUse;
    int32_t life;            // falls by 2 a frame; below 0 the record is free
    float x, y, z;
    float dirX, dirZ;
    float scale;
    float spin;
    float speed, damping;    // vertical speed and its factor per frame
    int32_t bounce;
    int32_t sizeClass;
    int32_t counter;
    int32_t id;
};
enum { CAR_SPRITES = 60, GROUND_SPRITES = 100 };
extern CarSprite CarSpritePool[CAR_SPRITES];
extern GroundSprite GroundSpritePool[GROUND_SPRITES];

// The presentation fly-by (presentation.cpp): per track code a set of
// eight keyframed straight flights, the image of CONFIG\Present.cfg.  The
// camera positions are eye values (the negated world point), as EyeX keeps.
struct PresentationKeyframe {
    float startX, startY, startZ;
    float endX, endY, endZ;
    float angleA, angleB, angleC;    // pitch, yaw base (the sway swings it), roll
    float swayAmplitude;             // default 1.0
    float swayStep;                  // radians a tick
    float steps;                     // default 100.0: the flight covers 1 / steps a tick
    float focalFactor;               // default 400.0
    float duration;                  // default 200.0 ticks
};
static_assert(sizeof(PresentationKeyframe) == 56, "fly-by keyframes are 56 bytes");
enum { PRESENTATION_KEYFRAMES = 8, PRESENTATION_SETS = 79 };
struct PresentationSet {
    int32_t keyframe;                // current keyframe, 0..7
    int32_t ticks;                   // ticks spent in it
    float x, y, z;                   // the camera now
    float angleA, angleB, angleC;    // the current keyframe's angles (B without the sway)
    float sway;                      // radians
    PresentationKeyframe frames[PRESENTATION_KEYFRAMES];
    uint8_t unused[4];
};
static_assert(sizeof(PresentationSet) == 488, "fly-by sets are 488 bytes");
enum { PRESENT_CFG_BYTES = PRESENTATION_SETS * 488 };
static_assert(PRESENT_CFG_BYTES == 38552, "CONFIG\\Present.cfg is 38,552 bytes");
extern PresentationSet PresentationSets[PRESENTATION_SETS];
extern int PresentationLoaded;
