// The car log of whole-program runs (`--carlog FILE`): one line per race
// tick and car with the car's simulated state, floats in C's exact
// hexadecimal form (%a), so two runs compare byte for byte.
//
//   # quorvix carlog 1
//   # car TICK CAR X Y Z HEADING VX VZ SPEED PITCH ROLL REVS GEAR LAPS RANK DISTANCE
//   # finish TICK CAR
//   # over TICK FAILED JUMP    (the race is over from this tick on; the
//                              event's failure flag and the JUMP distance)
//   car 0 0 0x1.cc3p+15 ...
//
// Every line starts with its kind; columns are only ever added at the end of
// a kind's line, and new kinds get lines of their own.
#pragma once

// 1 when the file was opened (replacing it).
int OpenCarLog(const char* hostPath);
void CloseCarLog();
// Tick: the lines of every car of the race (nothing without a log).
void LogCarTick();
// Frame: a car completed its last lap (after the ticks logged so far).
void LogCarFinish(int car);
