// The replay header and replay files.
#pragma once

void ApplyReplayHeader();
