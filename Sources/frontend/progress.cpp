#include "frontend/progress.h"

void CheckProgressNotice() {}
