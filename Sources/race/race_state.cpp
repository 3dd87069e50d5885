#include "race/race_state.h"

int TrackGroup = 1;
int TrackVariant;
int TrackCode = 10;
std::atomic<int> CarCount{1};
int LapsToRun = 3;
int SplitScreen;
int ArenaOpponents;
int LocalCar;
int CurrentCar;
int CarModel[MAX_CARS];
int CarColour[MAX_CARS];

int RacePhase;
std::atomic<int> RacePaused;
std::atomic<int> RaceOver;
int FinishSequence;
int RaceWon;
int BackToMenusRequest;
std::atomic<int> PresentationRun;
int PresentationCamera;
std::atomic<int> ReplayPlayback;
std::atomic<int> ReplayRecording;
int ReplayPlaying;
std::atomic<int> RecordsChanged;
std::atomic<int> StartStage;
int CountdownTimer;
std::atomic<int> CollisionsOn{1};
std::atomic<int> TickCarsHeld;
int PauseMenuOpen;
int FrameTicks;

ClockMST RaceClock;
ClockMST CarRaceClock[MAX_CARS];
ClockMS TimeLeft;

int CarInputBits[MAX_CARS];
int ControlBrake, ControlAccelerate, ControlRight, ControlLeft, ControlTurbo;
std::atomic<int> ControlHandbrake;

int LapsDone[MAX_CARS];
float CarSpeed[MAX_CARS];
int DriveDirection[MAX_CARS] = {1, 1, 1, 1, 1, 1, 1, 1};
int PathNodeIndex[MAX_CARS];
int CpuNodeCopy[MAX_CARS];
int SurfaceWord[MAX_CARS];

float SimPosX[MAX_CARS], SimPosY[MAX_CARS], SimPosZ[MAX_CARS];
float SimHeading[MAX_CARS], SimPitch[MAX_CARS], SimRoll[MAX_CARS];
float cocheX[MAX_CARS], cocheY[MAX_CARS], cocheZ[MAX_CARS];
float CarHeading[MAX_CARS], AnguloDeCaida[MAX_CARS], AnguloDeBalanza[MAX_CARS];
std::atomic<int> WheelsInAir[MAX_CARS];
int WheelsOnCars;

CarBody CarBodies[MAX_CARS];

int AirborneTicks[MAX_CARS], PrevAirborneTicks[MAX_CARS], LandingTicks[MAX_CARS];
float SlopeAngle[MAX_CARS];
float WheelHeights[MAX_CARS][4];
float BodyForceSum[6];
float LeanDrawPitch[MAX_CARS], LeanDrawRoll[MAX_CARS];
float ArenaPushRoll[MAX_CARS], ArenaPushPitch[MAX_CARS];
int CrushContacts[MAX_CARS], CrushLevel[MAX_CARS];
int BusContact;
float JumpDistance;
int JumpEnded;
int JumpPeakHeight;
int JumpBannerTicks;
float JumpRecordTable[8];

int WallContactA[MAX_CARS], WallContactB[MAX_CARS];
float CollisionImpulseX[MAX_CARS], CollisionImpulseZ[MAX_CARS];

int motor[MAX_CARS];
float EngineRevs[MAX_CARS];
int CarGear[MAX_CARS];
int ThrottleState[MAX_CARS] = {1};
int ShiftState[MAX_CARS];
int LastShiftGear[MAX_CARS] = {-1, -1, -1, -1, -1, -1, -1, -1};
float TargetSpeed[MAX_CARS];
float DriveForce[MAX_CARS];
float RollingDrag[MAX_CARS];
int WheelSpin[MAX_CARS];
int BrakeLightOn[MAX_CARS];
float adhesion[MAX_CARS] = {2.0f, 2.0f, 2.0f, 2.0f, 2.0f, 2.0f, 2.0f, 2.0f};
float TurnGain[MAX_CARS];
float YawRate[MAX_CARS];
float HeadingAccum[MAX_CARS];
float DriftSteer[MAX_CARS];
float GroundSteer[MAX_CARS];
int SpinOut[MAX_CARS];
int SkidPulse[MAX_CARS];
int AirThrottleTicks[MAX_CARS];
float LateralSpeed[MAX_CARS];
float SlideForceDivisor[MAX_CARS] = {2.0f, 2.0f, 2.0f, 2.0f, 2.0f, 2.0f, 2.0f, 2.0f};
float StopSpeedSpin[MAX_CARS] = {0.19885f, 0.19885f, 0.19885f, 0.19885f,
                                 0.19885f, 0.19885f, 0.19885f, 0.19885f};
float BumpPhase[MAX_CARS] = {-0.07f};
int ManualGearbox[MAX_CARS];
int GearShiftRequest[2];
float SteerSpeed[MAX_CARS];
int EngineRow;
int TopGear;
int EnginesReleased;
int EngineLoaded = 1;
float EffectiveSteer;
float TurboValue, TurboCharge;
int TurboCameraPull;
int SkidMode;
int BumpCounter;
float SpinOutThreshold = 100.0f;
int NetStartDamp;
float CameraAngleOffset;
float FocalScaleBase;
int HandbrakeSoundOn[MAX_CARS];
int OverRevSoundOn[MAX_CARS];
int ReverseBeepOn[MAX_CARS];
float CameraDistance[MAX_CARS];
uint32_t SoundStepCycles;

int rank_coche[MAX_CARS];
int rank_pos[MAX_CARS];
int CpuLineProfile[MAX_CARS];
int CpuSkill[MAX_CARS];
float CpuSteerTolerance[MAX_CARS] = {0.25f, 0.25f, 0.25f, 0.25f, 0.25f, 0.25f, 0.25f, 0.25f};
int CpuTargetNode[MAX_CARS];
int CpuStuckTicks[MAX_CARS];
int CpuRecovering[MAX_CARS];
float CpuTrafficAhead = 3500.0f;
float CpuTrafficAcross = 900.0f;
int CarBoxReady;
int ViewMode[2];
int ViewedCar[2] = {0, 1};

int RaceCarCount = 1;
float EyeX[MAX_CARS], EyeY[MAX_CARS], EyeZ[MAX_CARS];
float ChaseEyeX[MAX_CARS], ChaseEyeY[MAX_CARS], ChaseEyeZ[MAX_CARS];
float CameraPitch[MAX_CARS], AnguloDeDeriva[MAX_CARS], CameraRoll[MAX_CARS];
float CameraPitchBias[MAX_CARS] = {0.075f, 0.075f, 0.075f, 0.075f, 0.075f, 0.075f, 0.075f, 0.075f};
float ChaseEyeHeight[MAX_CARS] = {390, 390, 390, 390, 390, 390, 390, 390};
int ChaseEyeOffset[MAX_CARS] = {-679, -679, -679, -679, -679, -679, -679, -679};
float CameraLag[MAX_CARS];
float Angle1[MAX_CARS];
int Centri = 1;
int OwnCarVisible[2] = {1, 1}, LookBack[2];
float SteeringAngle[MAX_CARS], WheelRollAngle[MAX_CARS];
float VelocityX[MAX_CARS], VelocityZ[MAX_CARS];
int CarLightsOn[MAX_CARS];
int HandbrakeLocked[MAX_CARS];
float WheelPosX[MAX_CARS][4], WheelPosY[MAX_CARS][4], WheelPosZ[MAX_CARS][4];
float CarGroundHeight[MAX_CARS];
float GroundTiltPitch[MAX_CARS], GroundTiltRoll[MAX_CARS];
float DrawTiltPitch[MAX_CARS], DrawTiltRoll[MAX_CARS];
float HeadPitch[MAX_CARS], HeadRoll[MAX_CARS];
CarDistance CarsByDistance[MAX_CARS];
float EyeFloor[MAX_CARS];
float WheelWorldX[MAX_CARS][4], WheelWorldZ[MAX_CARS][4];
float AttachX[MAX_CARS][ATTACH_POINTS], AttachY[MAX_CARS][ATTACH_POINTS], AttachZ[MAX_CARS][ATTACH_POINTS];
float LightPointOffsets[MAX_CARS][2][3];
int ReplayCameraMode;
float CameraTable[CAMERA_TABLE_MODELS][CAMERA_TABLE_PAIRS][2];

int CarZoneMask[MAX_CARS];
int WheelZoneMask[4];
int DustTickAccumulator[MAX_CARS];
int TickResetPending = 1;
int RaceFrameCounter;
int HornFlags[MAX_CARS];
float JoystickSteerScale[MAX_CARS];
int GearUpLatch[2], GearDownLatch[2], CameraChangeLatch[2];
float PrevSimPosX[MAX_CARS], PrevSimPosY[MAX_CARS], PrevSimPosZ[MAX_CARS];
float SimDeltaX[MAX_CARS], SimDeltaY[MAX_CARS], SimDeltaZ[MAX_CARS];

float DecorationDrift, DecorationPhase;

float SoundVelocityX[MAX_CARS], SoundVelocityZ[MAX_CARS];
int TvCameraFlag;

float SkyDrift;
float DecorSpin;
int DecorFrames[DECOR_FRAMES];
float DecorSway[4];
int DecorTexture = 2020;
int DecorTicks;
int DecorBlink[2];
PropPlacement SlalomProps[PROP_SLOTS], ConeProps[PROP_SLOTS], PoleProps[POLE_BARS];
PropState SlalomStates[PROP_SLOTS], ConeStates[PROP_SLOTS];
PoleBarState PoleStates[POLE_BARS];
PoleBar PoleBars[POLE_BARS];
int PoleCount = 5;
int ArenaCounts[ARENA_COUNTS];
float MarkerLightX[MARKER_LIGHTS], MarkerLightY[MARKER_LIGHTS], MarkerLightZ[MARKER_LIGHTS];
int MarkerLightColour[MARKER_LIGHTS];
int KnockedFlags[MARKER_LIGHTS];

int ParticleHold;
