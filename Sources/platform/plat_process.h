// Platform layer: processes and the single-instance lock.
#pragma once

// Starts a program and waits for it to end (ShellExecuteEx + wait).  The
// game path is resolved in the game folder; a name ending in ".exe" that is
// not found there is looked for without the extension.  Returns the exit
// status (128 + the signal number for a program that was killed), or -1
// when the program could not be started.
int PlatRunProgramAndWait(const char* gamePath);

// Claims the single-instance lock of this game folder (flock on a file in
// the user's runtime folder).  1: this is the only instance.  0: another one
// holds it; it has been asked to bring its window to the front.
int PlatInstanceAcquire();
void PlatInstanceRelease();
