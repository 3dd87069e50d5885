// Every render test starts from a fresh process's state: besides the
// machine and the frame's switches, the object pools and names, the
// texture slots, the software frame's memory and stamps, and the scene's
// options.

#include <cstring>

#include "common/fresh_state.h"
#include "frame/frame_state.h"
#include "frontend/frontend_state.h"
#include "render/render_state.h"
#include "render/soft_frame.h"

namespace {

void FreshRenderProgram() {
    FreshMachine();
    FreshFrameAndRace();
    FreshObjectPools();
    for (int n = 0; n < TEXTURE_SLOTS; n++) {
        SoftTexturePages[n] = {};
        TextureIdTable[n] = 0;
        TextureSlotState[n] = 0;
        TextureMissing[n] = 0;
        TextureRenderFlags[n] = 0;
    }
    TexturesLoaded = 0;
    StippleOnly = 0;
    AltTextureSet = 0;
    SoftTexelBase = SoftOccupancyBase = SoftPaletteBase = nullptr;
    FrameBufferPixels = nullptr;
    DepthStampCounter = 0;
    DepthStamp = 0;
    DepthClearRequest = 0;
    TextureSortPairCount = 0;
    TranslucentPairCount = 0;
    ViewFocalScale = 224.0f;
    // The scene's options and the frame rate the glass reads: a test that
    // draws with effects or the cloud layer leaves them on.
    EffectsOption = 0;
    SkyOption = 0;
    FramesPerSecond = 0;
}

const bool registered = ResetBeforeEveryTest(FreshRenderProgram);

}  // namespace
