// The sound session and the two wave banks, on the generated game folder
// and the manual mixer.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frame/vfs.h"
#include "frontend/frontend_state.h"
#include "mkdata_sound.h"
#include "platform/plat_file.h"
#include "platform/plat_mixer.h"
#include "race/race_state.h"
#include "sound/sound_session.h"
#include "sound/sound_state.h"
#include "track/track_state.h"

namespace {

// The engine wave lengths that the engine model mirrors play positions in.
const int EngineWaveLength[18] = {115630, 123142, 204886, 26672,  147706, 136111, 217087, 151038, 173626,
                                  135988, 18512,  215068, 285696, 309834, 217087, 156554, 245906, 123142};

void SetRace(int group, int variant, const std::vector<int>& models, int local = 0, int zones = 0xFFFF) {
    FrontEndActive = 0;
    TrackGroup = group;
    TrackVariant = variant;
    TrackCode = group * 10 + variant;
    ZoneTypeMask = zones;
    CarCount = (int)models.size();
    for (int car = 0; car < MAX_CARS; car++)
        CarModel[car] = car < (int)models.size() ? models[(size_t)car] : 0;
    LocalCar = local;
}

std::set<int> LoadedSlots() {
    std::set<int> s;
    for (int slot = 0; slot < WAVE_SLOTS; slot++) {
        if (WaveLoadedFlags[slot])
            s.insert(slot);
    }
    return s;
}

// The tone a slot plays, measured on channel 0.
double SlotToneHz(int slot) {
    PlatMixerSetVolume(0, 32767);
    PlatMixerSetFrequency(0, 22050);
    if (!PlatMixerPlay(0, WaveTable[slot], -1, nullptr))
        return 0.0;
    std::vector<int16_t> out(2 * 11025);
    PlatMixerRender(out.data(), 11025);
    PlatMixerFlush(0);
    int crossings = 0;
    for (size_t i = 2; i < out.size(); i += 2)
        crossings += out[i - 2] < 0 && out[i] >= 0;
    return crossings * 2.0;
}

double FileToneHz(const char* path) {
    const int hz = MkSoundToneHz(path);
    EXPECT_GT(hz, 0) << path << " is not in the sample data";
    return hz;
}

class SoundBank : public ::testing::Test {
protected:
    void SetUp() override {
        MakeTestGameFolder("bank");
        PlatMixerSetBackend(PLAT_MIXER_MANUAL, nullptr);
        InitSoundMixer();
        ASSERT_EQ(MixerOpen, 1);
        ChampionshipChosen = 0;
    }
    void TearDown() override {
        ShutdownSound();
        // What SetRace wrote, back as the program starts.
        SetRace(1, 0, {});
        CarCount = 1;
        FrontEndActive = 0;
        ZoneTypeMask = 0;
        PlatMixerSetBackend(-1, nullptr);
    }
};

}  // namespace

TEST_F(SoundBank, SessionOpensItsChannelPlan) {
    EXPECT_EQ(SoundUnavailable, 0);
    EXPECT_EQ(MixerFailed, 0);
    EXPECT_EQ(SoundOn, 1);
    EXPECT_EQ(MixerSession, 1);
    for (int ch = 0; ch < STATUS_CHANNELS; ch++) {
        SCOPED_TRACE(ch);
        const int open = ch != 22 && ch != 24;
        EXPECT_EQ(PlatMixerStatus(ch), open ? PLAT_MIX_OPEN : 0);
        if (open) {
            EXPECT_EQ(PlatMixerGetVolume(ch), 0);
        }
    }
    // A second start-up is a no-op while the session is open.
    PlatMixerSetVolume(3, 500);
    InitSoundMixer();
    EXPECT_EQ(PlatMixerGetVolume(3), 500);

    ShutdownSound();
    EXPECT_EQ(MixerOpen, 0);
    EXPECT_EQ(SoundUnavailable, 1);
    EXPECT_FALSE(PlatMixerIsOpen());
    InitSoundMixer();
    EXPECT_EQ(MixerOpen, 1);
    EXPECT_TRUE(PlatMixerIsOpen());
}

TEST(SoundSession, WithoutAMixerTheGameRunsSilent) {
    MakeTestGameFolder("silent");
    PlatMixerSetBackend(PLAT_MIXER_NONE, nullptr);
    InitSoundMixer();
    EXPECT_EQ(SoundUnavailable, 1);
    EXPECT_EQ(MixerFailed, 1);
    EXPECT_EQ(MixerOpen, 0);
    EXPECT_EQ(SoundOn, 0);
    EXPECT_EQ(MusicEnabled, 0);
    EXPECT_EQ(MixerSession, 0);
    const int countBefore = LoadedWaveCount;
    SetRace(1, 0, {0, 1, 2});
    LoadSoundBank();
    FrontEndActive = 1;
    LoadSoundBank();
    EXPECT_TRUE(LoadedSlots().empty());
    EXPECT_EQ(LoadedWaveCount, countBefore);
    StopBusyChannels();
    ShutdownSound();
}

// Every track group and variant, with the car models spread over them,
// loads its whole bank from the generated folders, and every wave opens.
TEST_F(SoundBank, EveryTrackLoadsItsWholeRaceBank) {
    const std::set<int> always = {241, 82,  83,  84,  85,  91,  92,  102, 105, 104, 98,  141, 161, 81,  167, 168,
                                  169, 208, 209, 210, 211, 212, 213, 112, 111, 110, 113, 114, 99,  94,  106, 86,
                                  188, 189, 103, 198, 199, 206, 200, 117, 116, 118, 115, 119, 148, 138, 140, 166, 202};
    const std::set<int> arenaOnly = {144, 145, 146, 89, 150, 90, 147, 187, 171, 172, 173, 201, 174, 107, 88};
    for (int group = 1; group <= 7; group++) {
        for (int variant = 0; variant <= 7; variant++) {
            SCOPED_TRACE(testing::Message() << "track " << group << variant);
            const int first = (group * 8 + variant) % 18;
            SetRace(group, variant, {first, (first + 5) % 18, (first + 11) % 18}, 1);
            LoadSoundBank();
            const std::set<int> loaded = LoadedSlots();
            for (int slot : loaded) {
                ASSERT_NE(WaveTable[slot], 0u) << "slot " << slot;
                ASSERT_GT(PlatMixerWaveFrames(WaveTable[slot]), 0) << "slot " << slot;
            }
            for (int slot : always)
                EXPECT_TRUE(loaded.count(slot)) << "slot " << slot;
            for (int slot : arenaOnly)
                EXPECT_EQ(loaded.count(slot), group == 5 ? 1u : 0u) << "slot " << slot;
            EXPECT_EQ(loaded.count(136), group == 5 || group == 6 ? 1u : 0u);
            EXPECT_EQ(loaded.count(132), group == 5 || group == 6 || TrackCode == 79 ? 1u : 0u);
            EXPECT_EQ(loaded.count(87), group == 4 || group == 5 || group == 6 ? 1u : 0u);
            EXPECT_EQ(loaded.count(134), group == 4 ? 1u : 0u);
            const int storm = TrackCode == 30 || TrackCode == 61;
            EXPECT_EQ(loaded.count(203), storm ? 1u : 0u);
            EXPECT_EQ(loaded.count(204), storm ? 1u : 0u);
            EXPECT_EQ(loaded.count(243), 0u);
            FreeAllWaves();
            EXPECT_TRUE(LoadedSlots().empty());
        }
    }
}

// Every car model as the listener's car: its engine, idle, second layer,
// horn and gear clunk, the engine loop exactly as long as the engine tables
// say.
TEST_F(SoundBank, EveryCarModelLoadsItsEngineHornAndClunk) {
    for (int m = 0; m < 18; m++) {
        SCOPED_TRACE(m);
        SetRace(2, 1, {(m + 1) % 18, m}, 1);
        LoadSoundBank();
        EXPECT_EQ(EngineWaveSlot[1], m + 1);
        EXPECT_EQ(HornWaveSlot[1], m + 61);
        EXPECT_EQ(GearClunkWaveSlot[1], m + 220);
        EXPECT_EQ(GearClunkWaveSlot[0], 0);    // only the listener's car
        EXPECT_EQ(PlatMixerWaveFrames(WaveTable[m + 1]), EngineWaveLength[m]);
        for (int slot : {21, 164, m + 61, m + 220})
            EXPECT_GT(PlatMixerWaveFrames(WaveTable[slot]), 0) << "slot " << slot;
        char clunk[64];
        snprintf(clunk, sizeof clunk, "WAVE\\GEARCLUNK\\gearclunk%02d.wav", m + 1);
        EXPECT_NEAR(SlotToneHz(m + 220), FileToneHz(clunk), 5.0);
        FreeAllWaves();
    }
}

// Spot checks that each choice of the bank puts its own file in the slot:
// every generated file has a tone of its own.
TEST_F(SoundBank, TrackAndModelChoicesPickTheirOwnFiles) {
    struct Case {
        int group, variant, model;
        int slot;
        const char* path;
    };
    const Case cases[] = {
        {5, 0, 0, 86, "WAVE\\PUBLIC\\PublicStadium.wav"},
        {5, 0, 0, 167, "WAVE\\ICAIDA\\Choc04.wav"},
        {5, 7, 0, 167, "WAVE\\ICAIDA\\Choc20.wav"},    // track code 57
        {5, 6, 0, 168, "WAVE\\ICAIDA\\Choc03.wav"},
        {4, 0, 0, 168, "WAVE\\ICAIDA\\Choc21.wav"},
        {5, 7, 0, 98, "WAVE\\ISKIDS\\Frenandoencross.wav"},
        {5, 7, 0, 189, "WAVE\\PUBLIC\\Publicovitoreando.wav"},
        {6, 7, 0, 86, "WAVE\\IEXTRA\\Trueno2ret.wav"},
        {6, 7, 0, 87, "WAVE\\IEXTRA\\TurboLuz.wav"},
        {6, 2, 0, 87, "WAVE\\PUBLIC\\Publicovitoreando_02.wav"},
        {6, 2, 0, 92, "WAVE\\ISKIDS\\PicaRuedaTierrax.wav"},    // the first load keeps the slot
        {6, 2, 0, 167, "WAVE\\ICAIDA\\Choc20.wav"},
        {3, 0, 0, 99, "WAVE\\ISKIDS\\wetskid03.wav"},
        {6, 1, 0, 99, "WAVE\\ISKIDS\\wetskid03.wav"},
        {1, 0, 0, 99, "WAVE\\ISKIDS\\todos.wav"},
        {1, 0, 0, 98, "WAVE\\ISKIDS\\Frenando2.wav"},
        {4, 0, 0, 125, "WAVE\\IEXTRA\\nitroready3.wav"},
        {7, 0, 0, 86, "WAVE\\PUBLIC\\PublicoPlaya5_02.wav"},
        {5, 0, 0, 132, "WAVE\\ITERRAIN\\Rock01.wav"},
        {1, 0, 4, 164, "WAVE\\IENGINES\\JUMP\\8CA02C22.wav"},
        {1, 0, 16, 164, "WAVE\\IENGINES\\SPEED\\9SDA01C22.wav"},
        {1, 0, 16, 21, "WAVE\\IENGINES\\BONUS\\S_Vondelidle.wav"},
        {1, 0, 10, 21, "WAVE\\IENGINES\\MONSTER\\M_VondelIdle.wav"},
        {1, 0, 17, 18, "WAVE\\IENGINES\\SPEED\\9DA01C22.wav"},
        {1, 0, 9, 70, "WAVE\\IKLAXON\\Klaxon_10r.wav"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "track " << c.group << c.variant << " model " << c.model << " slot "
                                        << c.slot);
        SetRace(c.group, c.variant, {c.model});
        LoadSoundBank();
        EXPECT_NEAR(SlotToneHz(c.slot), FileToneHz(c.path), 5.0);
        FreeAllWaves();
    }
    // Track code 79 has the gravel loop too.
    SetRace(7, 0, {0});
    TrackCode = 79;
    LoadSoundBank();
    EXPECT_EQ(WaveLoadedFlags[132], 1);
}

TEST_F(SoundBank, CarsShareTheirModelsSlotsAndUnknownModelsGetNone) {
    SetRace(1, 0, {3, 3, 18, 19});
    LoadSoundBank();
    EXPECT_EQ(EngineWaveSlot[0], 4);
    EXPECT_EQ(EngineWaveSlot[1], 4);
    EXPECT_EQ(HornWaveSlot[1], 64);
    for (int car : {2, 3}) {
        EXPECT_EQ(EngineWaveSlot[car], 0);
        EXPECT_EQ(HornWaveSlot[car], 0);
    }
    int engines = 0, horns = 0;
    for (int slot = 1; slot <= 20; slot++)
        engines += WaveLoadedFlags[slot];
    for (int slot = 61; slot <= 80; slot++)
        horns += WaveLoadedFlags[slot];
    EXPECT_EQ(engines, 1);
    EXPECT_EQ(horns, 1);

    // A listener of model 19 gets no layers either.
    FreeAllWaves();
    SetRace(1, 0, {19, 2});
    LoadSoundBank();
    EXPECT_EQ(WaveLoadedFlags[21], 0);
    EXPECT_EQ(WaveLoadedFlags[164], 0);
    EXPECT_EQ(GearClunkWaveSlot[0], 0);
    EXPECT_EQ(EngineWaveSlot[1], 3);
}

TEST_F(SoundBank, ZoneTypesChooseTheSurfaceLoops) {
    const int surfaceSlots[] = {117, 116, 118, 115, 119, 148, 138, 140, 166, 202};
    SetRace(7, 0, {0}, 0, 0);
    LoadSoundBank();
    for (int slot : surfaceSlots)
        EXPECT_EQ(WaveTable[slot], 0u) << "slot " << slot;
    FreeAllWaves();
    SetRace(7, 0, {0}, 0, 0x8 | 0x8000);
    LoadSoundBank();
    for (int slot : surfaceSlots)
        EXPECT_EQ(WaveLoadedFlags[slot], slot == 116 || slot == 202 ? 1 : 0) << "slot " << slot;
    EXPECT_NEAR(SlotToneHz(202), FileToneHz("WAVE\\ITERRAIN\\Adoquines.wav"), 5.0);
}

TEST_F(SoundBank, PlayBlocksFollowTheBank) {
    SetRace(1, 0, {5, 3}, 1);
    LoadSoundBank();
    auto expect = [](const PlayParams& p, int start, int loopStart, int loopEnd, int end) {
        EXPECT_EQ(p.callback, SoundDoneCallback);
        EXPECT_EQ(p.user, &SoundDoneEvent);
        EXPECT_EQ(p.start, start);
        EXPECT_EQ(p.loopStart, loopStart);
        EXPECT_EQ(p.loopEnd, loopEnd);
        EXPECT_EQ(p.end, end);
    };
    expect(EngineLoopParamsB, 2000, 84695, 133360, 133360);
    expect(SpareLoopParamsB, 1, 84695, 133360, 133360);
    expect(EngineMainParams, 0, 20377, 66968, 66968);
    expect(EngineLoopParamsA, 0, 20377, 66968, 66968);
    expect(SpareLoopParamsA, 1, 13445, 68055, 0);    // car 0's model
    for (PlayParams* plain : {&EnginePlainParams, &EngineLayerParams, &SharedPlainParams, &SparePlainParams1,
                              &SkidParams, &HoverParams, &EffectParams, &LoopParams, &SparePlainParams2})
        expect(*plain, 0, 0, 0, 0);
    EXPECT_EQ(EngineCarParams.callback, nullptr);    // the engine sound fills it itself

    FreeAllWaves();
    FrontEndActive = 1;
    LoadSoundBank();
    for (int block = 0; block < PLAY_BLOCK_COUNT; block++) {
        if (block != ENGINE_CAR_PARAMS)
            expect(PlayParamBlocks[block], 0, 0, 0, 0);
    }
}

TEST_F(SoundBank, MenuBankAndTheChampionshipJingle) {
    FrontEndActive = 1;
    LoadSoundBank();
    const std::set<int> menu = {175, 177, 186, 198, 199, 200, 206, 205, 207, 108,
                                109, 143, 180, 181, 182, 184, 185, 183, 242};
    EXPECT_EQ(LoadedSlots(), menu);
    EXPECT_NEAR(SlotToneHz(183), FileToneHz("WAVE\\MENU\\mULTI4.wav"), 5.0);
    EXPECT_NEAR(SlotToneHz(108), FileToneHz("WAVE\\MENU\\nEWBONUS.wav"), 5.0);

    FreeAllWaves();
    ChampionshipChosen = 1;
    SetRace(1, 0, {0});
    LoadSoundBank();
    EXPECT_NEAR(SlotToneHz(243), FileToneHz("WAVE\\MENU\\campeonato.wav"), 5.0);
}

// A bank load frees what the slots still hold before it clears them.
TEST_F(SoundBank, SwappingBanksFreesTheOldWaves) {
    unsigned char* image = nullptr;
    const int imageSize = VfsLoadFile("WAVE\\MENU\\Error.wav", &image);
    ASSERT_GT(imageSize, 44);
    const std::string spare((const char*)image, (size_t)imageSize);
    free(image);
    SetRace(1, 0, {0, 1});
    LoadSoundBank();
    const int countAfterRace = LoadedWaveCount;
    std::vector<PlatWave> old;
    for (int slot = 0; slot < WAVE_SLOTS; slot++) {
        if (WaveTable[slot])
            old.push_back(WaveTable[slot]);
    }
    ASSERT_GT(old.size(), 30u);
    FrontEndActive = 1;
    LoadSoundBank();    // no FreeAllWaves first
    for (PlatWave w : old)
        EXPECT_EQ(PlatMixerWaveFrames(w), 0);
    EXPECT_EQ(LoadedWaveCount, countAfterRace + 19);
    // Only the 19 menu waves are open in the mixer now: the race bank's
    // entries went back.
    int free = 0;
    while (PlatMixerOpenWaveMemory(spare.data(), (int)spare.size()) != 0)
        free++;
    EXPECT_EQ(free, PLAT_MIXER_MAX_WAVES - 19);
}

TEST_F(SoundBank, MusicComesFromThePlainFolderAndFreesAlone) {
    FrontEndActive = 1;
    LoadSoundBank();
    LoadMusicWave("Menu22.wav", 190);
    LoadMusicWave("Cross22.wav", 196);
    EXPECT_NEAR(SlotToneHz(196), FileToneHz("Music\\Cross22.wav"), 5.0);
    FreeMusicWaves();
    EXPECT_EQ(WaveTable[190], 0u);
    EXPECT_EQ(WaveLoadedFlags[196], 0);
    EXPECT_NE(WaveTable[175], 0u);
}

TEST_F(SoundBank, EveryPlaySignalsTheCompletionEvent) {
    SetRace(1, 0, {0});
    LoadSoundBank();
    EXPECT_EQ(SoundDoneEvent.signalled, 0);
    PlatMixerSetVolume(16, 31000);
    ASSERT_TRUE(PlatMixerPlay(16, WaveTable[85], 0, &EffectParams));
    std::vector<int16_t> out(2 * 4096);
    for (int i = 0; i < 10 && !SoundDoneEvent.signalled; i++)
        PlatMixerRender(out.data(), 4096);
    EXPECT_EQ(SoundDoneEvent.signalled, 1);
    StopBusyChannels();
}

TEST_F(SoundBank, StopBusyChannelsFlushesQueuedPausedAndPlaying) {
    SetRace(1, 0, {0});
    LoadSoundBank();
    PlatMixerPlay(1, WaveTable[1], -1, &SharedPlainParams);
    PlatMixerPlay(2, WaveTable[82], -1, &EffectParams);
    PlatMixerPause(2);
    PlatMixerPlay(23, WaveTable[86], -1, &LoopParams);
    StopBusyChannels();
    for (int ch : {1, 2, 23})
        EXPECT_EQ(PlatMixerStatus(ch), PLAT_MIX_OPEN) << ch;
    EXPECT_EQ(ChannelStatus[2], PLAT_MIX_OPEN | PLAT_MIX_QUEUED | PLAT_MIX_PAUSED);
}

// The operations the game never calls still keep the slots and the
// switches consistent.
TEST_F(SoundBank, ToggleCloseAndSpareWaves) {
    FrontEndActive = 1;
    LoadSoundBank();
    PlatMixerPlay(15, WaveTable[175], -1, &EffectParams);
    ToggleSound();
    EXPECT_EQ(SoundOn, 0);
    EXPECT_EQ(PlatMixerStatus(15), PLAT_MIX_OPEN);
    ToggleSound();    // the mixer is open: nothing to re-open, sound stays off
    EXPECT_EQ(SoundOn, 0);

    LoadSpareWave(243);
    EXPECT_EQ(WaveLoadedFlags[243], 0);
    LoadSpareWave(244);
    EXPECT_GT(PlatMixerWaveFrames(WaveTable[244]), 0);
    FreeSpareWaves();
    EXPECT_EQ(WaveTable[244], 0u);

    // Freed behind the slots' back: the stale handles are harmless.
    const PlatWave click = WaveTable[175];
    FreeWavesIfFrontEnd();
    EXPECT_EQ(WaveTable[175], click);
    EXPECT_EQ(PlatMixerWaveFrames(click), 0);
    EXPECT_FALSE(PlatMixerPlay(15, click, 0, &EffectParams));
    FreeAllWaves();

    CloseMixer();
    EXPECT_EQ(SoundUnavailable, 1);
    EXPECT_FALSE(PlatMixerIsOpen());
    ToggleSound();    // sound off and no mixer: open a new session
    EXPECT_EQ(MixerOpen, 1);
    EXPECT_EQ(SoundOn, 1);
    LoadSoundBank();
    EXPECT_GT(PlatMixerWaveFrames(WaveTable[175]), 0);
}

TEST_F(SoundBank, MissingWaveEndsTheProgramNamingIt) {
    // Without the wave archive the first wave of the bank is missing.
    ASSERT_TRUE(PlatDeleteFile("data\\WAVE.dat"));
    ASSERT_EQ(VfsScanArchives(), 1);
    SetRace(4, 2, {0});
    EXPECT_EXIT(LoadSoundBank(), testing::ExitedWithCode(1),
                "ERROR \\(Track=4,2\\) Sonido no encontrado:WAVE.[A-Za-z]+.[A-Za-z0-9_]+\\.wav");
    EXPECT_EXIT(LoadMusicWave("Missing22.wav", 191), testing::ExitedWithCode(1),
                "Sonido no encontrado:Music.Missing22\\.wav");
}

TEST(SoundSession, TheGameRunsARaceWithTheSessionOpen) {
    MakeTestGameFolder("game");
    PlatMixerSetBackend(PLAT_MIXER_MANUAL, nullptr);
    EXPECT_EQ(RunHeadlessGame(120, 1), 0);
    EXPECT_EQ(MixerFailed, 0);
    EXPECT_GT(LoadedWaveCount, 40);    // the race bank was loaded
    // Shut down: the session is closed and the slots are empty.
    EXPECT_EQ(MixerOpen, 0);
    EXPECT_FALSE(PlatMixerIsOpen());
    EXPECT_TRUE(LoadedSlots().empty());
}
