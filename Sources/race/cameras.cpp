#include "race/cameras.h"

void ChooseTvCamera() {}
void UpdateReplayCamera() {}
