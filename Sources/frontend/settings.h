// The settings file.
#pragma once

// 1 reads Config\config.def, 0 reads Config\config.cfg.
void LoadSettings(int defaults);
void SaveSettings();
