// The two wave banks: what the menus play, and what the coming race can
// play, chosen by its cars and its track.

#include <cstdio>

#include "frame/frame_state.h"
#include "frontend/frontend_state.h"
#include "race/race_state.h"
#include "sound/music.h"
#include "sound/sound_session.h"
#include "sound/sound_state.h"
#include "track/track_state.h"

// Folder numbers of LoadRaceWave.
enum {
    F_ENGINES = 0,
    F_TERRAIN = 1,
    F_START = 2,
    F_SKIDS = 3,
    F_LANDING = 4,
    F_HORNS = 5,
    F_CRASH = 6,
    F_CROWD = 7,
    F_EXTRA = 8,
    F_MONSTER = 10,
    F_SPEED = 11,
    F_JUMP = 12,
    F_BONUS = 13,
    F_CROSS = 14,
    F_BUGGY = 15,
    F_GEARCLUNK = 16,
};

enum { CAR_MODELS_WITH_WAVES = 18, IDLE_SLOT = 21, SECOND_LAYER_SLOT = 164 };

struct SlotWave {
    int slot;
    const char* file;
};

static const SlotWave MenuBank[] = {
    {175, "Pruebaclik7.wav"},   {177, "Ilumina0.wav"},      {186, "pascroll1.wav"},
    {198, "Type11.wav"},        {199, "Borrar2.wav"},       {200, "Error.wav"},
    {206, "NuevoMensaje2.wav"}, {205, "Comprar.wav"},       {207, "CambioPan.wav"},
    {108, "nEWBONUS.wav"},      {109, "POINTS.wav"},        {143, "Bonus.wav"},
    {180, "Repeticiones3.wav"}, {181, "Options3.wav"},      {182, "New2Avi.wav"},
    {184, "podio3.wav"},        {185, "exit3.wav"},         {183, "mULTI4.wav"},
    {242, "Creditos5.wav"},
};

struct EngineWaves {
    const char* main;
    const char* idle;
    const char* second;
    int folder;
    int secondFolder;
};

static const EngineWaves EngineWaveFiles[CAR_MODELS_WITH_WAVES] = {
    {"9GL05E22.wav", "8CI01A22.wav", "9SGL05B22.wav", F_SPEED, F_SPEED},
    {"9DA01C22.wav", "5GI01A22.wav", "9SDA01C22.wav", F_SPEED, F_SPEED},
    {"XCA02B22.wav", "6DI01A22.wav", "XSCA02B22.wav", F_BUGGY, F_BUGGY},
    {"9CA03D22.wav", "1Di02A22.wav", "9SCA03D22.wav", F_MONSTER, F_MONSTER},
    {"8CA02C22.wav", "6GI01A22.wav", "8CA02c22.wav", F_JUMP, F_JUMP},
    {"M18CA01A22.wav", "7DI01A22.wav", "MS18CA01A22.wav", F_CROSS, F_CROSS},
    {"9GA07A22.wav", "9CI01A22.wav", "9SGA07A22.wav", F_SPEED, F_SPEED},
    {"8DA01A22.wav", "7CI02A22.wav", "8SDA01A22.wav", F_JUMP, F_JUMP},
    {"4DA01A22.wav", "6CI01A22.wav", "4SDA01A22.wav", F_BUGGY, F_BUGGY},
    {"8DA04A22.wav", "8CI01A22.wav", "8SDA04A22.wav", F_BONUS, F_BONUS},
    {"XCA03A22.wav", "M_VondelIdle.wav", "M_VondelSec.wav", F_MONSTER, F_MONSTER},
    {"M15CA01C22.wav", "6CI02A22.wav", "MS15CA01C22.wav", F_BUGGY, F_BUGGY},
    {"7GA03A22.wav", "1GI02A22.wav", "7SGA03A22.wav", F_CROSS, F_CROSS},
    {"9CA01A22.wav", "7CI01A22.wav", "9SCA01A22.wav", F_JUMP, F_JUMP},
    {"9DA07A22.wav", "7GI01A22.wav", "9SDA07A22.wav", F_CROSS, F_CROSS},
    {"M_VondelMain.wav", "M_VondelIdle.wav", "M_VondelSec.wav", F_MONSTER, F_MONSTER},
    {"S_VondelMain2.wav", "S_Vondelidle.wav", "9SDA01C22.wav", F_BONUS, F_SPEED},
    {"9DA01C22.wav", "5GI01A22.wav", "9SDA01C22.wav", F_SPEED, F_SPEED},
};

static const char* const HornFiles[CAR_MODELS_WITH_WAVES] = {
    "Klaxon_05r.wav", "Klaxon_02r.wav", "Klaxon_03r.wav", "Klaxon_07r.wav", "Klaxon_05r.wav", "Klaxon_04r.wav",
    "Klaxon_03r.wav", "Klaxon_04r.wav", "Klaxon_02r.wav", "Klaxon_10r.wav", "Klaxon_12r.wav", "Klaxon_04r.wav",
    "Klaxon_03r.wav", "Klaxon_02r.wav", "Klaxon_05r.wav", "Klaxon_13r.wav", "Klaxon_03r.wav", "Klaxon_03r.wav",
};

// Surface loops, each loaded only when the track has a zone of its type.
struct TerrainWave {
    int zoneBit;
    int slot;
    const char* file;
    int folder;
};

static const TerrainWave TerrainWaves[] = {
    {0x4, 117, "rock01.wav", F_TERRAIN},         {0x8, 116, "Grasskid01.wav", F_TERRAIN},
    {0x10, 118, "Peralte2.wav", F_TERRAIN},      {0x40, 115, "Musgo3.wav", F_TERRAIN},
    {0x80, 119, "Piedra.wav", F_TERRAIN},        {0x200, 148, "TierraCrossCros.wav", F_TERRAIN},
    {0x20, 138, "Agu2.wav", F_TERRAIN},          {0x400, 140, "Ocean3.wav", F_EXTRA},
    {0x100, 166, "sandskid03.wav", F_TERRAIN},   {0x8000, 202, "Adoquines.wav", F_TERRAIN},
};

static void LoadMenuBank() {
    for (const SlotWave& w : MenuBank)
        LoadMenuWave(w.file, w.slot, 0);
}

// Engine loop and horn of every car, and the listener's own layers.  Two
// cars of one model share its slots.
static void LoadCarWaves() {
    for (int car = 0; car < MAX_CARS; car++) {
        EngineWaveSlot[car] = 0;
        HornWaveSlot[car] = 0;
        GearClunkWaveSlot[car] = 0;
    }
    const int cars = CarCount < MAX_CARS ? CarCount.load() : MAX_CARS;
    for (int car = 0; car < cars; car++) {
        const int m = CarModel[car];
        if (m < 0 || m >= CAR_MODELS_WITH_WAVES)
            continue;
        const EngineWaves& e = EngineWaveFiles[m];
        EngineWaveSlot[car] = m + 1;
        LoadRaceWave(e.main, m + 1, e.folder);
        if (car == LocalCar) {
            LoadRaceWave(e.idle, IDLE_SLOT, e.folder);
            LoadRaceWave(e.second, SECOND_LAYER_SLOT, e.secondFolder);
        }
    }
    for (int car = 0; car < cars; car++) {
        const int m = CarModel[car];
        if (m < 0 || m >= CAR_MODELS_WITH_WAVES)
            continue;
        HornWaveSlot[car] = m + 61;
        LoadRaceWave(HornFiles[m], m + 61, F_HORNS);
        if (car == LocalCar) {
            char file[32];
            snprintf(file, sizeof file, "gearclunk%02d.wav", m + 1);
            GearClunkWaveSlot[car] = m + 220;
            LoadRaceWave(file, m + 220, F_GEARCLUNK);
        }
    }
}

static void LoadCrowdWaves() {
    switch (TrackGroup) {
    case 1:
    case 2:
    case 3:
        LoadRaceWave("Publico7.wav", 86, F_CROWD);
        LoadRaceWave("YouWinStadium.wav", 188, F_CROWD);
        LoadRaceWave("PublicNo_02.wav", 189, F_CROWD);
        LoadRaceWave("FrenoManocross2.wav", 103, F_SKIDS);
        break;
    case 4:
        LoadRaceWave("Publico4.wav", 86, F_CROWD);
        LoadRaceWave("Publicovitoreando.wav", 87, F_CROWD);
        LoadRaceWave("YouWinStadium.wav", 188, F_CROWD);
        LoadRaceWave("PublicNo_02.wav", 189, F_CROWD);
        LoadRaceWave("TurboLuz.wav", 134, F_EXTRA);
        LoadRaceWave("NuevoTurbo2.wav", 135, F_EXTRA);
        LoadRaceWave("nitroready3.wav", 125, F_EXTRA);
        LoadRaceWave("FrenoManocross2.wav", 103, F_SKIDS);
        break;
    case 5:
        LoadRaceWave("PublicStadium.wav", 86, F_CROWD);
        LoadRaceWave("sisisi.wav", 87, F_CROWD);
        LoadRaceWave("youwinstadium_03.wav", 88, F_CROWD);
        LoadRaceWave("YouWinStadium.wav", 188, F_CROWD);
        LoadRaceWave("PublicoVitoreando.wav", 189, F_CROWD);
        LoadRaceWave("PublicoSec.wav", 107, F_CROWD);
        // The arena's props, penalty, reverse beep, target and last seconds.
        LoadRaceWave("Cono.wav", 144, F_EXTRA);
        LoadRaceWave("Pertiga.wav", 145, F_EXTRA);
        LoadRaceWave("Slalon.wav", 146, F_EXTRA);
        LoadRaceWave("Penalty.wav", 89, F_EXTRA);
        LoadRaceWave("CaidaSlam.wav", 150, F_EXTRA);
        LoadRaceWave("MarchaAtras2.wav", 90, F_EXTRA);
        LoadRaceWave("Diana2.wav", 147, F_EXTRA);
        LoadRaceWave("SegundosFin5.wav", 187, F_EXTRA);
        // Monster-car crushes and the bus.
        LoadRaceWave("CarMons1.wav", 171, F_CRASH);
        LoadRaceWave("CarMons2.wav", 172, F_CRASH);
        LoadRaceWave("CarMons3.wav", 173, F_CRASH);
        LoadRaceWave("CarMons4.wav", 201, F_CRASH);
        LoadRaceWave("OnBus4.wav", 174, F_CRASH);
        LoadRaceWave("FrenoManob.wav", 103, F_SKIDS);
        break;
    case 6:
        if (TrackVariant == 7) {
            LoadRaceWave("trueno2ret.wav", 86, F_EXTRA);
            LoadRaceWave("Turboluz.wav", 87, F_EXTRA);
        } else {
            LoadRaceWave("Publicocross2.wav", 86, F_CROWD);
            LoadRaceWave("Publicovitoreando_02.wav", 87, F_CROWD);
        }
        LoadRaceWave("YouWinStadium.wav", 188, F_CROWD);
        LoadRaceWave("PublicNo_02.wav", 189, F_CROWD);
        // Slots 92 and 105 hold the first bank step's skids already, so
        // these two find their slots loaded and stay out.
        LoadRaceWave("PicaRuedaTierracross.wav", 92, F_SKIDS);
        LoadRaceWave("Patintierracross.wav", 105, F_SKIDS);
        LoadRaceWave("FrenoManocross2.wav", 103, F_SKIDS);
        break;
    case 7:
        LoadRaceWave("PublicoPlaya5_02.wav", 86, F_CROWD);
        LoadRaceWave("YouWinStadium.wav", 188, F_CROWD);
        LoadRaceWave("PublicNo_02.wav", 189, F_CROWD);
        LoadRaceWave("FrenoManocross2.wav", 103, F_SKIDS);
        break;
    default:
        break;
    }
}

static void LoadRaceBank() {
    // Road noise, countdown voices, tyre and handbrake samples.
    LoadRaceWave("dirt.wav", 241, F_TERRAIN);
    LoadRaceWave("3.wav", 82, F_START);
    LoadRaceWave("2.wav", 83, F_START);
    LoadRaceWave("1.wav", 84, F_START);
    LoadRaceWave("GO.wav", 85, F_START);
    LoadRaceWave("PicaRuedaA.wav", 91, F_SKIDS);
    LoadRaceWave("PicaRuedaTierrax.wav", 92, F_SKIDS);
    LoadRaceWave("PatinRuedaA.wav", 102, F_SKIDS);
    LoadRaceWave("Patintierra1.wav", 105, F_SKIDS);
    LoadRaceWave("FrenoManoAs15.wav", 104, F_SKIDS);

    // Brakes: the arena and cross cars have air brakes.
    if (TrackGroup == 5 || TrackGroup == 6) {
        LoadRaceWave("Frenandoencross.wav", 98, F_SKIDS);
        LoadRaceWave("Frenoaire2.wav", 136, F_SKIDS);
    } else {
        LoadRaceWave("Frenando2.wav", 98, F_SKIDS);
    }

    LoadRaceWave("Editor.wav", 141, F_EXTRA);
    LoadRaceWave("reductor2.wav", 161, F_ENGINES);
    LoadRaceWave("reduceg.wav", 81, F_ENGINES);

    LoadCarWaves();

    // Landing impacts.
    if (TrackGroup == 5 && TrackVariant != 7) {
        LoadRaceWave("Choc04.wav", 167, F_LANDING);
        LoadRaceWave("Choc03.wav", 168, F_LANDING);
        LoadRaceWave("Choc22.wav", 169, F_LANDING);
    } else if (TrackGroup == 6 || TrackCode == 57) {
        LoadRaceWave("Choc20.wav", 167, F_LANDING);
        LoadRaceWave("Choc03.wav", 168, F_LANDING);
        LoadRaceWave("Choc22.wav", 169, F_LANDING);
    } else {
        LoadRaceWave("Choc01.wav", 167, F_LANDING);
        LoadRaceWave("Choc21.wav", 168, F_LANDING);
        LoadRaceWave("Choc26.wav", 169, F_LANDING);
    }

    // Car crashes, wall crashes and the wall scrape.
    LoadRaceWave("Choc05.wav", 208, F_CRASH);
    LoadRaceWave("Choc07.wav", 209, F_CRASH);
    LoadRaceWave("Choc16.wav", 210, F_CRASH);
    LoadRaceWave("Choc17.wav", 211, F_CRASH);
    LoadRaceWave("Choc18.wav", 212, F_CRASH);
    LoadRaceWave("Carroza3.wav", 213, F_CRASH);
    LoadRaceWave("Choc13.wav", 112, F_CRASH);
    LoadRaceWave("Choc14.wav", 111, F_CRASH);
    LoadRaceWave("Choc18.wav", 110, F_CRASH);
    LoadRaceWave("Choc19.wav", 113, F_CRASH);
    LoadRaceWave("Rozachis.wav", 114, F_CRASH);

    // The storm tracks have a wet skid, thunder and rain.
    if (TrackCode == 30 || TrackCode == 61) {
        LoadRaceWave("wetskid03.wav", 99, F_SKIDS);
        LoadRaceWave("Trueno2ret.wav", 203, F_EXTRA);
        LoadRaceWave("iluvia1_01.wav", 204, F_EXTRA);
    } else {
        LoadRaceWave("todos.wav", 99, F_SKIDS);
    }
    LoadRaceWave("rockskid02.wav", 94, F_SKIDS);
    LoadRaceWave("Perdida3.wav", 106, F_SKIDS);

    for (const TerrainWave& t : TerrainWaves) {
        if (ZoneTypeMask & t.zoneBit)
            LoadRaceWave(t.file, t.slot, t.folder);
    }

    // The gravel loop.
    if (TrackGroup == 5 || TrackGroup == 6 || TrackCode == 79)
        LoadRaceWave("Rock01.wav", 132, F_TERRAIN);

    LoadCrowdWaves();

    // The pause menu and the chat line type, and the messages chime.
    LoadMenuWave("Type11.wav", 198, 0);
    LoadMenuWave("Borrar2.wav", 199, 0);
    LoadMenuWave("NuevoMensaje2.wav", 206, 0);
    LoadMenuWave("Error.wav", 200, 0);
    if (ChampionshipChosen)
        LoadMenuWave("campeonato.wav", 243, 0);
}

void LoadSoundBank() {
    // Whatever the slots still hold is freed before they are cleared (the
    // first menu load finds them empty; a second load without a free in
    // between would otherwise lose the waves).
    {
        std::lock_guard<std::mutex> hold(MusicLock());
        FreeBankSlots();
        for (int slot = 0; slot < WAVE_SLOTS; slot++) {
            if (!WaveTable[slot])
                WaveLoadedFlags[slot] = 0;
        }
    }
    if (SoundUnavailable)
        return;
    if (FrontEndActive == 1)
        LoadMenuBank();
    else
        LoadRaceBank();
    InitPlayParams();
}
