// The program entry: reads the command line, starts the platform layer and
// runs the game's spine.
//
//   quorvix [--headless] [--frames N] [--autorace] [--screenshot] [--debug] [--intro] [--developer] [--track CODE]
//           [--script FILE] [--carlog FILE] [--net-port PORT] [--net-search ADDR[:PORT],...]
//           [--recording-device] [--sound-capture DIR] [--autopilot] [--cars N] [--laps N]
//           [--save-replay PATH] [--play-replay PATH]
//           [--network] [--net-host N | --net-join] [--player NAME] [--net-loss PCT]

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "frame/frame_state.h"
#include "frame/startup.h"
#include "platform/plat_device.h"
#include "platform/plat_headless.h"
#include "platform/plat_headless_devices.h"
#include "platform/plat_net.h"
#include "platform/plat_script.h"
#include "platform/plat_sound_capture.h"
#include "platform/plat_system.h"
#include "race/car_log.h"
#include "race/race_switches.h"

static int ParseCommandLine(int argc, char** argv) {
    for (int i = 1; i < argc; i++) {
        const char* arg = argv[i];
        if (strcmp(arg, "--headless") == 0) {
            CommandLine.headless = 1;
        } else if (strcmp(arg, "--frames") == 0 && i + 1 < argc) {
            CommandLine.frames = atoi(argv[++i]);
            if (CommandLine.frames < 0)
                CommandLine.frames = 0;
        } else if (strcmp(arg, "--autorace") == 0) {
            CommandLine.autorace = 1;
        } else if (strcmp(arg, "--screenshot") == 0) {
            CommandLine.screenshot = 1;
        } else if (strcmp(arg, "--debug") == 0) {
            CommandLine.debug = 1;
        } else if (strcmp(arg, "--intro") == 0) {
            CommandLine.intro = 1;
        } else if (strcmp(arg, "--recording-device") == 0) {
            CommandLine.recordingDevice = 1;
        } else if (strcmp(arg, "--net-port") == 0 && i + 1 < argc) {
            const int port = atoi(argv[++i]);
            if (port <= 0 || port > 65535) {
                fprintf(stderr, "quorvix: --net-port wants a port from 1 to 65535\n");
                return 0;
            }
            PlatNetSetPort(port);
        } else if (strcmp(arg, "--net-search") == 0 && i + 1 < argc) {
            if (!PlatNetSetSearchList(argv[++i])) {
                fprintf(stderr, "quorvix: --net-search wants ADDR[:PORT],...\n");
                return 0;
            }
        } else if (strcmp(arg, "--developer") == 0) {
            CommandLine.developer = 1;
        } else if (strcmp(arg, "--script") == 0 && i + 1 < argc) {
            CommandLine.script = argv[++i];
        } else if (strcmp(arg, "--carlog") == 0 && i + 1 < argc) {
            CommandLine.carlog = argv[++i];
        } else if (strcmp(arg, "--sound-capture") == 0 && i + 1 < argc) {
            CommandLine.soundCapture = argv[++i];
        } else if (strcmp(arg, "--track") == 0 && i + 1 < argc) {
            CommandLine.track = atoi(argv[++i]);
            if (CommandLine.track < 10 || CommandLine.track > 79) {
                fprintf(stderr, "quorvix: --track wants a track code from 10 to 79\n");
                return 0;
            }
        } else if (strcmp(arg, "--autopilot") == 0) {
            CommandLine.autopilot = 1;
        } else if ((strcmp(arg, "--cars") == 0 || strcmp(arg, "--laps") == 0) && i + 1 < argc) {
            const int value = atoi(argv[++i]);
            const int most = arg[2] == 'c' ? 8 : 6;
            if (value < 1 || value > most) {
                fprintf(stderr, "quorvix: %s wants a number from 1 to %d\n", arg, most);
                return 0;
            }
            (arg[2] == 'c' ? CommandLine.cars : CommandLine.laps) = value;
        } else if (strcmp(arg, "--save-replay") == 0 && i + 1 < argc) {
            CommandLine.saveReplay = argv[++i];
        } else if (strcmp(arg, "--network") == 0) {
            CommandLine.network = 1;
        } else if (strcmp(arg, "--net-join") == 0) {
            CommandLine.network = 1;
            CommandLine.netJoin = 1;
        } else if ((strcmp(arg, "--net-host") == 0 || strcmp(arg, "--net-loss") == 0) && i + 1 < argc) {
            const int value = atoi(argv[++i]);
            const int host = arg[6] == 'h';
            if (host ? value < 1 || value > 8 : value < 0 || value > 100) {
                fprintf(stderr, "quorvix: %s wants a number from %d to %d\n", arg, host ? 1 : 0, host ? 8 : 100);
                return 0;
            }
            (host ? CommandLine.netHost : CommandLine.netLossPercent) = value;
            CommandLine.network |= host;
        } else if (strcmp(arg, "--player") == 0 && i + 1 < argc) {
            CommandLine.player = argv[++i];
        } else if (strcmp(arg, "--play-replay") == 0 && i + 1 < argc) {
            CommandLine.playReplay = argv[++i];
            CommandLine.autorace = 1;
        } else {
            fprintf(stderr, "usage: quorvix [--headless] [--frames N] [--autorace] [--screenshot] [--debug] "
                            "[--intro] [--developer] [--script FILE] [--carlog FILE] [--track CODE] [--net-port PORT] "
                            "[--net-search ADDR[:PORT],...] [--recording-device] [--sound-capture DIR] [--autopilot] "
                            "[--cars N] [--laps N] [--save-replay PATH] [--play-replay PATH] [--network] "
                            "[--net-host N | --net-join] [--player NAME] [--net-loss PCT]\n");
            return 0;
        }
    }
    return 1;
}

int main(int argc, char** argv) {
    if (!ParseCommandLine(argc, argv))
        return 2;
    PlatSetDebugOutput(CommandLine.debug);
    // A headless run draws with OpenGL on EGL surfaceless when it can.
    if (CommandLine.headless)
        PlatHeadlessSetDeviceBackend(CommandLine.recordingDevice ? PLAT_DEVICE_RECORDING : PLAT_DEVICE_GL);
    // Network play runs with the other machines on the real clock.
    if (CommandLine.headless && CommandLine.network)
        PlatHeadlessSetLockstep(0);
    if (!PlatInit(CommandLine.headless ? PLAT_BACKEND_HEADLESS : PLAT_BACKEND_REAL)) {
        fprintf(stderr, "quorvix: no display could be opened (try --headless)\n");
        return 1;
    }
    char error[SCRIPT_ERROR_SIZE];
    if (CommandLine.script && !PlatScriptLoad(CommandLine.script, error, sizeof error)) {
        fprintf(stderr, "quorvix: --script: %s\n", error);
        PlatShutdown();
        return 2;
    }
    if (CommandLine.carlog && !OpenCarLog(CommandLine.carlog)) {
        fprintf(stderr, "quorvix: --carlog: cannot write %s\n", CommandLine.carlog);
        PlatShutdown();
        return 2;
    }
    if (CommandLine.soundCapture && !PlatSoundCaptureOpen(CommandLine.soundCapture)) {
        fprintf(stderr, "quorvix: --sound-capture: cannot write into %s\n", CommandLine.soundCapture);
        CloseCarLog();
        PlatShutdown();
        return 2;
    }
    const int code = WinMain();
    SaveReplayAtExit();
    CloseCarLog();
    PlatSoundCaptureClose();
    PlatShutdown();
    return ScriptExitStatus ? ScriptExitStatus : code;
}
