// Every render test starts from a fresh process's state: besides the
// machine and the frame's switches, the object pools and names, the
// texture slots and the software frame's memory and stamps.

#include <cstring>

#include "common/fresh_state.h"
#include "render/objects.h"
#include "render/render_state.h"
#include "render/soft_frame.h"

namespace {

void FreshRenderProgram() {
    FreshMachine();
    FreshFrameAndRace();
    VertexTotal = 0;
    TriangleTotal = 0;
    NormalsTotal = 0;
    memset(ObjectNameTable, 0, sizeof ObjectNameTable);
    memset(ObjectEntries, 0, sizeof ObjectEntries);
    FirstObjectPending = 1;
    CurrentObjectSlot = 0;
    ObjectPaintShift = -1;
    for (int n = 0; n < TEXTURE_SLOTS; n++) {
        SoftTexturePages[n] = {};
        TextureIdTable[n] = 0;
        TextureSlotState[n] = 0;
        TextureMissing[n] = 0;
        TextureRenderFlags[n] = 0;
    }
    TexturesLoaded = 0;
    StippleOnly = 0;
    AdditiveTextureOne = 0;
    SoftTexelBase = SoftOccupancyBase = SoftPaletteBase = nullptr;
    FrameBufferPixels = nullptr;
    DepthStampCounter = 0;
    DepthStamp = 0;
    DepthClearRequest = 0;
    TextureSortPairCount = 0;
    TranslucentPairCount = 0;
    ViewFocalScale = 224.0f;
}

const bool registered = ResetBeforeEveryTest(FreshRenderProgram);

}  // namespace
