// Every frame test starts from a fresh process's state.

#include "common/fresh_state.h"

namespace {

void FreshFrameProgram() {
    FreshMachine();
    FreshFrameAndRace();
}

const bool registered = ResetBeforeEveryTest(FreshFrameProgram);

}  // namespace
