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
int BackToMenusRequest;
std::atomic<int> PresentationRun;
int PresentationCamera;
std::atomic<int> ReplayPlayback;
std::atomic<int> ReplayRecording;
int ReplayPlaying;
std::atomic<int> RecordsChanged;
std::atomic<int> StartStage;
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
int CarBoxReady;
int ViewMode[2];
int ViewedCar[2] = {0, 1};
