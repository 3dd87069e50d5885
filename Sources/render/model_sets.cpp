#include "render/model_sets.h"

#include <cstdio>
#include <cstring>

#include "frame/frame_state.h"
#include "race/car_pose.h"
#include "race/race_state.h"
#include "render/geometry.h"
#include "render/objects.h"
#include "render/render_state.h"
#include "track/asset_paths.h"
#include "track/scene_points.h"
#include "track/track_state.h"

int CarBodyObject[8], CarShadowObject[8], CarHeadObject[8];
int CarLampObjects[8][3], CarLampSingleObject[8];
int CarGlassObject[8], CarPipesObject[8], CarHoodObject[8];
int CarWheelObjects[8][4], CarArmObjects[8][2];
int FirstCarObject, DustObject, BallObjects[4];
int ArenaCarObject, ArenaCarAltObject, ArenaTargetObject;
int ArenaDisplayWords[7];
float ArenaRefX[4], ArenaRefY[4], ArenaRefZ[4];
float WheelOffsetX[8][4], WheelOffsetY[8][4], WheelOffsetZ[8][4];
float HeadOffset[8][3], PipeMount[8][4], BodyMount[8][4];
int CarSetLoaded[20], CarHoodLoaded[20];
int SceneryTriangleEnd, CarsVertexEnd, CarsTriangleEnd;
int SelectedModels[8], SelectedPaints[8], SelectedCodes[8];

// The showroom's last car and track.
static int ShowroomModel, ShowroomPaint, ShowroomGroup, ShowroomVariant;

enum { CAR_MODELS = 20 };

// ---------------------------------------------------------------------------
// Built-in per-model geometry.

// Front-left and rear-left wheel (x, z) and the rear-right x; the front
// right mirrors the front left.
struct WheelRow {
    float frontX, frontZ, rearX, rearZ, rearRightX;
};
static const WheelRow WheelRows[CAR_MODELS] = {
    {-135, 276, -140, -229, 140},     {-193, 298, -150, -229, 150},     {-199, 276, -166, -223, 166},
    {-193, 242, -196, -255, 196},     {-135, 276, -140, -229, 140},     {-163, 266, -211, -224, 211},
    {-128, 248, -133.5f, -223, 133.5f}, {-139, 248, -139, -314, 139},   {-199, 276, -193, -223, 193},
    {-162, 196, -159, -249, 159},     {-193, 242, -196, -302, 196},     {-190, 310.5f, -212, -275, 212},
    {-129, 288, -143, -228, 143},     {-128, 248, -133.5f, -223, 133.5f}, {-194, 372, -217.5f, -274, 217},
    {-193, 199, -196, -255, 196},     {-147, 239, -154, -237, 154},     {-155, 276, -155, -229, 155},
    {-140, 276, -155, -229, 155},     {-135, 276, -140, -229, 140},
};

static const float HeadRows[CAR_MODELS][3] = {
    {-60, 180, 15},   {-60, 218, 77},       {-60, 244, 23},    {-60, 180, 15},      {-60, 180, 15},
    {-60, 180, 15},   {-51.5f, 197, -22},   {-60, 180, 15},    {-60, 244, 23},      {-51, 222.5f, 222.5f},
    {-60, 180, 15},   {-69, 198, -74},      {-77, 190, 77},    {-51.5f, 197, -22},  {-3.5f, 152.5f, 10.5f},
    {-59, 214, 257},  {-60, 180, 15},       {-60, 162, 15},    {-60, 180, 15},      {-60, 180, 15},
};

static const float PipeRows[CAR_MODELS][4] = {
    {-132, 62.5f, -356.5f, 0.4f},  {1, 267.5f, -265, 0.73f},     {-116, 185, -341, 0.74f},
    {141.5f, 96, -266.5f, 0.09f},  {-122, 50, -358, 0.4f},       {-138.5f, 96, -265.5f, -0.02f},
    {78, 89.5f, -411, 0.36f},      {151, 93, -491.5f, -0.04f},   {-148.5f, 182, -342.5f, 0.65f},
    {130.5f, 62, -397.5f, 0.03f},  {152, 84.5f, -491.5f, -0.04f}, {-101, 117, -361, 0.25f},
    {-116, 135, -366, 0.08f},      {78, 89.5f, -411, 0.36f},     {59, 136.5f, -407.5f, -0.08f},
    {130.5f, 62, -397.5f, 0.03f},  {-116.5f, 119, -349, 0.75f},  {-127.5f, 50.5f, -355.5f, 0.4f},
    {-141, 48, -355.5f, 0.48f},    {0, 0, 0, 0},
};

int ModelHasLamps(int model) {
    switch (model) {
    case 0: case 1: case 2: case 6: case 8: case 9: case 11: case 12: case 16: case 17: return 1;
    default: return 0;
    }
}

int ModelHasArms(int model) { return model == 2 || model == 6 || model == 8 || model == 11 || model == 13; }

static int ClampModel(int model) { return model < 0 ? 0 : model >= CAR_MODELS ? CAR_MODELS - 1 : model; }

// ---------------------------------------------------------------------------
// Loading.

void ClearRaceObjectCounters() {
    SceneryTriangleEnd = 0;
    CarsVertexEnd = 0;
    CarsTriangleEnd = 0;
}

void ClearHoodFlags(int value) {
    for (int& flag : CarHoodLoaded)
        flag = value;
}

static void Load(const char* file, int normals, const char* registered) { CargaObjeto(file, normals, 0, registered); }

void LoadWorldModel() {
    SetTrackFolder();
    char fileName[32];
    char registered[32];
    snprintf(fileName, sizeof fileName, "MUNDO%d%d", TrackGroup, TrackVariant);
    snprintf(registered, sizeof registered, "MUNDO%02d", TrackGroup);
    ObjectLoadMode = 0x4D554E44;   // the world's own load context
    Load(fileName, 0, registered);
    ObjectLoadMode = 0;
}

void LoadSceneryModels() {
    SetTrackFolder();
    for (const char* name : {"CIELO", "POLVO", "BOLA", "BOLA1", "BOLA2", "BOLA3", "DEGRA"})
        Load(name, 0, name);
    switch (TrackGroup) {
    case 1:
        Load("MONTANAS", 0, "MONTANAS");
        Load("CUBO", 1, "CUBO");
        Load("TUERCA", 1, "TUERCA");
        break;
    case 2:
        Load("CAJAVACA", 1, "CAJAVACA");
        Load("MONTANAS", 1, "MONTANAS");
        Load("BOSQUE", 0, "BOSQUE");
        break;
    case 3:
        ObjectLoadMode = 0x4D4F4E54;   // the hills' own load context
        Load("MONTANAS", 0, "MONTANAS");
        ObjectLoadMode = 0;
        Load("BOSQUE", 0, "BOSQUE");
        Load("HELICE", 1, "HELICE");
        Load("HELADO", 1, "HELADO");
        break;
    case 4:
    case 6: Load("MONTANAS", 0, "MONTANAS"); break;
    case 5:
        Load("LUCES", 0, "LUCES");
        Load("LATA", 1, "LATA");
        if (TrackCode != 55) {
            for (const char* name : {"PALOROJO", "PALOAZUL", "CONOAZUL", "CONOROJO", "PALIAZUL", "PALIROJO",
                                     "METARAMR", "METARAMA", "PERTIGAR", "PERTIGAA", "PAPELPIV"})
                Load(name, 0, name);
            char file[16], registered[16];
            for (int k = 0; k <= 4; k++) {
                snprintf(file, sizeof file, "COCHE%d", k);
                Load(file, 1, file);
            }
            for (int k = 0; k <= 4; k++) {
                snprintf(file, sizeof file, "COCHEAL%d", k);
                snprintf(registered, sizeof registered, "CARAL%d", k);
                Load(file, 1, registered);
            }
            Load("DIANA", 0, "DIANA");
        }
        if (TrackVariant == 3 || TrackVariant == 4) {
            Load("RAMPACHU", 1, "RAMPACHU");
            Load("RAMPACOL", 1, "RAMPACOL");
            ComputeVertexNormals(FindObject("RAMPACHU"));
        }
        break;
    case 7:
        Load("AGUA", 1, "AGUA");
        Load("ZEPELIN", 1, "ZEPELIN");
        break;
    default: break;
    }
    if (TrackCode == 78 || TrackCode == 79) {
        Load("LATA", 1, "LATA");
        Load("LUCES", 0, "LUCES");
    }
}

static int CarModelOf(int car) { return car >= 0 && car < MAX_CARS ? CarModel[car] : 0; }

// Models 18 and 19 have no folder of their own: they race on the chassis,
// hood and wheels of the folder loaded before them, without a body set.
static int ModelHasBodySet(int model) { return model >= 0 && model <= 17; }

void LoadCarBodySet(int car) {
    const int model = CarModelOf(car);
    if (car < 0 || car >= MAX_CARS || !ModelHasBodySet(model) || CarSetLoaded[car])
        return;
    CarSetLoaded[car] = 1;
    const int paint = CarColour[car];
    const int shiftsBody = model == 6 || model == 11 || model == 13;
    char name[32];

    // The body, with its paint on the models whose body carries it.
    auto loadBody = [&](const char* file) {
        snprintf(name, sizeof name, "INTER%02d%d", model, paint);
        if (shiftsBody)
            ObjectPaintShift = paint;
        Load(file, 1, name);
        if (shiftsBody)
            ObjectPaintShift = -1;
    };
    auto loadHead = [&]() {
        snprintf(name, sizeof name, "CABEZA%02d", model);
        Load("CABEZA", 1, name);
    };

    if (FrontEndActive == 0) {
        snprintf(name, sizeof name, "SOMBRA%02d", model);
        Load("SOMBRA", 0, name);
        if (model == 3) {
            loadHead();
            loadBody("INTERIOR");
        } else {
            loadBody("INTERIOR");
            loadHead();
        }
        if (ModelHasLamps(model)) {
            snprintf(name, sizeof name, "FAROA%02d", model);
            Load("FAROS", 1, name);
            snprintf(name, sizeof name, "FAROB%02d", model);
            Load("FAROS2", 1, name);
            snprintf(name, sizeof name, "FAROC%02d", model);
            Load("FAROS3", 1, name);
        }
    } else {
        loadBody("GARAGE");
    }

    snprintf(name, sizeof name, "CRISTA%02d", model);
    Load("CRISTAL", 1, name);
    if (model == 5) {
        Load("FAROS", 1, "FAROA05");
        Load("TUBOS", 1, "TUBOS05");
    } else if (model != 16 && model != 17) {
        snprintf(name, sizeof name, "TUBOS%02d", model);
        Load("TUBOS", 1, name);
    }
}

void LoadCarChassis(int car) {
    ObjectPaintShift = CarColour[car];
    char name[32];
    snprintf(name, sizeof name, "1_CARRO%d", car + 1);
    Load("1_CARRO", 1, name);
}

void LoadCarHood(int car) {
    if (car < 0 || car >= MAX_CARS || CarHoodLoaded[car])
        return;
    ObjectPaintShift = CarColour[car];
    char name[32];
    snprintf(name, sizeof name, "ACAPO%02d%d", CarModelOf(car), CarColour[car]);
    Load("ACAPO01", 1, name);
    ObjectPaintShift = -1;
    CarHoodLoaded[car] = 1;
}

void LoadCarWheels(int car) {
    ObjectPaintShift = CarColour[car];
    static const char* const wheels[4][2] = {{"RDI", "GRDI"}, {"RDD", "GRDD"}, {"RTI", "GRTI"}, {"RTD", "GRTD"}};
    char name[32];
    for (int j = 0; j < 4; j++) {
        snprintf(name, sizeof name, "RUEDA%d%d", car, j + 1);
        CargaObjeto(wheels[j][0], 1, 0, name);
        CargaObjeto(wheels[j][1], 1, 1, name);
    }
    if (ModelHasArms(CarModelOf(car))) {
        snprintf(name, sizeof name, "BRAZOIZ%d", car);
        Load("BRAZOIZ", 1, name);
        snprintf(name, sizeof name, "BRAZODE%d", car);
        Load("BRAZODE", 1, name);
    }
}

// The four car passes: every part of one kind for all cars before the next
// kind, so that each kind's triangles lie together in the pool.
static void LoadCarPasses(int cars) {
    for (int pass = 0; pass < 4; pass++) {
        ClearHoodFlags(0);
        for (int car = 0; car < cars && car < MAX_CARS; car++) {
            SetCarFolder(car);
            switch (pass) {
            case 0: LoadCarBodySet(car); break;
            case 1: LoadCarChassis(car); break;
            case 2:
                CarsVertexEnd = VertexTotal;
                ObjectPaintShift = -1;
                LoadCarHood(car);
                break;
            default: LoadCarWheels(car); break;
            }
        }
    }
    CarsVertexEnd = VertexTotal;
    ObjectPaintShift = -1;
    CarsTriangleEnd = TriangleTotal;
}

void LoadRaceModels() {
    if (TrackGroup == 5 && TrackVariant == 0)
        CarCount = 1;
    if (FrontEndActive == 1)
        return;
    BeginObjectLoad(0);
    LoadWorldModel();
    LoadSceneryModels();
    SceneryTriangleEnd = TriangleTotal;

    for (int& flag : CarSetLoaded)
        flag = 0;
    LoadCarPasses(CarCount);

    static const char* const collisionFolders[20] = {
        "3d\\Cars\\Vondel\\",     "3d\\Cars\\RozIzedad\\", "3d\\Cars\\Buggy\\",         "3d\\Cars\\Viruvedor\\",
        "3d\\Cars\\VondelJump\\", "3d\\Cars\\VondelCross\\", "3d\\Cars\\356\\",         "3d\\Cars\\KarmanJump\\",
        "3d\\Cars\\Buggy2\\",     "3d\\Cars\\Furgoneta\\", "3d\\Cars\\KarmanMonster\\", "3d\\Cars\\BuggyTowd\\",
        "3d\\Cars\\Mehary\\",     "3d\\Cars\\356Jump\\",   "3d\\Cars\\TipoBaja\\",      "3d\\Cars\\Pickup\\",
        "3d\\Cars\\Vondel\\",     "3d\\Cars\\Buggy\\",     "3d\\Cars\\Pickup\\",        "3d\\Cars\\Pickup\\",
    };
    char name[16];
    // The collision objects follow each other in the pool, four vertices a
    // model: the car collisions read model m's at CollisionBoxBase + 4m.
    CollisionBoxBase = VertexTotal;
    CarBoxesDirty = 1;
    for (int k = 0; k < 20; k++) {
        snprintf(AssetFolder, sizeof AssetFolder, "%s", collisionFolders[k]);
        snprintf(name, sizeof name, "COLI%02d", k);
        CargaObjeto("COLI", 0, 0, name);
    }
    BindRaceModels();
    StoreCarSelection();
}

// ---------------------------------------------------------------------------
// Binding.

static int FindNamed(const char* format, int a, int b = 0) {
    char name[32];
    snprintf(name, sizeof name, format, a, b);
    return FindObject(name);
}

void BindRaceModels() {
    const int race = FrontEndActive == 0;
    FirstCarObject = FindObject("1_CARRO1");
    if (race) {
        DustObject = FindObject("POLVO");
        BallObjects[0] = FindObject("BOLA");
        BallObjects[1] = FindObject("BOLA1");
        BallObjects[2] = FindObject("BOLA2");
        BallObjects[3] = FindObject("BOLA3");
    }
    for (int car = 0; car < CarCount && car < MAX_CARS; car++) {
        const int model = CarModelOf(car);
        const int paint = CarColour[car];
        for (int j = 0; j < 4; j++)
            CarWheelObjects[car][j] = FindNamed("RUEDA%d%d", car, j + 1);
        CarHoodObject[car] = FindNamed("ACAPO%02d%d", model, paint);
        // A car without a body set draws none: its slots stay empty rather
        // than look up names no load registered.
        CarShadowObject[car] = CarHeadObject[car] = CarBodyObject[car] = CarGlassObject[car] = -1;
        CarPipesObject[car] = CarLampSingleObject[car] = -1;
        for (int& lamp : CarLampObjects[car])
            lamp = -1;
        if (!ModelHasBodySet(model))
            continue;
        if (race) {
            CarShadowObject[car] = FindNamed("SOMBRA%02d", model);
            CarHeadObject[car] = FindNamed("CABEZA%02d", model);
            if (ModelHasLamps(model)) {
                CarLampObjects[car][0] = FindNamed("FAROA%02d", model);
                CarLampObjects[car][1] = FindNamed("FAROB%02d", model);
                CarLampObjects[car][2] = FindNamed("FAROC%02d", model);
            }
        }
        CarBodyObject[car] = FindNamed("INTER%02d%d", model, paint);
        CarGlassObject[car] = FindNamed("CRISTA%02d", model);
        if (model != 16 && model != 17)
            CarPipesObject[car] = FindNamed("TUBOS%02d", model);
        if (model == 5)
            CarLampSingleObject[car] = FindObject("FAROA05");
        if (ModelHasArms(model)) {
            CarArmObjects[car][0] = FindNamed("BRAZOIZ%d", car);
            CarArmObjects[car][1] = FindNamed("BRAZODE%d", car);
        }
    }
    if (TrackGroup == 5 && race) {
        if (TrackCode != 55) {
            ArenaCarObject = FindObject("COCHE0");
            ArenaCarAltObject = FindObject("CARAL0");
            ArenaTargetObject = FindObject("DIANA");
        }
        for (int& word : ArenaDisplayWords)
            word = 0;
        static const int back[4] = {1091, 1092, 967, 968};
        for (int k = 0; k < 4; k++) {
            const int v = CarsVertexEnd - back[k];
            const ObjectVertex p = v >= 0 && v < VERTEX_POOL_SIZE ? VertexPool[v] : ObjectVertex{};
            ArenaRefX[k] = p.x;
            ArenaRefY[k] = p.y;
            ArenaRefZ[k] = p.z;
        }
    }
}

void StoreCarSelection() {
    for (int car = 0; car < MAX_CARS; car++) {
        SelectedModels[car] = CarModel[car];
        SelectedPaints[car] = CarColour[car];
        SelectedCodes[car] = CarModel[car] * 10 + CarColour[car];
    }
}

void ModelWheelOffsets(int model, float xs[4], float zs[4]) {
    const WheelRow& w = WheelRows[model >= 0 && model < CAR_MODELS ? model : 0];
    const float x[4] = {w.frontX, -w.frontX, w.rearX, w.rearRightX};
    const float z[4] = {w.frontZ, w.frontZ, w.rearZ, w.rearZ};
    for (int j = 0; j < 4; j++) {
        xs[j] = x[j];
        zs[j] = z[j];
    }
}

void CopyCarParams() {
    RaceCarCount = TrackGroup == 5 && TrackVariant != 5 ? ArenaOpponents + 1 : (int)CarCount;
    for (int car = 0; car < RaceCarCount && car < MAX_CARS; car++) {
        const int model = ClampModel(CarModel[car]);
        float xs[4], zs[4];
        ModelWheelOffsets(model, xs, zs);
        for (int j = 0; j < 4; j++) {
            WheelOffsetX[car][j] = xs[j];
            WheelOffsetY[car][j] = 0.0f;
            WheelOffsetZ[car][j] = zs[j];
        }
        for (int k = 0; k < 3; k++)
            HeadOffset[car][k] = HeadRows[model][k];
        for (int k = 0; k < 4; k++) {
            PipeMount[car][k] = PipeRows[model][k];
            BodyMount[car][k] = 0.0f;
        }
        if (model == 10) {
            BodyMount[car][0] = 6.0f;
            BodyMount[car][1] = 134.5f;
            BodyMount[car][2] = -408.5f;
            BodyMount[car][3] = 0.001f;
        }
    }
}

// ---------------------------------------------------------------------------
// The showroom.

void LoadShowroomCar(int model, int paint, int group, int variant) {
    if (model == 0 && paint == 0 && group == 0 && variant == 0) {
        model = ShowroomModel;
        paint = ShowroomPaint;
        group = ShowroomGroup;
        variant = ShowroomVariant;
    }
    ShowroomModel = model;
    ShowroomPaint = paint;
    ShowroomGroup = group;
    ShowroomVariant = variant;

    CarModel[0] = model;
    CarColour[0] = paint;
    ShowroomWheelHang = ShowroomWheelDrop(model);
    TrackGroup = group;
    TrackVariant = variant;
    TrackCode = group * 10 + variant;
    ObjectPaintShift = -1;
    TextureSortPairCount = 0;
    SceneryTriangleEnd = 0;
    BeginObjectLoad(1);
    CarCount = 1;
    RaceCarCount = 1;
    for (int& flag : CarSetLoaded)
        flag = 0;
    LoadCarPasses(1);
    CarsTriangleEnd = TriangleTotal;
    BindRaceModels();
    StoreCarSelection();
    FillPositionTables();
    CopyCarParams();
    if (group != 4) {
        TrackGroup = 0;
        TrackVariant = 0;
        TrackCode = 0;
    }
}
