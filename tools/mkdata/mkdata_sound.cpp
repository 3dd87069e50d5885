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

enum { RATE = 22050, SHORT = RATE / 2, LOOP = RATE, LONG = 2 * RATE, PHRASE = 8 * RATE };

// What a file sounds like: a plain sine; an engine (a fundamental of 100 to
// 250 Hz under seven weaker harmonics); or a music phrase (an arpeggio).
enum SoundKind { PLAIN, ENGINE, MUSIC };

struct SoundGroup {
    const char* folder;   // ends in '\'
    int frames;
    const char* files;    // '|' separated
    SoundKind kind;
};

// Engine main loops first: their lengths are those the engine model
// mirrors play positions in, and a second-layer name that differs from a
// main one only in letter case must keep the main one's length.  Loop A of
// each (as far as it lies inside the file; the whole file where it starts
// beyond it) holds a whole number of the tone's periods, so the loop is
// seamless.
struct EngineMain {
    const char* path;
    int frames;
    int loopStart, loopEnd;
};
const EngineMain EngineMains[] = {
    {"WAVE\\IENGINES\\SPEED\\9GL05E22.wav", 115630, 10175, 57814},
    {"WAVE\\IENGINES\\SPEED\\9DA01C22.wav", 123142, 24266, 61570},
    {"WAVE\\IENGINES\\BUGGY\\XCA02B22.wav", 204886, 23611, 102442},
    {"WAVE\\IENGINES\\MONSTER\\9CA03D22.wav", 26672, 20377, 66968},
    {"WAVE\\IENGINES\\JUMP\\8CA02C22.wav", 147706, 4863, 73852},
    {"WAVE\\IENGINES\\CROSS\\M18CA01A22.wav", 136111, 13445, 68055},
    {"WAVE\\IENGINES\\SPEED\\9GA07A22.wav", 217087, 26111, 108543},
    {"WAVE\\IENGINES\\JUMP\\8DA01A22.wav", 151038, 14079, 75518},
    {"WAVE\\IENGINES\\BUGGY\\4DA01A22.wav", 173626, 26533, 86812},
    {"WAVE\\IENGINES\\BONUS\\8DA04A22.wav", 135988, 18615, 67949},
    {"WAVE\\IENGINES\\MONSTER\\XCA03A22.wav", 18512, 20377, 66968},
    {"WAVE\\IENGINES\\BUGGY\\M15CA01C22.wav", 215068, 17413, 107533},
    {"WAVE\\IENGINES\\CROSS\\7GA03A22.wav", 285696, 24575, 142847},
    {"WAVE\\IENGINES\\JUMP\\9CA01A22.wav", 309834, 27456, 154916},
    {"WAVE\\IENGINES\\CROSS\\9DA07A22.wav", 217087, 26111, 108543},
    {"WAVE\\IENGINES\\MONSTER\\M_VondelMain.wav", 156554, 61442, 78276},
    {"WAVE\\IENGINES\\BONUS\\S_VondelMain2.wav", 245906, 36519, 82493},
};

const SoundGroup Groups[] = {
    // Idle and second layers of the listener's engine.
    {"WAVE\\IENGINES\\SPEED\\", LOOP, "8CI01A22.wav|9SGL05B22.wav|5GI01A22.wav|9SDA01C22.wav|9CI01A22.wav|9SGA07A22.wav", ENGINE},
    {"WAVE\\IENGINES\\BUGGY\\", LOOP, "6DI01A22.wav|XSCA02B22.wav|6CI01A22.wav|4SDA01A22.wav|6CI02A22.wav|MS15CA01C22.wav", ENGINE},
    {"WAVE\\IENGINES\\MONSTER\\", LOOP, "1Di02A22.wav|9SCA03D22.wav|M_VondelIdle.wav|M_VondelSec.wav", ENGINE},
    {"WAVE\\IENGINES\\JUMP\\", LOOP, "6GI01A22.wav|8CA02c22.wav|7CI02A22.wav|8SDA01A22.wav|7CI01A22.wav|9SCA01A22.wav", ENGINE},
    {"WAVE\\IENGINES\\CROSS\\", LOOP, "7DI01A22.wav|MS18CA01A22.wav|1GI02A22.wav|7SGA03A22.wav|7GI01A22.wav|9SDA07A22.wav", ENGINE},
    {"WAVE\\IENGINES\\BONUS\\", LOOP, "8CI01A22.wav|8SDA04A22.wav|S_Vondelidle.wav", ENGINE},
    {"WAVE\\IENGINES\\", SHORT, "reductor2.wav|reduceg.wav", PLAIN},
    {"WAVE\\GEARCLUNK\\", SHORT,
     "gearclunk01.wav|gearclunk02.wav|gearclunk03.wav|gearclunk04.wav|gearclunk05.wav|gearclunk06.wav|"
     "gearclunk07.wav|gearclunk08.wav|gearclunk09.wav|gearclunk10.wav|gearclunk11.wav|gearclunk12.wav|"
     "gearclunk13.wav|gearclunk14.wav|gearclunk15.wav|gearclunk16.wav|gearclunk17.wav|gearclunk18.wav", PLAIN},
    {"WAVE\\IKLAXON\\", SHORT,
     "Klaxon_02r.wav|Klaxon_03r.wav|Klaxon_04r.wav|Klaxon_05r.wav|Klaxon_07r.wav|Klaxon_10r.wav|Klaxon_12r.wav|"
     "Klaxon_13r.wav", PLAIN},
    {"WAVE\\START\\", SHORT, "3.wav|2.wav|1.wav|GO.wav", PLAIN},
    {"WAVE\\ITERRAIN\\", LOOP,
     "dirt.wav|rock01.wav|Grasskid01.wav|Peralte2.wav|Musgo3.wav|Piedra.wav|TierraCrossCros.wav|Agu2.wav|"
     "sandskid03.wav|Adoquines.wav|Rock01.wav", PLAIN},
    // The skids start up to 35353 frames in.
    {"WAVE\\ISKIDS\\", LONG,
     "PicaRuedaA.wav|PicaRuedaTierrax.wav|PatinRuedaA.wav|Patintierra1.wav|FrenoManoAs15.wav|Frenandoencross.wav|"
     "Frenoaire2.wav|Frenando2.wav|wetskid03.wav|todos.wav|rockskid02.wav|Perdida3.wav|FrenoManocross2.wav|"
     "FrenoManob.wav|PicaRuedaTierracross.wav|Patintierracross.wav", PLAIN},
    {"WAVE\\ICAIDA\\", SHORT, "Choc04.wav|Choc03.wav|Choc22.wav|Choc20.wav|Choc01.wav|Choc21.wav|Choc26.wav", PLAIN},
    {"WAVE\\ICOLISION\\", SHORT,
     "Choc05.wav|Choc07.wav|Choc16.wav|Choc17.wav|Choc18.wav|Carroza3.wav|Choc13.wav|Choc14.wav|Choc19.wav|"
     "Rozachis.wav|CarMons1.wav|CarMons2.wav|CarMons3.wav|CarMons4.wav|OnBus4.wav", PLAIN},
    {"WAVE\\PUBLIC\\", LOOP,
     "Publico7.wav|YouWinStadium.wav|PublicNo_02.wav|Publico4.wav|Publicovitoreando.wav|PublicStadium.wav|"
     "sisisi.wav|youwinstadium_03.wav|PublicoVitoreando.wav|PublicoSec.wav|Publicocross2.wav|"
     "Publicovitoreando_02.wav|PublicoPlaya5_02.wav", PLAIN},
    {"WAVE\\IEXTRA\\", SHORT,
     "Editor.wav|Trueno2ret.wav|iluvia1_01.wav|Ocean3.wav|TurboLuz.wav|NuevoTurbo2.wav|nitroready3.wav|Cono.wav|"
     "Pertiga.wav|Slalon.wav|Penalty.wav|CaidaSlam.wav|MarchaAtras2.wav|Diana2.wav|SegundosFin5.wav|"
     "trueno2ret.wav|Turboluz.wav|XXXXXXXX.wav", PLAIN},
    {"WAVE\\MENU\\", SHORT,
     "Pruebaclik7.wav|Ilumina0.wav|pascroll1.wav|Type11.wav|Borrar2.wav|Error.wav|NuevoMensaje2.wav|Comprar.wav|"
     "CambioPan.wav|nEWBONUS.wav|POINTS.wav|Bonus.wav|campeonato.wav", PLAIN},
    // Hover loops start at the item's animation frame.
    {"WAVE\\MENU\\", LONG, "Repeticiones3.wav|Options3.wav|New2Avi.wav|podio3.wav|exit3.wav|mULTI4.wav|Creditos5.wav", PLAIN},
    // Streamed from the plain folder, not the archives.
    {"Music\\", PHRASE, "Menu22.wav|Speed22.wav|Jump22.wav|Mo22_3.wav|Cross22.wav|Buggy22.wav", MUSIC},
};

struct MkSound {
    std::string path;
    std::string key;   // lower case
    int frames;
    SoundKind kind;
    int loopStart, loopEnd;   // the span that holds whole periods (engine main loops)
    double hz;                // the tone, or the fundamental, or the phrase's root
};

std::string KeyOf(const std::string& path) {
    std::string key;
    for (char c : path)
        key += c == '/' ? '\\' : (char)tolower((unsigned char)c);
    return key;
}

void Add(std::vector<MkSound>& list, const std::string& path, int frames, SoundKind kind, int loopStart = 0,
         int loopEnd = 0) {
    const std::string key = KeyOf(path);
    for (const MkSound& s : list) {
        if (s.key == key)
            return;    // the same file under another spelling
    }
    list.push_back({path, key, frames, kind, loopStart, loopEnd, 0.0});
}

// The rank of each file of a kind in the order of the lower-case paths.
std::vector<size_t> Ranks(const std::vector<MkSound>& list, SoundKind kind) {
    std::vector<std::string> keys;
    for (const MkSound& s : list) {
        if (s.kind == kind)
            keys.push_back(s.key);
    }
    std::sort(keys.begin(), keys.end());
    std::vector<size_t> ranks;
    for (const MkSound& s : list)
        ranks.push_back((size_t)(std::lower_bound(keys.begin(), keys.end(), s.key) - keys.begin()));
    return ranks;
}

// Every file once, each with a tone of its own: the engines 102 Hz and up,
// 3 Hz apart (an engine main loop's moved to the nearest tone that fills its
// loop with whole periods); the music's roots 256 Hz and up, 8 apart (so
// every half-second note of the phrase holds whole periods); the rest 300 Hz
// and up, 14 apart.
const std::vector<MkSound>& Sounds() {
    static std::vector<MkSound> list;
    if (!list.empty())
        return list;
    for (const EngineMain& e : EngineMains) {
        int start = e.loopStart, end = e.loopEnd < e.frames ? e.loopEnd : e.frames;
        if (start >= end) {
            start = 0;
            end = e.frames;
        }
        Add(list, e.path, e.frames, ENGINE, start, end);
    }
    for (const SoundGroup& g : Groups) {
        const char* p = g.files;
        while (*p) {
            const char* bar = strchr(p, '|');
            const size_t n = bar ? (size_t)(bar - p) : strlen(p);
            Add(list, std::string(g.folder) + std::string(p, n), g.frames, g.kind);
            p += n + (bar ? 1 : 0);
        }
    }
    const std::vector<size_t> engines = Ranks(list, ENGINE), music = Ranks(list, MUSIC), plain = Ranks(list, PLAIN);
    for (size_t i = 0; i < list.size(); i++) {
        MkSound& s = list[i];
        if (s.kind == ENGINE) {
            s.hz = 102.0 + 3.0 * (double)engines[i];
            const int span = s.loopEnd - s.loopStart;
            if (span > 0) {
                const double periods = std::round(s.hz * span / (double)RATE);
                s.hz = periods * (double)RATE / span;
            }
        } else if (s.kind == MUSIC) {
            s.hz = 256.0 + 8.0 * (double)music[i];
        } else {
            s.hz = 300.0 + 14.0 * (double)plain[i];
        }
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

std::vector<uint8_t> WaveHeader(int frames) {
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
    return b;
}

// Writes frames [from, to) of a tone of `hz` with the given harmonic
// amplitudes (harmonic 1 first), the phase running on from `from`.  A
// rotating phasor gives sin and cos of the fundamental; the harmonics come
// from the recurrence sin((h + 1)x) = 2 cos x sin(hx) - sin((h - 1)x).
void PutTone(std::vector<uint8_t>& b, int from, int to, double hz, const double* amplitudes, int harmonics) {
    const double step = 2.0 * std::numbers::pi * hz / (double)RATE;
    const double c = std::cos(step), s = std::sin(step);
    double x = std::cos(step * from), y = std::sin(step * from);
    for (int i = from; i < to; i++) {
        double previous = 0.0, current = y, sum = 0.0;
        for (int h = 0; h < harmonics; h++) {
            sum += amplitudes[h] * current;
            const double next = 2.0 * x * current - previous;
            previous = current;
            current = next;
        }
        Put16(b, 44 + 2 * (size_t)i, (uint16_t)(int16_t)std::lround(sum));
        const double nx = x * c - y * s;
        y = x * s + y * c;
        x = nx;
    }
}

std::vector<uint8_t> SoundWave(const MkSound& s) {
    std::vector<uint8_t> b = WaveHeader(s.frames);
    if (s.kind == ENGINE) {
        // Harmonics 2 to 8 at least 6 dB under the fundamental.
        static const double engine[8] = {6000, 2400, 1800, 1300, 900, 600, 400, 300};
        PutTone(b, 0, s.frames, s.hz, engine, 8);
    } else if (s.kind == MUSIC) {
        // An arpeggio of half-second notes over the root; every note holds
        // whole periods, so the phrase loops without a seam.
        static const double ratios[8] = {1.0, 1.25, 1.5, 2.0, 1.5, 1.25, 1.0, 0.75};
        static const double note[2] = {9000, 1500};
        const int noteFrames = RATE / 2;
        for (int n = 0; n * noteFrames < s.frames; n++) {
            const int from = n * noteFrames, to = std::min(s.frames, from + noteFrames);
            PutTone(b, from, to, s.hz * ratios[n % 8], note, 2);
        }
    } else {
        static const double plain[1] = {12000};
        PutTone(b, 0, s.frames, s.hz, plain, 1);
    }
    return b;
}

}  // namespace

int MkSoundToneHz(const std::string& gamePath) {
    const MkSound* s = Find(gamePath);
    return s ? (int)std::lround(s->hz) : 0;
}

int MkSoundFrames(const std::string& gamePath) {
    const MkSound* s = Find(gamePath);
    return s ? s->frames : 0;
}

int MkSoundFileCount() { return (int)Sounds().size(); }

bool MakeSoundData(const MkOptions&) {
    for (const MkSound& s : Sounds()) {
        const std::vector<uint8_t> wave = SoundWave(s);
        const bool plain = s.key.rfind("music\\", 0) == 0;
        const bool ok = plain ? MkWriteFile(s.path, wave.data(), wave.size())
                              : MkWriteArchived(s.path, wave.data(), wave.size());
        if (!ok)
            return false;
    }
    return true;
}
