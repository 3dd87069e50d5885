#include "sound/car_sounds.h"

// The car loops and one-shots play through the channel plan, which is not
// built yet: the requests arrive and are heard by nothing.
void UpdateBrakeSound(int) {}
void UpdateHandbrakeSound(int) {}
void UpdateOverRevSound(int) {}
void UpdateReverseSound(int) {}
void UpdateTyreSquealSound(int, int) {}
void UpdateWheelSpinSound(int) {}
void UpdateTurboReadySounds(int) {}
void PlayTurboSound(int, int) {}
void UpdateBusSound(int, int) {}
void PlayGripLossSound(int, int) {}
void PlayLandingSound(int, int) {}
void PlayCrushSound(int, int) {}
void PlayWallCrashSound(int, int, int) {}
void PlayCarCrashSound(int, int) {}
void DriveEngineSoundsSolo() {}
void DriveEngineSoundsSplit() {}
void DriveEngineSoundsReplay() {}
void UpdateHornSound(int) {}
void UpdateCrowdSound(int) {}
void UpdateOceanSound() {}
