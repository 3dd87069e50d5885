#include "frontend/settings.h"

void LoadSettings(int) {}
void SaveSettings() {}
