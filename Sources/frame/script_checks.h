// The checks a --script asks for after a frame: shots and the menu screen
// expected.
#pragma once

void RunScriptChecks(int frame);
