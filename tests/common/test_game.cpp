#include "common/test_game.h"

#include <gtest/gtest.h>
#include <spawn.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "frame/frame_state.h"
#include "frame/startup.h"
#include "frame/vfs.h"
#include "mkdata.h"
#include "platform/plat_file.h"
#include "platform/plat_headless.h"
#include "platform/plat_script.h"
#include "platform/plat_system.h"
#include "platform/plat_keys.h"
#include "platform/plat_window.h"

extern char** environ;

void MkSetRoot(const std::string& root);

static std::string TestTempRootPath() {
    const char* tmp = getenv("TMPDIR");
    return std::string(tmp && *tmp ? tmp : "/tmp") + "/quorvix-tests-" + std::to_string(getpid());
}

static void RemoveTree(const std::string& path) {
    if (getenv("QUORVIX_KEEP_TEST_FOLDERS"))
        return;
    const std::string command = "rm -rf '" + path + "'";
    if (system(command.c_str()) != 0)
        fprintf(stderr, "could not remove %s\n", path.c_str());
}

// A game folder is some hundreds of megabytes: each test's folders go when
// the test ends, and the process's root when it exits, so a whole run of a
// test program (or thousands of ctest processes) never fills the disk.
// QUORVIX_KEEP_TEST_FOLDERS keeps them for a look after a failure.
class TestFolderCleaner : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo& info) override {
        if (getenv("QUORVIX_KEEP_TEST_FOLDERS"))
            return;
        const std::string command = "rm -rf '" + TestTempRootPath() + "/" + info.test_suite_name() + "." +
                                    info.name() + "'.*";
        if (system(command.c_str()) != 0)
            fprintf(stderr, "could not run %s\n", command.c_str());
    }
};

static void RemoveTestTempRoot() { RemoveTree(TestTempRootPath()); }

static const int TestFolderCleanerInstalled = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new TestFolderCleaner);
    atexit(RemoveTestTempRoot);
    return 1;
}();

static std::string TestTempRoot() {
    (void)TestFolderCleanerInstalled;
    std::string root = TestTempRootPath();
    mkdir(root.c_str(), 0755);
    return root;
}

std::string MakeTestFolder(const std::string& tag) {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = tag;
    if (info)
        name = std::string(info->test_suite_name()) + "." + info->name() + "." + tag;
    const std::string dir = TestTempRoot() + "/" + name;
    std::string command = "rm -rf '" + dir + "'";
    if (system(command.c_str()) != 0)
        return std::string();
    mkdir(dir.c_str(), 0755);
    return dir;
}

// A game folder takes mkdata seconds to write (thousands of staged files),
// so each set of options is written once per build of a test program into
// a template under the build's test-folders/, and each test gets a copy of
// its own: a test writes only into its copy, never into the template, so no
// test sees another's writes.  The templates are kept per build of the
// program (its file's size and time), because mkdata's output changes with
// the code linked into it; older templates of the same program go.
static std::string TemplateRoot() {
    static std::string root;
    if (!root.empty())
        return root;
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    struct stat st {};
    if (error || stat(self.c_str(), &st) != 0)
        return std::string();
    const std::string program = self.filename().string();
    const std::string build = program + "-" + std::to_string((long long)st.st_mtim.tv_sec) + "." +
                              std::to_string((long)st.st_mtim.tv_nsec) + "-" + std::to_string((long long)st.st_size);
    const fs::path cache = QUORVIX_TEST_FOLDER_CACHE;
    fs::create_directories(cache / build, error);
    if (!fs::is_directory(cache / build))
        return std::string();
    for (const fs::directory_entry& entry : fs::directory_iterator(cache, error)) {
        const std::string name = entry.path().filename().string();
        if (name != build && name.rfind(program + "-", 0) == 0 &&
            name.find_first_not_of("0123456789.-", program.size() + 1) == std::string::npos)
            fs::remove_all(entry.path(), error);
    }
    root = (cache / build).string();
    return root;
}

// The template for these options, written by the first process that asks
// for it while the others wait on its lock; it appears by a rename, whole.
static std::string GameFolderTemplate(bool softwareKind, const std::vector<int>& trackCodes) {
    const std::string root = TemplateRoot();
    if (root.empty())
        return std::string();
    std::string key = softwareKind ? "software" : "direct3d";
    for (int code : trackCodes)
        key += "-" + std::to_string(code);
    const std::string folder = root + "/" + key;
    if (PlatIsDirectory(folder.c_str()))
        return folder;
    const int lock = open((folder + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (lock < 0)
        return std::string();
    while (flock(lock, LOCK_EX) != 0 && errno == EINTR) {
    }
    if (!PlatIsDirectory(folder.c_str())) {
        const std::string part = folder + ".part";   // left by a process that died writing it
        std::error_code error;
        std::filesystem::remove_all(part, error);
        MkOptions options;
        options.outDir = part;
        options.softwareKind = softwareKind ? 1 : 0;
        options.trackCodes = trackCodes;   // the whole set takes far longer than a test's own
        options.videosetup = std::string(QUORVIX_BIN_DIR) + "/videosetup";
        EXPECT_TRUE(MakeGameFolder(options)) << key;
        if (rename(part.c_str(), folder.c_str()) != 0)
            ADD_FAILURE() << "could not make the game folder template " << folder;
    }
    close(lock);
    return PlatIsDirectory(folder.c_str()) ? folder : std::string();
}

std::string MakeTestGameFolder(const std::string& tag, bool softwareKind, const std::vector<int>& trackCodes) {
    const std::string dir = MakeTestFolder(tag);
    const std::string from = GameFolderTemplate(softwareKind, trackCodes);
    std::error_code error;
    std::filesystem::copy(from, dir, std::filesystem::copy_options::recursive, error);
    EXPECT_FALSE(from.empty() || error) << "the game folder " << dir << ": " << error.message();
    // The generator's files go into this folder, as if it had just made it
    // (the tests of the generator's later steps stage theirs).
    MkSetRoot(dir);
    EXPECT_TRUE(PlatSetCurrentDir(dir.c_str()));
    // Mounted as start-up mounts them, for tests that load without WinMain.
    EXPECT_EQ(VfsScanArchives(), 1);
    return dir;
}

int RunHeadlessGame(int frames, int autorace, int lockstepTicks, const char* script) {
    CommandLineOptions options = {};
    options.frames = frames;
    options.autorace = autorace;
    options.script = script;
    return RunHeadlessGameWith(options, lockstepTicks);
}

int RunHeadlessGameWith(const CommandLineOptions& options, int lockstepTicks) {
    CommandLine = options;
    CommandLine.headless = 1;
    const char* script = CommandLine.script;
    PlatHeadlessSetLockstep(lockstepTicks);
    if (!PlatInit(PLAT_BACKEND_HEADLESS))
        return -1;
    char error[SCRIPT_ERROR_SIZE];
    if (script && !PlatScriptLoad(script, error, sizeof error)) {
        ADD_FAILURE() << error;
        PlatShutdown();
        return -1;
    }
    const int code = WinMain();
    // The run ended by asking to exit: the next test's frames must not see it.
    ExitRequested = 0;
    PlatScriptClear();
    PlatShutdown();
    return code;
}

std::string WriteStartScript(const std::string& dir) {
    const std::string path = dir + "/start.txt";
    FILE* file = fopen(path.c_str(), "w");
    if (file) {
        fputs("2 key down SPACE\n3 key up SPACE\n", file);
        fclose(file);
    }
    return path;
}

int RunBuiltProgram(const std::string& name, const std::vector<std::string>& args, const std::string& dir) {
    const std::string path = std::string(QUORVIX_BIN_DIR) + "/" + name;
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(path.c_str()));
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    // Headless games run by the tests draw with the recording device:
    // OpenGL on llvmpipe is too slow under the sanitizers, and the drawing
    // tests make OpenGL devices of their own.
    static const std::string recording = "--recording-device";
    if (name == "quorvix" && std::find(args.begin(), args.end(), "--headless") != args.end())
        argv.push_back(const_cast<char*>(recording.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
    pid_t pid;
    const int rc = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return -1;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadHostFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

int RunGameLogged(const std::string& dir, const std::string& args, const std::string& logName, bool recordingDevice) {
    // A headless run draws with the recording device, as RunBuiltProgram's do.
    std::string switches = args;
    const auto has = [&args](const char* word) {
        const std::string padded = " " + args + " ";
        return padded.find(std::string(" ") + word + " ") != std::string::npos;
    };
    if (recordingDevice && has("--headless") && !has("--recording-device"))
        switches += " --recording-device";
    const std::string command = "cd '" + dir + "' && '" + QUORVIX_BIN_DIR + "/quorvix' " + switches + " 2> '" +
                                logName + "' > /dev/null";
    const int status = system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<int> FinishOrder(const std::string& carlogPath) {
    std::istringstream log(ReadHostFile(carlogPath));
    std::vector<int> order;
    for (std::string line; std::getline(log, line);) {
        int tick, car;
        if (std::sscanf(line.c_str(), "finish %d %d", &tick, &car) == 2)
            order.push_back(car);
    }
    return order;
}

std::vector<std::vector<std::string>> CarLogRows(const std::string& carlogPath, int car) {
    std::istringstream log(ReadHostFile(carlogPath));
    std::vector<std::vector<std::string>> rows;
    const std::string which = std::to_string(car);
    for (std::string line; std::getline(log, line);) {
        if (line.compare(0, 4, "car ") != 0)
            continue;
        std::istringstream fields(line.substr(4));
        std::vector<std::string> f;
        for (std::string w; fields >> w;)
            f.push_back(w);
        if (f.size() > 1 && f[1] == which)
            rows.push_back(f);
    }
    return rows;
}

int PlaceOfCar0(const std::vector<int>& order) {
    for (size_t k = 0; k < order.size(); k++) {
        if (order[k] == 0)
            return (int)k + 1;
    }
    return 0;
}

int BannerSlotIn(const std::string& debugOutput, size_t from) {
    static const std::string banner = "race banner ";
    const size_t at = debugOutput.find(banner, from);
    return at == std::string::npos ? -1 : std::atoi(debugOutput.c_str() + at + banner.size());
}

void QueueLeaveRace(uint32_t at) {
    const int keys[3] = {VK_ESCAPE, VK_UP, VK_RETURN};
    for (int k = 0; k < 3; k++) {
        PlatHeadlessQueueEvent(at + 200 * k, WM_KEYDOWN, keys[k], 0);
        PlatHeadlessQueueEvent(at + 200 * k + 100, WM_KEYUP, keys[k], 0);
    }
}

std::string LeaveRaceScript(int frame) {
    std::string script;
    const char* keys[3] = {"ESCAPE", "UP", "RETURN"};
    for (int k = 0; k < 3; k++) {
        // The keyboard is read every 33 ms: each key is held for several frames.
        script += std::to_string(frame + 10 * k) + " key down " + keys[k] + "\n";
        script += std::to_string(frame + 10 * k + 5) + " key up " + keys[k] + "\n";
    }
    return script;
}
