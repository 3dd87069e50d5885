// The command line's network runs.  `--net-host N` and `--net-join` (with
// `--player NAME`) drive the network screens through their own item actions
// on the real clock: the host hosts the first championship row and starts
// at N players, a joiner joins the first session found, each takes the car
// shown; the host ends the wait before the start.  After the first race the
// run prints the race order (player indices) and where every car ended, then
// exits.
#pragma once

// The menu frame calls this every frame, before the items' passes.
void NetDriveMenus();
// The frame calls this every frame, menus or race.
void NetDriveFrame();
// A network run also prints the console lines it is given: the race's
// notices (who left, who paused) are then in its output.
void NetDriveConsoleLine(const char* text);
// And the lobby's chat lines (who joined, who left, the countdown).
void NetDriveChatLine(const char* text);
