// The Direct3D drawing of a polygon list on the recording device: batches,
// the states each kind of slot asks for and their restore, vertex colours
// and depths, split screen, and the texture animation of the world.

#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "d3d_test_util.h"
#include "frontend/frontend_state.h"
#include "track/editors.h"
#include "track/track_state.h"

namespace {

// A state change, or a draw (state DRAW, value = the vertex count).
using Step = std::pair<int, uint32_t>;
const int DRAW = -1;

std::vector<Step> Join(std::initializer_list<std::vector<Step>> parts) {
    std::vector<Step> all;
    for (const std::vector<Step>& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

// What a multiplicative batch puts back.
const std::vector<Step> MultiplyBack = {{PLAT_RS_ALPHABLENDENABLE, 0},
                                        {PLAT_RS_STIPPLEDALPHA, 0},
                                        {PLAT_RS_SRCBLEND, PLAT_BLEND_ONE},
                                        {PLAT_RS_TEXTUREMAPBLEND, PLAT_TBLEND_MODULATE},
                                        {PLAT_RS_ZENABLE, 1},
                                        {PLAT_RS_ZWRITEENABLE, 1},
                                        {PLAT_RS_SHADEMODE, PLAT_SHADE_GOURAUD}};

struct SceneTest : ::testing::Test {
    TestDevice* dev = nullptr;
    PlatSurface* textures[2] = {};

    void SetUp() override {
        ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
        dev = new TestDevice(PLAT_DEVICE_RECORDING);
        ASSERT_NE(dev->device, nullptr);
        RenderKind = 1;
        FrontEndActive = 0;
        EditorOpen = 0;
        Wireframe = 0;
        TrackGroup = 1;
        TrackCode = 10;
        SpecialPolygonCount = 0;
        TextureFilter = PLAT_FILTER_LINEAR;
        TextureSortPairCount = 0;
        const PlatDeviceCaps caps = DisplayCaps();
        ReadDeviceCaps(&caps);
        for (int n = 0; n < TEXTURE_SLOTS; n++) {
            TextureRenderFlags[n] = 0;
            TextureSlotState[n] = -1;
            SlotTextures[n] = nullptr;
        }
        for (PlatSurface*& t : textures)
            ASSERT_EQ(PlatSurfaceCreate(8, 8, PLAT_PF_RGB565, PLAT_SURF_TEXTURE, &t), DD_OK);
        Load(70, textures[0]);
        Load(72, textures[1]);
        BuildColourRamp(0, 0, 0);
    }
    void TearDown() override {
        for (int n = 0; n < TEXTURE_SLOTS; n++)
            SlotTextures[n] = nullptr;
        for (PlatSurface* t : textures)
            PlatSurfaceRelease(t);
        delete dev;
        PlatShutdown();
    }

    static void Load(int slot, PlatSurface* texture) {
        TextureSlotState[slot] = 0;
        SlotTextures[slot] = texture;
    }

    std::vector<PlatDeviceEvent> Events() const {
        std::vector<PlatDeviceEvent> events(PlatDeviceEventCount(dev->device));
        for (size_t i = 0; i < events.size(); i++)
            PlatDeviceEventAt(dev->device, (int)i, &events[i]);
        return events;
    }

    // Draws the list in one scene; the events of the list after its
    // opening states.
    std::vector<PlatDeviceEvent> DrawList() {
        PlatDeviceBeginScene(dev->device);
        PlatDeviceClearEvents(dev->device);
        DrawPolygonList3D(dev->device, 0);
        PlatDeviceEndScene(dev->device);
        const std::vector<PlatDeviceEvent> events = Events();
        // The list's own states end with the fog colour.
        size_t first = 0;
        for (size_t i = 0; i < events.size(); i++) {
            if (events[i].kind == PLAT_EV_STATE && events[i].state == PLAT_RS_FOGCOLOR)
                first = i + 1;
        }
        return std::vector<PlatDeviceEvent>(events.begin() + (long)first, events.end() - 1);
    }

    static std::vector<PlatDeviceEvent> Draws(const std::vector<PlatDeviceEvent>& events) {
        std::vector<PlatDeviceEvent> draws;
        for (const PlatDeviceEvent& e : events)
            if (e.kind == PLAT_EV_DRAW)
                draws.push_back(e);
        return draws;
    }

    // The states and the draw of one batch of two polygons of the slot,
    // after its texture was bound; checks that every state is back where
    // the list put it.
    std::vector<Step> Batch(int slot, int flags) {
        TextureRenderFlags[slot] = flags;
        Load(slot, textures[0]);
        TextureSortPairCount = 0;
        AddListPolygon(slot);
        AddListPolygon(slot);
        std::vector<Step> steps;
        for (const PlatDeviceEvent& e : DrawList()) {
            if (e.kind == PLAT_EV_STATE)
                steps.push_back({e.state, e.value});
            else if (e.kind == PLAT_EV_DRAW)
                steps.push_back({DRAW, (uint32_t)e.vertexCount});
        }
        const std::pair<int, uint32_t> listStates[] = {
            {PLAT_RS_ZENABLE, 1},
            {PLAT_RS_ZWRITEENABLE, 1},
            {PLAT_RS_ZFUNC, PLAT_CMP_GREATER},
            {PLAT_RS_ALPHABLENDENABLE, 0},
            {PLAT_RS_SRCBLEND, PLAT_BLEND_ONE},
            {PLAT_RS_DESTBLEND, PLAT_BLEND_ZERO},
            {PLAT_RS_TEXTUREMAPBLEND, PLAT_TBLEND_MODULATE},
            {PLAT_RS_SHADEMODE, PLAT_SHADE_GOURAUD},
            {PLAT_RS_STIPPLEDALPHA, 0},
            {PLAT_RS_TEXTUREMAG, (uint32_t)TextureFilter},
            {PLAT_RS_TEXTUREMIN, (uint32_t)TextureFilter},
        };
        for (const auto& [state, value] : listStates)
            EXPECT_EQ(PlatDeviceGetRenderState(dev->device, state), value) << "state " << state << " of slot " << slot;
        return steps;
    }
};

}  // namespace

TEST_F(SceneTest, BatchesFollowTheSlotRunsOfTheSortList) {
    // Slot 30 first: the list starts on it, so nothing is flushed or bound.
    AddListPolygon(30);
    AddListPolygon(30);
    std::vector<PlatDeviceEvent> events = DrawList();
    ASSERT_EQ(Draws(events).size(), 1u);
    EXPECT_EQ(Draws(events)[0].primitive, PLAT_PT_TRIANGLELIST);
    EXPECT_EQ(Draws(events)[0].vertexCount, 6);
    for (const PlatDeviceEvent& e : events)
        EXPECT_NE(e.kind, PLAT_EV_TEXTURE);

    // One triangle is a fan; an unloaded slot (71) keeps 70's texture, a
    // loaded one binds its own; slots outside 0..2064 are skipped.
    TextureSortPairCount = 0;
    AddListPolygon(70);
    AddListPolygon(71);
    AddListPolygon(71);
    AddListPolygon(5000);
    AddListPolygon(-1);
    AddListPolygon(72);
    events = DrawList();
    const std::vector<PlatDeviceEvent> draws = Draws(events);
    ASSERT_EQ(draws.size(), 3u);
    EXPECT_EQ(draws[0].primitive, PLAT_PT_TRIANGLEFAN);
    EXPECT_EQ(draws[0].vertexCount, 3);
    EXPECT_EQ(draws[0].texture, textures[0]);
    EXPECT_EQ(draws[1].vertexCount, 6);
    EXPECT_EQ(draws[1].texture, textures[0]) << "the unloaded slot draws with the texture bound before";
    EXPECT_EQ(draws[2].texture, textures[1]);

    // A loaded slot whose texture could not be made draws untextured.
    TextureSortPairCount = 0;
    AddListPolygon(70);
    TextureSlotState[71] = 0;
    AddListPolygon(71);
    EXPECT_EQ(Draws(DrawList())[1].texture, nullptr);

    // The tuning panel stands over the race, which is drawn under it; a
    // track editor that hides the race leaves the list undrawn.
    EditorOpen = 1;
    EXPECT_EQ(Draws(DrawList()).size(), 2u);
    EditorActive = 1;
    EXPECT_TRUE(Draws(DrawList()).empty());
    EditorActive = 0;
}

TEST_F(SceneTest, EachKindOfBatchSetsItsStatesAndPutsThemBack) {
    const int filter = TextureFilter;
    // Multiplicative: the picture times the destination, without z.
    EXPECT_EQ(Batch(1040, 1), Join({{{PLAT_RS_ALPHABLENDENABLE, 1},
                                     {PLAT_RS_SRCBLEND, PLAT_BLEND_DESTCOLOR},
                                     {PLAT_RS_TEXTUREMAPBLEND, PLAT_TBLEND_DECAL},
                                     {PLAT_RS_ZENABLE, 0},
                                     {PLAT_RS_ZWRITEENABLE, 0},
                                     {DRAW, 6}},
                                    MultiplyBack}));
    // 2020 is multiplicative but keeps its z test.
    for (const Step& s : Batch(2020, 1))
        EXPECT_FALSE(s.first == PLAT_RS_ZENABLE && s.second == 0);

    const std::vector<Step> additive = {{PLAT_RS_ALPHABLENDENABLE, 1},
                                        {PLAT_RS_SRCBLEND, PLAT_BLEND_ONE},
                                        {PLAT_RS_DESTBLEND, PLAT_BLEND_ONE}};
    const std::vector<Step> additiveBack = {{PLAT_RS_ALPHABLENDENABLE, 0},
                                            {PLAT_RS_STIPPLEDALPHA, 0},
                                            {PLAT_RS_SRCBLEND, PLAT_BLEND_ONE},
                                            {PLAT_RS_DESTBLEND, PLAT_BLEND_ZERO}};
    EXPECT_EQ(Batch(1814, 2), Join({additive, {{DRAW, 6}}, additiveBack}));
    // The sprites 2000-2011 write no z and test none, 1844-1846 test it,
    // 2012 only stops writing it; z comes back on after each.
    EXPECT_EQ(Batch(2005, 2),
              Join({additive,
                    {{PLAT_RS_ZWRITEENABLE, 0}, {PLAT_RS_ZENABLE, 0}, {DRAW, 6}},
                    additiveBack,
                    {{PLAT_RS_ZENABLE, 1}, {PLAT_RS_ZWRITEENABLE, 1}, {PLAT_RS_SHADEMODE, PLAT_SHADE_GOURAUD},
                     {PLAT_RS_ZWRITEENABLE, 1}}}));
    EXPECT_EQ(Batch(1845, 2), Join({additive,
                                    {{PLAT_RS_ZWRITEENABLE, 0}, {PLAT_RS_ZENABLE, 1}, {DRAW, 6}},
                                    additiveBack,
                                    {{PLAT_RS_ZWRITEENABLE, 1}}}));
    EXPECT_EQ(Batch(2012, 2),
              Join({additive, {{PLAT_RS_ZWRITEENABLE, 0}, {DRAW, 6}}, additiveBack, {{PLAT_RS_ZWRITEENABLE, 1}}}));

    // No z with nearest filtering (the scoreboard pictures).
    EXPECT_EQ(Batch(1800, 12),
              (std::vector<Step>{{PLAT_RS_ZENABLE, 0},
                                 {PLAT_RS_ZWRITEENABLE, 0},
                                 {PLAT_RS_TEXTUREMAG, PLAT_FILTER_NEAREST},
                                 {PLAT_RS_TEXTUREMIN, PLAT_FILTER_NEAREST},
                                 {DRAW, 6},
                                 {PLAT_RS_ZENABLE, 1},
                                 {PLAT_RS_ZWRITEENABLE, 1},
                                 {PLAT_RS_SHADEMODE, PLAT_SHADE_GOURAUD},
                                 {PLAT_RS_TEXTUREMAG, (uint32_t)filter},
                                 {PLAT_RS_TEXTUREMIN, (uint32_t)filter}}));
    // The glows add onto what is at least as near, writing no z.
    EXPECT_EQ(Batch(2002, 2), (std::vector<Step>{{PLAT_RS_ZENABLE, 1},
                                                 {PLAT_RS_ZWRITEENABLE, 0},
                                                 {PLAT_RS_ZFUNC, PLAT_CMP_GREATEREQUAL},
                                                 {PLAT_RS_ALPHABLENDENABLE, 1},
                                                 {PLAT_RS_SRCBLEND, PLAT_BLEND_ONE},
                                                 {PLAT_RS_DESTBLEND, PLAT_BLEND_ONE},
                                                 {DRAW, 6},
                                                 {PLAT_RS_ZENABLE, 1},
                                                 {PLAT_RS_ZWRITEENABLE, 1},
                                                 {PLAT_RS_ZFUNC, PLAT_CMP_GREATER},
                                                 {PLAT_RS_SRCBLEND, PLAT_BLEND_ONE},
                                                 {PLAT_RS_DESTBLEND, PLAT_BLEND_ZERO},
                                                 {PLAT_RS_ALPHABLENDENABLE, 0}}));
    // Slots 0-2 and 1810 draw flat without z; an ordinary slot sets nothing.
    const std::vector<Step> flat = {{PLAT_RS_ZENABLE, 0},          {PLAT_RS_ZWRITEENABLE, 0},
                                    {PLAT_RS_SHADEMODE, PLAT_SHADE_FLAT}, {DRAW, 6},
                                    {PLAT_RS_ZENABLE, 1},          {PLAT_RS_ZWRITEENABLE, 1},
                                    {PLAT_RS_SHADEMODE, PLAT_SHADE_GOURAUD}};
    EXPECT_EQ(Batch(1, 0), flat);
    EXPECT_EQ(Batch(1810, 0), flat);
    EXPECT_EQ(Batch(500, 0), (std::vector<Step>{{DRAW, 6}}));
}

TEST_F(SceneTest, ADeviceThatOnlyStipplesStipplesItsBlends) {
    PlatDeviceCaps caps = DisplayCaps();
    caps.srcBlendCaps &= ~(1 << PLAT_BLEND_DESTCOLOR);
    caps.stippledAlpha = 1;
    ReadDeviceCaps(&caps);
    EXPECT_EQ(BlendCapable, 0);
    EXPECT_EQ(StippleOnly, 1);
    EXPECT_EQ(DeviceBlendOk, 0) << "no effects on this device";
    EXPECT_EQ(Batch(1040, 1),
              Join({{{PLAT_RS_STIPPLEDALPHA, 1}, {PLAT_RS_ZENABLE, 0}, {PLAT_RS_ZWRITEENABLE, 0}, {DRAW, 6}},
                    MultiplyBack}));
    EXPECT_EQ(Batch(1814, 2)[0], Step(PLAT_RS_STIPPLEDALPHA, 1));
    // The display's own devices blend.
    const PlatDeviceCaps full = DisplayCaps();
    ReadDeviceCaps(&full);
    EXPECT_EQ(BlendCapable, 1);
    EXPECT_EQ(StippleOnly, 0);
}

TEST_F(SceneTest, VertexColoursFollowTheDrawModeAndDepthFollowsQ) {
    // Each polygon its own slot, so that each draws alone.
    AddListPolygon(101, 2, 0x5A3C1E80);   // a world shade word: colour bytes above the shade
    AddListPolygon(102, 3, 0x1C8);
    AddListPolygon(103, 4, 0x112233);
    AddListPolygon(104, 5);
    AddListPolygon(105, 6);
    AddListPolygon(106, 10);
    AddListPolygon(107, 7);               // keeps what the buffer held
    const std::vector<PlatDeviceEvent> draws = Draws(DrawList());
    ASSERT_EQ(draws.size(), 7u);
    const uint32_t expected[7] = {0x808080, 0xC8C8C8, 0x112233, 0x7F7F7F, 0x80808080u, 0xFFFFFF, 0xFFFFFF};
    for (int i = 0; i < 7; i++) {
        for (int k = 0; k < 3; k++)
            EXPECT_EQ(draws[i].vertex[k].diffuse, expected[i]) << "polygon " << i << " corner " << k;
    }
    const PlatTLVertex& v = draws[0].vertex[1];
    EXPECT_FLOAT_EQ(v.sx, 150.0f);
    EXPECT_FLOAT_EQ(v.sz, 2.0f * 0.0976559966802597f);
    EXPECT_FLOAT_EQ(v.rhw, v.sz * 2.5f);
    EXPECT_FLOAT_EQ(v.tu, 1.0f);
}

TEST_F(SceneTest, SplitScreenDrawsTwoScenesOnTheHalvesAndKeepsTheMetrics) {
    SplitScreen = 1;
    FrameTicks = 0;   // the lists are the ones already built
    ScreenCentreX = 320.0f;
    ScreenCentreY = 240.0f;
    ScreenRight = 640.0f;
    ScreenBottom = 480.0f;
    AddListPolygon(70);
    PlatDeviceClearEvents(dev->device);
    EXPECT_EQ(RenderScene(dev->device, 0, nullptr), 0);
    std::vector<PlatViewport> scenes, draws;
    int zClears = 0;
    for (const PlatDeviceEvent& e : Events()) {
        if (e.kind == PLAT_EV_BEGINSCENE)
            scenes.push_back(e.viewport);
        if (e.kind == PLAT_EV_DRAW)
            draws.push_back(e.viewport);
        if (e.kind == PLAT_EV_CLEAR && e.clearFlags == PLAT_CLEAR_ZBUFFER) {
            zClears++;
            EXPECT_EQ(e.viewport.height, 480);
        }
    }
    EXPECT_EQ(zClears, 1);
    ASSERT_EQ(scenes.size(), 2u);
    EXPECT_EQ(scenes[0].y, 0);
    EXPECT_EQ(scenes[0].height, 240);
    EXPECT_EQ(scenes[1].y, 240);
    EXPECT_EQ(scenes[1].height, 240);
    // Each half draws its scene and its own dial.
    ASSERT_GE(draws.size(), 2u);
    EXPECT_EQ(draws.front().y, 0);
    EXPECT_EQ(draws.back().y, 240);
    EXPECT_FLOAT_EQ(ScreenCentreX, 320.0f);
    EXPECT_FLOAT_EQ(ScreenCentreY, 240.0f);
    EXPECT_FLOAT_EQ(ScreenRight, 640.0f);
    EXPECT_FLOAT_EQ(ScreenBottom, 480.0f);
    SplitScreen = 0;

    // The jump group keeps one full view.
    TrackGroup = 4;
    SplitScreen = 1;
    PlatDeviceClearEvents(dev->device);
    RenderScene(dev->device, 0, nullptr);
    SplitScreen = 0;
    EXPECT_EQ(PlatDeviceSceneCount(dev->device), 3);
}

// ---------------------------------------------------------------------------
// The animated world textures.

namespace {

struct AnimationTest : ::testing::Test {
    // Three section entries, each animated: kinds 0, 1 and 18.
    void SetUp() override {
        FrontEndActive = 0;
        memset(&WorldSectionTable, 0, sizeof WorldSectionTable);
        WorldSectionTable.header[WORLD_SECTION_TOTAL_INT] = 3;
        const int kinds[3] = {0, 1, 18};
        for (int i = 0; i < 3; i++) {
            SpecialPolygonTable[i] = {WORLD_SECTION_HEADER_INTS + WORLD_SECTION_ENTRY_INTS * i + 3, kinds[i], 0, 0};
            WorldSectionTable.entries[i].texture = AnimTextures[kinds[i]][0];
        }
        SpecialPolygonCount = 3;
        SlowTicksPending = 0;
    }
    static int Texture(int entry) { return WorldSectionTable.entries[entry].texture; }
    static void Advance(int slowTicks) {
        SlowTicksPending = slowTicks;
        AnimateSpecialPolygons();
        EXPECT_EQ(SlowTicksPending, 0);
    }
};

}  // namespace

TEST_F(AnimationTest, FramesAdvanceBySlowTicksAndWrapAfterTheLast) {
    Advance(0);
    EXPECT_EQ(Texture(0), 20);
    Advance(2);
    EXPECT_EQ(Texture(0), 70);
    EXPECT_EQ(Texture(1), 74);
    EXPECT_EQ(Texture(2), 47) << "the last record moves too";
    Advance(1);
    EXPECT_EQ(Texture(1), 74);
    Advance(1);
    EXPECT_EQ(Texture(1), 21) << "frame 4 is past kind 1's last frame 3";
    EXPECT_EQ(SpecialPolygonTable[1].zero, 0);
    Advance(4);
    EXPECT_EQ(Texture(2), 50);
    EXPECT_EQ(SpecialPolygonTable[2].zero, 8);

    // A frame whose entry is 0 starts the kind again.
    const int kept = AnimTextures[18][9];
    AnimTextures[18][9] = 0;
    Advance(1);
    AnimTextures[18][9] = kept;
    EXPECT_EQ(Texture(2), 60);
    EXPECT_EQ(SpecialPolygonTable[2].zero, 0);

    // Nothing moves in the menus.
    FrontEndActive = 1;
    SlowTicksPending = 2;
    AnimateSpecialPolygons();
    EXPECT_EQ(Texture(2), 60);
    EXPECT_EQ(SlowTicksPending, 2);
}

TEST_F(AnimationTest, RecordsOutsideTheTablesAreSkipped) {
    SpecialPolygonTable[0].kind = 19;
    SpecialPolygonTable[1].entryIndex = WORLD_SECTION_HEADER_INTS + WORLD_SECTION_ENTRY_INTS * 3 + 3;
    SpecialPolygonTable[2].entryIndex = -40;
    Advance(2);
    EXPECT_EQ(Texture(0), 20);
    EXPECT_EQ(Texture(1), 21);
    EXPECT_EQ(Texture(2), 60);
    EXPECT_EQ(WorldSectionTable.entries[3].texture, 0);
}
