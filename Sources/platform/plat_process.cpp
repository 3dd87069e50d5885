// Starting the set-up program, and the single-instance lock.

#include "platform/plat_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <strings.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/plat_file.h"
#include "platform/plat_internal.h"

extern char** environ;

int PlatRunProgramAndWait(const char* gamePath) {
    char host[PLAT_MAX_PATH];
    if (!PlatResolvePath(gamePath, host, sizeof host))
        return -1;
    if (access(host, X_OK) != 0) {
        // The game names Windows programs; ours carry no extension.
        std::string path(gamePath);
        if (path.size() > 4 && strcasecmp(path.c_str() + path.size() - 4, ".exe") == 0) {
            path.resize(path.size() - 4);
            if (!PlatResolvePath(path.c_str(), host, sizeof host) || access(host, X_OK) != 0)
                return -1;
        } else {
            return -1;
        }
    }
    // The program starts in the game's current folder, as the shell would
    // start it.
    char* argv[] = {host, nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, PlatGetCurrentDir());
    pid_t pid;
    const int spawned = posix_spawn(&pid, host, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    // A program that was started and then killed is not "not found".
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}

static int lockFd = -1;
static std::atomic<int> raiseRequested;

static void OnRaiseSignal(int) { raiseRequested = 1; }

int InstanceRaiseRequested() { return raiseRequested.exchange(0); }

// One lock file per game folder, in the user's runtime folder.
static std::string LockPath() {
    const char* runtime = getenv("XDG_RUNTIME_DIR");
    const std::string folder = runtime && *runtime ? runtime : "/tmp";
    unsigned long hash = 5381;
    for (const char* s = PlatGetCurrentDir(); *s; s++)
        hash = hash * 33 + (unsigned char)*s;
    char name[64];
    snprintf(name, sizeof name, "/quorvix-%lu-%lx.lock", (unsigned long)getuid(), hash);
    return folder + name;
}

int PlatInstanceAcquire() {
    if (lockFd >= 0)
        return 1;
    const std::string path = LockPath();
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return 1;   // no lock can be made: run rather than refuse
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        char text[32] = {0};
        const ssize_t n = pread(fd, text, sizeof text - 1, 0);
        close(fd);
        const long pid = n > 0 ? strtol(text, nullptr, 10) : 0;
        if (pid > 0)
            kill((pid_t)pid, SIGUSR1);
        return 0;
    }
    char text[32];
    const int length = snprintf(text, sizeof text, "%ld\n", (long)getpid());
    if (ftruncate(fd, 0) == 0 && pwrite(fd, text, (size_t)length, 0) != length) {
        // The pid is only used to bring this window forward; run without it.
    }
    struct sigaction action;
    memset(&action, 0, sizeof action);
    action.sa_handler = OnRaiseSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGUSR1, &action, nullptr);
    lockFd = fd;
    return 1;
}

void PlatInstanceRelease() {
    if (lockFd < 0)
        return;
    flock(lockFd, LOCK_UN);
    close(lockFd);
    lockFd = -1;
}
