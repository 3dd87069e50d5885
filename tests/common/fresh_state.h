// Every test of a program starts from the state a freshly started process
// has, for what that program's tests touch.  The game's state is global and
// the tests (whole games among them) run in one process, one after another
// and in any order (--gtest_shuffle): a test may leave flags and counters,
// a window, a framework, mounted archives, a running timer, tables or the
// instance lock behind.
#pragma once

// No window, framework, input devices, work buffers, archives, timer or
// instance lock; the headless backend's script, boxes and switches empty.
void FreshMachine();

// The frame's and the race's flags, counters, clocks and screen metrics,
// and the front end's and the network's switches the frame reads, as their
// definitions start them.
void FreshFrameAndRace();

// Empty object pools and name table, as before the first object load.
void FreshObjectPools();

// Runs `reset` before every test of the program (from a static initialiser
// of the program's own sources).
bool ResetBeforeEveryTest(void (*reset)());
