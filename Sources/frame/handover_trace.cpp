#include "frame/handover_trace.h"

#include "frame/startup.h"

static const char* steps[HANDOVER_TRACE_SIZE];
static int frames[HANDOVER_TRACE_SIZE];
static int stepCount;
static int recording;
static void (*stepWatcher)(const char* step);

void HandoverTraceWatch(void (*watcher)(const char* step)) { stepWatcher = watcher; }

void HandoverTraceStart() {
    stepCount = 0;
    recording = 1;
}

void HandoverTraceStop() { recording = 0; }

void HandoverTrace(const char* step) {
    if (stepWatcher)
        stepWatcher(step);
    if (!recording || stepCount >= HANDOVER_TRACE_SIZE)
        return;
    frames[stepCount] = FramesRun;
    steps[stepCount++] = step;
}

int HandoverTraceCount() { return stepCount; }
const char* HandoverTraceStep(int index) { return index >= 0 && index < stepCount ? steps[index] : ""; }
int HandoverTraceFrame(int index) { return index >= 0 && index < stepCount ? frames[index] : -1; }
