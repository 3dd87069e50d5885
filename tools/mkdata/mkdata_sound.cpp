// The sound part of the game folder: the wave folders of the data archives
// and the plain Music folder.

#include "mkdata_sound.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

#include "mkdata.h"

namespace {

enum { RATE = 22050, SHORT = RATE / 2, LOOP = RATE, LONG = 2 * RATE };

struct SoundGroup {
    const char* folder;   // ends in '\'
    int frames;
    const char* files;    // '|' separated
};

// Engine main loops first: their lengths are those the engine model
// mirrors play positions in, and a second-layer name that differs from a
// main one only in letter case must keep the main one's length.
struct EngineMain {
    const char* path;
    int frames;
};
const EngineMain EngineMains[] = {
    {"WAVE\\IENGINES\\SPEED\\9GL05E22.wav", 115630},      {"WAVE\\IENGINES\\SPEED\\9DA01C22.wav", 123142},
    {"WAVE\\IENGINES\\BUGGY\\XCA02B22.wav", 204886},      {"WAVE\\IENGINES\\MONSTER\\9CA03D22.wav", 26672},
    {"WAVE\\IENGINES\\JUMP\\8CA02C22.wav", 147706},       {"WAVE\\IENGINES\\CROSS\\M18CA01A22.wav", 136111},
    {"WAVE\\IENGINES\\SPEED\\9GA07A22.wav", 217087},      {"WAVE\\IENGINES\\JUMP\\8DA01A22.wav", 151038},
    {"WAVE\\IENGINES\\BUGGY\\4DA01A22.wav", 173626},      {"WAVE\\IENGINES\\BONUS\\8DA04A22.wav", 135988},
    {"WAVE\\IENGINES\\MONSTER\\XCA03A22.wav", 18512},     {"WAVE\\IENGINES\\BUGGY\\M15CA01C22.wav", 215068},
    {"WAVE\\IENGINES\\CROSS\\7GA03A22.wav", 285696},      {"WAVE\\IENGINES\\JUMP\\9CA01A22.wav", 309834},
    {"WAVE\\IENGINES\\CROSS\\9DA07A22.wav", 217087},      {"WAVE\\IENGINES\\MONSTER\\M_VondelMain.wav", 156554},
    {"WAVE\\IENGINES\\BONUS\\S_VondelMain2.wav", 245906},
};

const SoundGroup Groups[] = {
    // Idle and second layers of the listener's engine.
    {"WAVE\\IENGINES\\SPEED\\", LOOP, "8CI01A22.wav|9SGL05B22.wav|5GI01A22.wav|9SDA01C22.wav|9CI01A22.wav|9SGA07A22.wav"},
    {"WAVE\\IENGINES\\BUGGY\\", LOOP, "6DI01A22.wav|XSCA02B22.wav|6CI01A22.wav|4SDA01A22.wav|6CI02A22.wav|MS15CA01C22.wav"},
    {"WAVE\\IENGINES\\MONSTER\\", LOOP, "1Di02A22.wav|9SCA03D22.wav|M_VondelIdle.wav|M_VondelSec.wav"},
    {"WAVE\\IENGINES\\JUMP\\", LOOP, "6GI01A22.wav|8CA02c22.wav|7CI02A22.wav|8SDA01A22.wav|7CI01A22.wav|9SCA01A22.wav"},
    {"WAVE\\IENGINES\\CROSS\\", LOOP, "7DI01A22.wav|MS18CA01A22.wav|1GI02A22.wav|7SGA03A22.wav|7GI01A22.wav|9SDA07A22.wav"},
    {"WAVE\\IENGINES\\BONUS\\", LOOP, "8CI01A22.wav|8SDA04A22.wav|S_Vondelidle.wav"},
    {"WAVE\\IENGINES\\", SHORT, "reductor2.wav|reduceg.wav"},
    {"WAVE\\GEARCLUNK\\", SHORT,
     "gearclunk01.wav|gearclunk02.wav|gearclunk03.wav|gearclunk04.wav|gearclunk05.wav|gearclunk06.wav|"
     "gearclunk07.wav|gearclunk08.wav|gearclunk09.wav|gearclunk10.wav|gearclunk11.wav|gearclunk12.wav|"
     "gearclunk13.wav|gearclunk14.wav|gearclunk15.wav|gearclunk16.wav|gearclunk17.wav|gearclunk18.wav"},
    {"WAVE\\IKLAXON\\", SHORT,
     "Klaxon_02r.wav|Klaxon_03r.wav|Klaxon_04r.wav|Klaxon_05r.wav|Klaxon_07r.wav|Klaxon_10r.wav|Klaxon_12r.wav|"
     "Klaxon_13r.wav"},
    {"WAVE\\START\\", SHORT, "3.wav|2.wav|1.wav|GO.wav"},
    {"WAVE\\ITERRAIN\\", LOOP,
     "dirt.wav|rock01.wav|Grasskid01.wav|Peralte2.wav|Musgo3.wav|Piedra.wav|TierraCrossCros.wav|Agu2.wav|"
     "sandskid03.wav|Adoquines.wav|Rock01.wav"},
    // The skids start up to 35353 frames in.
    {"WAVE\\ISKIDS\\", LONG,
     "PicaRuedaA.wav|PicaRuedaTierrax.wav|PatinRuedaA.wav|Patintierra1.wav|FrenoManoAs15.wav|Frenandoencross.wav|"
     "Frenoaire2.wav|Frenando2.wav|wetskid03.wav|todos.wav|rockskid02.wav|Perdida3.wav|FrenoManocross2.wav|"
     "FrenoManob.wav|PicaRuedaTierracross.wav|Patintierracross.wav"},
    {"WAVE\\ICAIDA\\", SHORT, "Choc04.wav|Choc03.wav|Choc22.wav|Choc20.wav|Choc01.wav|Choc21.wav|Choc26.wav"},
    {"WAVE\\ICOLISION\\", SHORT,
     "Choc05.wav|Choc07.wav|Choc16.wav|Choc17.wav|Choc18.wav|Carroza3.wav|Choc13.wav|Choc14.wav|Choc19.wav|"
     "Rozachis.wav|CarMons1.wav|CarMons2.wav|CarMons3.wav|CarMons4.wav|OnBus4.wav"},
    {"WAVE\\PUBLIC\\", LOOP,
     "Publico7.wav|YouWinStadium.wav|PublicNo_02.wav|Publico4.wav|Publicovitoreando.wav|PublicStadium.wav|"
     "sisisi.wav|youwinstadium_03.wav|PublicoVitoreando.wav|PublicoSec.wav|Publicocross2.wav|"
     "Publicovitoreando_02.wav|PublicoPlaya5_02.wav"},
    {"WAVE\\IEXTRA\\", SHORT,
     "Editor.wav|Trueno2ret.wav|iluvia1_01.wav|Ocean3.wav|TurboLuz.wav|NuevoTurbo2.wav|nitroready3.wav|Cono.wav|"
     "Pertiga.wav|Slalon.wav|Penalty.wav|CaidaSlam.wav|MarchaAtras2.wav|Diana2.wav|SegundosFin5.wav|"
     "trueno2ret.wav|Turboluz.wav|XXXXXXXX.wav"},
    {"WAVE\\MENU\\", SHORT,
     "Pruebaclik7.wav|Ilumina0.wav|pascroll1.wav|Type11.wav|Borrar2.wav|Error.wav|NuevoMensaje2.wav|Comprar.wav|"
     "CambioPan.wav|nEWBONUS.wav|POINTS.wav|Bonus.wav|campeonato.wav"},
    // Hover loops start at the item's animation frame.
    {"WAVE\\MENU\\", LONG, "Repeticiones3.wav|Options3.wav|New2Avi.wav|podio3.wav|exit3.wav|mULTI4.wav|Creditos5.wav"},
    // Streamed from the plain folder, not the archives.
    {"Music\\", LONG, "Menu22.wav|Speed22.wav|Jump22.wav|Mo22_3.wav|Cross22.wav|Buggy22.wav"},
};

struct MkSound {
    std::string path;
    std::string key;   // lower case
    int frames;
    int toneHz;
};

std::string KeyOf(const std::string& path) {
    std::string key;
    for (char c : path)
        key += c == '/' ? '\\' : (char)tolower((unsigned char)c);
    return key;
}

void Add(std::vector<MkSound>& list, const std::string& path, int frames) {
    const std::string key = KeyOf(path);
    for (const MkSound& s : list) {
        if (s.key == key)
            return;    // the same file under another spelling
    }
    list.push_back({path, key, frames, 0});
}

// Every file once, each with its own tone: 200 Hz, then 14 Hz apart in the
// order of the lower-case paths.
const std::vector<MkSound>& Sounds() {
    static std::vector<MkSound> list;
    if (!list.empty())
        return list;
    for (const EngineMain& e : EngineMains)
        Add(list, e.path, e.frames);
    for (const SoundGroup& g : Groups) {
        const char* p = g.files;
        while (*p) {
            const char* bar = strchr(p, '|');
            const size_t n = bar ? (size_t)(bar - p) : strlen(p);
            Add(list, std::string(g.folder) + std::string(p, n), g.frames);
            p += n + (bar ? 1 : 0);
        }
    }
    std::vector<std::string> keys;
    for (const MkSound& s : list)
        keys.push_back(s.key);
    std::sort(keys.begin(), keys.end());
    for (MkSound& s : list) {
        const size_t rank = (size_t)(std::lower_bound(keys.begin(), keys.end(), s.key) - keys.begin());
        s.toneHz = 200 + 14 * (int)rank;
    }
    return list;
}

const MkSound* Find(const std::string& gamePath) {
    const std::string key = KeyOf(gamePath);
    for (const MkSound& s : Sounds()) {
        if (s.key == key)
            return &s;
    }
    return nullptr;
}

void Put16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
    b[at] = (uint8_t)v;
    b[at + 1] = (uint8_t)(v >> 8);
}
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; i++)
        b[at + (size_t)i] = (uint8_t)(v >> (8 * i));
}

// A mono 16-bit RIFF WAV of a sine tone.
std::vector<uint8_t> ToneWave(int toneHz, int frames) {
    const uint32_t dataBytes = (uint32_t)frames * 2;
    std::vector<uint8_t> b(44 + dataBytes);
    memcpy(&b[0], "RIFF", 4);
    Put32(b, 4, 36 + dataBytes);
    memcpy(&b[8], "WAVEfmt ", 8);
    Put32(b, 16, 16);
    Put16(b, 20, 1);
    Put16(b, 22, 1);
    Put32(b, 24, RATE);
    Put32(b, 28, RATE * 2);
    Put16(b, 32, 2);
    Put16(b, 34, 16);
    memcpy(&b[36], "data", 4);
    Put32(b, 40, dataBytes);
    // A rotating phasor: one sin/cos per file, not per sample.
    const double step = 2.0 * std::numbers::pi * toneHz / (double)RATE;
    const double c = std::cos(step), s = std::sin(step);
    double x = 1.0, y = 0.0;
    for (int i = 0; i < frames; i++) {
        Put16(b, 44 + 2 * (size_t)i, (uint16_t)(int16_t)std::lround(12000.0 * y));
        const double nx = x * c - y * s;
        y = x * s + y * c;
        x = nx;
    }
    return b;
}

}  // namespace

int MkSoundToneHz(const std::string& gamePath) {
    const MkSound* s = Find(gamePath);
    return s ? s->toneHz : 0;
}

int MkSoundFrames(const std::string& gamePath) {
    const MkSound* s = Find(gamePath);
    return s ? s->frames : 0;
}

int MkSoundFileCount() { return (int)Sounds().size(); }

bool MakeSoundData(const MkOptions&) {
    for (const MkSound& s : Sounds()) {
        const std::vector<uint8_t> wave = ToneWave(s.toneHz, s.frames);
        const bool plain = s.key.rfind("music\\", 0) == 0;
        const bool ok = plain ? MkWriteFile(s.path, wave.data(), wave.size())
                              : MkWriteArchived(s.path, wave.data(), wave.size());
        if (!ok)
            return false;
    }
    return true;
}
