// Shared state of the front end that the frame, the tick and the race read.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

extern std::atomic<int> MenuScreenShown;
extern int MenuRefreshFlag;
extern int ScreenshotsEnabled;
extern int WireframeKeyArmed;
extern int SettingsInts[64];
extern unsigned char VisualSettings[48];
extern int EffectsEnabled;
extern int EffectsOption;
extern int SkyOption;
extern int VisualOptions[13];      // the other visual option bytes, by byte number
extern int AttractIdleTimer;
extern int ReplayFromFile;
extern int InternetReplays;       // the replay list uses Replay\Internet
extern int DemoCycle;             // 0..2: the next idle demo
// The race's RaceWon under the name the back-to-menus sequence and the
// career use: one variable, which the race latches from its finish flag.
extern int& CareerWinMarker;
extern int MenuMusicHeld;
extern int TextEditActive;         // a text field is being edited
extern int TextEditHasText;        // ... and holds text
extern int MouseKeptOff;           // the front end keeps the mouse switched off
extern int InRaceMenuCounter;
extern int ChampionshipChosen;     // the championship mode was chosen in the menus
extern int ChampionshipRunning;    // the grid takes its starting order from the standings
extern int SingleRaceMode;
extern int DeveloperSwitch;        // developer mode: the race's tuning keys work
extern int NetworkChosen;          // the network mode was chosen in the menus
extern int RecordsViaProfiles;     // the profile screen was reached from the records
// What the race's presentation screens print of the championships: the
// standings row of each local player's car, the championship's kind and
// stage, the row of the one line the jump and arena groups show, and the
// count shown on the fly-by's second keyframe.  The front end sets them.
extern int PlayerStandingsRow[8];
extern int ChampionshipKind, ChampionshipStage;
extern int PresentationStandingsRow;
extern int PresentationCountShown;
// The end of a race (race_results.cpp): the standings' state word (the HUD
// writes 12 before it shows them), a replay from the menus runs (the HUD
// draws no panel), a split screen series is under way, the banner of this
// race was shown, the event ended without success.
extern int StandingsState;
extern int MenuReplayActive;
extern int SplitScreenRaceRunning;
extern int BannerShown;
extern int EventFailed;

// The in-race overlays (race_overlays.cpp): the pause menu's row (0 resume,
// 1 restart, 2 quit) and blink, the help overlay (race start closes it), a
// demo replay runs from the menus, and the overlays' key states (1: the key
// was down last frame).
extern int PauseChoice;
extern int PauseBlinkCount;
extern int HelpOverlayOpen;
extern int DemoReplay;
extern unsigned char OverlayKeyWasDown[256];

// Byte numbers of VisualSettings (CONFIG\visual.cfg, 48 bytes).
enum VisualSettingsByte {
    VISUAL_EFFECTS_ENABLED = 1,
    VISUAL_EFFECTS_OPTION = 2,
    VISUAL_SKY_OPTION = 3,
    VISUAL_VIEW_PLAYER1 = 11,   // view mode + 1
    VISUAL_VIEW_PLAYER2 = 12,
};

// ---------------------------------------------------------------------------
// Message file and text slots (text_slots.cpp, text_draw.cpp).  Main thread
// only, except CreditsScrollY, which the tick lowers.

enum {
    TEXT_SLOT_BLOB_SIZE = 60000,   // the largest message file
    TEXT_SLOT_COUNT = 3000,
    TEXT_BUFFER_SIZE = 1256,
};

struct TextSlot {
    uint32_t offset;   // start of the text in TextSlotBlob
    uint32_t length;   // bytes, without the CR LF
};

extern char TextSlotBlob[TEXT_SLOT_BLOB_SIZE];
extern TextSlot TextSlotTable[TEXT_SLOT_COUNT];
extern uint32_t TextSlotRoom[TEXT_SLOT_COUNT];   // bytes a writer may use: the line as loaded
extern int TextFileSize;
extern char TextBufferA[TEXT_BUFFER_SIZE];
extern char TextBufferB[TEXT_BUFFER_SIZE];

// One hot-key cell of the menu keyboard: a letter drawn after a mark.
struct KeyboardCell {
    float code;        // the key, upper case (13 for Enter); 0 ends the table
    float pointerX, pointerY;
    float cellX, cellY;
    float slot;
    float unused[2];
};
static_assert(sizeof(KeyboardCell) == 32, "keyboard cells are eight floats");

enum { KEYBOARD_CELL_MAX = 127 };   // counted by a signed byte
extern KeyboardCell KeyboardCellTable[KEYBOARD_CELL_MAX + 1];
extern signed char KeyboardCellCount;
extern int KeyboardClick;          // a typed key reached its cell: the frame clicks
extern int KeyboardCellStamp;      // cells registered now take the pointer position
extern std::atomic<float> CreditsScrollY;

// ---------------------------------------------------------------------------
// Menu fonts (menu_fonts.cpp): three fonts cut from MENUS\Fonts.raw, a strip
// of one byte per pixel (a blend level 0..99, 0 the full text colour; 255
// transparent) and FONT_STRIP_WIDTH bytes per row.
enum {
    MENU_FONT_COUNT = 3,
    MENU_FONT_GLYPHS = 223,        // character codes 33..255
    FONT_STRIP_WIDTH = 3779,
    FONT_STRIP_ROWS = 83,
};

struct MenuFont {
    int height;
    int stripOffset;               // first row of the font in the strip
    int spaceAdvance;
    unsigned char widths[MENU_FONT_GLYPHS];
};
extern const MenuFont MenuFontMetrics[MENU_FONT_COUNT];
extern int GlyphStartTable[MENU_FONT_COUNT][TEXT_SLOT_COUNT];

// ---------------------------------------------------------------------------
// Menu graphics (menu_graphics.cpp).
//
// A locked 16-bit pixel buffer: the menus draw into these without knowing
// whose surface they belong to.  The pitch is in pixels.
struct MenuPixels {
    uint16_t* pixels;
    int pitch;
    int width;
    int height;
};
extern MenuPixels MenuTarget;      // the locked work surface (640 wide)
extern MenuPixels MenuOverlay;     // a second locked 640-wide picture

// Per-level channel tables of the translucent blends, for the pixel format in
// force: row L is the background part at level L, row L + 100 the picture
// (or text) part, each already shifted into the channel's place.
enum { BLEND_LEVELS = 100 };
extern uint32_t BlendRed[2 * BLEND_LEVELS][64];
extern uint32_t BlendGreen[2 * BLEND_LEVELS][64];
extern uint32_t BlendBlue[2 * BLEND_LEVELS][64];

// The raw menu graphics, back to back: raw graphic 0 is the font strip, raw
// graphic k the k-th MENUS\GFX raw file loaded after it.  The overlay blit
// reads the level of picture pixel s one byte before it, so the buffer keeps
// guard bytes of level 100 (untouched) before its first byte.
enum {
    MENU_GFX_BUFFER_SIZE = 4 * 1024 * 1024,
    MENU_GFX_GUARD = 4,
    MENU_GFX_MAX = 80,
    MENU_POINTER_LEVEL_MAP = 57,   // raw graphic of the pointer's blend levels
};
extern unsigned char* const MenuGfxBuffer;   // MENU_GFX_BUFFER_SIZE bytes after the guard
extern int MenuGfxOffsets[MENU_GFX_MAX];
extern int MenuGfxSizes[MENU_GFX_MAX];
extern int MenuGfxCount;
extern int MenuGfxFill;

extern float MenuPointerLevel;     // 64..72: the pulse, and the pointer's picture
extern int MenuPointerRising;
extern int MenuPointerShown;
extern int KeyboardJumpGate;       // the typed-key jump runs only for Enter
extern int MenuStateWord;          // the click of this menu frame

// ---------------------------------------------------------------------------
// Tables that start-up prepares for the lists and the control binding.
enum { FILE_LIST_ROWS = 256 };
extern char FileListRow[FILE_LIST_ROWS][32];

struct KeyBinding {
    int32_t code;          // scan code, or the joystick input mask
    int32_t isJoystick;
    int32_t nameIndex;     // row of KeyNameTable or JoystickNameTable; -1 unbound
};
static_assert(sizeof(KeyBinding) == 12, "bindings are 12-byte records");
extern KeyBinding ControlBindings[4][11];

// The settings file Config\config.cfg (factory defaults in config.def): the
// image of this record, little-endian, "V1.0" first.  The record tables from
// byte 564 are a copy of the records' tables, indexed by track code 0..98.
enum { SETTINGS_TRACK_CODES = 99, SETTINGS_SAVED_INTS = 8 };
struct SettingsRecord {
    char tag[4];
    int32_t settingsInts[SETTINGS_SAVED_INTS];       // SettingsInts 0..7
    KeyBinding bindings[4][11];                      // ControlBindings
    uint8_t bestRaceTime[SETTINGS_TRACK_CODES][3];   // minutes, seconds, hundredths
    uint8_t bestLapTime[SETTINGS_TRACK_CODES][3];
    char bestRaceHolder[SETTINGS_TRACK_CODES][20];
    char bestLapHolder[SETTINGS_TRACK_CODES][20];
    char bestRaceDate[SETTINGS_TRACK_CODES][22];
    char bestLapDate[SETTINGS_TRACK_CODES][22];
    int8_t forceFeedbackLevel;                       // 0..2
    int8_t manualGearbox[8];                         // per player: 0 automatic, 1 manual
    uint8_t pad;
};
static_assert(sizeof(SettingsRecord) == 9484, "config.cfg is 9,484 bytes");
extern SettingsRecord SettingsImage;

enum { KEY_NAME_ROWS = 109, JOYSTICK_NAME_ROWS = 16 };
extern unsigned char KeyNameTable[KEY_NAME_ROWS][16];   // byte 0 scan code, then the name
extern char JoystickNameTable[JOYSTICK_NAME_ROWS][24];

// ---------------------------------------------------------------------------
// The menu machine (menu_frame.cpp, menu_actions*.cpp, menu_links.cpp,
// screen_setup.cpp, popups.cpp, text_entry.cpp).  Main thread only, except
// where an atomic says otherwise.

enum {
    MENU_ITEM_COUNT = 200,        // items 0..199 of a screen are walked
    MENU_PASSES = 8,              // item passes of one frame at most
    MENU_LISTS = 12,              // the file and text lists, by MenuListId
    MENU_FADE_START = 97,         // the page background's first cross-fade level
};

// Screen state.  A screen chosen during a frame becomes the screen at the
// start of the next; PendingScreen and the one-shot jumps are set by other
// parts of the game and taken by the menus.
extern int MenuScreen;            // the screen on display, 0..27
extern int PreviousScreen;        // the screen of the last handled item
extern int RequestedScreen;       // applied at the next frame; -1 none
extern int PendingScreen;         // taken by the next OnMenuItem; 0 none
extern int JumpToScreen5, JumpToScreen5Local, JumpToScreen9, JumpToScreen17, JumpToScreen22;
extern int ChampionshipStartPending;   // re-read the next championship race (set after a championship race)
extern int FirstMenuFrame;        // the first menu frame still has its set-up to do
extern int MenuListId;            // the list of the current screen

// Per frame.
extern int ItemDoneMarks[MENU_ITEM_COUNT];   // handled in this frame's passes
extern int ParentItem;            // parent byte of the item being handled
extern int ItemHovered;           // the pointer is on the item just tested
extern int HoverScreen, HoverItem;   // the last hovered text item; -1 none
extern int MenuFadeLevel;         // 0..97, the page background's cross-fade
extern int SpriteAnimStep;        // 0..54, the shared 55-step animation
extern int MenuAnimSteps;         // animation steps of this frame (4-tick periods)
extern int ListScrollDown, ListScrollUp;     // one-frame requests of the list box
extern char PlayerNameTable[8][32];

// The lists: rows 0..255 of FileListRow (name up to 24 characters, normal
// and hover colour at bytes 25 and 26), per list their count, selection,
// first row shown and hovered row item.
extern signed char FileListCounts[MENU_LISTS];
extern int ListSelection[MENU_LISTS];
extern int ListTop[MENU_LISTS];
extern int ListHoverItem[MENU_LISTS];

// Modes and choices of the menu actions.
extern int CareerChosen;
extern int CareerHoverItem;       // screen 3's cup button under the pointer; -1 none
extern int CareerScreenPrepared, SingleRaceScreenPrepared, ChampionshipScreenPrepared;
extern int RecordsScreenAfterLogin;
extern int NewUnlockNotice;       // the unlock level changed: item 47 of screen 3 opens pop-up 6
extern int ShopFromCareer, ShopFromCarChoice;
extern int ComputerPlayers, OpponentsChoice, HumanPlayers;
extern int RecordsPage, LapRecordsPage;
extern int RecordsAltHeading;
extern int ChampionshipListVisited;
extern int JoystickChosen;
extern int SplitModeOffset;       // 2 x SplitScreen, added into the progress mode index
extern int PlayerBeingSet;        // the human player choosing a car or a name
extern int ShowroomModel, ShowroomColour;
extern signed char PlayerCars[8][2];   // per human player {model, colour}, chosen on the car choice
extern int LoadConfirmPending;    // screen 20's pop-up 2 keeps the screen (its OK does not leave)
extern int InfoPanelValid;        // the slot information panel shows a slot

// Pop-ups (popups.cpp).
extern int NetworkLostPopup;      // the last pop-up was the lost connection (type 5)
extern int PopupOpenFlag;         // the pop-up of screen 5 or 19 is open
extern int NewBonusNotice;        // career screen: the new-bonus blink runs
extern int NewBonusBlinkStarted;  // its bonus sound has played
extern int RewardNotice;          // career screen: the reward picture blinks

// Network refresh of screens 9 and 11.
extern int NetRefreshTicks;
extern int NetRefreshParity;
extern int RememberedIsHost;      // -1 after a screen change
extern int RememberedSessionCount, RememberedPlayerCount;
extern int SoundFailurePopupShown;   // the sound screen's failure pop-up opened once

// Text entry (text_entry.cpp).
enum {
    ENTRY_NAME_MAX = 15,          // menu fields
    ENTRY_CHAT_MAX = 144,         // the lobby's chat line
    ENTRY_REPLAY_MAX = 14,
    ENTRY_CHAT_WIDTH = 300,       // pixels a chat line may fill
    REPLAY_NAME_BUFFER = 64,
};
extern int EntryCursor;           // characters typed; the caret stands here
extern int EntryPrefixLength;     // the chat line's and the replay name's fixed prefix
extern int EntryDone;             // a menu field entry ended (accepted or abandoned)
extern int EntryEndKey;           // the key that ended it: 13 accepted, 27 abandoned
extern int EntryConfirm;          // an OK button accepts the field like Enter
extern int EditedRow;             // the row of screens 12 and 21 being typed
extern int ReplayPromptOpen;
extern char ReplayNameBuffer[REPLAY_NAME_BUFFER];

// The visual options, CONFIG\visual.cfg.
enum {
    VISUAL_DISPLAY_CHOICE = 0,
    VISUAL_OPTION_4 = 4,
    VISUAL_TEXTURE_FILTER = 5,
    VISUAL_EFFECTS_LEVEL = 6,
    VISUAL_MUSIC_LEVEL = 7,
    VISUAL_MUSIC_NUMBER = 8,
    VISUAL_STEREO = 9,
    VISUAL_HEAT_LIMIT = 10,
    VISUAL_SETTINGS_SIZE = 48,
};
// StereoSign (1 normal, -1 reversed): sound/sound_state.h.

// ---------------------------------------------------------------------------
// The career record (career.cpp): the whole state of one career, saved whole
// into a slot file.  The race reads the car attributes.
struct CupRow {
    int32_t prize[5];
    int32_t fee[5];
    uint8_t won[5];
    uint8_t group[5];
    uint8_t variant[5];
    uint8_t opponentColour[5][8];
    uint8_t opponentModel[5][8];
    uint8_t laps[5];
    uint8_t cars[5];
    uint8_t cleared[5];
    uint8_t spare[38];
};
static_assert(sizeof(CupRow) == 188, "cup rows are 188 bytes");

struct CareerRecordImage {
    char tag[4];
    char description[32];
    char playerName[32];
    char date[32];
    float money;
    uint8_t racesWon;
    uint8_t unlockLevel;
    uint8_t event31Seconds;
    uint8_t championshipStage;
    float carAttributes[6];
    uint32_t saveCount;
    uint8_t specialRace;
    uint8_t spare1[99];
    int32_t musicNumber;
    int32_t musicLevel;
    int32_t effectsLevel;
    uint8_t spare2[20];
    CupRow cups[7];                 // the last row's spare tail holds the next race (0x61c)
    uint8_t garageTables[2384 - 0x630];
};
static_assert(sizeof(CareerRecordImage) == 2384, "career records are 2,384 bytes");
static_assert(offsetof(CareerRecordImage, money) == 0x64 && offsetof(CareerRecordImage, unlockLevel) == 0x69,
              "career record layout");
static_assert(offsetof(CareerRecordImage, specialRace) == 0x88 && offsetof(CareerRecordImage, musicNumber) == 0xec,
              "career record layout");
static_assert(offsetof(CareerRecordImage, cups) == 0x10c, "career record layout");
extern CareerRecordImage CareerRecord;
// The profile whose save slot the record holds, loaded or saved; empty for
// a new career or the championship file.  The main menu keeps the career
// while that profile is the one logged in (CareerOfPlayer, career.h).
extern char CareerOwner[24];
enum { CAREER_NEXT_GROUP = 0x61c, CAREER_NEXT_VARIANT = 0x61d };
// NextRaceGroup and NextRaceVariant: signed bytes of the record.
int8_t& NextRaceGroup();
int8_t& NextRaceVariant();

extern int PendingPrize;      // TargetMoney: with the records below
extern int CurrentCup, CurrentCupRace;
extern int Cup5Mode, Cup6Mode;
extern int SpecialRaceUnlocked;
extern int RaceEntryFee;
extern int SpecialRaceMode;       // the race being set up is the career's special race
extern int ReplayWatched;         // the race was a replay or demo playback

// Garage and championship choices (progress.cpp, championship.cpp).
extern int GarageCategory, GaragePick, GarageMode, GaragePage;
extern int GarageLast[5][5];        // by mode and category: the last owned car's index
extern int GarageCurrent[5][7];     // by mode and category: the car in use
extern int GarageLists[25][15][2];  // row category x 5 + mode: {model, colour}, model -1 ends
extern int CategoryPick[7];         // the car shop's pick per category
extern int ChampionshipChoice, ChampionshipRace, ChampionshipClass;
extern int ChampionshipGroupOffset, ChampionshipLastIndex;
extern int SplitRoundLimit;
extern int HiddenRaceRequest;

// ---------------------------------------------------------------------------
// Records, standings and the career values the race reads and writes
// (records.cpp).  Main thread.  A RecordTime compares as the 24-bit number
// minutes << 16 | seconds << 8 | hundredths; the jump events keep their
// distance as {0, whole units, hundredths}.
struct RecordTime {
    uint8_t minutes, seconds, hundredths;
};
static_assert(sizeof(RecordTime) == 3, "record times are 3 bytes");
enum { RECORD_TRACK_CODES = 99, RECORD_NAME_BYTES = 20, RECORD_DATE_BYTES = 22 };
extern RecordTime BestLapTimes[RECORD_TRACK_CODES];
extern RecordTime BestRaceTimes[RECORD_TRACK_CODES];
extern char LapRecordNames[RECORD_TRACK_CODES][RECORD_NAME_BYTES];
extern char RaceRecordNames[RECORD_TRACK_CODES][RECORD_NAME_BYTES];
extern char LapRecordDates[RECORD_TRACK_CODES][RECORD_DATE_BYTES];
extern char RaceRecordDates[RECORD_TRACK_CODES][RECORD_DATE_BYTES];
extern char CurrentPlayerName[24];
extern int TargetMoney;
extern int CareerRace;                   // the race is a career race: a record earns its prize
extern int RacePrize;
extern int RacePoints[8], ChampionshipTotals[8];   // by standings row
extern int StandingsPlayers;             // initial 2
extern const int FinishPoints[16];       // by finishing order, then -1
extern int ReplayNewRecord;              // the replay just filled holds a new record

// The 124-byte head of a replay file (the body follows it).
struct ReplayHeaderRecord {
    char tag[4];
    char replayName[22];
    int8_t trackCode;
    int8_t carCount;
    int8_t lapMinutes[3], lapSeconds[3], lapHundredths[3];
    int8_t laps;
    int8_t reserved1;
    int8_t mode;                 // 0 single race, 1 championship, 2 career
    char playerName[22];
    char date[22];
    int8_t carModels[8];
    int8_t carColours[8];
    int32_t raceValue;
    int8_t lapsDone[8];
    uint8_t reserved2[12];
};
static_assert(sizeof(ReplayHeaderRecord) == 124, "replay headers are 124 bytes");
static_assert(offsetof(ReplayHeaderRecord, playerName) == 40 && offsetof(ReplayHeaderRecord, raceValue) == 100,
              "replay header layout");
extern ReplayHeaderRecord ReplayHeader;
extern int RaceFromReplay;               // the race about to start plays a replay
extern int RaceResultValue;
