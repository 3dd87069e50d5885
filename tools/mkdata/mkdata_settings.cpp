// The settings files: Config\config.def (the factory settings) and
// Config\config.cfg (the same, as a first run finds it), both from the
// game's factory table.

#include "frontend/settings.h"
#include "mkdata.h"

// A sample drive for `--script drive.txt` (README): after the countdown,
// car 0 swerves past the car ahead of it on the grid and drives on up the
// start straight towards the first bend.
const char* const SampleDrive =
    "# A sample drive of the quick race (quorvix --autorace --script drive.txt).\n"
    "# Frame, then the event; Space ends the fly-by, and the race opens at GO\n"
    "# about 250 frames in.\n"
    "2 key down SPACE\n"
    "3 key up SPACE\n"
    "10 key down UP\n"
    "250 key down LEFT\n"
    "290 key up LEFT\n"
    "300 key down RIGHT\n"
    "340 key up RIGHT\n";

bool MkWriteSettingsFiles() {
    static SettingsRecord record;
    FactorySettings(&record);
    return MkWriteFile("Config\\config.def", &record, sizeof record) &&
           MkWriteFile("Config\\config.cfg", &record, sizeof record) && MkWriteText("drive.txt", SampleDrive);
}
