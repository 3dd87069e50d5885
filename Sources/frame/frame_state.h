// Shared state of the application frame: start-up, the window, the frame
// driver and the simulation tick.
//
// Three threads meet here: the main thread (message loop and frames), the
// timer thread (the tick) and, during network play, the receive thread.
// Flags and counters that cross threads are std::atomic<int> (relaxed use is
// enough: they are flags, not hand-offs of data); the car state that the tick
// integrates and the frame snapshots is guarded by the simulation lock
// (sim_lock.h).  Everything else is main-thread only.
#pragma once

#include <atomic>
#include <cstdint>

// ---------------------------------------------------------------------------
// Display configuration: the 24-byte image of Config\Vondel.cfg.
struct DisplayConfigRecord {
    int32_t width;
    int32_t height;
    int32_t bitDepth;
    int32_t driverIndex;
    int32_t unused;        // written by the set-up program, read by nobody
    int32_t displayKind;   // 0 software path, 1 Direct3D
};
static_assert(sizeof(DisplayConfigRecord) == 24, "Vondel.cfg is 24 bytes");

extern DisplayConfigRecord DisplayConfig;

// One row of the language table (68 bytes).
struct LanguageRecord {
    char name[32];
    char messageFile[32];
    int32_t languageNumber;
};
static_assert(sizeof(LanguageRecord) == 68, "language rows are 68 bytes");

extern const LanguageRecord LanguageTable[4];

struct RectI {
    int left, top, right, bottom;
};

// ---------------------------------------------------------------------------
// Start-up and shutdown.
extern int AppInstance;            // a token: the program has one instance handle
extern int MainWindow;             // 1 while the main window exists
extern RectI DesktopRect;
extern RectI WindowRect;
extern std::atomic<int> AppReady;
extern std::atomic<int> ExitRequested;
extern int MousePolling;
extern int MenuFrameRan;
extern float MenuFrameTicksAverage;
extern int CdDriveLetter;
extern int HasMmx;
extern int VideoRequest;
extern int VideoSkipped;        // a video was cut short by a key
extern int VideoLargeMode;      // the videos had to play at 640 x 480

// ---------------------------------------------------------------------------
// Window procedure and keys.
extern std::atomic<int> AppActive;
extern int WindowedMode;
enum { TYPED_CHAR_QUEUE_SIZE = 126 };
extern int TypedCharQueue[TYPED_CHAR_QUEUE_SIZE];
extern int TypedCharCount;
extern int TypedChar;
extern int ShiftHeld;
extern int HudVisible;
extern int MapVisible;
extern int NameTagsVisible;
extern int Wireframe;
extern int ScreenshotRequest;
extern int GameLogicRunning;
extern int SingleStepRequest;

// ---------------------------------------------------------------------------
// Keyboard and mouse (input.cpp) and the force-feedback joystick
// (joystick.cpp).  Main thread only.
extern unsigned char KeyState[256];       // by scan code, 0x80 while the key is down
extern float MouseFloatX, MouseFloatY;    // the cursor in 640 x 480 layout, 0..637 and 0..477
extern int MouseX, MouseY;                // the same, truncated
extern int MouseClick;                    // a click in the last poll with click detection
extern int MouseButtons;                  // 0x80 while the left button is held
extern int JoystickActive;                // the joystick device exists
extern int ForceFeedbackPresent;          // ... and has force feedback
extern int ForceFeedbackLevel;            // 0..2, set by the front end's options
extern int JoystickDeadzone;              // in 1/10000 of the axis range
extern int JoyX, JoyY;                    // the last reading, -1000..1000
extern int JoyJerk;                       // x moved by more than 800 at the last change

// ---------------------------------------------------------------------------
// Render work buffers (utils.cpp), allocated once at start-up; a buffer
// whose allocation failed stays null.  The rendering paths use them.
enum {
    WORK_BUFFER_BYTES = 3145728,          // each software texture area
    DARKEN_BUFFER_BYTES = 262144,         // each darkening table's buffer
    SCANLINE_TABLE_ENTRIES = 484,         // row addresses in each scan-line table
};
extern int WorkBuffersAllocated;
extern unsigned char* SoftTexels;         // 8-bit texel pages
extern unsigned char* SoftOccupancy;      // one byte per texel cell
extern unsigned char* SoftPalettes;       // palette blocks
extern uint16_t* DarkenTableStrong;       // 65,536 entries
extern uint16_t* DarkenTableWeak;
extern int DarkenTablesBuilt;             // the rasteriser built them in these buffers
extern unsigned char** ScanlineRows;      // colour row addresses of the software frame
extern unsigned char** DepthRows;         // depth row addresses (minus 614,400)

// ---------------------------------------------------------------------------
// Frame driver.
extern std::atomic<int> FrontEndActive;   // 1 while the menus run
extern std::atomic<int> SceneReady;       // 0 keeps the tick's race part out
extern int StartRaceRequest;
extern int RenderKind;                    // 0 software, 1 Direct3D, 2 loading screens

struct PlayerTime {
    int minutes, seconds, ticks;
};
extern PlayerTime PlayerRaceTime[2];

// Developer editor switches; EditorOpen is the sum of the first six.
extern int TuningPanelOn, ZoneEditorOn, LightEditorOn, CollisionEditorOn;
extern int CpuLineEditorOn, TextLabelsOn, EditorMenuOn;
extern std::atomic<int> EditorOpen;

extern int FramesPerSecond;
extern float FramesPerSecondMean;
extern int FrameRateRestart;

extern int WantedWidth, WantedHeight, WantedDepth;
extern int CurrentModeWidth, CurrentModeHeight, CurrentModeDepth;
extern int ForceDisplayRecreate;
extern int DisplayRecreated;
extern int CurrentViewport;               // 0 whole screen, 1 top half, 2 bottom half
extern int HardwareFailure;               // the hardware device failed, a software one runs

extern float ScreenRight, ScreenBottom;
extern int SurfaceWidth, SurfaceHeight;
extern float ScreenCentreX, ScreenCentreY;
extern int SmallScreen;
extern int ScreenshotCounter;
extern int DayCarArt;
extern int ClearTargetFrames;

// Pixel format of the render target (ReadPixelFormat): the set bits of each
// colour mask.  GreenMaskBits 6 is the 5-6-5 format, 5 the 5-5-5 format.
extern int PixelBitCount;
extern int RedMaskBits, GreenMaskBits, BlueMaskBits;

// ---------------------------------------------------------------------------
// Simulation tick counters.
extern std::atomic<int> TimerTicks;
extern std::atomic<int> PrevFrameTickCount;
extern std::atomic<int> LastFrameTicks;
extern std::atomic<int> AnimTicks;
extern std::atomic<int> TickPhase;
extern std::atomic<int> SlowTicksPending;
extern std::atomic<int> TickParity;
extern std::atomic<int> NetSendPhase;
extern std::atomic<int> CarFastFlags[8];
extern float MenuCameraYaw;               // tick only; the frame reads it under the lock

// ---------------------------------------------------------------------------
// Command line of this run (not part of the game's own state: how it was
// started).
struct CommandLineOptions {
    int headless;       // --headless
    int frames;         // --frames N: exit after N frames (0 = run until closed)
    int autorace;       // --autorace: start a race at once
    int screenshot;     // --screenshot: write a screenshot of the last frame
    int debug;          // --debug: debugger output on stderr
    int developer;      // --developer: developer mode (the race's tuning keys)
    const char* script; // --script FILE: frame-stamped input events
    const char* carlog; // --carlog FILE: every car's state each race tick
    int intro;          // --intro: the three intro videos play at start-up
    int recordingDevice;  // --recording-device: headless runs draw with the recording device
    int autopilot;      // --autopilot: car 0 drives itself too
    int cars;           // --cars N: cars of the race (0: the menu's choice)
    int laps;           // --laps N: laps of the race (0: the menu's choice)
    const char* saveReplay;   // --save-replay PATH: the recorded race, at the end of the run
    const char* playReplay;   // --play-replay PATH: plays a replay file (with --autorace)
    const char* soundCapture;   // --sound-capture DIR: the mixer's output and plays into DIR
    int track;          // --track CODE: the quick race's track code (0: the default)
    int network;        // --network: network play from the start (the menus open on the profiles)
    int netHost;        // --net-host N: hosts, starts at N players (0: not hosting)
    int netJoin;        // --net-join: joins the first session found
    const char* player; // --player NAME: the player's name in network play
    int netLossPercent; // --net-loss PCT: drops that share of unguaranteed datagrams
};
extern CommandLineOptions CommandLine;
// The exit status of a run that failed (0 none): a scripted check, a
// network run given up, a replay --play-replay cannot play.
extern int ScriptExitStatus;
