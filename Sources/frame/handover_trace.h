// A record of the steps of start-up and of the two hand-overs between menus
// and race, kept while a test watches: the order of these calls is what
// keeps the tick away from half-loaded state.
#pragma once

// Each step is recorded by its text while a test watches the order.
#define STEP(call) (HandoverTrace(#call), call)

enum { HANDOVER_TRACE_SIZE = 256 };

void HandoverTraceStart();   // clears the record and starts recording
void HandoverTraceStop();
void HandoverTrace(const char* step);
int HandoverTraceCount();
const char* HandoverTraceStep(int index);
// The frame (FramesRun) in which the step was taken.
int HandoverTraceFrame(int index);
// A test's watcher, called with every step as it is taken (recording or
// not); null removes it.  "frame presented" comes once a presented frame,
// after its drawing.
void HandoverTraceWatch(void (*watcher)(const char* step));
