// Timed screen messages and the message console.
#pragma once

// Number of live console lines (the frame draws and the tick ages the
// console only while it holds lines).
int ConsoleLineCount();
void ConsoleAddLine(const char* text);
void ConsoleAge();
void ConsoleDraw();
// 1 clears every timed message, 0 draws them.
void DrawTimedMessages(int clearAll);
