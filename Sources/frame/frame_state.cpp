#include "frame/frame_state.h"

DisplayConfigRecord DisplayConfig;

// The language rows, in the order the INI value is compared with them.
const LanguageRecord LanguageTable[4] = {
    {"english", "menus\\mensaje1.txt", 4},
    {"deutsch", "menus\\mensaje3.txt", 3},
    {"french", "menus\\mensaje2.txt", 2},
    {"spanish", "menus\\mensaje0.txt", 1},
};

int AppInstance = 1;
int MainWindow;
RectI DesktopRect;
RectI WindowRect;
std::atomic<int> AppReady;
std::atomic<int> ExitRequested;
int MousePolling = 1;
int MenuFrameRan;
float MenuFrameTicksAverage;
int CdDriveLetter;
int HasMmx;
int VideoRequest;
int VideoSkipped;
int VideoLargeMode;

std::atomic<int> AppActive;
int WindowedMode;
int TypedCharQueue[TYPED_CHAR_QUEUE_SIZE];
int TypedCharCount;
int TypedChar;
int ShiftHeld;
int HudVisible = 1;
int MapVisible = 1;
int NameTagsVisible;
int Wireframe = 1;   // solid: F9, once armed, turns the arena and cross tracks to wire frame
int ScreenshotRequest;
int GameLogicRunning = 1;
int SingleStepRequest;

std::atomic<int> FrontEndActive;
std::atomic<int> SceneReady;
int StartRaceRequest;
int RenderKind = 1;
PlayerTime PlayerRaceTime[2];

int TuningPanelOn, ZoneEditorOn, LightEditorOn, CollisionEditorOn;
int CpuLineEditorOn, TextLabelsOn, EditorMenuOn;
std::atomic<int> EditorOpen;

int FramesPerSecond;
float FramesPerSecondMean;
int FrameRateRestart = 1;

int WantedWidth = 640, WantedHeight = 480, WantedDepth = 16;
int CurrentModeWidth, CurrentModeHeight, CurrentModeDepth;
int ForceDisplayRecreate;
int DisplayRecreated;
int CurrentViewport;
int HardwareFailure;

float ScreenRight = 640.0f, ScreenBottom = 480.0f;
int SurfaceWidth = 640, SurfaceHeight = 480;
float ScreenCentreX = 320.0f, ScreenCentreY = 240.0f;
int SmallScreen;
int ScreenshotCounter;
int DayCarArt = 1;
int ClearTargetFrames;

int PixelBitCount = 16;
int RedMaskBits = 5, GreenMaskBits = 6, BlueMaskBits = 5;

std::atomic<int> TimerTicks;
std::atomic<int> PrevFrameTickCount;
std::atomic<int> LastFrameTicks;
std::atomic<int> AnimTicks;
std::atomic<int> TickPhase;
std::atomic<int> SlowTicksPending;
std::atomic<int> TickParity;
std::atomic<int> NetSendPhase;
std::atomic<int> CarFastFlags[8];
float MenuCameraYaw;

CommandLineOptions CommandLine;
