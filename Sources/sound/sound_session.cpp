// The mixer session, the wave slots and their loaders, the play blocks.
// The contents of the menu and race banks are in sound_bank.cpp.

#include "sound/sound_session.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frame/vfs.h"
#include "race/race_state.h"
#include "sound/music.h"
#include "sound/sound_channels.h"
#include "sound/sound_mix.h"
#include "sound/sound_state.h"

// Loop A and loop B of every car model's engine wave; rows 18 and 19 are
// models without an engine wave.
const int EngineLoopPoints[4][ENGINE_MODELS] = {
    {10175, 24266, 23611, 20377, 4863, 13445, 26111, 14079, 26533, 18615, 20377, 17413, 24575, 27456, 26111,
     61442, 36519, 24266, 0, 0},
    {57814, 61570, 102442, 66968, 73852, 68055, 108543, 75518, 86812, 67949, 66968, 107533, 142847, 154916,
     108543, 78276, 82493, 61570, 0, 0},
    {10175, 24266, 23611, 84695, 4863, 16599, 26111, 14079, 26533, 18615, 84695, 17413, 24575, 27456, 26111,
     61442, 36519, 24266, 0, 0},
    {57814, 61570, 102442, 133360, 73852, 65348, 108543, 75518, 86812, 67949, 133360, 107533, 142847, 154916,
     108543, 78276, 82493, 61570, 0, 0},
};

// The wave folders of the race bank, by folder number.
static const char* const RaceWaveFolders[] = {
    "WAVE\\IENGINES\\%s",         "WAVE\\ITERRAIN\\%s",        "WAVE\\START\\%s",
    "WAVE\\ISKIDS\\%s",           "WAVE\\ICAIDA\\%s",          "WAVE\\IKLAXON\\%s",
    "WAVE\\ICOLISION\\%s",        "WAVE\\PUBLIC\\%s",          "WAVE\\IEXTRA\\%s",
    "WAVE\\TODO\\%s",             "WAVE\\IENGINES\\MONSTER\\%s", "WAVE\\IENGINES\\SPEED\\%s",
    "WAVE\\IENGINES\\JUMP\\%s",   "WAVE\\IENGINES\\BONUS\\%s", "WAVE\\IENGINES\\CROSS\\%s",
    "WAVE\\IENGINES\\BUGGY\\%s",  "WAVE\\GEARCLUNK\\%s",
};
static const int RACE_FOLDER_COUNT = (int)(sizeof RaceWaveFolders / sizeof RaceWaveFolders[0]);

// Selector 0 is the menu bank's folder; 1 is a second folder no load uses.
static const char* const MenuWaveFolders[] = {"WAVE\\MENU\\%s", "AUDIO\\MENU\\%s"};

// No wave of the banks comes near this; a larger file is not a wave of ours.
enum { MAX_WAVE_FILE = 64 << 20 };

// ---------------------------------------------------------------------------
// Session

void SoundDoneCallback(int, PlatWave, void* user) {
    SoundEvent* event = (SoundEvent*)user;
    if (event && event->open)
        event->signalled = 1;
}

void InitSoundMixer() {
    if (MixerOpen)
        return;
    if (PlatMixerOpen(PLAT_MIXER_RATE, SOUND_CHANNELS)) {
        MixerSession = 1;
        SoundUnavailable = 0;
        MixerOpen = 1;
        SoundOn = 1;
        MixerFailed = 0;
        // The music plays while a session is open.
        MusicGate = 1;
        DebugLogText("Sound: mixer session open, 24 channels at 22050 Hz");
    } else {
        MixerSession = 0;
        SoundOn = 0;
        MixerOpen = 0;
        MusicEnabled = 0;
        SoundUnavailable = 1;
        MixerFailed = 1;
        MusicGate = 0;
        DebugLogText("Sound: no mixer, the game runs silent");
    }
    // Without a session these calls do nothing; the run goes on silent.
    PlatMixerActivate(1);
    // Every channel of the plan, in order; channel 22 serves no use and
    // stays closed.
    for (int ch = 0; ch < SOUND_CHANNELS; ch++) {
        if (PlannedChannels() & (1u << ch))
            PlatMixerOpenChannel(ch);
    }
    PlatMixerSetVolume(PLAT_MIXER_ALL_CHANNELS, 0);
    SoundDoneEvent.signalled = 0;
    SoundDoneEvent.open = 1;
}

void ShutdownSound() {
    // Nothing outlives the session, a fading tune neither.
    MusicFadeActive = 0;
    FreeAllWaves();
    SoundDoneEvent.open = 0;
    PlatMixerClose();
    // The session is gone: nothing may play on it, and a later
    // InitSoundMixer opens a new one.
    MixerSession = 0;
    MixerOpen = 0;
    SoundOn = 0;
    SoundUnavailable = 1;
    MusicGate = 0;
}

void CloseMixer() {
    if (MixerOpen != 1)
        return;
    PlatMixerCloseChannel(PLAT_MIXER_ALL_CHANNELS);
    MixerOpen = 0;
    SoundOn = 0;
    SoundUnavailable = 1;
    MusicGate = 0;
    // The slots keep their handles, stale now: the mixer ignores them.
    PlatMixerClose();
    MixerSession = 0;
}

void ActivateSoundSession(int active) { PlatMixerActivate(active); }
void ActivateMixer(int state) { PlatMixerActivate(state); }

void PollChannelStatus() {
    if (MixerOpen != 1)
        return;
    for (int ch = 0; ch < STATUS_CHANNELS; ch++)
        ChannelStatus[ch] = PlatMixerStatus(ch);
}

void StopBusyChannels() {
    PollChannelStatus();
    for (int ch = 0; ch < STATUS_CHANNELS; ch++) {
        if (ChannelStatus[ch] & (CHANNEL_QUEUED | CHANNEL_PAUSED | CHANNEL_PLAYING))
            PlatMixerFlush(ch);
    }
}

void ToggleSound() {
    if (SoundOn) {
        PollChannelStatus();
        for (int ch = 0; ch < SOUND_CHANNELS; ch++) {
            if ((PlannedChannels() & (1u << ch)) && (ChannelStatus[ch] & (CHANNEL_QUEUED | CHANNEL_PLAYING)))
                PlatMixerFlush(ch);
        }
        SoundOn = 0;
    } else if (!MixerOpen) {
        InitSoundMixer();
        SoundOn = 1;
    }
}

// ---------------------------------------------------------------------------
// Slots

static void FreeSlot(int slot) {
    const PlatWave wave = WaveTable[slot].exchange(0);
    if (wave)
        PlatMixerFreeWave(wave);
    WaveLoadedFlags[slot] = 0;
}

void FreeSlotRange(int first, int last) {
    for (int slot = first; slot <= last; slot++) {
        if (WaveTable[slot])
            FreeSlot(slot);
    }
}

// A tune that fades out while the race loads outlives the bank it came
// with: its fade frees it when it ends.
static int MusicOutlivesBank() {
    return MusicFadeActive == 1 && (ReadChannelStatus(CH_MUSIC) & CHANNEL_PLAYING) != 0;
}

void FreeBankSlots() {
    if (MusicOutlivesBank()) {
        FreeSlotRange(0, MUSIC_FIRST_SLOT - 1);
        FreeSlotRange(MUSIC_LAST_SLOT + 1, WAVE_SLOTS - 1);
    } else {
        FreeSlotRange(0, WAVE_SLOTS - 1);
    }
}

// The music slots go too, unless they fade: the fade may be freeing them
// on the tick, hence the lock.
void FreeAllWaves() {
    std::lock_guard<std::mutex> hold(MusicLock());
    FreeBankSlots();
}
// Its callers hold the music lock.
void FreeMusicWaves() { FreeSlotRange(MUSIC_FIRST_SLOT, MUSIC_LAST_SLOT); }
void FreeSpareWaves() { FreeSlotRange(SPARE_FIRST_SLOT, SPARE_LAST_SLOT); }

// Frees the mixer's waves but keeps the slots as they are.  The handles left
// behind are stale: the mixer ignores them, so a later free or play of them
// is harmless.
void FreeWavesIfFrontEnd() {
    if (FrontEndActive != 1)
        return;
    for (int slot = 0; slot < WAVE_SLOTS; slot++) {
        if (WaveTable[slot])
            PlatMixerFreeWave(WaveTable[slot]);
    }
}

// A wave the bank names cannot be read: the game cannot go on.
[[noreturn]] static void SoundFileMissing(const char* path) {
    char line[400];
    snprintf(line, sizeof line, "ERROR (Track=%d,%d) Sonido no encontrado:%s", TrackGroup, TrackVariant, path);
    DebugLogText(line);
    fprintf(stderr, "%s\n", line);
    fflush(stdout);
    fflush(stderr);
    // _Exit: the timer thread may be running (the return to the menus loads
    // the bank before stopping it), and ending with it joinable would abort.
    std::_Exit(1);
}

// Reads a whole file from the archives (or from the plain folders, whose
// reader logs it itself); the size and a malloc'd buffer, 0 when it cannot
// be read.
static int LoadWaveFile(const char* path, unsigned char** buffer) {
    int size = VfsLoadFile(path, buffer);
    if (size > 0 && *buffer) {
        DebugLogLoaded(path);
        return size;
    }
    free(*buffer);
    *buffer = nullptr;
    if (!QueryFileSize(path) || LastFileSize <= 0 || LastFileSize > MAX_WAVE_FILE)
        return 0;
    size = LastFileSize;
    *buffer = (unsigned char*)malloc((size_t)size);
    if (*buffer && ReadWholeFile(path, *buffer, size) == 1 && LastFileSize == size)
        return size;
    free(*buffer);
    *buffer = nullptr;
    return 0;
}

// Opens the file into the slot.  The handle is stored as the mixer returns
// it: 0 for a file that is not a wave it can play (that sound stays silent).
static void LoadSlotFromArchive(const char* path, int slot) {
    unsigned char* buffer = nullptr;
    const int size = LoadWaveFile(path, &buffer);
    if (size <= 0)
        SoundFileMissing(path);
    WaveTable[slot] = PlatMixerOpenWaveMemory(buffer, size);
    PlatMixerSetWaveTag(WaveTable[slot], slot);
    free(buffer);
    WaveLoadedFlags[slot] = 1;
    LoadedWaveCount++;
}

static int SlotInRange(int slot) { return slot >= 0 && slot < WAVE_SLOTS; }

void LoadRaceWave(const char* file, int slot, int folder) {
    if (!file || !SlotInRange(slot) || folder < 0 || folder >= RACE_FOLDER_COUNT)
        return;
    if (WaveLoadedFlags[slot])
        return;
    char path[300];
    snprintf(path, sizeof path, RaceWaveFolders[folder], file);
    LoadSlotFromArchive(path, slot);
}

void LoadMenuWave(const char* file, int slot, int selector) {
    if (!file || !SlotInRange(slot) || selector < 0 || selector > 1)
        return;
    if (WaveLoadedFlags[slot])
        return;
    char path[300];
    snprintf(path, sizeof path, MenuWaveFolders[selector], file);
    LoadSlotFromArchive(path, slot);
}

// The music is opened from the plain Music folder, not from the archives.
void LoadMusicWave(const char* file, int slot) {
    if (!file || !SlotInRange(slot))
        return;
    char path[300];
    snprintf(path, sizeof path, "Music\\%s", file);
    if (WaveLoadedFlags[slot])
        return;
    const PlatWave wave = PlatMixerOpenWaveFile(path);
    WaveTable[slot] = wave;
    if (!wave)
        SoundFileMissing(path);
    PlatMixerSetWaveTag(wave, slot);
    DebugLogLoaded(path);
    WaveLoadedFlags[slot] = 1;
    LoadedWaveCount++;
}

void LoadSpareWave(int slot) {
    if (SoundUnavailable || slot < SPARE_FIRST_SLOT || slot > SPARE_LAST_SLOT)
        return;
    LoadRaceWave("XXXXXXXX.wav", slot, 8);
}

// ---------------------------------------------------------------------------
// Play blocks

// Writes a block only when it changes: the tick reads the plain blocks of
// its effect sounds while the frame rebuilds them at a bank swap, and a
// plain block is the same in both banks.
static void SetBlock(PlayBlock block, int start, int loopStart, int loopEnd, int end) {
    PlayParams fresh = {};
    fresh.callback = SoundDoneCallback;
    fresh.user = &SoundDoneEvent;
    fresh.start = start;
    fresh.loopStart = loopStart;
    fresh.loopEnd = loopEnd;
    fresh.end = end;
    if (memcmp(&PlayParamBlocks[block], &fresh, sizeof fresh) != 0)
        PlayParamBlocks[block] = fresh;
}

static int LoopPoint(int point, int model) {
    return model >= 0 && model < ENGINE_MODELS ? EngineLoopPoints[point][model] : 0;
}

void InitPlayParams() {
    const int raceBank = FrontEndActive != 1;
    for (int block = 0; block < PLAY_BLOCK_COUNT; block++) {
        if (block == ENGINE_CAR_PARAMS)    // the engine sound fills it whole before each use
            continue;
        const int engineLoop = block == ENGINE_MAIN_PARAMS || block == ENGINE_LOOP_PARAMS_A ||
                               block == ENGINE_LOOP_PARAMS_B || block == SPARE_LOOP_PARAMS_A ||
                               block == SPARE_LOOP_PARAMS_B;
        if (!raceBank || !engineLoop)
            SetBlock((PlayBlock)block, 0, 0, 0, 0);
    }
    if (!raceBank)
        return;

    // The loops of the listener's engine wave (car 0's for the spare block).
    const int m = LocalCar >= 0 && LocalCar < MAX_CARS ? CarModel[LocalCar] : -1;
    const int aStart = LoopPoint(LOOP_A_START, m), aEnd = LoopPoint(LOOP_A_END, m);
    const int bStart = LoopPoint(LOOP_B_START, m), bEnd = LoopPoint(LOOP_B_END, m);
    SetBlock(ENGINE_MAIN_PARAMS, 0, aStart, aEnd, aEnd);
    SetBlock(ENGINE_LOOP_PARAMS_A, 0, aStart, aEnd, aEnd);
    SetBlock(ENGINE_LOOP_PARAMS_B, 2000, bStart, bEnd, bEnd);
    SetBlock(SPARE_LOOP_PARAMS_B, 1, bStart, bEnd, bEnd);
    const int m0 = CarModel[0];
    SetBlock(SPARE_LOOP_PARAMS_A, 1, LoopPoint(LOOP_A_START, m0), LoopPoint(LOOP_A_END, m0), 0);
}
