// Helpers shared by the test suites: fresh game folders and headless runs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Makes a fresh sample game folder under the test's temporary folder,
// makes it the virtual current folder and mounts its archives.  Returns its host path.
std::string MakeTestGameFolder(const std::string& tag, bool softwareKind = false,
                               const std::vector<int>& trackCodes = {10});

// Makes an empty folder under the test's temporary folder.
std::string MakeTestFolder(const std::string& tag);

// Starts the headless backend (lockstep with the given ticks per frame, or
// the real clock and timer thread when 0) and runs the game's spine in this
// process for `frames` frames, with the scripted input of `script` when one
// is given.  Returns WinMain's result.
int RunHeadlessGame(int frames, int autorace, int lockstepTicks = 1, const char* script = nullptr);
// The same with the switches of `options` (headless always), such as a
// network game's on the lockstep clock.
struct CommandLineOptions;
int RunHeadlessGameWith(const CommandLineOptions& options, int lockstepTicks = 1);

// Writes `dir`/start.txt, a script that presses Space in frame 2: the race
// of an --autorace run starts at once instead of waiting on its fly-by.
// Returns the file's path (name).
std::string WriteStartScript(const std::string& dir);

// Leaves a race through its pause menu from time `at` (ms of the headless
// clock): Escape opens it, Up wraps to quit, Return chooses it.
void QueueLeaveRace(uint32_t at);
// The same as script lines from `frame` on.
std::string LeaveRaceScript(int frame);

// Runs a program of the build (bin/NAME) with arguments in `dir`; returns its
// exit status, 128 + the signal's number when a signal ended it (as a shell
// reports it: 143 for a run killed from outside), or -1 when it could not be
// run.
int RunBuiltProgram(const std::string& name, const std::vector<std::string>& args, const std::string& dir);

std::string ReadHostFile(const std::string& path);

// Runs the built game in `dir` with the switches `args` (one string, as a
// shell reads it), its debug output into `dir`/`logName`; returns the exit
// status, or -1 when it did not exit.  A headless run draws with the
// recording device, as RunBuiltProgram's do, unless `recordingDevice` is
// false (a test of what the OpenGL device draws).
int RunGameLogged(const std::string& dir, const std::string& args, const std::string& logName,
                  bool recordingDevice = true);

// The cars in the order of the "finish TICK CAR" lines of a --carlog file.
std::vector<int> FinishOrder(const std::string& carlogPath);
// The fields of a --carlog file's "car" lines of one car, in tick order:
// TICK CAR X Y Z HEADING VX VZ SPEED PITCH ROLL REVS GEAR LAPS RANK DISTANCE.
std::vector<std::vector<std::string>> CarLogRows(const std::string& carlogPath, int car);
// Car 0's place (1 the winner) in a finishing order; 0 when it is not in it.
int PlaceOfCar0(const std::vector<int>& order);
// The text slot of the first race banner a --debug output names after
// `from`, or -1 when there is none.
int BannerSlotIn(const std::string& debugOutput, size_t from = 0);

// Little-endian appends, for the tests that write file images by hand.
inline void PutLe16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back((uint8_t)v);
    b.push_back((uint8_t)(v >> 8));
}
inline void PutLe32(std::vector<uint8_t>& b, uint32_t v) {
    PutLe16(b, v & 0xFFFF);
    PutLe16(b, v >> 16);
}
