// Whole network races of the program: copies of the game on loopback, each
// with its own game folder and port, host and join through their menus
// (--net-host, --net-join), race a lap with the autopilot, print the race
// order and where every car ended, and exit.  These runs use the real clock:
// the bounds only end a run that never finishes, they measure no speed.

#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "common/test_game.h"

extern char** environ;

namespace {

// The sanitizer builds run the game several times slower.
#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
#define SANITIZED_BUILD 1
enum { RUN_LIMIT_S = 840 };
#else
#define SANITIZED_BUILD 0
enum { RUN_LIMIT_S = 270 };
#endif

// A port no other socket holds right now, for one copy of the game.
int FreeLoopbackPort() {
    const int s = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof a;
    if (s < 0 || bind(s, (sockaddr*)&a, sizeof a) != 0 || getsockname(s, (sockaddr*)&a, &size) != 0) {
        if (s >= 0)
            close(s);
        return 0;
    }
    close(s);
    return ntohs(a.sin_port);
}

struct Copy {
    pid_t pid = -1;
    int status = -1;
    std::string dir, out;
};

pid_t Spawn(const std::vector<std::string>& args, const std::string& dir, const std::string& out) {
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, (out + ".err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

std::string Game() { return std::string(QUORVIX_BIN_DIR) + "/quorvix"; }

// The arguments of copy k of n: copy 0 hosts and starts at n players.
std::vector<std::string> GameArgs(int k, int n, int port, int hostPort, const std::vector<std::string>& extra) {
    std::vector<std::string> a = {Game(), "--headless", "--recording-device", "--autopilot", "--laps", "1",
                                  "--carlog", "carlog.txt"};
    if (k == 0) {
        a.push_back("--net-host");
        a.push_back(std::to_string(n));
    } else {
        a.push_back("--net-join");
    }
    for (const std::string& s : {std::string("--player"), "P" + std::to_string(k), std::string("--net-port"),
                                 std::to_string(port), std::string("--net-search"),
                                 "127.0.0.1:" + std::to_string(hostPort)})
        a.push_back(s);
    a.insert(a.end(), extra.begin(), extra.end());
    return a;
}

struct Printed {
    int players = -1, ownIndex = -1;
    std::vector<int> order;
    std::vector<float> grid, final;
};

std::vector<float> Floats(std::istringstream& in) {
    std::vector<float> v;
    float f;
    while (in >> f)
        v.push_back(f);
    return v;
}

Printed ReadPrinted(const std::string& path) {
    Printed p;
    std::istringstream in(ReadHostFile(path));
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string a, b;
        words >> a >> b;
        if (a == "players:") {
            p.players = std::stoi(b);
            std::string own, index;
            words >> own >> index >> p.ownIndex;
        } else if (a == "race" && b == "order:") {
            int i;
            while (words >> i)
                p.order.push_back(i);
        } else if (a == "grid") {
            p.grid = Floats(words);
        } else if (a == "car" && b == "positions:") {
            p.final = Floats(words);
        }
    }
    return p;
}

// Each copy prints its cars 240 ticks after it saw the race over, and
// exits.  The host's race over reaches the copies at moments of their own,
// and a copy's samples of another car arrive late: on a loaded machine the
// copies' prints lie seconds apart, while the cars still roll.  So a car is
// looked for on the whole stretch its own copy drove from a little before
// its race over to its exit (where the others keep its last sample), not
// around one moment.
enum { PRINT_SLACK_TICKS = 120 };

// Where a copy's own car (car 0 of its car log) was, X and Z, from
// PRINT_SLACK_TICKS before its race over to the end of its log.  The log's
// race over line comes after the ticks just before it, so the ticks are
// kept as they come and those too early dropped at the race over.
std::vector<std::pair<float, float>> OwnCarAroundThePrint(const std::string& dir) {
    std::istringstream in(ReadHostFile(dir + "/carlog.txt"));
    std::vector<std::pair<int, std::pair<float, float>>> ticks;
    int overAt = -1;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string kind, x, y, z;
        int tick = -1, car = -1;
        words >> kind >> tick;
        if (kind == "over" && overAt < 0)
            overAt = tick;
        if (kind != "car" || !(words >> car >> x >> y >> z) || car != 0)
            continue;
        ticks.push_back({tick, {std::strtof(x.c_str(), nullptr), std::strtof(z.c_str(), nullptr)}});
    }
    std::vector<std::pair<float, float>> path;
    if (overAt < 0)
        return path;
    for (const auto& t : ticks)
        if (t.first >= overAt - PRINT_SLACK_TICKS)
            path.push_back(t.second);
    return path;
}

float DistanceToPath(float x, float z, const std::vector<std::pair<float, float>>& path) {
    float best = INFINITY;
    for (const auto& p : path)
        best = std::min(best, std::hypot(x - p.first, z - p.second));
    return best;
}

bool Exited(Copy& c) {
    if (c.pid < 0)
        return true;
    int status;
    const pid_t r = waitpid(c.pid, &status, WNOHANG);
    if (r == c.pid) {
        c.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        c.pid = -1;
        return true;
    }
    return false;
}

void Kill(Copy& c) {
    if (c.pid < 0)
        return;
    kill(c.pid, SIGKILL);
    int status;
    waitpid(c.pid, &status, 0);
    c.status = 128 + SIGKILL;
    c.pid = -1;
}

struct NetRace {
    std::vector<Copy> copies;

    // Starts n copies: the host first, then the joiners in order, each a
    // moment after the last.  On a loaded machine two joins may still come
    // in the other order: a copy's player index is the one it printed.
    void Start(const std::string& tag, int n, const std::vector<std::string>& extra = {},
               const std::string& wrapper = "") {
        std::vector<int> ports;
        for (int k = 0; k < n; k++)
            ports.push_back(FreeLoopbackPort());
        copies.resize(n);
        for (int k = 0; k < n; k++) {
            Copy& c = copies[k];
            c.dir = MakeTestGameFolder(tag + "_" + std::to_string(k));
            c.out = c.dir + "/out.txt";
            std::vector<std::string> args = GameArgs(k, n, ports[k], ports[0], extra);
            if (!wrapper.empty())
                args.insert(args.begin(), wrapper);
            c.pid = Spawn(args, c.dir, c.out);
            ASSERT_GT(c.pid, 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(k == 0 ? 1500 : 700));
        }
    }

    // Copy k has started racing (its grid line is out).
    bool Racing(int k) { return ReadPrinted(copies[k].out).grid.size() > 0; }

    bool WaitRacing(int k) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(RUN_LIMIT_S);
        while (!Racing(k) && copies[k].pid > 0 && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        return Racing(k);
    }

    // Every copy ends by itself, or is killed at the limit.
    void Finish() {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(RUN_LIMIT_S);
        for (;;) {
            bool all = true;
            for (Copy& c : copies)
                all = Exited(c) && all;
            if (all)
                return;
            if (std::chrono::steady_clock::now() > end)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        for (size_t k = 0; k < copies.size(); k++) {
            if (copies[k].pid < 0)
                continue;
            ADD_FAILURE() << "copy " << k << " did not finish";
            Kill(copies[k]);
        }
    }

    ~NetRace() {
        for (Copy& c : copies)
            Kill(c);
    }
};

std::string Describe(const Copy& c) {
    return "exit " + std::to_string(c.status) + "\n" + ReadHostFile(c.out) + ReadHostFile(c.out + ".err");
}

// The copies in `survivors` ended well, printed one race order of `n` players
// and every car where its own copy drove it about then; every car moved.
// The cars still roll on when the copies print them, each at its own
// moment, so a car is looked for on the stretch its own copy logged from
// just before its race over to its exit.
void CheckOneRace(NetRace& race, const std::vector<int>& survivors, int n, int reference,
                  bool comparePositions = true) {
    const Printed ref = ReadPrinted(race.copies[reference].out);
    // Each player's own stretch, by player: the copy that printed the
    // player's index as its own (the joins may come in any order).
    std::vector<std::vector<std::pair<float, float>>> ownPaths(n);
    for (int k : comparePositions ? survivors : std::vector<int>()) {
        const int own = ReadPrinted(race.copies[k].out).ownIndex;
        EXPECT_TRUE(own >= 0 && own < n) << "copy " << k << ": " << Describe(race.copies[k]);
        if (own < 0 || own >= n)
            continue;
        EXPECT_TRUE(ownPaths[own].empty()) << "copy " << k << ": another copy has player " << own << " too";
        ownPaths[own] = OwnCarAroundThePrint(race.copies[k].dir);
        EXPECT_FALSE(ownPaths[own].empty()) << "copy " << k << " logged no race over, or no ticks after it";
    }
    ASSERT_EQ((int)ref.order.size(), n) << Describe(race.copies[reference]);
    std::vector<int> seen(n, 0);
    for (int p : ref.order) {
        ASSERT_TRUE(p >= 0 && p < n) << p;
        seen[p]++;
    }
    for (int s : seen)
        EXPECT_EQ(s, 1) << "the race order names a player twice";
    for (int k : survivors) {
        const Copy& c = race.copies[k];
        EXPECT_EQ(c.status, 0) << "copy " << k << ": " << Describe(c);
        const Printed p = ReadPrinted(c.out);
        EXPECT_EQ(p.players, n) << "copy " << k;
        EXPECT_EQ(p.order, ref.order) << "copy " << k << ": " << Describe(c);
        ASSERT_EQ((int)p.final.size(), 2 * n) << "copy " << k << ": " << Describe(c);
        ASSERT_EQ((int)p.grid.size(), 2 * n) << "copy " << k;
        for (int q = 0; q < n; q++) {
            const float moved = std::hypot(p.final[2 * q] - p.grid[2 * q], p.final[2 * q + 1] - p.grid[2 * q + 1]);
            EXPECT_GT(moved, 100.0f) << "copy " << k << ": the car of player " << q << " did not move";
            if (!comparePositions)
                continue;
            if (ownPaths[q].empty())
                continue;
            const float off = DistanceToPath(p.final[2 * q], p.final[2 * q + 1], ownPaths[q]);
            EXPECT_LT(off, 1000.0f) << "copy " << k << ": player " << q
                                    << " ended off the stretch its own copy drove then";
        }
    }
}

TEST(NetRaces, TwoCopiesRaceOneRace) {
    NetRace race;
    race.Start("net2", 2);
    race.Finish();
    CheckOneRace(race, {0, 1}, 2, 0);
    EXPECT_EQ(ReadPrinted(race.copies[1].out).ownIndex, 1);
    // The host's lobby named the joiner as it came in.
    const std::string hostOut = ReadHostFile(race.copies[0].out);
    EXPECT_NE(hostOut.find("chat: * P1 has joined the game.\n"), std::string::npos) << hostOut;
}

// Three copies race; copy `killed` is killed a few seconds into the race and
// the others finish it; each survivor's output holds `leftLine` if given.
void RaceWithOneKilled(const std::string& tag, int killed, const std::vector<int>& survivors, int reference,
                       const char* leftLine = nullptr) {
    NetRace race;
    race.Start(tag, 3);
    ASSERT_TRUE(race.WaitRacing(killed)) << Describe(race.copies[killed]);
    std::this_thread::sleep_for(std::chrono::seconds(4));
    Kill(race.copies[killed]);
    race.Finish();
    // One order, every car moved; the end positions are not compared: after
    // the kill the left car is driven by the host and reaches the other copy
    // as samples, so on a loaded machine that copy prints it where its last
    // samples put it, a second or more behind.
    CheckOneRace(race, survivors, 3, reference, false);
    if (!leftLine)
        return;
    for (int k : survivors) {
        const std::string out = ReadHostFile(race.copies[k].out);
        EXPECT_NE(out.find(leftLine), std::string::npos) << "copy " << k << ":\n" << out;
    }
}

// Every survivor tells, in its console, that the killed player left.
TEST(NetRaces, AClientKilledMidRaceLeavesItsCarToTheHost) {
    RaceWithOneKilled("netkc", 2, {0, 1}, 0, "console: P2 has left the race.");
}

// The earliest joiner becomes the host and ends the race.
TEST(NetRaces, TheHostKilledMidRaceHandsTheRaceToTheEarliestJoiner) { RaceWithOneKilled("netkh", 0, {1, 2}, 1); }

// Waits until the copy's output holds the text; false if the copy ends, or
// the run's limit passes, first.
bool WaitPrinted(Copy& c, const std::string& text) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(RUN_LIMIT_S);
    for (;;) {
        if (ReadHostFile(c.out).find(text) != std::string::npos)
            return true;
        if (Exited(c) || std::chrono::steady_clock::now() > end)
            return ReadHostFile(c.out).find(text) != std::string::npos;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

// The joiner is stopped in the race until the host has dropped it, and as
// long again, so that its own time-outs have fired too when it runs on.
// The host finishes the race with the joiner's car; the joiner, back, is
// told it is out: it says the session was lost and leaves, and prints no
// race order of its own.
TEST(NetRaces, AJoinerStoppedPastTheKeepAliveLeavesTheRaceToTheHost) {
    NetRace race;
    race.Start("netstop", 2);
    Copy& host = race.copies[0];
    Copy& joiner = race.copies[1];
    ASSERT_TRUE(race.WaitRacing(1)) << Describe(joiner);
    ASSERT_EQ(kill(joiner.pid, SIGSTOP), 0);
    const bool dropped = WaitPrinted(host, "console: P1 has left the race.");
    std::this_thread::sleep_for(std::chrono::seconds(5));
    ASSERT_EQ(kill(joiner.pid, SIGCONT), 0);
    ASSERT_TRUE(dropped) << Describe(host);
    race.Finish();
    CheckOneRace(race, {0}, 2, 0);
    EXPECT_NE(joiner.status, 0) << Describe(joiner);
    const std::string out = ReadHostFile(joiner.out);
    EXPECT_NE(out.find("console: The network session was lost."), std::string::npos) << Describe(joiner);
    EXPECT_EQ(out.find("P0 has left the race."), std::string::npos) << Describe(joiner);
    EXPECT_TRUE(ReadPrinted(joiner.out).order.empty()) << Describe(joiner);
    EXPECT_NE(ReadHostFile(joiner.out + ".err").find("the network session was lost"), std::string::npos)
        << Describe(joiner);
}

// One copy of the game on its own, until it ends.
Copy RunAlone(const std::string& tag, const std::vector<std::string>& args) {
    Copy c;
    c.dir = MakeTestGameFolder(tag);
    c.out = c.dir + "/out.txt";
    c.pid = Spawn(args, c.dir, c.out);
    EXPECT_GT(c.pid, 0);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(RUN_LIMIT_S);
    while (!Exited(c) && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (c.pid > 0) {
        ADD_FAILURE() << tag << " did not end";
        Kill(c);
    }
    return c;
}

// Where nobody hosts, the joiner searches a bounded number of times, says
// so and stops.
TEST(NetRaces, AJoinerThatFindsNoSessionSaysSoAndStops) {
    const int own = FreeLoopbackPort(), nobody = FreeLoopbackPort();
    Copy c = RunAlone("netnone", {Game(), "--headless", "--recording-device", "--net-join", "--player", "P1",
                                  "--net-port", std::to_string(own), "--net-search",
                                  "127.0.0.1:" + std::to_string(nobody)});
    EXPECT_EQ(c.status, 1) << Describe(c);
    EXPECT_NE(ReadHostFile(c.out + ".err").find("no network session found"), std::string::npos) << Describe(c);
}

// A port another program holds is named.
TEST(NetRaces, ABusyPortIsNamed) {
    const int s = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_ANY);
    socklen_t size = sizeof a;
    ASSERT_GE(s, 0);
    ASSERT_EQ(bind(s, (sockaddr*)&a, sizeof a), 0);
    ASSERT_EQ(getsockname(s, (sockaddr*)&a, &size), 0);
    const std::string port = std::to_string(ntohs(a.sin_port));
    Copy c = RunAlone("netbusy", {Game(), "--headless", "--recording-device", "--net-join", "--player", "P1",
                                  "--net-port", port, "--net-search", "127.0.0.1:" + port});
    close(s);
    EXPECT_EQ(c.status, 1) << Describe(c);
    EXPECT_NE(ReadHostFile(c.out + ".err").find("UDP port " + port + " is busy"), std::string::npos) << Describe(c);
}

TEST(NetRaces, FourCopiesFinishWithAFifthOfTheUnguaranteedDatagramsLost) {
    NetRace race;
    race.Start("netloss", 4, {"--net-loss", "20"});
    race.Finish();
    // One order, every car moved; the end positions are not compared: the
    // race results are resent until they arrive, so on a loaded machine a
    // client may print after the host has left, its cars carried on along
    // their last samples.
    CheckOneRace(race, {0, 1, 2, 3}, 4, 0, false);
}

TEST(NetRaces, EightCopiesRaceOneRace) {
    if (SANITIZED_BUILD)
        GTEST_SKIP() << "eight sanitized copies of the game are too slow for the machine; the two-copy race runs";
    NetRace race;
    race.Start("net8", 8);
    race.Finish();
    std::vector<int> all = {0, 1, 2, 3, 4, 5, 6, 7};
    CheckOneRace(race, all, 8, 0);
}

// The same race inside a network namespace of its own whose loopback delays
// and drops packets.  Needs user namespaces and the netem queue discipline.
TEST(NetRaces, TwoCopiesRaceOverADelayingLossyLink) {
    const std::string probe = MakeTestFolder("netem_probe");
    const std::string netem = "ip link set lo up && tc qdisc add dev lo root netem delay 15ms 5ms loss 3%";
    Copy check;
    check.pid = Spawn({"unshare", "-rn", "sh", "-c", netem}, probe, probe + "/probe.txt");
    while (!Exited(check))
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (check.status != 0)
        GTEST_SKIP() << "no network namespace with netem here (unshare -rn or tc netem failed): "
                     << ReadHostFile(probe + "/probe.txt.err");
    // One shell in the namespace starts both copies.
    NetRace race;
    race.copies.resize(2);
    std::string script = netem + " || exit 1;";
    for (int k = 0; k < 2; k++) {
        Copy& c = race.copies[k];
        c.dir = MakeTestGameFolder("netem_" + std::to_string(k));
        c.out = c.dir + "/out.txt";
        script += " (cd '" + c.dir + "' && exec";
        for (const std::string& a : GameArgs(k, 2, 31000 + k, 31000, {}))
            script += " '" + a + "'";
        script += " > '" + c.out + "' 2> '" + c.out + ".err') & sleep 2;";
    }
    script += " wait";
    Copy shell;
    shell.pid = Spawn({"unshare", "-rn", "sh", "-c", script}, probe, probe + "/shell.txt");
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(RUN_LIMIT_S);
    while (!Exited(shell) && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (shell.pid > 0) {
        Kill(shell);
        ADD_FAILURE() << "the namespace's race did not finish";
    }
    // The copies' own exit statuses are the shell's to see: ask their output.
    for (Copy& c : race.copies)
        c.status = ReadHostFile(c.out).find("car positions:") != std::string::npos ? 0 : 1;
    CheckOneRace(race, {0, 1}, 2, 0);
}

}  // namespace
