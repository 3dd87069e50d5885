// The window procedure of the main window and the typed-character queue.
#pragma once

#include <cstdint>

// Developer menu commands.
enum {
    CMD_EXIT = 40001,
    CMD_DRIVER_DIALOG = 40010,
    CMD_TOGGLE_WINDOWED = 40011,
    CMD_TOGGLE_GAME_LOGIC = 40013,
    CMD_SINGLE_STEP = 40014,
    CMD_NO_DEFAULT = 0xF170,
};

intptr_t MainWindowProc(int message, uintptr_t wParam, intptr_t lParam);
void PushTypedChar(int c);
void PopTypedChar();
// What Space does in a race: ends the wait before the start (the host of a
// network race tells every machine).
void EndPresentationWait();
