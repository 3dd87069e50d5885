#include "race/messages.h"

#include "frame/frame_state.h"
#include "platform/plat_system.h"

// Until the console is drawn its lines go to the debugger output.
int ConsoleLineCount() { return 0; }
void ConsoleAddLine(const char* text) { PlatDebugOut(text); }
void ConsoleAge() {}
void ConsoleDraw() {}
void DrawTimedMessages(int) {}
