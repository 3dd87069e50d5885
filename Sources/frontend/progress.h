// Progress and unlocks.
#pragma once

void CheckProgressNotice();
