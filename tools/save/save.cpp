// quorvix-save FILE: prints a player file as the game reads it: settings
// (config.cfg, config.def), visual options (visual.cfg), records
// (records.dat), a profile (.usr), a career slot (SAVE nn.rb), the
// championship file (Camp.r-b) or a replay (.rb).  The verdict is the
// game's own check of that file: exit 0 when the game would take the file,
// else 1 with the reason.

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "frontend/career_file.h"
#include "frontend/frontend_state.h"
#include "frontend/profiles.h"
#include "frontend/records.h"
#include "frontend/settings.h"
#include "frontend/visual_settings.h"
#include "race/replay.h"

namespace {

int Verdict(const char* why) {
    if (!why)
        return 0;
    std::printf("refused: %s\n", why);
    return 1;
}

std::string Text(const char* field, size_t size) { return std::string(field, strnlen(field, size)); }

// A settings or records image: the settings part (settings files only) and
// the record tables, then the verdict of the file's check.
int ShowSettingsImage(const std::vector<unsigned char>& bytes, bool settings) {
    const char* why = settings ? SettingsFileProblem(bytes.data(), (int)bytes.size())
                               : RecordsFileProblem(bytes.data(), (int)bytes.size());
    if (bytes.size() != sizeof(SettingsRecord))
        return Verdict(why);
    static SettingsRecord r;
    std::memcpy(&r, bytes.data(), sizeof r);
    std::printf("tag \"%s\"\n", Text(r.tag, 4).c_str());
    if (settings) {
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
    return Verdict(why);
}

int ShowVisual(const std::vector<unsigned char>& bytes) {
    // The game's reader clamps each byte it reads to its range.
    if (!TakeVisualSettings(bytes.data(), (int)bytes.size()))
        return Verdict("a visual options file is 48 bytes");
    std::printf("bytes as the game takes them:");
    for (int i = 0; i < VISUAL_FILE_BYTES; i++)
        std::printf(" %d", (signed char)VisualSettings[i]);
    std::printf("\n");
    return 0;
}

int ShowProfile(const std::vector<unsigned char>& bytes) {
    const char* why = ProfileImageProblem(bytes.data(), (int)bytes.size());
    if (!why && bytes[0] == 0xFF)
        std::printf("last slot: none\n");
    else if (!why)
        std::printf("last slot: %d\n", bytes[0]);
    return Verdict(why);
}

int ShowCareer(const std::vector<unsigned char>& bytes) {
    const char* why = CareerFileProblem(bytes.data(), (int)bytes.size());
    if (bytes.size() == sizeof(CareerRecordImage)) {
        static CareerRecordImage r;
        std::memcpy(&r, bytes.data(), sizeof r);
        std::printf("description \"%s\"\nplayer \"%s\"\ndate \"%s\"\nmoney %.2f, races won %d, unlock level %d, "
                    "saves %u\n",
                    Text(r.description, 31).c_str(), Text(r.playerName, 31).c_str(), Text(r.date, 31).c_str(),
                    (double)r.money, r.racesWon, r.unlockLevel, r.saveCount);
    }
    return Verdict(why);
}

int ShowReplay(const std::vector<unsigned char>& bytes) {
    const char* why = ReplayFileProblem(bytes.data(), (int)bytes.size());
    if (bytes.size() >= REPLAY_BODY_START) {
        ReplayHeaderRecord h;
        std::memcpy(&h, bytes.data(), sizeof h);
        int32_t ticks, cars;
        std::memcpy(&ticks, bytes.data() + REPLAY_HEADER_BYTES, 4);
        std::memcpy(&cars, bytes.data() + REPLAY_HEADER_BYTES + 4, 4);
        std::printf("replay \"%s\" by \"%s\" on %s\ntrack %d, %d cars, %d laps, mode %d\nbody: %d ticks, %d cars\n",
                    Text(h.replayName, 22).c_str(), Text(h.playerName, 22).c_str(), Text(h.date, 22).c_str(),
                    h.trackCode, h.carCount, h.laps, h.mode, ticks, cars);
    }
    return Verdict(why);
}

std::string Lower(std::string s) {
    for (char& c : s)
        c = (char)std::tolower((unsigned char)c);
    return s;
}

bool EndsWith(const std::string& name, const char* end) {
    const size_t n = std::strlen(end);
    return name.size() >= n && name.compare(name.size() - n, n, end) == 0;
}

// The last component of a path, and the one before it ("" when none).
std::string Component(const std::string& path, int fromEnd) {
    size_t end = path.size();
    for (;;) {
        const size_t slash = path.find_last_of("/\\", end == 0 ? 0 : end - 1);
        const size_t start = slash == std::string::npos ? 0 : slash + 1;
        if (fromEnd-- == 0)
            return path.substr(start, end - start);
        if (slash == std::string::npos)
            return "";
        end = slash;
    }
}

// The game reads career slots as USERS\<profile>\SAVE nn.rb and replays
// from Replay\Users and Replay\Internet, both with the extension .rb.
bool IsCareerSlot(const std::string& lowerPath) {
    const std::string name = Component(lowerPath, 0);
    const std::string folder = Component(lowerPath, 1), above = Component(lowerPath, 2);
    if (above == "replay" && (folder == "users" || folder == "internet"))
        return false;
    return name.size() == 10 && name.compare(0, 5, "save ") == 0 && std::isdigit((unsigned char)name[5]) &&
           std::isdigit((unsigned char)name[6]) && EndsWith(name, ".rb");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorvix-save FILE\n");
        return 1;
    }
    FILE* f = std::fopen(argv[1], "rb");
    if (!f)
        return Verdict("the file cannot be opened");
    std::vector<unsigned char> bytes;
    unsigned char chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0 && bytes.size() <= (size_t)REPLAY_FILE_MAX)
        bytes.insert(bytes.end(), chunk, chunk + n);
    std::fclose(f);
    const std::string path = Lower(argv[1]);
    const std::string name = Component(path, 0);
    if (EndsWith(name, ".usr"))
        return ShowProfile(bytes);
    if (name == "visual.cfg")
        return ShowVisual(bytes);
    if (EndsWith(name, ".cfg") || EndsWith(name, ".def"))
        return ShowSettingsImage(bytes, true);
    if (EndsWith(name, ".dat"))
        return ShowSettingsImage(bytes, false);
    if (EndsWith(name, ".r-b"))
        return ShowCareer(bytes);
    if (EndsWith(name, ".rb"))
        return IsCareerSlot(path) ? ShowCareer(bytes) : ShowReplay(bytes);
    return Verdict("not a settings, visual options, records, profile, career, championship or replay file");
}
