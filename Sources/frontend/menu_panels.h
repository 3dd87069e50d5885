// Menu panels: option toggles, the exit screen and timed notices.
#pragma once

void SetOptionToggles(int a, int b, int c, int d, int e, int kind);
void ShowExitScreen();
void ShowTimedNotice(int mode);
