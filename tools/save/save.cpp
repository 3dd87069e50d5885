// quorvix-save FILE: prints a settings file (config.cfg, config.def), a
// records file (records.dat), a profile (.usr), a career slot (SAVE nn.rb)
// or a replay (.rb) as the game reads it.  Exit 0 when the game would take
// the file, else 1 with the reason.

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "frontend/career_file.h"
#include "frontend/frontend_state.h"
#include "frontend/profiles.h"
#include "frontend/replay_header.h"
#include "frontend/settings.h"
#include "race/replay.h"

namespace {

int Refuse(const char* why) {
    std::printf("refused: %s\n", why);
    return 1;
}

std::string Text(const char* field, size_t size) { return std::string(field, strnlen(field, size)); }

int ShowSettings(const std::vector<unsigned char>& bytes, bool records) {
    if (bytes.size() != sizeof(SettingsRecord))
        return Refuse("a settings or records file is 9,484 bytes");
    static SettingsRecord r;
    std::memcpy(&r, bytes.data(), sizeof r);
    std::printf("tag \"%s\"\n", Text(r.tag, 4).c_str());
    if (!records) {
        std::printf("devices: player 1 %d, player 2 %d\n", r.settingsInts[0], r.settingsInts[1]);
        for (int set = 0; set < 4; set++) {
            std::printf("set %d:", set);
            for (const KeyBinding& b : r.bindings[set])
                std::printf(" {%d %d %d}", b.code, b.isJoystick, b.nameIndex);
            std::printf("\n");
        }
        std::printf("force feedback %d, gearboxes %d %d\n", r.forceFeedbackLevel, r.manualGearbox[0],
                    r.manualGearbox[1]);
    }
    for (int code = 0; code < SETTINGS_TRACK_CODES; code++) {
        const uint8_t* race = r.bestRaceTime[code];
        const uint8_t* lap = r.bestLapTime[code];
        if (!(race[0] | race[1] | race[2] | lap[0] | lap[1] | lap[2]))
            continue;
        std::printf("track %2d: race %d:%02d.%02d %-19s %s  lap %d:%02d.%02d %-19s %s\n", code, race[0], race[1],
                    race[2], Text(r.bestRaceHolder[code], 19).c_str(), Text(r.bestRaceDate[code], 19).c_str(),
                    lap[0], lap[1], lap[2], Text(r.bestLapHolder[code], 19).c_str(),
                    Text(r.bestLapDate[code], 19).c_str());
    }
    if (!records) {
        if (const char* why = SettingsRecordProblem(r))
            return Refuse(why);
    }
    return 0;
}

int ShowProfile(const std::vector<unsigned char>& bytes) {
    if (const char* why = ProfileImageProblem(bytes.data(), (int)bytes.size()))
        return Refuse(why);
    if (bytes[0] == 0xFF)
        std::printf("last slot: none\n");
    else
        std::printf("last slot: %d\n", bytes[0]);
    return 0;
}

int ShowCareer(const std::vector<unsigned char>& bytes) {
    static CareerRecordImage r;
    std::memcpy(&r, bytes.data(), sizeof r);
    std::printf("description \"%s\"\nplayer \"%s\"\ndate \"%s\"\nmoney %.2f, races won %d, unlock level %d, saves %u\n",
                Text(r.description, 31).c_str(), Text(r.playerName, 31).c_str(), Text(r.date, 31).c_str(),
                (double)r.money, r.racesWon, r.unlockLevel, r.saveCount);
    if (const char* why = CareerRecordProblem(r))
        return Refuse(why);
    return 0;
}

int ShowReplay(const std::vector<unsigned char>& bytes) {
    if (bytes.size() < REPLAY_BODY_START)
        return Refuse("a replay holds a 124-byte header and its counts");
    ReplayHeaderRecord h;
    std::memcpy(&h, bytes.data(), sizeof h);
    int32_t ticks, cars;
    std::memcpy(&ticks, bytes.data() + REPLAY_HEADER_BYTES, 4);
    std::memcpy(&cars, bytes.data() + REPLAY_HEADER_BYTES + 4, 4);
    std::printf("replay \"%s\" by \"%s\" on %s\ntrack %d, %d cars, %d laps, mode %d\nbody: %d ticks, %d cars\n",
                Text(h.replayName, 22).c_str(), Text(h.playerName, 22).c_str(), Text(h.date, 22).c_str(),
                h.trackCode, h.carCount, h.laps, h.mode, ticks, cars);
    if (const char* why = ReplayFileProblem(bytes.data(), (int)bytes.size()))
        return Refuse(why);
    return 0;
}

bool EndsWith(std::string name, const char* end) {
    for (char& c : name)
        c = (char)std::tolower((unsigned char)c);
    const size_t n = std::strlen(end);
    return name.size() >= n && name.compare(name.size() - n, n, end) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorvix-save FILE\n");
        return 1;
    }
    FILE* f = std::fopen(argv[1], "rb");
    if (!f)
        return Refuse("the file cannot be opened");
    std::vector<unsigned char> bytes;
    unsigned char chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0 && bytes.size() <= (size_t)REPLAY_FILE_MAX)
        bytes.insert(bytes.end(), chunk, chunk + n);
    std::fclose(f);
    const std::string name = argv[1];
    if (EndsWith(name, ".usr"))
        return ShowProfile(bytes);
    if (EndsWith(name, ".cfg") || EndsWith(name, ".def"))
        return ShowSettings(bytes, false);
    if (EndsWith(name, ".dat"))
        return ShowSettings(bytes, true);
    if (EndsWith(name, ".rb")) {
        // Career slots and replays share the extension: a slot is a whole
        // career record.
        if (bytes.size() == sizeof(CareerRecordImage))
            return ShowCareer(bytes);
        return ShowReplay(bytes);
    }
    return Refuse("not a settings, records, profile, career or replay file");
}
