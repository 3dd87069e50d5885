#include "frontend/menu_panels.h"

void SetOptionToggles(int, int, int, int, int, int) {}
void ShowExitScreen() {}
void ShowTimedNotice(int) {}
