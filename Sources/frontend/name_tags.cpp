// Names over the other cars (F4): each car's point 450 units above its
// frame position projected with the view's camera, as the scene is.

#include <mutex>

#include "frame/frame_state.h"
#include "frontend/frontend_state.h"
#include "frontend/race_overlays.h"
#include "frontend/text_slots.h"
#include "net/net_messages.h"
#include "net/net_state.h"
#include "race/race_state.h"
#include "render/geometry.h"
#include "render/render_state.h"
#include "render/text_printer.h"

namespace {

enum { TAG_FONT = 3 };
const float TAG_HEIGHT = 450.0f;
const float TAG_MAX_DEPTH = 9500.0f;

// The text of car c's tag into TextBufferB; 0 when it has none.
int TagText(int c) {
    if (NetSessionOpen) {
        const int slot = SlotSwap(c);
        std::lock_guard<std::mutex> lock(NetPlayerListLock);
        if (slot < 0 || slot >= NetPlayerCount || slot >= NET_MAX_PLAYERS)
            return 0;
        int n = 0;
        for (; n < TEXT_BUFFER_SIZE - 1 && n < NET_NAME_SIZE && NetPlayerNames[slot][n]; n++)
            TextBufferB[n] = NetPlayerNames[slot][n];
        TextBufferB[n] = 0;
        return 1;
    }
    if (ChampionshipRunning) {
        const int set = ChampionshipKind >= 0 && ChampionshipKind <= 2 ? ChampionshipKind : 0;
        GetText(477 + 8 * set + c);
        return 1;
    }
    if (SplitScreen) {
        GetText(c <= 1 ? 754 + c : 577 + c);
        return 1;
    }
    const int model = CarModel[c], colour = CarColour[c];
    if (model < 0 || model > 19 || colour < 0 || colour > 3)
        return 0;
    GetText(1614 + 4 * model + colour);
    return 1;
}

// Screen point of car c's tag in view v: 1 when it lies in front of the
// camera and nearer than the tag distance.
int ProjectTag(int v, int c, float centreY, float* sx, float* sy) {
    LoadIdentityRender();
    MatrixRotateXZY(CameraPitch[v], AnguloDeDeriva[v], CameraRoll[v]);
    const float p[3] = {cocheX[c] + EyeX[v], cocheY[c] + TAG_HEIGHT + EyeY[v], cocheZ[c] + EyeZ[v]};
    float q[3];
    for (int k = 0; k < 3; k++)
        q[k] = p[0] * RenderMatrix[0][k] + p[1] * RenderMatrix[1][k] + p[2] * RenderMatrix[2][k];
    if (!(q[2] > 0.0f && q[2] < TAG_MAX_DEPTH))
        return 0;
    const float scale = ViewFocalScale / q[2];
    *sx = ScreenCentreX + scale * q[0];
    *sy = centreY - scale * q[1];
    return 1;
}

}  // namespace

void DrawCarNameTags(PlatSurface* surface) {
    if (!NameTagsVisible || RacePaused || FrontEndActive || (TrackGroup == 5 && TrackVariant != 5))
        return;
    const float keptCentreY = ScreenCentreY, keptBottom = ScreenBottom;
    if (SplitScreen) {
        ScreenCentreY *= 0.5f;
        ScreenBottom *= 0.5f;
    }
    const int views = SplitScreen ? 2 : 1;
    const int cars = CarCount < MAX_CARS ? (int)CarCount : MAX_CARS;
    for (int v = 0; v < views; v++) {
        const float centreY = ScreenCentreY + (v == 1 ? ScreenBottom : 0.0f);
        for (int c = 0; c < cars; c++) {
            float x, y;
            if (c == v || !ProjectTag(v, c, centreY, &x, &y) || !TagText(c))
                continue;
            ScaleLayoutCoords = 0;
            PrintText((int)x, (int)y, TextBufferB, TAG_FONT, ALIGN_CENTRE, surface, 0);
        }
    }
    ScreenCentreY = keptCentreY;
    ScreenBottom = keptBottom;
}
